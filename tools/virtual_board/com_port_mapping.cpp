#include "tools/virtual_board/com_port_mapping.h"

#include "model/app_identity.h"

#include <QSettings>

namespace vboard {

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
