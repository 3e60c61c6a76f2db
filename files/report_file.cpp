#include "files/report_file.h"

#include "files/native_path.h"
#include "files/program_folder.h"
#include "files/write_failure.h"
#include "model/light_report.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

QString LightReportPath(const QString& programFolder) {
    return ProgramFilePath(programFolder, QString::fromLatin1(kLightReportFileName));
}

#ifdef Q_OS_UNIX

namespace {

// The report's own file, opened for writing: never a link, a file that has other names, or
// anything but a regular file. Whatever else stands at the path is replaced by a new file,
// except what cannot be removed (a folder): then -1.
int OpenOwnRegularFile(const QByteArray& path) {
    // No blocking open of a fifo: the check below refuses it anyway.
    constexpr int kFlags = O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int fd = ::open(path.constData(), kFlags | O_CREAT, 0666);
        if (fd >= 0) {
            struct stat info {};
            if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 1) {
                return fd;
            }
            ::close(fd);
        } else if (errno != ELOOP) {
            return -1; // a folder, no permission, no folder at all
        }
        // A link, a second name of another file, a fifo or a device: take its place.
        if (::unlink(path.constData()) != 0) {
            return -1;
        }
    }
    return -1;
}

} // namespace

bool WriteLightReportFile(const QString& path, const std::string& bytes, QString* reason) {
    const int fd = OpenOwnRegularFile(NativePath(path));
    if (fd < 0) {
        const int error = errno;
        if (reason != nullptr) {
            *reason = WriteFailureReason(path, QString::fromLocal8Bit(std::strerror(error)));
        }
        return false;
    }
    // Overwritten in place and then cut to what was written, not emptied first: ext4 flushes
    // a file that was emptied and rewritten as soon as it is closed, which made every grid
    // refresh wait milliseconds for the disk whenever it was busy. The result is the same.
    // Errors after the open are ignored: whatever was written stays.
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        written += static_cast<std::size_t>(n);
    }
    const int cut = ::ftruncate(fd, static_cast<off_t>(written));
    static_cast<void>(cut);
    ::close(fd);
    return true;
}

#else

bool WriteLightReportFile(const QString& path, const std::string& bytes, QString* reason) {
    // A link in the report's place is replaced, never written through.
    if (QFileInfo(path).isSymbolicLink() && !QFile::remove(path)) {
        if (reason != nullptr) {
            *reason = WriteFailureReason(path);
        }
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered) &&
        !file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        if (reason != nullptr) {
            *reason = WriteFailureReason(path, file.errorString());
        }
        return false;
    }
    const qint64 written = file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    file.resize(std::max<qint64>(written, 0));
    file.close();
    return true;
}

#endif
