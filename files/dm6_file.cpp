#include "files/dm6_file.h"

#include "files/format/dm6_format.h"
#include "files/native_path.h"
#include "files/write_failure.h"
#include "model/system_error.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

std::optional<Configuration> ReadDm6File(const QString& path) {
    return CheckDm6File(path).config;
}

namespace {

std::string ReadFailure(const QString& systemText) {
    const int number = ErrorNumberOfText(systemText.toStdString());
    return "lettura impossibile: " +
           (number != 0 ? SystemErrorText(number) : systemText.toStdString());
}

// Opens the file by the system's bytes of its name, which Qt alone could not reach when
// they are not UTF-8. An empty verdict reason: opened.
Dm6Verdict OpenForCheck(const QString& path, QFile& file) {
#ifdef Q_OS_UNIX
    const QByteArray name = NativePath(path);
    struct stat info {};
    if (name.isEmpty() || ::stat(name.constData(), &info) != 0) {
        return {std::nullopt, 0,
                errno == ENOENT || name.isEmpty()
                    ? "il file non esiste"
                    : "lettura impossibile: " + SystemErrorText(errno)};
    }
    if (!S_ISREG(info.st_mode)) {
        return {std::nullopt, 0, "non è un file"};
    }
    if (info.st_size > kDm6MaxFileBytes) {
        return {std::nullopt, 0, "il file è troppo grande"};
    }
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return {std::nullopt, 0, "lettura impossibile: " + SystemErrorText(errno)};
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {std::nullopt, 0, ReadFailure(file.errorString())};
    }
#else
    const QFileInfo info(path);
    if (!info.exists()) {
        return {std::nullopt, 0, "il file non esiste"};
    }
    if (!info.isFile()) {
        return {std::nullopt, 0, "non è un file"};
    }
    if (info.size() > kDm6MaxFileBytes) {
        return {std::nullopt, 0, "il file è troppo grande"};
    }
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {std::nullopt, 0, ReadFailure(file.errorString())};
    }
#endif
    return {};
}

} // namespace

Dm6Verdict CheckDm6File(const QString& path) {
    QFile file;
    Dm6Verdict opened = OpenForCheck(path, file);
    if (!opened.reason.empty()) {
        return opened;
    }
    // The size may have changed since it was checked; never hold more than the limit.
    const QByteArray bytes = file.read(kDm6MaxFileBytes + 1);
    const bool readFailed = file.error() != QFileDevice::NoError;
    const QString readError = file.errorString();
    file.close();
    if (readFailed) {
        return {std::nullopt, 0, ReadFailure(readError)};
    }
    if (bytes.size() > kDm6MaxFileBytes) {
        return {std::nullopt, 0, "il file è troppo grande"};
    }
    return CheckDm6(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

namespace {

// commit() does not notice a short write (a full disk) by itself and would replace the old
// file with a truncated one: every byte must have gone out first.
bool WriteEvery(QFileDevice& file, const std::string& bytes) {
    const auto size = static_cast<qint64>(bytes.size());
    return file.write(bytes.data(), size) == size && file.flush();
}

// QSaveFile would write into the file that a link at the path points to. Instead the bytes
// go to a new file beside the link, which then takes the link's name: the file the link
// pointed to stays as it was, and on failure so does the link.
bool ReplaceLinkByFile(const QString& path, const std::string& bytes, QString& systemText) {
    QTemporaryFile file(QFileInfo(path).absolutePath() + QStringLiteral("/.miravel6-XXXXXX"));
    if (!file.open() || !WriteEvery(file, bytes)) {
        systemText = file.errorString();
        return false;
    }
#ifdef Q_OS_UNIX
    // A new file gets the permissions that QSaveFile would give it, not the private ones of a
    // temporary file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (::fchmod(file.handle(), 0666 & ~mask) != 0 || ::fsync(file.handle()) != 0 ||
        ::rename(QFile::encodeName(file.fileName()).constData(),
                 QFile::encodeName(path).constData()) != 0) {
        systemText = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    file.setAutoRemove(false);
    return true;
#else
    file.close();
    if (!QFile::remove(path) || !file.rename(path)) {
        systemText = file.errorString();
        return false;
    }
    file.setAutoRemove(false);
    return true;
#endif
}

#ifdef Q_OS_UNIX
// A name that is not UTF-8, which Qt's files cannot reach: the bytes go to a new file beside
// it, which then takes the name, as for any other name.
bool WriteByNativeName(const QByteArray& name, const std::string& bytes, QString& systemText) {
    const qsizetype slash = name.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : name.left(slash > 0 ? slash : 1);
    QByteArray temporary = folder + "/.miravel6-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        systemText = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    std::size_t written = 0;
    int writeError = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            writeError = n < 0 ? errno : ENOSPC;
            break;
        }
        written += static_cast<std::size_t>(n);
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (writeError == 0 && (::fchmod(fd, 0666 & ~mask) != 0 || ::fsync(fd) != 0)) {
        writeError = errno;
    }
    if (::close(fd) != 0 && writeError == 0) {
        writeError = errno;
    }
    if (writeError == 0 && ::rename(temporary.constData(), name.constData()) != 0) {
        writeError = errno;
    }
    const bool done = writeError == 0;
    if (!done) {
        systemText = QString::fromLocal8Bit(std::strerror(writeError));
        ::unlink(temporary.constData());
    }
    return done;
}
#endif

} // namespace

bool IsReplaceableTarget(const QString& path) {
#ifdef Q_OS_UNIX
    // The path itself, not what a link at it leads to.
    struct stat status {};
    if (::lstat(NativePath(path).constData(), &status) != 0) {
        return true; // nothing there (or nothing we may look at: the write itself will tell)
    }
    return S_ISREG(status.st_mode) || S_ISLNK(status.st_mode);
#else
    const QFileInfo info(path);
    return !info.exists() || info.isSymbolicLink() || info.isFile();
#endif
}

namespace {

// systemText: the file device's words for the failure.
bool WriteDm6Bytes(const QString& path, const std::string& bytes, QString& systemText) {
#ifdef Q_OS_UNIX
    if (HasForeignBytes(path)) {
        return WriteByNativeName(NativePath(path), bytes, systemText);
    }
#endif
    if (QFileInfo(path).isSymbolicLink()) {
        return ReplaceLinkByFile(path, bytes, systemText);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        systemText = file.errorString();
        return false;
    }
    if (!WriteEvery(file, bytes)) {
        // The file device says only "Unknown error" for a short write; the system knows why.
        const int error = errno;
        systemText = ErrorNumberOfText(file.errorString().toStdString()) == 0 && error != 0
                         ? QString::fromLocal8Bit(std::strerror(error))
                         : file.errorString();
        file.cancelWriting();
        static_cast<void>(file.commit());
        return false;
    }
    if (!file.commit()) {
        systemText = file.errorString();
        return false;
    }
    return true;
}

} // namespace

bool WriteDm6File(const QString& path, const Configuration& config, QString* reason) {
    // A device or a fifo at the path would be replaced by the file: refused before writing.
    if (!IsReplaceableTarget(path)) {
        if (reason != nullptr) {
            *reason = ForeseenWriteFailure(path).value_or(
                QStringLiteral("il percorso non \u00e8 un file regolare"));
        }
        return false;
    }
    QString systemText;
    if (WriteDm6Bytes(path, WriteDm6(config), systemText)) {
        return true;
    }
    if (reason != nullptr) {
        *reason = WriteFailureReason(path, systemText);
    }
    return false;
}
