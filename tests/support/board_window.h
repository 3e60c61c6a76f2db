#pragma once
// A shown main window whose port COM3 leads to a virtual board, for the board tests.

#include "tests/support/virtual_board.h"
#include "tests/support/window_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSerialPort>
#include <QTest>

inline const QString kIdleStatusText =
    QStringLiteral("Clicca (sx o dx) sul grafico per modificare l'andamento, la modalit\u00e0 e "
                   "i nomi delle uscite e delle fasi");

class BoardWindow {
public:
    // The board is started with the options; --no-pace unless paced.
    explicit BoardWindow(const QStringList& boardOptions = {}, bool paced = false)
        : board(paced ? boardOptions : boardOptions + QStringList{QStringLiteral("--no-pace")}) {
        if (board.isReady()) {
            f.StoreSetting(QStringLiteral("ports/COM3"), board.devicePath());
        }
        f.StoreSetting(QStringLiteral("frmMain/cboComm"), QStringLiteral("2"));
        frmMain& window = f.Open();
        window.show();
        shown = QTest::qWaitForWindowExposed(&window);
    }

    bool Ready() const { return board.isReady() && shown; }
    QString Why() const { return shown ? board.errorString() : QStringLiteral("window not shown"); }

    frmMain& w() { return f.window(); }
    QPushButton* Button(const char* name) { return f.Child<QPushButton>(QLatin1String(name)); }
    QPushButton* Output(int output) { return f.Child<QPushButton>("cmdOutOnoff", output); }
    QString Status() { return f.Child<QLabel>(QStringLiteral("lblStatus"))->text(); }
    void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void Click(const char* name) { Click(Button(name)); }

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

private:
    bool shown = false;
};
