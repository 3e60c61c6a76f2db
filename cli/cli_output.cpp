#include "cli/cli_output.h"

#include "files/native_path.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#ifdef Q_OS_WIN
#include <io.h>
#define MIRAVEL6_ISATTY _isatty
#define MIRAVEL6_FILENO _fileno
#else
#include <fcntl.h>
#include <unistd.h>
#define MIRAVEL6_ISATTY isatty
#define MIRAVEL6_FILENO fileno
#endif

namespace {

// The first failed write: which stream, and the system's reason.
struct LostOutput {
    std::FILE* stream = nullptr;
    int error = 0;
};
LostOutput lost;

void Emit(std::FILE* stream, const char* data, std::size_t size) {
    errno = 0;
    const bool written = std::fwrite(data, 1, size, stream) == size;
    const bool flushed = std::fflush(stream) == 0;
    if ((!written || !flushed) && lost.stream == nullptr) {
        lost = {stream, errno != 0 ? errno : EIO};
    }
}

void Print(std::FILE* stream, QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!text.endsWith(QLatin1Char('\n'))) {
        text += QLatin1Char('\n');
    }
    // A name the user gave in other bytes than UTF-8 is printed as those bytes.
    const QByteArray bytes = NativePath(text);
    Emit(stream, bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace

void PrintOut(const QString& text) {
    Print(stdout, text);
}

void PrintErr(const QString& text) {
    Print(stderr, text);
}

void WriteOut(const std::string& bytes) {
    Emit(stdout, bytes.data(), bytes.size());
}

bool ErrIsTerminal() {
    return MIRAVEL6_ISATTY(MIRAVEL6_FILENO(stderr)) != 0;
}

void ShowProgress(const QString& text) {
    const QByteArray bytes = (QLatin1Char('\r') + text).toUtf8();
    Emit(stderr, bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void ProgressDone() {
    Emit(stderr, "\n", 1);
}

bool OutputLost() {
    return lost.stream != nullptr;
}

void GuardStandardStreams() {
#ifndef Q_OS_WIN
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            // Read-only: every write to it fails (EBADF) and is reported.
            const int standIn = ::open("/dev/null", O_RDONLY);
            if (standIn >= 0 && standIn != fd) {
                ::dup2(standIn, fd);
                ::close(standIn);
            }
        }
    }
#endif
}

int FinishOutput(int exitCode) {
    if (!OutputLost()) {
        return exitCode;
    }
    if (lost.stream == stdout) {
        // Unchecked on purpose: standard error is all that is left to tell it.
        const QByteArray text =
            (QStringLiteral("Impossibile scrivere sullo standard output: ") +
             QString::fromLocal8Bit(std::strerror(lost.error)) + QLatin1Char('\n'))
                .toUtf8();
        std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stderr);
        std::fflush(stderr);
    }
    return kExitUsage;
}
