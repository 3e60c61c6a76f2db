// Assigning a device to a COM entry from the port list's menu: the menu from the mouse and the
// keyboard, the dialog over a scripted list of adapters, what it stores, the questions about
// paths that are no devices, and the item tooltips that name each entry's device.

#include "board/port_inventory.h"
#include "tests/support/board_window.h"

#include <QContextMenuEvent>
#include <QDialog>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QString kById =
    QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
const QString kAssign3 = QStringLiteral("Assegna dispositivo a COM3...");

class ScriptedInventory final : public PortInventory {
public:
    std::vector<SerialDevice> PresentDevices() const override {
        return {{QStringLiteral("/dev/ttyUSB0"), QStringLiteral("FT232R USB UART"),
                 QStringLiteral("FTDI"), QStringLiteral("A50285BI"), 0x0403, 0x6001, kById},
                {QStringLiteral("/dev/ttyACM0"), QStringLiteral("Arduino Uno"),
                 QStringLiteral("Arduino (www.arduino.cc)"), QStringLiteral("7543"), 0x2341, 0x0043,
                 QString()},
                {QStringLiteral("/dev/ttyS0"), QString(), QString(), QString(), std::nullopt,
                 std::nullopt, QString()}};
    }
};

// Every stored setting but the one the assignment may change.
std::map<QString, QString> OtherSettings() {
    const QSettings settings(QStringLiteral("Miravel6"), QStringLiteral("Miravel6"));
    std::map<QString, QString> values;
    for (const QString& key : settings.allKeys()) {
        if (key != QStringLiteral("ports/COM3")) {
            values[key] = settings.value(key).toString();
        }
    }
    return values;
}

QString Stored3() {
    return QSettings(QStringLiteral("Miravel6"), QStringLiteral("Miravel6"))
        .value(QStringLiteral("ports/COM3"), QStringLiteral("<none>"))
        .toString();
}

// The user's steps in the dialog.
void ChooseRow(QDialog& dialog, int row) {
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("lstDevices"));
    const QRect cell = list->visualItemRect(list->topLevelItem(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
}

void TypePath(QDialog& dialog, const QString& path) {
    auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("txtPath"));
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, path);
}

void Press(QDialog& dialog, const char* button) {
    QTest::mouseClick(dialog.findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
}

} // namespace

class TstPortAssignment : public QObject {
    Q_OBJECT

private slots:
    void menuOpensFromMouseAndKeyboard_data();
    void menuOpensFromMouseAndKeyboard();
    void dialogStoresTheChoice_data();
    void dialogStoresTheChoice();
    void pathsThatAreNoDeviceAreAskedAbout_data();
    void pathsThatAreNoDeviceAreAskedAbout();
    void assignedAdapterReadsTheBoard();
};

void TstPortAssignment::menuOpensFromMouseAndKeyboard_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("right button") << "mouse";
    QTest::newRow("Menu key") << "menu";
    QTest::newRow("Shift+F10") << "shift-f10";
    QTest::newRow("Menu key as the platform's context event") << "keyboard-event";
}

void TstPortAssignment::menuOpensFromMouseAndKeyboard() {
    QFETCH(QString, how);
    BoardWindow b;
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    auto* list = b.f.Child<QComboBox>(QStringLiteral("cboComm"));
    list->setFocus();
    const QPoint below = list->mapToGlobal(QPoint(0, list->height()));
    QPoint expected = below;
    if (how == QStringLiteral("mouse")) {
        // Through the window, where the platform's press turns into a context menu request.
        QTest::mouseClick(list->window()->windowHandle(), Qt::RightButton, {},
                          list->mapTo(list->window(), QPoint(5, 5)));
        expected = list->mapToGlobal(QPoint(5, 5));
    } else if (how == QStringLiteral("menu")) {
        QTest::keyClick(list, Qt::Key_Menu);
    } else if (how == QStringLiteral("shift-f10")) {
        QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
    } else {
        QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(), QPoint());
        QApplication::sendEvent(list, &event);
    }

    QCOMPARE(b.f.ui.menus.size(), std::size_t{1});
    QCOMPARE(b.f.ui.menus[0].items.size(), std::size_t{1});
    QCOMPARE(b.f.ui.menus[0].items[0].caption, kAssign3);
    QVERIFY(b.f.ui.menus[0].items[0].enabled);
    QCOMPARE(b.f.ui.menuPositions[0], expected);
    // Closing the menu opens nothing; the list's own drop-down did not open either.
    QVERIFY(b.f.ui.dialogTitles.isEmpty());
    QCOMPARE(list->currentIndex(), 2);
}

void TstPortAssignment::dialogStoresTheChoice_data() {
    QTest::addColumn<QString>("before");    // ports/COM3 before; empty: none
    QTest::addColumn<QString>("steps");     // row N | type PATH | default | cancel
    QTest::addColumn<QString>("markedRow"); // the row shown as assigned, -1 for none
    QTest::addColumn<QString>("after");

    QTest::newRow("a listed adapter is stored by its by-id link") << ""
                                                                  << "row 0"
                                                                  << "-1" << kById;
    QTest::newRow("a listed device without a link by its path") << kById << "row 1"
                                                                << "0"
                                                                << "/dev/ttyACM0";
    QTest::newRow("the current assignment through another name is marked") << "/dev/ttyUSB0"
                                                                           << "row 2"
                                                                           << "0"
                                                                           << "/dev/ttyS0";
    QTest::newRow("Predefinito removes the assignment") << kById << "default"
                                                        << "0"
                                                        << "<none>";
    QTest::newRow("Annulla keeps it") << "/dev/ttyACM0"
                                      << "cancel"
                                      << "1"
                                      << "/dev/ttyACM0";
    QTest::newRow("any other character device, typed") << ""
                                                       << "type /dev/zero"
                                                       << "-1"
                                                       << "/dev/zero";
}

void TstPortAssignment::dialogStoresTheChoice() {
    QFETCH(QString, before);
    QFETCH(QString, steps);
    QFETCH(QString, markedRow);
    QFETCH(QString, after);
    BoardWindow b;
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    const ScriptedInventory inventory;
    b.w().SetPortInventory(&inventory);
    b.f.StoreSetting(QStringLiteral("ports/COM3"), before);
    const auto others = OtherSettings();
    QStringList rows;
    QString field;
    b.f.ui.menuChoices.push_back({kAssign3});
    b.f.ui.dialogActions.push_back([&](QDialog& dialog) {
        auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("lstDevices"));
        for (int r = 0; r < list->topLevelItemCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < list->columnCount(); ++c) {
                cells << list->topLevelItem(r)->text(c);
            }
            rows << cells.join(QLatin1Char('|'));
        }
        field = dialog.findChild<QLineEdit*>(QStringLiteral("txtPath"))->text();
        if (steps.startsWith(QStringLiteral("row "))) {
            ChooseRow(dialog, steps.mid(4).toInt());
            Press(dialog, "cmdOk");
        } else if (steps.startsWith(QStringLiteral("type "))) {
            TypePath(dialog, steps.mid(5));
            Press(dialog, "cmdOk");
        } else if (steps == QStringLiteral("default")) {
            Press(dialog, "cmdDefault");
        } else {
            Press(dialog, "cmdCancel");
        }
    });

    b.w().cboComm_ContextMenu(QPoint(10, 10));

    QCOMPARE(b.f.ui.dialogTitles, QStringList{QStringLiteral("Assegna dispositivo a COM3")});
    QStringList expectedRows{QStringLiteral("/dev/ttyUSB0|FT232R USB UART|FTDI|A50285BI|0403:6001"),
                             QStringLiteral("/dev/ttyACM0|Arduino Uno|Arduino (www.arduino.cc)|"
                                            "7543|2341:0043"),
                             QStringLiteral("/dev/ttyS0||||")};
    if (markedRow != QStringLiteral("-1")) {
        QString& marked = expectedRows[markedRow.toInt()];
        marked.insert(marked.indexOf(QLatin1Char('|')), QStringLiteral(" (assegnato)"));
    }
    QCOMPARE(rows, expectedRows);
    QCOMPARE(field, before);
    QCOMPARE(Stored3(), after);
    QVERIFY(OtherSettings() == others);
    QVERIFY(b.f.ui.messages.empty());
    // The entry's item tooltip names what it opens now; the list itself is as it was.
    auto* list = b.f.Child<QComboBox>(QStringLiteral("cboComm"));
    QCOMPARE(list->itemData(2, Qt::ToolTipRole).toString(),
             after == QStringLiteral("<none>") ? QStringLiteral("/dev/ttyS2") : after);
    QCOMPARE(list->itemData(15, Qt::ToolTipRole).toString(), QStringLiteral("/dev/ttyS15"));
    QCOMPARE(list->toolTip(), QStringLiteral("Porta di comunicazione seriale"));
    QCOMPARE(list->count(), 16);
    QCOMPARE(list->currentIndex(), 2);
}

void TstPortAssignment::pathsThatAreNoDeviceAreAskedAbout_data() {
    QTest::addColumn<QString>("typed");    // "<folder>" and "<file>" are made by the test
    QTest::addColumn<QString>("question"); // empty: stored without one
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QString>("reason"); // the second line of Leggi's details

    const QString ask = QStringLiteral("\r\nAssegnarlo comunque a COM3?");
    QTest::newRow("missing, confirmed")
        << "/dev/ttyUSB9" << QStringLiteral("Il percorso \"/dev/ttyUSB9\" non esiste.") + ask
        << true << "Motivo: il dispositivo non esiste.";
    QTest::newRow("missing, refused")
        << "/dev/ttyUSB9" << QStringLiteral("Il percorso \"/dev/ttyUSB9\" non esiste.") + ask
        << false << "";
    QTest::newRow("a folder")
        << "<folder>"
        << QStringLiteral("Il percorso \"<folder>\" \u00e8 una cartella, non un dispositivo "
                          "seriale.") +
               ask
        << true << "Motivo: il percorso \u00e8 una cartella, non un dispositivo seriale.";
    QTest::newRow("a regular file")
        << "<file>"
        << QStringLiteral("Il percorso \"<file>\" \u00e8 un file normale, non un dispositivo "
                          "seriale.") +
               ask
        << true << "Motivo: il percorso \u00e8 un file normale, non un dispositivo seriale.";
    QTest::newRow("blanks around a device")
        << " /dev/zero "
        << QStringLiteral("Il percorso \" /dev/zero \" non esiste.\r\n"
                          "Il percorso inizia o finisce con uno spazio.") +
               ask
        << true << "Motivo: il dispositivo non esiste.";
    // A character device is stored without a question; the open names the system's reason.
    QTest::newRow("/dev/null") << "/dev/null"
                               << "" << true << "Motivo: ";
    QTest::newRow("an empty field")
        << ""
        << "Il campo del percorso \u00e8 vuoto.\r\nCOM3 user\u00e0 il dispositivo predefinito "
           "/dev/ttyS2.\r\nContinuare?"
        << true << "Motivo: il dispositivo non esiste.";
}

void TstPortAssignment::pathsThatAreNoDeviceAreAskedAbout() {
    QFETCH(QString, typed);
    QFETCH(QString, question);
    QFETCH(bool, confirm);
    QFETCH(QString, reason);
    BoardWindow b;
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    const ScriptedInventory inventory;
    b.w().SetPortInventory(&inventory);
    QTemporaryDir scratch;
    const QString original = b.board.devicePath();
    if (typed == QStringLiteral("<folder>")) {
        question.replace(typed, scratch.path());
        typed = scratch.path();
    } else if (typed == QStringLiteral("<file>")) {
        const QString path = scratch.filePath(QStringLiteral("ttyUSB0"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        question.replace(typed, path);
        typed = path;
    }
    const auto others = OtherSettings();
    b.f.ui.menuChoices.push_back({kAssign3});
    b.f.ui.msgAnswers.push_back(confirm ? MsgAnswer::Ok : MsgAnswer::Cancel);
    bool stillOpen = false;
    b.f.ui.dialogActions.push_back([&](QDialog& dialog) {
        TypePath(dialog, typed);
        Press(dialog, "cmdOk");
        stillOpen = dialog.isVisible();
        if (stillOpen) {
            Press(dialog, "cmdCancel"); // the user gives up after refusing
        }
    });

    b.w().cboComm_ContextMenu(QPoint(10, 10));

    if (question.isEmpty()) {
        QVERIFY(b.f.ui.messages.empty());
    } else {
        QCOMPARE(b.f.ui.messages.size(), std::size_t{1});
        QCOMPARE(b.f.ui.messages[0].text, question);
        QCOMPARE(b.f.ui.messages[0].icon, MsgIcon::Exclamation);
        QCOMPARE(b.f.ui.messages[0].buttons, MsgButtons::OkCancel);
        QCOMPARE(b.f.ui.messages[0].caption, QStringLiteral("Miravel6"));
    }
    QCOMPARE(stillOpen, !confirm);
    QCOMPARE(Stored3(), !confirm ? original : typed.isEmpty() ? QStringLiteral("<none>") : typed);
    QVERIFY(OtherSettings() == others);
    if (!confirm) {
        return;
    }

    // What the open then says, in the details of the unchanged message.
    b.f.ui.messages.clear();
    b.Click("cmdEdataRead");
    b.ExpectOneMessage(QStringLiteral("Impossibile aprire la porta COM3"), MsgIcon::Critical);
    const QStringList details = b.f.ui.messages[0].details.split(QStringLiteral("\r\n"));
    QCOMPARE(details.value(0), QStringLiteral("Dispositivo: ") +
                                   (typed.isEmpty() ? QStringLiteral("/dev/ttyS2") : typed));
    QVERIFY2(details.value(1).startsWith(reason) && details.value(1).size() > reason.size() - 1,
             qPrintable(details.value(1)));
    b.ExpectIdle();
}

void TstPortAssignment::assignedAdapterReadsTheBoard() {
    // The road of a user with an adapter: nothing stored, the device typed in the dialog, Leggi.
    BoardWindow b;
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    b.f.StoreSetting(QStringLiteral("ports/COM3"), QString());
    b.Click("cmdEdataRead");
    b.ExpectOneMessage(QStringLiteral("Impossibile aprire la porta COM3"), MsgIcon::Critical);
    b.f.ui.messages.clear();

    auto* list = b.f.Child<QComboBox>(QStringLiteral("cboComm"));
    list->setFocus();
    b.f.ui.menuChoices.push_back({kAssign3});
    b.f.ui.dialogActions.push_back([&](QDialog& dialog) {
        TypePath(dialog, b.board.devicePath());
        QTest::keyClick(dialog.findChild<QLineEdit*>(QStringLiteral("txtPath")), Qt::Key_Return);
    });
    QTest::keyClick(list, Qt::Key_Menu);
    QCOMPARE(list->itemData(2, Qt::ToolTipRole).toString(), b.board.devicePath());

    b.Click("cmdEdataRead");

    QVERIFY(b.f.ui.messages.empty());
    QCOMPARE(b.w().windowTitle(), QStringLiteral("Miravel6 - Lettura da scheda"));
    QCOMPARE(Bytes(b.w().EdataImage()), SampleImageAsRead());
}

QTEST_MAIN(TstPortAssignment)
#include "tst_port_assignment.moc"
