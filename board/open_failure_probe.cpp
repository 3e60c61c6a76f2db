#include "board/open_failure_probe.h"

#include "files/native_path.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
OpenFailureCase::PathType PathTypeOf(const struct stat& info) {
    if (S_ISCHR(info.st_mode)) {
        return OpenFailureCase::PathType::CharDevice;
    }
    if (S_ISDIR(info.st_mode)) {
        return OpenFailureCase::PathType::Directory;
    }
    if (S_ISREG(info.st_mode)) {
        return OpenFailureCase::PathType::RegularFile;
    }
    return OpenFailureCase::PathType::Other;
}

QString GroupName(gid_t gid) {
    const struct group* entry = ::getgrgid(gid);
    return entry != nullptr ? QString::fromLocal8Bit(entry->gr_name) : QString::number(gid);
}

QString UserName(uid_t uid) {
    const struct passwd* entry = ::getpwuid(uid);
    return entry != nullptr ? QString::fromLocal8Bit(entry->pw_name) : QString::number(uid);
}

bool ProcessRuns(qint64 pid) {
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}
#endif

// Serial port locks follow the old UUCP custom: LCK..<name> in one of a few folders, the
// name being the device's below /dev with slashes turned into underscores.
QStringList LockFileCandidates(const QString& devicePath) {
    QString name = QFileInfo(devicePath).canonicalFilePath();
    if (name.isEmpty()) {
        name = devicePath;
    }
    if (name.startsWith(QStringLiteral("/dev/"))) {
        name.remove(0, 5);
    }
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    const QString file = QStringLiteral("/LCK..") + name;
    QStringList candidates;
    for (const QString& folder : {QStringLiteral("/var/lock"), QStringLiteral("/run/lock"),
                                  QStringLiteral("/etc/locks"), QStringLiteral("/var/spool/locks"),
                                  QStringLiteral("/var/spool/uucp"), QDir::tempPath()}) {
        candidates << folder + file;
    }
    return candidates;
}

} // namespace

std::optional<qint64> LockFilePid(const QString& devicePath) {
#ifdef Q_OS_UNIX
    for (const QString& path : LockFileCandidates(devicePath)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            continue;
        }
        // The pid as text on the first line (Qt's and the usual ASCII form).
        bool ok = false;
        const qint64 pid = file.readLine(64).trimmed().toLongLong(&ok);
        if (ok && ProcessRuns(pid)) {
            return pid;
        }
    }
#else
    Q_UNUSED(devicePath);
#endif
    return std::nullopt;
}

OpenFailureCase ObserveOpenFailure(const QString& devicePath, bool refusedAsBusy,
                                   const QString& systemText, const QStringList& presentDevices) {
    OpenFailureCase failure;
    failure.devicePath = devicePath;
    failure.refusedAsBusy = refusedAsBusy;
    failure.systemText = systemText;
    failure.presentDevices = presentDevices;
#ifdef Q_OS_UNIX
    struct stat info {};
    const QByteArray path = NativePath(devicePath);
    if (path.isEmpty() || ::stat(path.constData(), &info) != 0) {
        failure.pathType = OpenFailureCase::PathType::Missing;
        return failure;
    }
    failure.pathType = PathTypeOf(info);
    failure.owningGroup = GroupName(info.st_gid);
    failure.owningUser = UserName(info.st_uid);
    failure.accessMode = static_cast<unsigned>(info.st_mode) & 07777U;
    failure.userGroup = GroupName(::getgid());
    failure.accessDenied = ::access(path.constData(), R_OK | W_OK) != 0 && errno == EACCES;
    failure.lockPid = LockFilePid(devicePath);
#else
    // Device names there are no files: only the port's own report counts.
    failure.pathType = OpenFailureCase::PathType::CharDevice;
#endif
    return failure;
}

OpenFailureCase::PathType DevicePathType(const QString& path) {
#ifdef Q_OS_UNIX
    struct stat info {};
    const QByteArray name = NativePath(path);
    if (name.isEmpty() || ::stat(name.constData(), &info) != 0) {
        return OpenFailureCase::PathType::Missing;
    }
    return PathTypeOf(info);
#else
    return path.isEmpty() ? OpenFailureCase::PathType::Missing
                          : OpenFailureCase::PathType::CharDevice;
#endif
}
