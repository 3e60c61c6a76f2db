#include "tests/support/virtual_board.h"

#include <QDeadlineTimer>
#include <QFile>

namespace {

// Generous: shared machines can be slow to start a process.
constexpr int kStartTimeoutMs = 30000;

} // namespace

VirtualBoard::VirtualBoard(const QStringList& arguments) {
    if (!m_folder.isValid()) {
        m_error = QStringLiteral("no temporary folder: ") + m_folder.errorString();
        return;
    }
    m_logPath = m_folder.filePath(QStringLiteral("received.log"));
    m_imagePath = m_folder.filePath(QStringLiteral("image.hex"));

    QStringList all = arguments;
    all << QStringLiteral("--log") << m_logPath << QStringLiteral("--dump-image") << m_imagePath
        << QStringLiteral("--exit-on-stdin-eof");
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(MIRAVEL6_VIRTUAL_BOARD_PATH), all);

    const QDeadlineTimer deadline(kStartTimeoutMs);
    if (!m_process.waitForStarted(kStartTimeoutMs)) {
        m_error = m_process.errorString();
        return;
    }
    while (!m_process.canReadLine()) {
        if (deadline.hasExpired() || !m_process.waitForReadyRead(deadline.remainingTime())) {
            m_error = QStringLiteral("the board printed no device (exit code %1)")
                          .arg(m_process.exitCode());
            return;
        }
    }
    const QByteArray line = m_process.readLine().trimmed();
    if (!line.startsWith("DEVICE ")) {
        m_error = QStringLiteral("unexpected first line: ") + QString::fromLocal8Bit(line);
        return;
    }
    m_devicePath = QString::fromLocal8Bit(line.mid(7));
}

VirtualBoard::~VirtualBoard() {
    if (m_process.state() == QProcess::NotRunning) {
        return;
    }
    // Closing stdin lets the board clean up (links, port mapping); kill if it does not.
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QByteArray VirtualBoard::receivedBytes() const {
    QFile file(m_logPath);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QByteArray bytes;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.size() == 2) {
            bytes += QByteArray::fromHex(line);
        }
    }
    return bytes;
}

QByteArray VirtualBoard::image() const {
    QFile file(m_imagePath);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray hex = file.readAll().trimmed();
    return hex.size() == 256 ? QByteArray::fromHex(hex) : QByteArray();
}

bool VirtualBoard::waitForExit(int timeoutMs) {
    return m_process.state() == QProcess::NotRunning || m_process.waitForFinished(timeoutMs);
}
