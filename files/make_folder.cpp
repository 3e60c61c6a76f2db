#include "files/make_folder.h"

#include "files/native_path.h"
#include "files/write_failure.h"
#include "model/system_error.h"

#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/stat.h>
#endif

#ifdef Q_OS_UNIX

std::optional<QString> MakeFolder(const QString& path) {
    // Down from the root, one folder at a time, so that the one that fails is known.
    const QString target = QDir::cleanPath(QDir(path).absolutePath());
    QString folder;
    for (const QString& part : target.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const QString parent = folder.isEmpty() ? QStringLiteral("/") : folder;
        folder += QLatin1Char('/') + part;
        const QByteArray name = NativePath(folder);
        struct stat info {};
        if (::stat(name.constData(), &info) == 0) {
            if (S_ISDIR(info.st_mode)) {
                continue;
            }
            return folder + QStringLiteral(" non \u00e8 una cartella");
        }
        if (::mkdir(name.constData(), 0777) == 0 || errno == EEXIST) {
            continue;
        }
        const int error = errno;
        QString reason = QStringLiteral("impossibile creare la cartella ") + folder +
                         QStringLiteral(": ") + QString::fromStdString(SystemErrorText(error));
        // Whose folder refused it tells the user whom to ask.
        if (error == EACCES || error == EPERM) {
            if (const std::optional<QString> owner = FolderWriteFailure(parent)) {
                reason += QStringLiteral("; ") + *owner;
            }
        }
        return reason;
    }
    return std::nullopt;
}

#else

std::optional<QString> MakeFolder(const QString& path) {
    if (QDir().mkpath(path) && QFileInfo(path).isDir()) {
        return std::nullopt;
    }
    return QStringLiteral("impossibile creare la cartella ") + QDir::toNativeSeparators(path);
}

#endif
