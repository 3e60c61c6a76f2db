#include "tools/virtual_board/device_names.h"

#include "model/app_identity.h"

#include <QSettings>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace vboard {

SlaveLink::~SlaveLink() {
    std::error_code ignored;
    if (!m_path.empty() && std::filesystem::read_symlink(m_path, ignored) == m_target) {
        unlink(m_path.c_str());
    }
}

bool SlaveLink::create(const std::string& linkPath, const std::string& target, std::string& error) {
    struct stat existing {};
    // A link left by a board that was killed may go; anything else is not ours.
    if (lstat(linkPath.c_str(), &existing) == 0 &&
        (!S_ISLNK(existing.st_mode) || unlink(linkPath.c_str()) != 0)) {
        error = linkPath + ": esiste già e non è un collegamento simbolico";
        return false;
    }
    if (symlink(target.c_str(), linkPath.c_str()) != 0) {
        error = linkPath + ": " + std::strerror(errno);
        return false;
    }
    m_path = linkPath;
    m_target = target;
    return true;
}

ComPortMapping::~ComPortMapping() {
    if (m_key.isEmpty()) {
        return;
    }
    QSettings settings(QString::fromLatin1(kAppName), QString::fromLatin1(kAppName));
    if (m_previous.isValid()) {
        settings.setValue(m_key, m_previous);
    } else {
        settings.remove(m_key);
    }
    settings.sync();
}

bool ComPortMapping::apply(const QString& comName, const QString& devicePath, QString& error) {
    QSettings settings(QString::fromLatin1(kAppName), QString::fromLatin1(kAppName));
    const QString key = QString::fromStdString(PortDeviceKey(comName.toStdString()));
    m_previous = settings.value(key);
    settings.setValue(key, devicePath);
    settings.sync();
    m_file = settings.fileName();
    if (settings.status() != QSettings::NoError) {
        error = QStringLiteral("impossibile scrivere ") + m_file;
        return false;
    }
    m_key = key;
    return true;
}

} // namespace vboard
