#include "files/write_failure.h"

#include "files/native_path.h"

#include "model/system_error.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
QString OwnerText(const struct stat& info) {
    const struct passwd* user = ::getpwuid(info.st_uid);
    const struct group* group = ::getgrgid(info.st_gid);
    const QString userName =
        user != nullptr ? QString::fromLocal8Bit(user->pw_name) : QString::number(info.st_uid);
    const QString groupName =
        group != nullptr ? QString::fromLocal8Bit(group->gr_name) : QString::number(info.st_gid);
    return QStringLiteral("appartiene a ") + userName + QLatin1Char(':') + groupName +
           QStringLiteral(", permessi %1").arg(info.st_mode & 07777U, 4, 8, QLatin1Char('0'));
}

QString SystemWords(int errorNumber) {
    return QString::fromStdString(SystemErrorText(errorNumber));
}
#endif

} // namespace

std::optional<QString> ForeseenWriteFailure(const QString& path) {
#ifdef Q_OS_UNIX
    const QByteArray name = NativePath(path);
    if (name.isEmpty()) {
        return QStringLiteral("il nome del file \u00e8 vuoto");
    }
    struct stat info {};
    if (::stat(name.constData(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            return QStringLiteral("il percorso \u00e8 una cartella");
        }
        if (::access(name.constData(), W_OK) != 0) {
            return errno == EACCES ? QStringLiteral("il file non \u00e8 scrivibile da questo "
                                                    "utente (") +
                                         OwnerText(info) + QLatin1Char(')')
                                   : SystemWords(errno);
        }
    }
    // The file is written beside its final name and renamed over it: the folder must take it.
    return FolderWriteFailure(QFileInfo(path).absolutePath());
#else
    const QFileInfo info(path);
    if (info.isDir()) {
        return QStringLiteral("il percorso \u00e8 una cartella");
    }
    return FolderWriteFailure(info.absolutePath());
#endif
}

std::optional<QString> FolderWriteFailure(const QString& folder) {
#ifdef Q_OS_UNIX
    const QByteArray folderName = NativePath(folder);
    struct stat folderInfo {};
    if (::stat(folderName.constData(), &folderInfo) != 0) {
        return errno == ENOENT
                   ? QStringLiteral("la cartella ") + folder + QStringLiteral(" non esiste")
                   : SystemWords(errno);
    }
    if (!S_ISDIR(folderInfo.st_mode)) {
        return folder + QStringLiteral(" non \u00e8 una cartella");
    }
    if (::access(folderName.constData(), W_OK | X_OK) != 0) {
        return errno == EACCES ? QStringLiteral("la cartella ") + folder +
                                     QStringLiteral(" non \u00e8 scrivibile da questo utente (") +
                                     OwnerText(folderInfo) + QLatin1Char(')')
                               : SystemWords(errno);
    }
    return std::nullopt;
#else
    if (!QFileInfo(folder).isDir()) {
        return QStringLiteral("la cartella ") + folder + QStringLiteral(" non esiste");
    }
    return std::nullopt;
#endif
}

QString WriteFailureReason(const QString& path, const QString& systemText) {
    if (const std::optional<QString> foreseen = ForeseenWriteFailure(path)) {
        return *foreseen;
    }
    const int number = ErrorNumberOfText(systemText.toStdString());
    if (number != 0) {
        return QString::fromStdString(SystemErrorText(number));
    }
    if (!systemText.isEmpty()) {
        return systemText;
    }
    return QStringLiteral("la scrittura non \u00e8 riuscita");
}

QString WriteFailureDetail(const QString& path, const QString& reason) {
    return QStringLiteral("File: ") + path + QStringLiteral("\r\nMotivo: ") + reason +
           QLatin1Char('.');
}
