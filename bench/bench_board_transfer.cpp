// Board read and write against the virtual board at 9600 baud: wall time as a multiple of
// the time the characters need on the wire, and the program's CPU time during each. The same
// write done by a bare poll() loop without Qt is the floor this machine allows at the moment,
// and a board behind an adapter holding replies for 16 ms shows what a driver without
// low-latency mode costs.

#include "bench/support/bench_window.h"
#include "board/serial_link.h"
#include "model/app_identity.h"
#include "tests/support/virtual_board.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QSettings>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

QString LastMessage(const ScriptedUi& ui) {
    return ui.messages.empty() ? QString() : ui.messages.back().text;
}

constexpr int kRuns = 5;
constexpr double kBitsPerChar = 10.0; // start, 8 data, stop
constexpr double kBaud = 9600.0;

double CpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

struct Sample {
    double wall = 0;
    double cpu = 0;
};

// Wall and CPU seconds of the same write done on the link alone, without the window.
Sample MeasureLinkWrite(SerialLink& link, const QString& device, bool& ok) {
    const double cpu0 = CpuSeconds();
    const auto wall0 = std::chrono::steady_clock::now();
    ok = link.Open(device) && link.CommTxRx(QByteArrayLiteral("W")) == "W";
    for (int j = 0; ok && j < kEdataSize; ++j) {
        ok = link.CommTxRx(QByteArray(1, static_cast<char>(j))).size() == 3;
    }
    link.Close();
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wall0;
    return {wall.count(), CpuSeconds() - cpu0};
}

// The same write as plain system calls: the least any program could take on this machine now.
Sample MeasureBareWrite(const QString& device, bool& ok) {
    const double cpu0 = CpuSeconds();
    const auto wall0 = std::chrono::steady_clock::now();
    const int fd = ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY);
    ok = fd >= 0;
    termios line{};
    ok = ok && ::tcgetattr(fd, &line) == 0;
    if (ok) {
        ::cfmakeraw(&line);
        ::cfsetspeed(&line, B9600);
        ok = ::tcsetattr(fd, TCSANOW, &line) == 0;
    }
    const auto exchange = [fd](char byte) {
        std::string reply;
        if (::write(fd, &byte, 1) != 1) {
            return reply;
        }
        while (reply.size() < 2 || reply.compare(reply.size() - 2, 2, "\r\n") != 0) {
            pollfd wait{fd, POLLIN, 0};
            char chunk[64];
            const ssize_t got = ::poll(&wait, 1, 500) == 1 ? ::read(fd, chunk, sizeof chunk) : -1;
            if (got <= 0) {
                return std::string();
            }
            reply.append(chunk, static_cast<std::size_t>(got));
        }
        return reply;
    };
    ok = ok && exchange('W') == "W\r\n";
    for (int j = 0; ok && j < kEdataSize; ++j) {
        ok = exchange(static_cast<char>(j)).size() == 5;
    }
    if (fd >= 0) {
        ::close(fd);
    }
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wall0;
    return {wall.count(), CpuSeconds() - cpu0};
}

// Wall and CPU seconds of one click.
Sample Measure(QPushButton* button) {
    const double cpu0 = CpuSeconds();
    const auto wall0 = std::chrono::steady_clock::now();
    button->click();
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wall0;
    return {wall.count(), CpuSeconds() - cpu0};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The floor counts every character both ways: the virtual board takes a byte only once its
// last bit would be in, and sends its replies at the same pace. Each exchange sends one
// character, so what lies above the floor, divided by the characters sent, is the cost of
// one exchange beyond the wire.
// Returns the median wall time; `ok` turns false when the target is missed.
double Report(const char* name, const std::vector<Sample>& samples, qsizetype sent,
              qsizetype replied, double target, bool& ok) {
    std::vector<double> walls;
    std::vector<double> shares;
    for (const Sample& s : samples) {
        walls.push_back(s.wall);
        shares.push_back(s.cpu / s.wall);
    }
    const double floor = static_cast<double>(sent + replied) * kBitsPerChar / kBaud;
    const double wall = Median(walls);
    const double beyondWireUs = (wall - floor) * 1e6 / static_cast<double>(sent);
    const double ratio = wall / floor;
    const double cpu = Median(shares) * 100.0;
    std::printf("%-6s %4lld chars  floor %6.1f ms  wall %6.1f ms (min %6.1f, max %6.1f)  "
                "ratio %.3f (%.0f µs an exchange beyond the wire)  CPU %.1f %%\n",
                name, static_cast<long long>(sent + replied), floor * 1000.0, wall * 1000.0,
                *std::min_element(walls.begin(), walls.end()) * 1000.0,
                *std::max_element(walls.begin(), walls.end()) * 1000.0, ratio, beyondWireUs, cpu);
    ok = ok && ratio <= target && cpu < 5.0;
    return wall;
}

} // namespace

int main(int argc, char** argv) {
    // A private settings store, so that the mapping of COM3 touches nobody's settings.
    BenchWindow bench(argc, argv);

    VirtualBoard board; // real 9600-baud pace
    if (!board.isReady()) {
        std::fprintf(stderr, "virtual board: %s\n", qPrintable(board.errorString()));
        return 1;
    }
    {
        QSettings settings(QString::fromLatin1(kAppName), QString::fromLatin1(kAppName));
        settings.setValue(QString::fromStdString(PortDeviceKey(3)), board.devicePath());
        settings.setValue(QLatin1String(kPortChoiceKey), QStringLiteral("2"));
    }

    // Every write ends on a message; the loop below checks it and tells only a failure.
    ScriptedUi& ui = bench.ui();
    ui.printMessages = false;
    // Shown, so that the status line repaints during the waits as it does for a user.
    frmMain& window = bench.Open();
    auto* read = window.findChild<QPushButton*>(QStringLiteral("cmdEdataRead"));
    auto* write = window.findChild<QPushButton*>(QStringLiteral("cmdEdataWrite"));

    std::vector<Sample> reads;
    std::vector<Sample> writes;
    std::vector<Sample> bareWrites;
    std::vector<double> perRun; // window write / bare write of the same run
    qsizetype readSent = 0;
    qsizetype writeSent = 0;
    for (int run = 0; run < kRuns; ++run) {
        qsizetype before = board.receivedBytes().size();
        reads.push_back(Measure(read));
        readSent = board.receivedBytes().size() - before;
        if (window.windowTitle() != QStringLiteral("Miravel6 - Lettura da scheda")) {
            std::fprintf(stderr, "read failed: %s\n", qPrintable(LastMessage(ui)));
            return 1;
        }
        before = board.receivedBytes().size();
        writes.push_back(Measure(write));
        writeSent = board.receivedBytes().size() - before;
        if (LastMessage(ui) != QStringLiteral("Scrittura e verifica dati completata")) {
            std::fprintf(stderr, "write failed: %s\n", qPrintable(LastMessage(ui)));
            return 1;
        }
        // The floor right after, so that both see the same load on the machine.
        bool ok = false;
        bareWrites.push_back(MeasureBareWrite(board.devicePath(), ok));
        if (!ok) {
            std::fprintf(stderr, "write by bare system calls failed\n");
            return 1;
        }
        perRun.push_back(writes.back().wall / bareWrites.back().wall);
    }

    std::vector<Sample> linkWrites;
    qsizetype linkSent = 0;
    SerialLink link;
    for (int run = 0; run < kRuns; ++run) {
        const qsizetype before = board.receivedBytes().size();
        bool ok = false;
        linkWrites.push_back(MeasureLinkWrite(link, board.devicePath(), ok));
        linkSent = board.receivedBytes().size() - before;
        if (!ok) {
            std::fprintf(stderr, "write on the link alone failed\n");
            return 1;
        }
    }

    // Replies: "R" + 256 digits + CR LF; "W" CR LF, then "W" + 2 digits + CR LF per byte.
    const qsizetype readReply = 1 + 2 * kEdataSize + 2;
    const qsizetype writeReplies = 3 + 5 * kEdataSize;
    std::printf("median of %d runs at 9600 baud, 10 bits a character; target: read <= 1.10, "
                "write <= 1.05, CPU < 5 %%\n",
                kRuns);
    bool ok = true;
    Report("read", reads, readSent, readReply, 1.10, ok);
    Report("write", writes, writeSent, writeReplies, 1.05, ok);
    std::printf("%s\n", ok ? "within target" : "OUTSIDE TARGET");
    std::printf("the same write on the serial link alone, without the window:\n");
    bool ignored = true;
    Report("link", linkWrites, linkSent, writeReplies, 1.05, ignored);
    std::printf("the same write by bare system calls, each right after the window's:\n");
    Report("bare", bareWrites, writeSent, writeReplies, 1.05, ignored);
    std::printf("window write / bare write of the same run: median %.3f (min %.3f, max %.3f)\n",
                Median(perRun), *std::min_element(perRun.begin(), perRun.end()),
                *std::max_element(perRun.begin(), perRun.end()));

    // A driver without low-latency mode: the adapter holds every reply for its 16 ms timer.
    VirtualBoard slowAdapter(
        QStringList{QStringLiteral("--adapter-latency-ms"), QStringLiteral("16")});
    if (!slowAdapter.isReady()) {
        std::fprintf(stderr, "virtual board: %s\n", qPrintable(slowAdapter.errorString()));
        return 1;
    }
    QSettings(QString::fromLatin1(kAppName), QString::fromLatin1(kAppName))
        .setValue(QString::fromStdString(PortDeviceKey(3)), slowAdapter.devicePath());
    std::vector<Sample> slowWrites;
    for (int run = 0; run < 3; ++run) {
        slowWrites.push_back(Measure(write));
        if (LastMessage(ui) != QStringLiteral("Scrittura e verifica dati completata")) {
            std::fprintf(stderr, "write behind the adapter failed: %s\n",
                         qPrintable(LastMessage(ui)));
            return 1;
        }
    }
    std::printf("the window's write behind an adapter with 16 ms latency (median of 3):\n");
    Report("16 ms", slowWrites, writeSent, writeReplies, 1.05, ignored);
    return 0;
}
