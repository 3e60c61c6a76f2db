#include "cli/cli_output.h"

#include "files/native_path.h"

#include <cstdio>
#include <string>

#ifdef Q_OS_WIN
#include <io.h>
#define MIRAVEL6_ISATTY _isatty
#define MIRAVEL6_FILENO _fileno
#else
#include <unistd.h>
#define MIRAVEL6_ISATTY isatty
#define MIRAVEL6_FILENO fileno
#endif

namespace {

void Print(std::FILE* stream, QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!text.endsWith(QLatin1Char('\n'))) {
        text += QLatin1Char('\n');
    }
    // A name the user gave in other bytes than UTF-8 is printed as those bytes.
    const QByteArray bytes = NativePath(text);
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

void PrintOut(const QString& text) {
    Print(stdout, text);
}

void PrintErr(const QString& text) {
    Print(stderr, text);
}

void WriteOut(const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

bool ErrIsTerminal() {
    return MIRAVEL6_ISATTY(MIRAVEL6_FILENO(stderr)) != 0;
}

void ShowProgress(const QString& text) {
    const QByteArray bytes = (QLatin1Char('\r') + text).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

void ProgressDone() {
    std::fputc('\n', stderr);
    std::fflush(stderr);
}
