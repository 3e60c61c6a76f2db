// The user's serial devices through the window: assigning one to a COM entry from the port
// list's menu (mouse and keyboard) in the dialog over a scripted list of adapters, the question
// about a path that is no device, and what an open failure then says in its details.

#include "board/port_inventory.h"
#include "board/port_settings.h"
#include "tests/support/board_window.h"
#include "tests/support/file_bytes.h"
#include "tests/support/utf8.h"

#include <QContextMenuEvent>
#include <QDialog>
#include <QLineEdit>
#include <QSerialPortInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <functional>
#include <optional>

namespace {

const QString kById =
    QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
const QString kAssign3 = QStringLiteral("Assegna dispositivo a COM3...");

class ScriptedInventory final : public PortInventory {
public:
    std::vector<SerialDevice> PresentDevices() const override {
        return {{U("/dev/ttyUSB0"), U("FT232R USB UART"), U("FTDI"), U("A50285BI"), 0x0403, 0x6001,
                 kById},
                {U("/dev/ttyACM0"), U("Arduino Uno"), U("Arduino"), U("7543"), 0x2341, 0x0043, {}},
                {U("/dev/ttyS0"), {}, {}, {}, std::nullopt, std::nullopt, {}}};
    }
};

// Every stored setting: the assignment may change ports/COM3 and nothing else.
std::map<QString, QString> Settings() {
    const QSettings settings(QStringLiteral("Miravel6"), QStringLiteral("Miravel6"));
    std::map<QString, QString> values;
    for (const QString& key : settings.allKeys()) {
        values[key] = settings.value(key).toString();
    }
    return values;
}

// The user in the dialog: "row N" or "type PATH" and OK, "default", or "cancel".
void Act(QDialog& dialog, const QString& step) {
    const auto press = [&](const char* name) {
        QTest::mouseClick(dialog.findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
    };
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("lstDevices"));
    auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("txtPath"));
    if (step.startsWith(QStringLiteral("row "))) {
        const QRect cell = list->visualItemRect(list->topLevelItem(step.mid(4).toInt()));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    } else if (step.startsWith(QStringLiteral("type "))) {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, step.mid(5));
    }
    press(step == QStringLiteral("default")  ? "cmdDefault"
          : step == QStringLiteral("cancel") ? "cmdCancel"
                                             : "cmdOk");
    if (dialog.isVisible()) {
        press("cmdCancel"); // the user gives up after refusing the question
    }
}

} // namespace

class TstSerialPorts : public QObject {
    Q_OBJECT

private slots:
    void menuOpensFromMouseAndKeyboard();
    void dialogStoresTheChoiceAndTheOpenSaysWhy_data();
    void dialogStoresTheChoiceAndTheOpenSaysWhy();
    void assignmentNotStoredIsToldAndNotShown();
    void handWrittenSettingsStayAndABadValueIsTold();
};

void TstSerialPorts::menuOpensFromMouseAndKeyboard() {
    // A user's road: nothing assigned, the menu by each of its ways, the board's device typed in
    // the dialog, Leggi.
    BoardWindow b;
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    b.f.StoreSetting(QStringLiteral("ports/COM3"), QString());
    auto* list = b.f.Child<QComboBox>(QStringLiteral("cboComm"));
    const QPoint below = list->mapToGlobal(QPoint(0, list->height()));
    const std::vector<std::function<void()>> ways = {
        [&] { // through the window, where the platform's press turns into a menu request
            QTest::mouseClick(list->window()->windowHandle(), Qt::RightButton, {},
                              list->mapTo(list->window(), QPoint(5, 5)));
        },
        [&] { QTest::keyClick(list, Qt::Key_Menu); },
        [&] { QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier); },
        [&] {
            QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(), QPoint());
            QApplication::sendEvent(list, &event);
        }};
    for (std::size_t way = 0; way < ways.size(); ++way) {
        list->setFocus();
        b.f.ui.menuChoices.push_back({kAssign3});
        int listed = -1;
        b.f.ui.dialogActions.push_back([&](QDialog& dialog) {
            // The system's own list, as Qt SerialPort gives it (a pseudo-terminal is not in it).
            listed =
                dialog.findChild<QTreeWidget*>(QStringLiteral("lstDevices"))->topLevelItemCount();
            auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("txtPath"));
            field->selectAll();
            QTest::keyClicks(field, b.board.devicePath());
            QTest::keyClick(field, Qt::Key_Return);
        });
        ways[way]();
        QVERIFY(b.f.ui.menus.size() == way + 1 && b.f.ui.menus[way].items.size() == 1);
        QCOMPARE(b.f.ui.menuPositions[way], way == 0 ? list->mapToGlobal(QPoint(5, 5)) : below);
        QCOMPARE(listed, static_cast<int>(QSerialPortInfo::availablePorts().size()));
    }

    b.Click("cmdEdataRead");

    QVERIFY(b.f.ui.messages.empty());
    QCOMPARE(b.w().windowTitle(), QStringLiteral("Miravel6 - Lettura da scheda"));
    QCOMPARE(Bytes(b.w().EdataImage()), SampleImageAsRead());
}

void TstSerialPorts::dialogStoresTheChoiceAndTheOpenSaysWhy_data() {
    QTest::addColumn<QString>("before");   // ports/COM3 before; empty: none
    QTest::addColumn<QString>("step");     // "<folder>" and "<board>" made by the test
    QTest::addColumn<int>("marked");       // the row shown as assigned, -1 for none
    QTest::addColumn<QString>("question"); // empty: stored without one
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QString>("after");  // ports/COM3 after; "-" for none
    QTest::addColumn<QString>("button"); // then pressed; empty: none
    QTest::addColumn<QString>("reason"); // the details' second line ("<pid>": this process)

    const auto row = [&](const char* name, const QString& before, const char* step, int marked,
                         const QString& question, bool confirm, const QString& after,
                         const char* button, const char* reason) {
        QTest::newRow(name) << before << U(step) << marked << question << confirm << after
                            << U(button) << U(reason);
    };
    const QString ask = U("\r\nAssegnarlo comunque a COM3?");
    const char* missing = "Motivo: il dispositivo non esiste.";
    const QString usb9 = U("Il percorso \"/dev/ttyUSB9\" non esiste.") + ask;
    // Each row that then presses a button meets another of the system's reasons; its message
    // is the same for Leggi, Scrivi and Cmd Out (the link test's: tst_board_link).
    row("a listed adapter: its by-id link, then Leggi", {}, "row 0", -1, {}, true, kById,
        "cmdEdataRead", missing);
    // A listed device without a link is stored as its path.
    row("the assignment marked through another name", U("/dev/ttyUSB0"), "row 1", 0, {}, true,
        U("/dev/ttyACM0"), "", "");
    row("Predefinito", kById, "default", 0, {}, true, U("-"), "", "");
    row("Annulla", U("/dev/ttyACM0"), "cancel", 1, {}, true, U("/dev/ttyACM0"), "", "");
    // A character device is stored without a question; the open gives the system's reason
    // (each reason, and each question, is unit-tested). A confirmed question is the folder's.
    row("the board, held by a second opening", {}, "type <board>", -1, {}, true, U("<board>"),
        "cmdEdataWrite",
        "Motivo: il dispositivo è già in uso da un altro programma (processo <pid>).");
    row("missing, refused", U("/dev/ttyACM0"), "type /dev/ttyUSB9", 1, usb9, false,
        U("/dev/ttyACM0"), "", "");
    row("a folder, then Cmd Out 3", {}, "type <folder>", -1,
        U("Il percorso \"<folder>\" è una cartella, non un dispositivo seriale.") + ask, true,
        U("<folder>"), "cmdOutOnoff_2",
        "Motivo: il percorso è una cartella, non un dispositivo seriale.");
}

void TstSerialPorts::dialogStoresTheChoiceAndTheOpenSaysWhy() {
    QFETCH(QString, before);
    QFETCH(QString, step);
    QFETCH(int, marked);
    QFETCH(QString, question);
    QFETCH(bool, confirm);
    QFETCH(QString, after);
    QFETCH(QString, button);
    QFETCH(QString, reason);
    std::optional<VirtualBoard> board; // only the row that opens the board needs one
    if (step.contains(QStringLiteral("<board>"))) {
        board.emplace();
        QVERIFY2(board->isReady(), qPrintable(board->errorString()));
    }
    WindowFixture f;
    f.StoreSetting(QLatin1String(kPortChoiceKey), QStringLiteral("2"));
    frmMain& w = f.Show();
    const ScriptedInventory inventory;
    w.SetPortInventory(&inventory);
    QTemporaryDir scratch;
    for (QString* text : {&step, &question, &after}) {
        text->replace(QStringLiteral("<folder>"), scratch.path());
        text->replace(QStringLiteral("<board>"), board ? board->devicePath() : QString());
    }
    reason.replace(QStringLiteral("<pid>"), QString::number(QCoreApplication::applicationPid()));
    QSerialPort other(board ? board->devicePath() : QString());
    QVERIFY(!board || other.open(QIODevice::ReadWrite));
    f.StoreSetting(QStringLiteral("ports/COM3"), before);
    auto expectedSettings = Settings();
    expectedSettings.erase(QStringLiteral("ports/COM3"));
    if (after != QStringLiteral("-")) {
        expectedSettings[QStringLiteral("ports/COM3")] = after;
    }
    f.ui.menuChoices.push_back({kAssign3});
    f.ui.msgAnswers.push_back(confirm ? MsgAnswer::Ok : MsgAnswer::Cancel);
    QStringList rows; // every cell, row by row
    QString field;
    f.ui.dialogActions.push_back([&](QDialog& dialog) {
        auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("lstDevices"));
        for (int cell = 0; cell < list->topLevelItemCount() * list->columnCount(); ++cell) {
            const int column = cell % list->columnCount();
            rows << list->topLevelItem(cell / list->columnCount())->text(column);
        }
        field = dialog.findChild<QLineEdit*>(QStringLiteral("txtPath"))->text();
        Act(dialog, step);
    });

    w.cboComm_ContextMenu(QPoint(10, 10));

    QCOMPARE(f.ui.dialogTitles, QStringList{QStringLiteral("Assegna dispositivo a COM3")});
    QStringList listed{QStringLiteral("/dev/ttyUSB0|FT232R USB UART|FTDI|A50285BI|0403:6001"),
                       QStringLiteral("/dev/ttyACM0|Arduino Uno|Arduino|7543|2341:0043"),
                       QStringLiteral("/dev/ttyS0||||")};
    if (marked >= 0) {
        listed[marked].insert(listed[marked].indexOf(QLatin1Char('|')),
                              QStringLiteral(" (assegnato)"));
    }
    QCOMPARE(rows.join(QLatin1Char('|')), listed.join(QLatin1Char('|')));
    QCOMPARE(field, before);
    QCOMPARE(f.ui.messages.empty(), question.isEmpty());
    if (!question.isEmpty()) {
        const RecordedMessage& asked = f.ui.messages[0];
        QCOMPARE(asked.text, question);
        QVERIFY(asked.icon == MsgIcon::Exclamation && asked.buttons == MsgButtons::OkCancel &&
                asked.caption == QStringLiteral("Miravel6"));
    }
    QVERIFY(Settings() == expectedSettings);
    // The entry's item tooltip names what it opens now; the list itself is as it was.
    auto* list = f.Child<QComboBox>(QStringLiteral("cboComm"));
    const QString opens = after == QStringLiteral("-") ? QStringLiteral("/dev/ttyS2") : after;
    QCOMPARE(list->itemData(2, Qt::ToolTipRole).toString(), opens);
    QVERIFY(list->count() == 16 && list->currentIndex() == 2);
    if (button.isEmpty()) {
        return;
    }

    // The open fails; its message stays as it was and gains the device and the reason.
    f.ui.messages.clear();
    f.ClickButton(button);
    f.ExpectMessage(1, PortOpenFailedText(QStringLiteral("COM3")), MsgIcon::Critical);
    const QStringList details = f.ui.messages[0].details.split(QStringLiteral("\r\n"));
    QCOMPARE(details.value(0), QStringLiteral("Dispositivo: ") + opens);
    QCOMPARE(details.value(1), reason);
    // A missing device also tells which serial devices there are instead.
    QCOMPARE(details.size(), reason.endsWith(QStringLiteral("non esiste.")) ? 3 : 2);
}

void TstSerialPorts::assignmentNotStoredIsToldAndNotShown() {
    // A device stored and a key removed are one write of the store (port_naming).
    WindowFixture f;
    MemoryPortSettings memory;
    memory.values[QStringLiteral("ports/COM3")] = QStringLiteral("/dev/ttyS0");
    memory.values[QStringLiteral("frmMain/cboComm")] = QStringLiteral("2");
    f.UseSettings(memory);
    frmMain& w = f.Show();
    const ScriptedInventory inventory;
    w.SetPortInventory(&inventory);
    memory.failure = QStringLiteral("spazio esaurito sul disco");
    const auto before = memory.values;
    f.ui.menuChoices.push_back({kAssign3});
    f.ui.dialogActions.push_back(
        [&](QDialog& dialog) { Act(dialog, QStringLiteral("type /dev/null")); });

    w.cboComm_ContextMenu(QPoint(10, 10));

    f.ExpectMessage(1,
                    QStringLiteral("Impossibile salvare l'assegnazione di COM3 nelle "
                                   "impostazioni:\r\n(memoria)\r\nspazio esaurito sul disco"),
                    MsgIcon::Critical);
    QVERIFY(memory.values == before);
    // The old assignment is the one in force and on show. The next dialog reads the same store
    // (its field and mark: dialogStoresTheChoiceAndTheOpenSaysWhy).
    auto* list = f.Child<QComboBox>(QStringLiteral("cboComm"));
    QCOMPARE(list->itemData(2, Qt::ToolTipRole).toString(), QStringLiteral("/dev/ttyS0"));
}

void TstSerialPorts::handWrittenSettingsStayAndABadValueIsTold() {
    BoardWindow b;
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    const QString file = b.f.stored.Location();
    // The user's own lines: a value that is not UTF-8, one of a type this program cannot load,
    // and a COM entry that reads as a list.
    const QByteArray mine = "[frmMain]\ncboComm=2\n\n[mine]\nnote=caf\xe9\n"
                            "shade=@Variant(\\0\\0\\0\\x43\\x1\\xff\\xff)\n\n[ports]\nCOM3=" +
                            QFile::encodeName(b.board.devicePath()) + "\nCOM8=a, b\n";
    QVERIFY(PutFile(file, mine));
    auto* list = b.f.Child<QComboBox>(QStringLiteral("cboComm"));
    const QString bad = QStringLiteral("La voce ports/COM8 delle impostazioni (") + file +
                        QStringLiteral(") non \u00e8 un percorso: a, b");

    // COM8 opens nothing: neither its default device nor the first part of the list.
    list->setCurrentIndex(7);
    b.Click("cmdEdataRead");
    b.ExpectOneMessage(QStringLiteral("Impossibile aprire la porta COM8"), MsgIcon::Critical);
    QCOMPARE(b.f.ui.messages[0].details, bad);
    QVERIFY(b.board.receivedBytes().isEmpty());

    // A close changes its own line and nothing else (how the store writes one key: test_ini_text
    // and tst_port_settings).
    QVERIFY(b.w().close());
    QCOMPARE(GetFile(file), QByteArray(mine).replace("cboComm=2", "cboComm=7"));
}

QTEST_MAIN(TstSerialPorts)
#include "tst_serial_ports.moc"
