// The configuration edited without the mouse and every change undone: Tab order, the focus cell
// over hidden phases, the menus opened by keys, a preset chosen by keys only in the real menu,
// undo and redo of each kind of change, and the rule of saving.

#include "tests/support/utf8.h"
#include "tests/support/window_fixture.h"
#include "window/grid_canvas.h"
#include "window/qt_modal_ui.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

namespace {

QStringList Split(const char* fields) {
    return U(fields).split(QLatin1Char('|'));
}

GridCanvas* Grid(WindowFixture& f) {
    return f.window().findChild<GridCanvas*>(U("canvas"));
}

// Shortcuts and Tab need an active window.
void ShowActive(WindowFixture& f) {
    f.Show();
    f.Activate();
}

// Presses keys where the focus is ("Right", "Ctrl+End", "Shift+F10", "Ctrl+Z"); "off:p"
// sets phase p to "OFF" through its list and gives the grid the focus back.
void Keys(WindowFixture& f, const QString& keys) {
    for (const QString& key : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &f.window();
        if (key.startsWith(U("off:"))) {
            f.Child<QComboBox>("cboFaseTime", key.mid(4).toInt())->setCurrentIndex(0);
            Grid(f)->setFocus(Qt::TabFocusReason);
        } else {
            const QKeyCombination combination = QKeySequence(key)[0];
            QTest::keyClick(target, combination.key(), combination.keyboardModifiers());
        }
    }
}

// Whether the canvas paints its black focus frame at the left edge of the cell.
bool FrameDrawnAt(WindowFixture& f, int cell) {
    const QRect label = f.Child<QLabel>("lblEffMode", cell)->geometry();
    return Grid(f)->grab().toImage().pixelColor(label.left() + 2, label.center().y()) ==
           QColor(Qt::black);
}

// What an undo gives back besides the title: the configuration, and the image text that shows
// it (a configuration is shown as an opened file's: tst_files).
std::pair<Configuration, QString> Shown(WindowFixture& f) {
    return {f.window().CurrentConfiguration(),
            f.Child<QPlainTextEdit>(U("txtEdata"))->toPlainText()};
}

// A user action: "cell:n" and a menu path, "name:label_i" and an item (and the name typed),
// "list:p" and a duration, "open" and a file of the program folder.
void Do(WindowFixture& f, const QStringList& action) {
    const QString target = action[0].section(QLatin1Char(':'), 0, 0);
    const QString what = action[0].section(QLatin1Char(':'), 1);
    if (target == U("cell")) {
        f.ClickCell(what.toInt(), action.mid(1));
    } else if (target == U("name")) {
        f.ui.inputAnswers.push_back(action.value(2));
        f.ui.menuChoices.push_back({action[1]});
        QTest::mouseClick(f.Child<QLabel>(what), Qt::LeftButton);
    } else if (target == U("list")) {
        auto* list = f.Child<QComboBox>("cboFaseTime", what.toInt());
        list->setCurrentIndex(list->findText(action[1]));
    } else {
        f.ui.openAnswers.push_back(f.FolderPath() + U("/") + action[1]);
        f.ClickButton(U("cmdFileOpen_0"));
    }
}

} // namespace

class TstKeysAndUndo : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void tabOrderNamesAndAPresetByKeys();
    void focusCellAndItsMenus_data();
    void focusCellAndItsMenus();
    void everyChangeUndoneAndRedone_data();
    void everyChangeUndoneAndRedone();
};

void TstKeysAndUndo::tabOrderNamesAndAPresetByKeys() {
    WindowFixture f;
    ShowActive(f);
    f.Child<QComboBox>("cboFaseTime", 0)->setFocus(Qt::TabFocusReason);
    QStringList order, expected;
    for (int k = 0; k <= 50; ++k) {
        order << QApplication::focusWidget()->objectName();
        Keys(f, U("Tab"));
    }
    for (const char* group :
         {"cboFaseTime|8", "canvas", "lblFaseName|8", "lblOutName|10", "cmdOutOnoff|10",
          "cmdFileOpen|6|1", "cmdFileSave", "cboComm", "cmdEdataRead", "cmdEdataWrite",
          "cmdCommTest", "txtEdata", "cmdTimeCursor", "cboFaseTime|1"}) {
        const QStringList g = Split(group); // name, count, first index
        for (int k = 0; k < g.value(1, U("1")).toInt(); ++k) {
            expected << g[0] + (g.size() < 2
                                    ? U("")
                                    : U("_%1").arg((g.value(2).toInt() + k) % g[1].toInt()));
        }
    }
    QCOMPARE(order, expected);

    // A name label opens its menu below itself (the port list's own menu keys: tst_serial_ports).
    QLabel* phase3 = f.Child<QLabel>("lblFaseName", 2);
    f.ui.menuChoices = {{U("Modifica")}};
    f.ui.inputAnswers.push_back(U("Alba"));
    phase3->setFocus(Qt::TabFocusReason);
    Keys(f, U("Space"));
    QCOMPARE(f.ui.menuPositions.at(0), phase3->mapToGlobal(QPoint(0, phase3->height())));
    QCOMPARE(phase3->text(), U("Alba"));

    // Keys while the port is open or the time cursor runs: tst_board_link's busy walk.

    // A preset chosen by keys alone, in the real menu: from the last list to the grid, to cell
    // 9, the menu; the presets opened on "Off" (the checked item), down to "On", chosen; the
    // menu again, closed by Escape.
    QtModalUi real;
    f.ui.realMenus = &real;
    f.Child<QComboBox>("cboFaseTime", 7)->setFocus(Qt::TabFocusReason);
    Keys(f, U("Tab Right Down"));
    QStringList marked;
    const auto type = [&](const QList<Qt::Key>& keys) {
        QTimer::singleShot(0, &f.window(), [keys, &marked] {
            for (const Qt::Key key : keys) {
                if (QWidget* menu = QApplication::activePopupWidget()) {
                    QTest::keyClick(menu, key);
                }
                if (QWidget* menu = QApplication::activePopupWidget();
                    key == Qt::Key_Right && menu) {
                    for (const QAction* action : menu->actions()) {
                        marked << (action->isChecked() ? action->text() : QString());
                    }
                }
            }
            while (QWidget* open = QApplication::activePopupWidget()) {
                open->close(); // never leave the test waiting for a user
            }
        });
        Keys(f, U("Space"));
    };
    type({Qt::Key_Down, Qt::Key_Right, Qt::Key_Down, Qt::Key_Return});
    QCOMPARE(marked.join(QString()), U("Off"));
    type({Qt::Key_Escape});
    EffGrid grid{};
    grid[9] = {7, 7};
    QCOMPARE(f.window().EffSet(), grid);

    // The other redo key, from the image text box that lets the keys through (the steps
    // themselves and their limit are unit-tested).
    f.ui.realMenus = nullptr;
    f.Activate(); // the real menus took the activation away
    f.Child<QWidget>(U("txtEdata"))->setFocus();
    Keys(f, U("Ctrl+Z"));
    QCOMPARE(f.window().EffSet(), EffGrid{});
    Keys(f, U("Ctrl+Y"));
    QCOMPARE(f.window().EffSet(), grid);
}

void TstKeysAndUndo::focusCellAndItsMenus_data() {
    QTest::addColumn<QList<int>>("off");   // phases set to "OFF" first
    QTest::addColumn<int>("start");        // the cell pressed with the mouse
    QTest::addColumn<QString>("keys");     // the last one may open a menu
    QTest::addColumn<QList<int>>("cells"); // the focus cell after each key (-1: no frame)
    QTest::newRow("arrows over OFF phases, Enter")
        << QList<int>{1, 2, 6} << 0 << U("Right Right Right Right Right Left Return")
        << QList<int>{3, 4, 5, 7, 7, 5, 5};
    QTest::newRow("row and grid ends, keypad Enter")
        << QList<int>{0, 7} << 26 << U("End Home Ctrl+End Ctrl+Home Up Down Enter")
        << QList<int>{30, 25, 78, 1, 1, 9, 9};
    // Where each key goes is unit-tested; these rows show each key wired to it.
    QTest::newRow("Space") << QList<int>{} << 71 << U("Space") << QList<int>{71};
    QTest::newRow("Menu") << QList<int>{} << 21 << U("Menu") << QList<int>{21};
    QTest::newRow("Shift+F10") << QList<int>{3} << 52 << U("Right Shift+F10") << QList<int>{53, 53};
    QTest::newRow("phases turned OFF under the focus: no menu")
        << QList<int>{} << 45
        << U("off:5 off:6 off:7 Right off:4 off:3 off:2 off:1 off:0 Left Return")
        << QList<int>{46, 47, 44, 44, 43, 42, 41, 40, -1, -1, -1};
}

void TstKeysAndUndo::focusCellAndItsMenus() {
    QFETCH(QList<int>, off);
    QFETCH(int, start);
    QFETCH(QString, keys);
    QFETCH(QList<int>, cells);
    WindowFixture f;
    ShowActive(f);
    const int cell = cells.back();
    const bool commands = keys.endsWith(U("Menu")) || keys.endsWith(U("F10"));
    if (cell >= 0) { // lit, so that the choice made in its menu shows
        f.ClickCell(cell, Split("Effetti Parte1+Parte2|On"));
    }
    for (const int p : off) {
        f.Child<QComboBox>("cboFaseTime", p)->setCurrentIndex(0);
    }
    f.ClickCell(start, {}); // the keyboard goes on from the mouse's cell
    QVERIFY(FrameDrawnAt(f, start));
    const std::size_t menus = f.ui.menus.size();
    f.ui.menuChoices.push_back(commands ? Split("Azzera|Effetto")
                                        : Split("Effetti Parte1+Parte2|Off - On"));
    const QStringList steps = keys.split(QLatin1Char(' '));
    for (qsizetype k = 0; k < steps.size(); ++k) {
        Keys(f, steps[k]);
        QCOMPARE(Grid(f)->FocusFrameShown() ? Grid(f)->FocusCell() : -1, cells[k]);
    }
    QCOMPARE(f.ui.menus.size(), menus + (cell >= 0 ? 1 : 0));
    QVERIFY(f.ui.menuErrors.isEmpty()); // the menu the keys opened offered the choice
    if (cell >= 0) {
        const QLabel* label = f.Child<QLabel>("lblEffMode", cell);
        QCOMPARE(f.ui.menuPositions.back(), label->mapToGlobal(QPoint(label->width(), 0)));
        QCOMPARE(f.window().EffSet()[std::size_t(cell)],
                 (commands ? typEffSet{} : typEffSet{0, 7, 0, 0}));
    }
    Keys(f, U("Tab")); // the frame goes with the focus
    QVERIFY(!Grid(f)->FocusFrameShown() && (cell < 0 || !FrameDrawnAt(f, cell)));
}

void TstKeysAndUndo::everyChangeUndoneAndRedone_data() {
    QTest::addColumn<QStringList>("action");
    for (const char* row :
         // One of each way a change is taken: a cell's menu (its clear and paste go the same
         // way), a duration, a name's menu, a file applied.
         {"preset|cell:12|Effetti Parte1+Parte2|Off - On", "duration OFF|list:1|OFF",
          "rename|name:lblFaseName_4|Modifica|Cancello", "open file|open|saved.dm6"}) {
        const QStringList fields = Split(row);
        QTest::newRow(qPrintable(fields[0])) << fields.mid(1);
    }
}

void TstKeysAndUndo::everyChangeUndoneAndRedone() {
    QFETCH(QStringList, action);
    WindowFixture f;
    ShowActive(f);
    // An edited window, and a file saved from its first state.
    f.ui.saveAnswers.push_back(f.FolderPath() + U("/saved.dm6"));
    f.ClickButton(U("cmdFileSave"));
    Do(f, Split("cell:0|Effetti Parte1+Parte2|On"));
    const auto before = Shown(f);
    Do(f, action);
    Do(f, action); // the same again changes nothing: no step
    const auto after = Shown(f);
    QVERIFY(after != before && f.ui.menuErrors.isEmpty());
    f.window().setWindowTitle(U("Miravel6 - /tmp/casa.dm6"));
    Keys(f, U("Ctrl+Z"));
    QVERIFY(Shown(f) == before);
    QCOMPARE(f.window().windowTitle(), U("Miravel6"));
    const QTemporaryDir elsewhere;
    f.ui.saveAnswers.push_back(elsewhere.filePath(U("undone.dm6"))); // no step, the redo kept
    f.ClickButton(U("cmdFileSave"));
    Keys(f, U("Ctrl+Shift+Z"));
    QVERIFY(Shown(f) == after);
    QCOMPARE(f.window().windowTitle(), U("Miravel6"));
}

QTEST_MAIN(TstKeysAndUndo)
#include "tst_keys_and_undo.moc"
