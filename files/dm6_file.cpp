#include "files/dm6_file.h"

#include "files/format/dm6_format.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

std::optional<Configuration> ReadDm6File(const QString& path) {
    return CheckDm6File(path).config;
}

Dm6Verdict CheckDm6File(const QString& path) {
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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {std::nullopt, 0, "lettura impossibile: " + file.errorString().toStdString()};
    }
    // The size may have changed since it was checked; never hold more than the limit.
    const QByteArray bytes = file.read(kDm6MaxFileBytes + 1);
    const bool readFailed = file.error() != QFileDevice::NoError;
    const QString readError = file.errorString();
    file.close();
    if (readFailed) {
        return {std::nullopt, 0, "lettura impossibile: " + readError.toStdString()};
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
bool ReplaceLinkByFile(const QString& path, const std::string& bytes) {
    QTemporaryFile file(QFileInfo(path).absolutePath() + QStringLiteral("/.miravel6-XXXXXX"));
    if (!file.open() || !WriteEvery(file, bytes)) {
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
        return false;
    }
    file.setAutoRemove(false);
    return true;
#else
    file.close();
    if (!QFile::remove(path) || !file.rename(path)) {
        return false;
    }
    file.setAutoRemove(false);
    return true;
#endif
}

} // namespace

bool IsReplaceableTarget(const QString& path) {
#ifdef Q_OS_UNIX
    // The path itself, not what a link at it leads to.
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0) {
        return true; // nothing there (or nothing we may look at: the write itself will tell)
    }
    return S_ISREG(status.st_mode) || S_ISLNK(status.st_mode);
#else
    const QFileInfo info(path);
    return !info.exists() || info.isSymbolicLink() || info.isFile();
#endif
}

bool WriteDm6File(const QString& path, const Configuration& config) {
    if (!IsReplaceableTarget(path)) {
        return false;
    }
    const std::string bytes = WriteDm6(config);
    if (QFileInfo(path).isSymbolicLink()) {
        return ReplaceLinkByFile(path, bytes);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return false;
    }
    if (!WriteEvery(file, bytes)) {
        file.cancelWriting();
    }
    return file.commit();
}
