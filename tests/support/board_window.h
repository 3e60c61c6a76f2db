#pragma once
// A shown main window whose port COM3 leads to a virtual board, and what the board tests read
// back from the window.

#include "board/board_messages.h"
#include "model/configuration.h"
#include "model/edata.h"
#include "tests/support/virtual_board.h"
#include "tests/support/window_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSerialPort>
#include <QTest>

// The link test's verdict on COM3 for what answered; its words are the messages' unit table's.
inline QString LinkVerdict(LinkDevice device) {
    return LinkTestText(QStringLiteral("COM3"), device);
}

inline QStringList Args(std::initializer_list<const char*> args) {
    QStringList list;
    for (const char* a : args) {
        list << QString::fromLatin1(a);
    }
    return list;
}

inline QByteArray Bytes(const EdataBytes& image) {
    return QByteArray(reinterpret_cast<const char*>(image.data()), kEdataSize);
}

// The boards' image: phase bytes with their top bits set (C5 is code 5, 80 is OFF), cells
// with every hex digit.
inline QByteArray SampleImage() {
    QByteArray image(kEdataSize, '\0');
    const unsigned char phases[8] = {0xC5, 0x41, 0x3F, 0x00, 0x80, 0x01, 0x82, 0x03};
    for (int i = 0; i < kEdataSize; ++i) {
        image[i] = static_cast<char>(i < 8 ? phases[i] : (i * 151 + 7) & 0xFF);
    }
    return image;
}

// What the window holds after reading SampleImage(): phase bytes cut to their duration code.
inline QByteArray SampleImageAsRead() {
    QByteArray image = SampleImage();
    for (int p = 0; p < 8; ++p) {
        image[p] = static_cast<char>(image[p] & 0x3F);
    }
    return image;
}

// A board holding SampleImage() with the options; --no-pace unless paced.
inline QStringList BoardOptions(const QStringList& options, bool paced = false) {
    return QStringList{QStringLiteral("--image"),
                       QString::fromLatin1(SampleImage().toHex().toUpper())} +
           options + (paced ? QStringList() : QStringList{QStringLiteral("--no-pace")});
}

class BoardWindow {
public:
    explicit BoardWindow(const QStringList& options = {}, bool paced = false)
        : board(BoardOptions(options, paced)) {
        if (board.isReady()) {
            MapCom3(board);
        }
        f.StoreSetting(QLatin1String(kPortChoiceKey), QStringLiteral("2"));
        // What shows behind the last message box.
        f.ui.onMessage = [this](const RecordedMessage&) {
            statusAtMessage = Status();
            openAtMessage = w().PortIsOpen();
        };
        frmMain& window = f.Open();
        window.show();
        shown = QTest::qWaitForWindowExposed(&window);
    }

    bool Ready() const { return board.isReady() && shown; }
    QString Why() const { return shown ? board.errorString() : QStringLiteral("window not shown"); }
    void MapCom3(const VirtualBoard& to) {
        f.StoreSetting(QString::fromStdString(PortDeviceKey(3)), to.devicePath());
    }

    frmMain& w() { return f.window(); }
    QPushButton* Output(int output) { return f.Child<QPushButton>("cmdOutOnoff", output); }
    QComboBox* Duration(int fase) { return f.Child<QComboBox>("cboFaseTime", fase); }
    QString Status() { return f.Child<QLabel>(QStringLiteral("lblStatus"))->text(); }
    void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void Click(const char* name) { Click(f.Child<QPushButton>(QLatin1String(name))); }
    void PressKeyOnDuration(int fase, Qt::Key key) {
        Duration(fase)->setFocus();
        QTest::keyClick(Duration(fase), key);
    }

    // The ten output buttons as "R" (red) or "-" (button face), e.g. "R-R-------".
    QString Reds() {
        const QPushButton plain;
        QString text;
        for (int o = 0; o < 10; ++o) {
            const QColor colour = Output(o)->palette().color(QPalette::Button);
            text += colour == QColor(255, 0, 0)                         ? QLatin1Char('R')
                    : colour == plain.palette().color(QPalette::Button) ? QLatin1Char('-')
                                                                        : QLatin1Char('?');
        }
        return text;
    }

    void ExpectOneMessage(const QString& text, MsgIcon icon) { f.ExpectMessage(1, text, icon); }

    void ExpectIdle() {
        QCOMPARE(Status(), kIdleStatusText);
        QVERIFY(!w().PortIsOpen());
    }

    // The port is free again when another program can open it.
    bool PortFreeForOthers() {
        QSerialPort other;
        other.setPortName(board.devicePath());
        const bool opened = other.open(QIODevice::ReadWrite);
        other.close();
        return opened && !w().PortIsOpen();
    }

    WindowFixture f;
    VirtualBoard board;
    QString statusAtMessage;
    bool openAtMessage = false;

private:
    bool shown = false;
};

// What a failed board operation must leave as it was: the configuration (grid, durations,
// names), the title that tells whether it was kept, and the outputs the board reported.
struct WindowState {
    explicit WindowState(BoardWindow& b)
        : configuration(b.w().CurrentConfiguration()), title(b.w().windowTitle()), reds(b.Reds()) {}
    bool operator==(const WindowState&) const = default;

    Configuration configuration;
    QString title;
    QString reds;
};
