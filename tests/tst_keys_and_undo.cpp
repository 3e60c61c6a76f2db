// The configuration edited without the mouse and every change undone: Tab order, the focus cell
// over hidden phases, the cell and name menus opened by keys, a preset chosen by keys only, undo
// and redo of each kind of change, the step limit, and the rules of busy windows and saving.

#include "tests/support/window_fixture.h"
#include "window/grid_canvas.h"
#include "window/qt_modal_ui.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Every caption with its check mark (*) and disabled state (!), submenus included.
QString Describe(const MenuEntry& menu) {
    QString text = menu.caption + (menu.checked ? U("*") : U("")) + (menu.enabled ? U("") : U("!"));
    for (const MenuEntry& item : menu.items) {
        text += U("[") + (item.separator ? U("-") : Describe(item)) + U("]");
    }
    return text;
}

// Shortcuts and Tab need an active window.
frmMain& ShowActive(WindowFixture& f) {
    frmMain& w = f.Show();
    w.activateWindow();
    [&w] { QVERIFY(QTest::qWaitForWindowActive(&w)); }();
    return w;
}

GridCanvas* Grid(WindowFixture& f) {
    return f.window().findChild<GridCanvas*>(U("canvas"));
}

// Presses keys where the focus is: "Right", "^End" (with Ctrl), "Undo", "Redo", "^Y"; "off:p"
// sets phase p to "OFF" through its list and gives the grid the focus back.
void Keys(WindowFixture& f, const QString& keys) {
    static const QMap<QString, Qt::Key> names = {
        {U("Left"), Qt::Key_Left}, {U("Right"), Qt::Key_Right},   {U("Up"), Qt::Key_Up},
        {U("Down"), Qt::Key_Down}, {U("Home"), Qt::Key_Home},     {U("End"), Qt::Key_End},
        {U("Tab"), Qt::Key_Tab},   {U("Return"), Qt::Key_Return}, {U("Y"), Qt::Key_Y}};
    for (const QString& key : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &f.window();
        if (key.startsWith(U("off:"))) {
            f.Child<QComboBox>("cboFaseTime", key.mid(4).toInt())->setCurrentIndex(0);
            Grid(f)->setFocus(Qt::TabFocusReason);
        } else if (key == U("Undo") || key == U("Redo")) {
            QTest::keySequence(target, key == U("Undo") ? QKeySequence::Undo : QKeySequence::Redo);
        } else {
            const bool ctrl = key.startsWith(QLatin1Char('^'));
            QTest::keyClick(target, names.value(key.mid(ctrl ? 1 : 0)),
                            ctrl ? Qt::ControlModifier : Qt::NoModifier);
        }
    }
}

// Whether the canvas paints its black focus frame at the left edge of the cell.
bool FrameDrawnAt(WindowFixture& f, int cell) {
    const QRect label = f.Child<QLabel>("lblEffMode", cell)->geometry();
    return Grid(f)->grab().toImage().pixelColor(label.left() + 2, label.center().y()) ==
           QColor(Qt::black);
}

// Everything an undo gives back besides the title: the image text (grid and durations), the
// names, drawn cells and tooltips, and every file of the program folder (the report among them).
QStringList Shown(WindowFixture& f) {
    QStringList shown{f.Child<QPlainTextEdit>(U("txtEdata"))->toPlainText()};
    for (const QLabel* label : f.window().findChildren<QLabel*>()) {
        shown << label->text() + label->toolTip() + (label->isVisible() ? U("") : U("(hidden)"));
    }
    const QDir folder(f.FolderPath());
    for (const QString& name : folder.entryList(QDir::Files)) {
        QFile file(folder.filePath(name));
        shown << name + QString::fromLatin1(file.open(QIODevice::ReadOnly) ? file.readAll() : "?");
    }
    return shown;
}

// A user action: "cell:n" or "right:n" and a menu path, "name:label_i" and an item (and the
// name typed), "list:p" and a duration, "open" and a file of the program folder.
void Do(WindowFixture& f, const QStringList& action) {
    const QString target = action[0].section(QLatin1Char(':'), 0, 0);
    const QString what = action[0].section(QLatin1Char(':'), 1);
    if (target == U("cell") || target == U("right")) {
        f.ClickCell(what.toInt(), action.mid(1),
                    target == U("cell") ? Qt::LeftButton : Qt::RightButton);
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

// An edited window with every clipboard filled and a file saved from its first state.
frmMain& ShowEdited(WindowFixture& f) {
    frmMain& w = ShowActive(f);
    f.ui.saveAnswers.push_back(f.FolderPath() + U("/saved.dm6"));
    f.ClickButton(U("cmdFileSave"));
    for (const char* action :
         {"cell:0|Effetti Parte1+Parte2|On", "cell:9|Luminosità Parte1|Decrescente 12%",
          "list:3|2 min", "name:lblOutName_0|Modifica|Porta", "right:9|Copia|Effetto",
          "right:8|Copia|Uscita (riga)", "right:1|Copia|Fase (colonna)"}) {
        Do(f, U(action).split(QLatin1Char('|')));
    }
    return w;
}

} // namespace

class TstKeysAndUndo : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void tabOrder();
    void focusCellSkipsHiddenPhases_data();
    void focusCellSkipsHiddenPhases();
    void keysOpenTheMenusOfTheFocusCell_data();
    void keysOpenTheMenusOfTheFocusCell();
    void presetChosenByKeysOnly();
    void nameLabelsByKeysAndTheCursorRule();
    void everyChangeUndoneAndRedone_data();
    void everyChangeUndoneAndRedone();
    void stepLimitRedoDroppedAndSavingIsNoStep();
};

void TstKeysAndUndo::tabOrder() {
    WindowFixture f;
    ShowActive(f);
    f.Child<QComboBox>("cboFaseTime", 0)->setFocus(Qt::TabFocusReason);
    QStringList order, expected;
    for (int k = 0; k <= 50; ++k) {
        order << QApplication::focusWidget()->objectName();
        Keys(f, U("Tab"));
    }
    const auto add = [&expected](const char* base, int count, int first = 0) {
        for (int k = 0; k < count; ++k) {
            expected << U(base) + U("_") + QString::number((first + k) % count);
        }
    };
    add("cboFaseTime", 8);
    expected << U("canvas");
    add("lblFaseName", 8);
    add("lblOutName", 10);
    add("cmdOutOnoff", 10);
    add("cmdFileOpen", 6, 1);
    expected << U("cmdFileSave cboComm cmdEdataRead cmdEdataWrite cmdCommTest txtEdata "
                  "cmdTimeCursor cboFaseTime_0")
                    .split(QLatin1Char(' '));
    QCOMPARE(order, expected);
}

void TstKeysAndUndo::focusCellSkipsHiddenPhases_data() {
    QTest::addColumn<QList<int>>("off"); // phases set to "OFF" first
    QTest::addColumn<int>("start");      // the cell pressed with the mouse
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QList<int>>("cells"); // the focus cell after each key (-1: no frame)
    QTest::newRow("arrows over OFF phases")
        << QList<int>{1, 2, 6} << 0 << U("Right Right Right Right Right Left")
        << QList<int>{3, 4, 5, 7, 7, 5};
    QTest::newRow("row and grid ends") << QList<int>{0, 7} << 26 << U("End Home ^End ^Home Up Down")
                                       << QList<int>{30, 25, 78, 1, 1, 9};
    QTest::newRow("top and bottom stop")
        << QList<int>{} << 71 << U("Down Down Up Left ^Home") << QList<int>{79, 79, 71, 70, 0};
    QTest::newRow("phases turned OFF under the focus")
        << QList<int>{} << 45 << U("off:5 off:6 off:7 Right off:4 off:3 off:2 off:1 off:0 Left")
        << QList<int>{46, 47, 44, 44, 43, 42, 41, 40, -1, -1};
}

void TstKeysAndUndo::focusCellSkipsHiddenPhases() {
    QFETCH(QList<int>, off);
    QFETCH(int, start);
    QFETCH(QString, keys);
    QFETCH(QList<int>, cells);
    WindowFixture f;
    ShowActive(f);
    for (const int p : off) {
        f.Child<QComboBox>("cboFaseTime", p)->setCurrentIndex(0);
    }
    f.ClickCell(start, {}); // the keyboard goes on from the mouse's cell
    QCOMPARE(QApplication::focusWidget(), Grid(f));
    QVERIFY(FrameDrawnAt(f, start));
    const QStringList steps = keys.split(QLatin1Char(' '));
    for (qsizetype k = 0; k < steps.size(); ++k) {
        Keys(f, steps[k]);
        QCOMPARE(Grid(f)->FocusFrameShown() ? Grid(f)->FocusCell() : -1, cells[k]);
    }
    Keys(f, U("Return")); // with nothing shown nothing opens
    QCOMPARE(f.ui.menus.size(), std::size_t{cells.back() < 0 ? 1U : 2U});
    QCOMPARE(FrameDrawnAt(f, 0), cells.back() == 0);
    Keys(f, U("Tab")); // the frame goes with the focus
    QVERIFY(!FrameDrawnAt(f, 0) && !Grid(f)->FocusFrameShown());
}

void TstKeysAndUndo::keysOpenTheMenusOfTheFocusCell_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QList<int>>("record"); // of the focus cell after the item chosen
    const QList<int> offOn{0, 7, 2, -1}, cleared{0, 0, 0, 0};
    QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier) << offOn;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << offOn;
    QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier) << offOn;
    QTest::newRow("Menu") << int(Qt::Key_Menu) << int(Qt::NoModifier) << cleared;
    QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier) << cleared;
}

void TstKeysAndUndo::keysOpenTheMenusOfTheFocusCell() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QList<int>, record);
    WindowFixture f;
    ShowActive(f);
    const int cell = 8 * 2 + 5;
    f.ClickCell(cell, {U("Effetti Parte1+Parte2"), U("On")});
    f.ClickCell(cell, {U("Tremolo"), U("Velocità casuale - Lum -12%")});
    f.ClickCell(cell, {U("Accensione casuale"), U("On")});
    Do(f, {U("right:0"), U("Copia"), U("Effetto")});
    const bool commands = record[0] == 0 && record[1] == 0;
    f.ClickCell(cell, {}, commands ? Qt::RightButton : Qt::LeftButton);
    const QString byMouse = Describe(f.ui.menus.back());
    f.ClickCell(0, {});
    Keys(f, U("Down Down End Left Left"));
    f.ui.menuChoices.push_back(commands ? QStringList{U("Azzera"), U("Effetto")}
                                        : QStringList{U("Effetti Parte1+Parte2"), U("Off - On")});
    QTest::keyClick(Grid(f), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(f.ui.menus.size(), std::size_t{7});
    QCOMPARE(Describe(f.ui.menus.back()), byMouse);
    const QLabel* label = f.Child<QLabel>("lblEffMode", cell);
    QCOMPARE(f.ui.menuPositions.back(), label->mapToGlobal(QPoint(label->width(), 0)));
    QCOMPARE(f.window().EffSet()[cell],
             (typEffSet{std::uint8_t(record[0]), std::uint8_t(record[1]), std::uint8_t(record[2]),
                        std::int16_t(record[3])}));
    QVERIFY(f.ui.menuErrors.isEmpty());
}

void TstKeysAndUndo::presetChosenByKeysOnly() {
    WindowFixture f;
    QtModalUi real;
    frmMain w(real, f.clock, f.FolderPath());
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.setWindowTitle(U("Miravel6 - /tmp/a.dm6"));
    QWidget* last = w.findChild<QComboBox*>(U("cboFaseTime_7"));
    last->setFocus(Qt::TabFocusReason);
    QTest::keyClick(last, Qt::Key_Tab);
    QWidget* grid = QApplication::focusWidget();
    QCOMPARE(grid->objectName(), U("canvas"));
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClick(grid, Qt::Key_Down);
    // In the real menu: to the presets, open them on "Off", down to "On", choose it.
    QString marked;
    QTimer::singleShot(0, &w, [&marked] {
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Down, Qt::Key_Return}) {
            if (QWidget* menu = QApplication::activePopupWidget()) {
                for (const QAction* action : menu->actions()) {
                    marked += key == Qt::Key_Return && action->isChecked() ? action->text() : U("");
                }
                QTest::keyClick(menu, key);
            }
        }
        while (QWidget* open = QApplication::activePopupWidget()) {
            open->close(); // never leave the test waiting for a user
        }
    });
    QTest::keyClick(grid, Qt::Key_Space);
    QCOMPARE(marked, U("Off"));
    EffGrid expected{};
    expected[9] = {7, 7};
    QCOMPARE(w.EffSet(), expected);
    QCOMPARE(w.windowTitle(), U("Miravel6"));
}

void TstKeysAndUndo::nameLabelsByKeysAndTheCursorRule() {
    WindowFixture f;
    ShowActive(f);
    f.Child<QComboBox>("cboFaseTime", 7)->setFocus(Qt::TabFocusReason);
    Keys(f, U("Tab Tab Tab Tab"));
    QLabel* phase3 = f.Child<QLabel>("lblFaseName", 2);
    QCOMPARE(QApplication::focusWidget(), phase3);
    f.ui.menuChoices.push_back({U("Modifica")});
    f.ui.inputAnswers.push_back(U("Alba"));
    QTest::keyClick(phase3, Qt::Key_Space);
    QCOMPARE(f.ui.menus.at(0).caption, U("Impostazioni nomi"));
    QCOMPARE(f.ui.menuPositions.at(0), phase3->mapToGlobal(QPoint(0, phase3->height())));
    QCOMPARE(f.ui.inputs.at(0).prompt, U("Introdurre il nome della Fase temporale 3"));
    QCOMPARE(phase3->text(), U("Alba"));
    QLabel* output10 = f.Child<QLabel>("lblOutName", 9);
    f.ui.menuChoices.push_back({U("Default tutti")});
    output10->setFocus(Qt::TabFocusReason);
    QTest::keyClick(output10, Qt::Key_Return);
    QCOMPARE(phase3->text(), U("Fase 3"));

    // While the time cursor runs keys do what clicks do: nothing, undo and redo included.
    auto* timer = f.window().findChild<QTimer*>(U("tmrTimeCursor"));
    timer->start(100);
    QTest::keyClick(output10, Qt::Key_Return);
    Keys(f, U("Undo"));
    Grid(f)->setFocus(Qt::TabFocusReason);
    Keys(f, U("Right Down End Return Undo Redo"));
    QTest::keyClick(Grid(f), Qt::Key_Menu);
    timer->stop();
    QCOMPARE(f.ui.menus.size(), std::size_t{2});
    QCOMPARE(Grid(f)->FocusCell(), 0);
    QCOMPARE(phase3->text(), U("Fase 3"));
    Keys(f, U("Undo")); // and they answer again once it stops
    QCOMPARE(phase3->text(), U("Alba"));
}

void TstKeysAndUndo::everyChangeUndoneAndRedone_data() {
    QTest::addColumn<QStringList>("action");
    for (const char* row :
         {"preset|cell:12|Effetti Parte1+Parte2|Off - On",
          "flicker|cell:0|Tremolo|Velocità fissa3 - Lum -25%", "clear all|right:33|Azzera|Tutto",
          "clear column|right:9|Azzera|Fase (colonna)", "paste cell|right:70|Incolla|Effetto",
          "paste row|right:44|Incolla|Uscita (riga)", "paste column|right:6|Incolla|Fase (colonna)",
          "duration OFF|list:1|OFF", "rename|name:lblFaseName_4|Modifica|Cancello",
          "default|name:lblOutName_0|Default", "default all|name:lblFaseName_0|Default tutti",
          "open file|open|saved.dm6"}) {
        const QStringList fields = U(row).split(QLatin1Char('|'));
        QTest::newRow(qPrintable(fields[0])) << fields.mid(1);
    }
}

void TstKeysAndUndo::everyChangeUndoneAndRedone() {
    QFETCH(QStringList, action);
    WindowFixture f;
    frmMain& w = ShowEdited(f);
    const QStringList before = Shown(f);
    Do(f, action);
    Do(f, action); // the same again changes nothing: no step
    const QStringList after = Shown(f);
    QVERIFY(after != before && f.ui.menuErrors.isEmpty());
    for (const char* redo : {"Redo", "^Y"}) {
        w.setWindowTitle(U("Miravel6 - /tmp/casa.dm6"));
        Keys(f, U("Undo"));
        QVERIFY(Shown(f) == before);
        QCOMPARE(w.windowTitle(), U("Miravel6"));
        w.setWindowTitle(U("Miravel6 - /tmp/casa.dm6"));
        Keys(f, U(redo));
        QVERIFY(Shown(f) == after);
        QCOMPARE(w.windowTitle(), U("Miravel6"));
    }
    // The copies took no step: two undos take back the rename of output 1, not the duration.
    Keys(f, U("Undo Undo"));
    QCOMPARE(f.Child<QLabel>("lblOutName", 0)->text(), U("Uscita 1"));
    QCOMPARE(f.Child<QComboBox>("cboFaseTime", 3)->currentText(), U("2 min"));
}

void TstKeysAndUndo::stepLimitRedoDroppedAndSavingIsNoStep() {
    WindowFixture f;
    frmMain& w = ShowActive(f);
    auto* fase = f.Child<QComboBox>("cboFaseTime", 0);
    for (int k = 1; k <= 101; ++k) {
        fase->setCurrentIndex(1 + k % 60);
    }
    f.Child<QWidget>(U("txtEdata"))->setFocus(); // the image text box lets the keys through
    Keys(f, U("Undo ").repeated(101));
    QCOMPARE(fase->currentIndex(), 2); // the first change is the one step dropped
    QCOMPARE(w.EdataImage()[0], 2);
    Keys(f, U("Redo ").repeated(101));
    QCOMPARE(fase->currentIndex(), 1 + 101 % 60);

    // Undo, save, redo: the save neither took a step nor dropped the redo; a new change does.
    Keys(f, U("Undo"));
    f.ui.saveAnswers.push_back(f.FolderPath() + U("/other.dm6"));
    f.ClickButton(U("cmdFileSave"));
    QCOMPARE(w.windowTitle(),
             U("Miravel6 - ") + QDir::toNativeSeparators(f.FolderPath()) + U("/other.dm6"));
    Keys(f, U("Redo"));
    QCOMPARE(fase->currentIndex(), 1 + 101 % 60);
    Keys(f, U("Undo"));
    f.ClickCell(79, {U("Effetti Parte1+Parte2"), U("On")});
    const QStringList changed = Shown(f);
    Keys(f, U("Redo ^Y"));
    QVERIFY(Shown(f) == changed);
    Keys(f, U("Undo"));
    QCOMPARE(w.EffSet(), EffGrid{});
    QCOMPARE(fase->currentIndex(), 1 + 100 % 60);
}

QTEST_MAIN(TstKeysAndUndo)
#include "tst_keys_and_undo.moc"
