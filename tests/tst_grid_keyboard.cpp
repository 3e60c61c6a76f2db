// The grid and the name labels by keyboard: Tab order, the focus cell over hidden phases, the
// menus opened by keys at the focus cell, a preset chosen without the mouse, busy refusals.

#include "tests/support/window_fixture.h"
#include "window/effect_menus.h"
#include "window/grid_canvas.h"
#include "window/qt_modal_ui.h"

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QtTest>

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Every caption with its check mark and enabled state, submenus included.
QString Describe(const MenuEntry& menu) {
    QString text =
        menu.caption + (menu.checked ? U("*") : QString()) + (menu.enabled ? QString() : U("!"));
    if (!menu.items.empty()) {
        QStringList items;
        for (const MenuEntry& item : menu.items) {
            items << (item.separator ? U("-") : Describe(item));
        }
        text += U("[") + items.join(U("|")) + U("]");
    }
    return text;
}

GridCanvas* Grid(WindowFixture& f) {
    return f.window().findChild<GridCanvas*>(U("canvas"));
}

// Shows the window active with the focus on the last duration list, one Tab before the grid.
void ShowActive(WindowFixture& f) {
    frmMain& w = f.Show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    f.Child<QComboBox>("cboFaseTime", 7)->setFocus(Qt::TabFocusReason);
}

void Press(QWidget* target, const QString& key) {
    static const QMap<QString, Qt::Key> keys = {
        {U("Left"), Qt::Key_Left}, {U("Right"), Qt::Key_Right}, {U("Up"), Qt::Key_Up},
        {U("Down"), Qt::Key_Down}, {U("Home"), Qt::Key_Home},   {U("End"), Qt::Key_End},
        {U("Tab"), Qt::Key_Tab}};
    const bool ctrl = key.startsWith(QLatin1Char('^'));
    QTest::keyClick(target, keys.value(ctrl ? key.mid(1) : key),
                    ctrl ? Qt::ControlModifier : Qt::NoModifier);
}

// Whether the canvas paints its black focus frame at the left edge of the cell.
bool FrameDrawnAt(WindowFixture& f, int cell) {
    const QImage image = Grid(f)->grab().toImage();
    const QRect label = f.Child<QLabel>("lblEffMode", cell)->geometry();
    return image.pixelColor(label.left() + 2, label.center().y()) == QColor(Qt::black);
}

} // namespace

class TstGridKeyboard : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void tabOrder();
    void focusCellSkipsHiddenPhases_data();
    void focusCellSkipsHiddenPhases();
    void keysOpenTheMenusOfTheFocusCell_data();
    void keysOpenTheMenusOfTheFocusCell();
    void presetChosenWithoutTheMouse();
    void nameLabelsAndRefusals();
};

void TstGridKeyboard::tabOrder() {
    WindowFixture f;
    ShowActive(f);
    f.Child<QComboBox>("cboFaseTime", 0)->setFocus(Qt::TabFocusReason);
    QStringList order;
    for (int k = 0; k < 51; ++k) {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QStringList expected;
    const auto add = [&expected](const char* base, int from, int to) {
        for (int k = from; k <= to; ++k) {
            expected << U(base) + U("_") + QString::number(k);
        }
    };
    add("cboFaseTime", 0, 7);
    expected << U("canvas");
    add("lblFaseName", 0, 7);
    add("lblOutName", 0, 9);
    add("cmdOutOnoff", 0, 9);
    add("cmdFileOpen", 1, 5);
    expected << U("cmdFileOpen_0") << U("cmdFileSave") << U("cboComm") << U("cmdEdataRead")
             << U("cmdEdataWrite") << U("cmdCommTest") << U("txtEdata") << U("cmdTimeCursor")
             << U("cboFaseTime_0");
    QCOMPARE(order, expected);
}

void TstGridKeyboard::focusCellSkipsHiddenPhases_data() {
    QTest::addColumn<QList<int>>("off"); // phases (0-based) set to "OFF" first
    QTest::addColumn<int>("start");      // the cell clicked with the mouse
    // A key ("^" is Ctrl), or "off:p" that sets phase p to "OFF" through its list.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QList<int>>("cells"); // the focus cell after each step (-1: no frame)
    QTest::newRow("arrows over OFF phases")
        << QList<int>{1, 2, 6} << 0
        << QStringList{U("Right"), U("Right"), U("Right"), U("Right"), U("Right"), U("Left")}
        << QList<int>{3, 4, 5, 7, 7, 5};
    QTest::newRow("row and grid ends")
        << QList<int>{0, 7} << 26
        << QStringList{U("End"), U("Home"), U("^End"), U("^Home"), U("Up"), U("Down")}
        << QList<int>{30, 25, 78, 1, 1, 9};
    QTest::newRow("top and bottom stop")
        << QList<int>{} << 71 << QStringList{U("Down"), U("Down"), U("Up"), U("Left"), U("^Home")}
        << QList<int>{79, 79, 71, 70, 0};
    QTest::newRow("a phase turned OFF under the focus")
        << QList<int>{} << 45
        << QStringList{U("off:5"), U("off:6"), U("off:7"), U("Right"), U("off:4"),
                       U("off:3"), U("off:2"), U("off:1"), U("off:0"), U("Left")}
        << QList<int>{46, 47, 44, 44, 43, 42, 41, 40, -1, -1};
}

void TstGridKeyboard::focusCellSkipsHiddenPhases() {
    QFETCH(QList<int>, off);
    QFETCH(int, start);
    QFETCH(QStringList, steps);
    QFETCH(QList<int>, cells);
    WindowFixture f;
    ShowActive(f);
    for (const int p : off) {
        f.Child<QComboBox>("cboFaseTime", p)->setCurrentIndex(0);
    }
    f.ClickCell(start, {});
    GridCanvas* grid = Grid(f);
    QCOMPARE(QApplication::focusWidget(), grid); // the mouse's cell goes on by keyboard
    QCOMPARE(grid->FocusCell(), start);
    QVERIFY(FrameDrawnAt(f, start));
    for (qsizetype k = 0; k < steps.size(); ++k) {
        if (steps[k].startsWith(U("off:"))) {
            f.Child<QComboBox>("cboFaseTime", steps[k].mid(4).toInt())->setCurrentIndex(0);
            grid->setFocus(Qt::TabFocusReason);
        } else {
            Press(grid, steps[k]);
        }
        QCOMPARE(grid->FocusFrameShown() ? grid->FocusCell() : -1, cells[k]);
    }
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(f.ui.menus.size(), std::size_t{cells.back() < 0 ? 1U : 2U});
    QVERIFY(FrameDrawnAt(f, 0) == (cells.back() == 0));
    QTest::keyClick(grid, Qt::Key_Tab); // the frame goes with the focus
    QVERIFY(!FrameDrawnAt(f, 0) && !grid->FocusFrameShown());
}

void TstGridKeyboard::keysOpenTheMenusOfTheFocusCell_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QStringList>("choice");
    QTest::addColumn<QList<int>>("record"); // of the focus cell afterwards
    const QStringList offOn{U("Effetti Parte1+Parte2"), U("Off - On")};
    const QStringList clear{U("Azzera"), U("Effetto")};
    QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier) << offOn
                           << QList<int>{0, 7, 2, -1};
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << offOn
                                  << QList<int>{0, 7, 2, -1};
    QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier) << offOn
                           << QList<int>{0, 7, 2, -1};
    QTest::newRow("Menu") << int(Qt::Key_Menu) << int(Qt::NoModifier) << clear
                          << QList<int>{0, 0, 0, 0};
    QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier) << clear
                               << QList<int>{0, 0, 0, 0};
}

void TstGridKeyboard::keysOpenTheMenusOfTheFocusCell() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QStringList, choice);
    QFETCH(QList<int>, record);
    WindowFixture f;
    ShowActive(f);
    const int cell = 8 * 2 + 5;
    f.ClickCell(cell, {U("Effetti Parte1+Parte2"), U("On")});
    f.ClickCell(cell, {U("Tremolo"), U("Velocità casuale - Lum -12%")});
    f.ClickCell(cell, {U("Accensione casuale"), U("On")});
    f.ClickCell(0, {U("Copia"), U("Effetto")}, Qt::RightButton);
    const bool commands = choice.front() == U("Azzera");
    f.ClickCell(cell, {}, commands ? Qt::RightButton : Qt::LeftButton);
    const MenuEntry byMouse = f.ui.menus.back();
    f.ClickCell(0, {});

    // From cell 0, where the mouse went last, to the cell by keys.
    Press(Grid(f), U("Down"));
    Press(Grid(f), U("Down"));
    Press(Grid(f), U("End"));
    Press(Grid(f), U("Left"));
    Press(Grid(f), U("Left"));
    f.ui.menuChoices.push_back(choice);
    QTest::keyClick(Grid(f), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(f.ui.menus.size(), std::size_t{7});
    QCOMPARE(Describe(f.ui.menus.back()), Describe(byMouse));
    const QLabel* label = f.Child<QLabel>("lblEffMode", cell);
    QCOMPARE(f.ui.menuPositions.back(), label->mapToGlobal(QPoint(label->width(), 0)));
    QCOMPARE(f.window().EffSet()[cell],
             (typEffSet{std::uint8_t(record[0]), std::uint8_t(record[1]), std::uint8_t(record[2]),
                        std::int16_t(record[3])}));
    QVERIFY(f.ui.menuErrors.isEmpty());
}

void TstGridKeyboard::presetChosenWithoutTheMouse() {
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
    // In the menu: the presets, opened on "Off", down to "On", chosen.
    QStringList marked;
    QTimer::singleShot(0, &w, [&marked] {
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Down, Qt::Key_Return}) {
            QWidget* menu = QApplication::activePopupWidget();
            if (menu == nullptr) {
                break;
            }
            if (key == Qt::Key_Return) {
                for (const QAction* action : menu->actions()) {
                    marked << (action->isChecked() ? action->text() : QString());
                }
            }
            QTest::keyClick(menu, key);
        }
        while (QWidget* open = QApplication::activePopupWidget()) {
            open->close(); // never leave the test waiting for a user
        }
    });
    QTest::keyClick(grid, Qt::Key_Space);
    QCOMPARE(marked.join(QString()), U("Off"));
    EffGrid expected{};
    expected[9] = {7, 7};
    QCOMPARE(w.EffSet(), expected);
    QCOMPARE(w.windowTitle(), U("Miravel6"));
}

void TstGridKeyboard::nameLabelsAndRefusals() {
    WindowFixture f;
    ShowActive(f);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    GridCanvas* grid = Grid(f);
    for (int k = 0; k < 3; ++k) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
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

    // While the time cursor runs keys do what clicks do: nothing.
    auto* timer = f.window().findChild<QTimer*>(U("tmrTimeCursor"));
    timer->start(100);
    QTest::keyClick(output10, Qt::Key_Return);
    QTest::keyClick(phase3, Qt::Key_Space);
    grid->setFocus(Qt::TabFocusReason);
    for (const Qt::Key key :
         {Qt::Key_Right, Qt::Key_Down, Qt::Key_End, Qt::Key_Return, Qt::Key_Space, Qt::Key_Menu}) {
        QTest::keyClick(grid, key);
    }
    timer->stop();
    QCOMPARE(f.ui.menus.size(), std::size_t{2});
    QCOMPARE(grid->FocusCell(), 0);
    QTest::keyClick(grid, Qt::Key_Menu); // and they answer again once it stops
    QCOMPARE(f.ui.menus.back().caption, U("Comandi effetti"));
}

QTEST_MAIN(TstGridKeyboard)
#include "tst_grid_keyboard.moc"
