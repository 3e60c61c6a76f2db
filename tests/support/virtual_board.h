#pragma once
// Test fixture: runs miravel6-virtual-board and reads back what it received and stored.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Starts the board with the given options and waits for its device. The board logs what
// it receives and dumps its image into a private folder; the destructor stops it.
class VirtualBoard {
public:
    explicit VirtualBoard(const QStringList& arguments = {});
    ~VirtualBoard();
    VirtualBoard(const VirtualBoard&) = delete;
    VirtualBoard& operator=(const VirtualBoard&) = delete;

    bool isReady() const { return !m_devicePath.isEmpty(); }
    QString errorString() const { return m_error; } // why it is not ready
    QString devicePath() const { return m_devicePath; }

    // Every byte the board has received so far, in order.
    QByteArray receivedBytes() const;

    // The image after the last complete write; empty before the first one.
    QByteArray image() const;

    // For options that end the board by themselves (--hangup-after).
    bool waitForExit(int timeoutMs = 30000);
    QProcess& process() { return m_process; }

private:
    QTemporaryDir m_folder;
    QString m_logPath;
    QString m_imagePath;
    QProcess m_process;
    QString m_devicePath;
    QString m_error;
};
