// Effect editing on the grid: the two cell menus, what their items store and show, and the real
// pop-up menu under the keyboard.

#include "model/edata.h"
#include "tests/support/window_fixture.h"
#include "window/effect_menus.h"
#include "window/qt_modal_ui.h"

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

namespace {

const QString kP1 = QStringLiteral("Luminosit\u00e0 Parte1");
const QString kP2 = QStringLiteral("Luminosit\u00e0 Parte2");
const QString kPresets = QStringLiteral("Effetti Parte1+Parte2");
// Every phase starts at "10 sec": a step of 1,7 seconds in the Italian locale.
const QString kOnoffP1 = QStringLiteral("OnOff Parte1 (passo 1,7sec)");
const QString kOnoffP2 = QStringLiteral("OnOff Parte2 (passo 1,7sec)");

typEffSet Rec(int p1, int p2, int flicker = 0, bool random = false) {
    return {static_cast<std::uint8_t>(p1), static_cast<std::uint8_t>(p2),
            static_cast<std::uint8_t>(flicker), random ? kTrue : kFalse};
}

QLabel* Cell(WindowFixture& f, int cell) {
    return f.Child<QLabel>("lblEffMode", cell);
}

// Presses a mouse button on a cell; the scripted menu answers with `path` (empty: closed).
void Press(WindowFixture& f, int cell, const QStringList& path,
           Qt::MouseButton button = Qt::LeftButton) {
    f.ui.menuChoices.push_back(path);
    QTest::mouseClick(Cell(f, cell), button);
}

QStringList CheckedPaths(const MenuEntry& menu, const QString& prefix = {}) {
    QStringList paths;
    for (const MenuEntry& entry : menu.items) {
        const QString path =
            prefix.isEmpty() ? entry.caption : prefix + QStringLiteral(" > ") + entry.caption;
        if (entry.checked) {
            paths << path;
        }
        paths << CheckedPaths(entry, path);
    }
    return paths;
}

QStringList Captions(const MenuEntry& menu) {
    QStringList captions;
    for (const MenuEntry& entry : menu.items) {
        captions << (entry.separator ? QStringLiteral("-") : entry.caption);
    }
    return captions;
}

} // namespace

class TstEffectMenus : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void settingsMenuLayoutAtTheMouse();
    void checkMarksOfARecord_data();
    void checkMarksOfARecord();
    void itemsStoreTheirCodesAndRefresh_data();
    void itemsStoreTheirCodesAndRefresh();
    void darkCellOffersNoFlickerAndDropsIt();
    void stepCaptionFollowsPhaseAndLocale_data();
    void stepCaptionFollowsPhaseAndLocale();
    void copyAndPasteCellRowAndColumn();
    void clearScopesAndTitleRules();
    void busyWindowIgnoresPresses();
    void realMenuUnderTheKeyboard();
};

void TstEffectMenus::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
}

void TstEffectMenus::settingsMenuLayoutAtTheMouse() {
    WindowFixture f;
    f.Open().show();
    Press(f, 12, {});
    QCOMPARE(f.ui.menus.size(), size_t{1});
    const MenuEntry& menu = f.ui.menus[0];
    QCOMPARE(menu.caption, QStringLiteral("Impostazioni effetti"));
    QCOMPARE(Captions(menu),
             (QStringList{kPresets, QStringLiteral("-"), kP1, kOnoffP1, QStringLiteral("-"), kP2,
                          kOnoffP2, QStringLiteral("-"), QStringLiteral("Tremolo"),
                          QStringLiteral("Accensione casuale")}));
    QCOMPARE(Captions(menu.items[0]),
             (QStringList{QStringLiteral("Off"), QStringLiteral("On"), QStringLiteral("Off - On"),
                          QStringLiteral("On - Off"), QStringLiteral("-"),
                          QStringLiteral("Crescente 6%"), QStringLiteral("Crescente 12%"),
                          QStringLiteral("Crescente 25%"), QStringLiteral("-"),
                          QStringLiteral("Decrescente 6%"), QStringLiteral("Decrescente 12%"),
                          QStringLiteral("Decrescente 25%"), QStringLiteral("-"),
                          QStringLiteral("Crescente 50% + Decrescente 50%"),
                          QStringLiteral("Decrescente 50% + Crescente 50%")}));
    QCOMPARE(menu.items[2].items.size(), size_t{10});
    QCOMPARE(menu.items[3].items[3].caption, QStringLiteral("0 - 1 - 1"));
    QCOMPARE(menu.items[8].items[4].caption, QStringLiteral("Velocit\u00e0 casuale - Lum -50%"));
    QCOMPARE(Captions(menu.items[9]), (QStringList{QStringLiteral("Off"), QStringLiteral("On")}));
    QLabel* label = Cell(f, 12);
    QCOMPARE(f.ui.menuPositions[0], label->mapToGlobal(label->rect().center()));
    // Closing the menu changes nothing.
    QCOMPARE(f.window().EffSet()[12], typEffSet{});
}

void TstEffectMenus::checkMarksOfARecord_data() {
    QTest::addColumn<QList<QStringList>>("choices");
    QTest::addColumn<QStringList>("checked");
    const QString fl = QStringLiteral("Tremolo > Off");
    const QString rnd = QStringLiteral("Accensione casuale > Off");
    QTest::newRow("7/7") << QList<QStringList>{{kPresets, QStringLiteral("On")}}
                         << QStringList{kPresets + QStringLiteral(" > On"),
                                        kP1 + QStringLiteral(" > Massima"),
                                        kOnoffP1 + QStringLiteral(" > 1 - 1 - 1"),
                                        kP2 + QStringLiteral(" > Massima"),
                                        kOnoffP2 + QStringLiteral(" > 1 - 1 - 1"),
                                        fl,
                                        rnd};
    QTest::newRow("3/0") << QList<QStringList>{{kOnoffP1, QStringLiteral("0 - 1 - 1")}}
                         << QStringList{kOnoffP1 + QStringLiteral(" > 0 - 1 - 1"),
                                        kP2 + QStringLiteral(" > Spenta"),
                                        kOnoffP2 + QStringLiteral(" > 0 - 0 - 0"), fl, rnd};
    QTest::newRow("8/0") << QList<QStringList>{{kP1, QStringLiteral("Crescente 6%")}}
                         << QStringList{kP1 + QStringLiteral(" > Crescente 6%"),
                                        kP2 + QStringLiteral(" > Spenta"),
                                        kOnoffP2 + QStringLiteral(" > 0 - 0 - 0"), fl, rnd};
    QTest::newRow("15/11 T6 R")
        << QList<QStringList>{{kPresets, QStringLiteral("Decrescente 50% + Crescente 50%")},
                              {QStringLiteral("Tremolo"),
                               QStringLiteral("Velocit\u00e0 fissa2 - Lum -25%")},
                              {QStringLiteral("Accensione casuale"), QStringLiteral("On")}}
        << QStringList{kPresets + QStringLiteral(" > Decrescente 50% + Crescente 50%"),
                       kP1 + QStringLiteral(" > Decrescente 50%"),
                       kP2 + QStringLiteral(" > Crescente 50%"),
                       QStringLiteral("Tremolo > Velocit\u00e0 fissa2 - Lum -25%"),
                       QStringLiteral("Accensione casuale > On")};
}

void TstEffectMenus::checkMarksOfARecord() {
    QFETCH(QList<QStringList>, choices);
    QFETCH(QStringList, checked);
    WindowFixture f;
    f.Open().show();
    for (const QStringList& choice : choices) {
        Press(f, 30, choice);
    }
    Press(f, 30, {});
    QVERIFY2(f.ui.menuErrors.isEmpty(), qPrintable(f.ui.menuErrors.join(QLatin1Char(';'))));
    QCOMPARE(CheckedPaths(f.ui.menus.back()), checked);
    // The right button prepares nothing of this: it shows the command menu.
    Press(f, 30, {}, Qt::RightButton);
    QCOMPARE(f.ui.menus.back().caption, QStringLiteral("Comandi effetti"));
}

void TstEffectMenus::itemsStoreTheirCodesAndRefresh_data() {
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<int>("part1");
    QTest::addColumn<int>("part2");
    QTest::addColumn<QString>("tooltipParts");
    QTest::newRow("preset 13") << QStringList{kPresets,
                                              QStringLiteral("Crescente 50% + Decrescente 50%")}
                               << 11 << 15
                               << QStringLiteral("Parte1: Rampa 0-->256 - Parte2: Rampa 256-->0");
    QTest::newRow("preset 14") << QStringList{kPresets,
                                              QStringLiteral("Decrescente 50% + Crescente 50%")}
                               << 15 << 11
                               << QStringLiteral("Parte1: Rampa 256-->0 - Parte2: Rampa 0-->256");
    QTest::newRow("P1 Decrescente 50%")
        << QStringList{kP1, QStringLiteral("Decrescente 50%")} << 15 << 0
        << QStringLiteral("Parte1: Rampa 256-->0 - Parte2: 000");
    QTest::newRow("P2 1 - 0 - 1") << QStringList{kOnoffP2, QStringLiteral("1 - 0 - 1")} << 0 << 5
                                  << QStringLiteral("Parte1: 000 - Parte2: 101");
    QTest::newRow("P2 Crescente 25%")
        << QStringList{kP2, QStringLiteral("Crescente 25%")} << 0 << 10
        << QStringLiteral("Parte1: 000 - Parte2: Rampa 0-->128");
}

void TstEffectMenus::itemsStoreTheirCodesAndRefresh() {
    QFETCH(QStringList, path);
    QFETCH(int, part1);
    QFETCH(int, part2);
    QFETCH(QString, tooltipParts);
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    w.setWindowTitle(QStringLiteral("Miravel6 - /tmp/luci.dm6"));
    const int cell = 8 * 4; // output 5, phase 1: ramps start from their own level
    Press(f, cell, path);
    QVERIFY(f.ui.menuErrors.isEmpty());
    QCOMPARE(w.EffSet()[cell], Rec(part1, part2));
    for (int i = 0; i < 80; ++i) {
        if (i != cell) {
            QCOMPARE(w.EffSet()[static_cast<std::size_t>(i)], typEffSet{});
        }
    }
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6"));
    QCOMPARE(Cell(f, cell)->toolTip(), QStringLiteral("Uscita5 Fase1 - ") + tooltipParts +
                                           QStringLiteral(" - Tremolo: Off - Random: Off"));
    // The board image and its text follow: the cell's byte holds both Part codes.
    QCOMPARE(int(w.EdataImage()[8 + cell]), part1 * 16 + part2);
    const QString line = QStringLiteral("%1:%2")
                             .arg(8 + cell, 2, 16, QLatin1Char('0'))
                             .arg(part1 * 16 + part2, 2, 16, QLatin1Char('0'))
                             .toUpper();
    QVERIFY(f.Child<QPlainTextEdit>(QStringLiteral("txtEdata"))
                ->toPlainText()
                .split(QLatin1Char('\n'))
                .contains(line));
    QVERIFY(f.ReadProgramFile(QStringLiteral("light_value.txt")).size() > 0);
}

void TstEffectMenus::darkCellOffersNoFlickerAndDropsIt() {
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    const int cell = 0;
    Press(f, cell, {QStringLiteral("Tremolo"), QStringLiteral("Velocit\u00e0 fissa1 - Lum -25%")});
    QCOMPARE(f.ui.menuErrors.size(), 1); // disabled: nothing to choose
    f.ui.menuErrors.clear();
    const MenuEntry& dark = f.ui.menus.back();
    QVERIFY(!dark.items[8].enabled);
    QVERIFY(!dark.items[9].enabled);
    QVERIFY(dark.items[2].enabled && dark.items[0].enabled);

    Press(f, cell, {kP1, QStringLiteral("Massima")});
    QCOMPARE(w.EffSet()[cell], Rec(7, 0));
    Press(f, cell, {QStringLiteral("Tremolo"), QStringLiteral("Velocit\u00e0 fissa1 - Lum -25%")});
    Press(f, cell, {QStringLiteral("Accensione casuale"), QStringLiteral("On")});
    QCOMPARE(w.EffSet()[cell], Rec(7, 0, 5, true));
    QCOMPARE(Cell(f, cell)->text(), QStringLiteral("T5 R"));
    Press(f, cell, {kP2, QStringLiteral("Crescente 6%")});
    Press(f, cell, {kP1, QStringLiteral("Spenta")});
    QCOMPARE(w.EffSet()[cell], Rec(0, 8, 5, true)); // still lit in Part 2
    Press(f, cell, {kOnoffP2, QStringLiteral("0 - 0 - 0")});
    QCOMPARE(w.EffSet()[cell], Rec(0, 0));
    QCOMPARE(Cell(f, cell)->text(), QStringLiteral("-- -"));
    QVERIFY(f.ui.menuErrors.isEmpty());
}

void TstEffectMenus::stepCaptionFollowsPhaseAndLocale_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("duration");
    QTest::addColumn<QString>("step");
    const QLocale it(QLocale::Italian, QLocale::Italy);
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("1 min, it") << it << QStringLiteral("1 min") << QStringLiteral("10,0sec");
    QTest::newRow("1 min, en") << en << QStringLiteral("1 min") << QStringLiteral("10.0sec");
    QTest::newRow("10 min, it") << it << QStringLiteral("10 min") << QStringLiteral("1min 40,0sec");
    QTest::newRow("6 min") << it << QStringLiteral("6 min") << QStringLiteral("1min ");
    QTest::newRow("OFF") << it << QStringLiteral("OFF") << QString();
}

void TstEffectMenus::stepCaptionFollowsPhaseAndLocale() {
    QFETCH(QLocale, locale);
    QFETCH(QString, duration);
    QFETCH(QString, step);
    QLocale::setDefault(locale);
    WindowFixture f;
    f.Open().show();
    auto* third = f.Child<QComboBox>("cboFaseTime", 2);
    third->setCurrentIndex(third->findText(duration));
    // An "OFF" phase hides its cells: its label takes the press all the same.
    Press(f, 8 * 6 + 2, {});
    Press(f, 8 * 6 + 3, {}); // phase 4 keeps "10 sec"
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QCOMPARE(f.ui.menus[0].items[3].caption,
             QStringLiteral("OnOff Parte1 (passo ") + step + QLatin1Char(')'));
    QCOMPARE(f.ui.menus[0].items[6].caption,
             QStringLiteral("OnOff Parte2 (passo ") + step + QLatin1Char(')'));
    QVERIFY(f.ui.menus[1].items[3].caption.startsWith(QStringLiteral("OnOff Parte1 (passo 1")));
}

void TstEffectMenus::copyAndPasteCellRowAndColumn() {
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    auto enabledPastes = [&f] {
        Press(f, 0, {}, Qt::RightButton);
        const MenuEntry& commands = f.ui.menus.back();
        QList<bool> enabled;
        for (const MenuEntry& item : commands.items[2].items) {
            enabled << item.enabled;
        }
        return enabled;
    };
    QCOMPARE(enabledPastes(), (QList<bool>{false, false, false}));
    Press(f, 3, {QStringLiteral("Incolla"), QStringLiteral("Effetto")}, Qt::RightButton);
    QCOMPARE(f.ui.menuErrors.size(), 1);
    f.ui.menuErrors.clear();

    // Cell 0 with every field set, copied onto cell 79.
    Press(f, 0, {kPresets, QStringLiteral("Crescente 12%")});
    Press(f, 0, {QStringLiteral("Tremolo"), QStringLiteral("Velocit\u00e0 casuale - Lum -6%")});
    Press(f, 0, {QStringLiteral("Accensione casuale"), QStringLiteral("On")});
    w.setWindowTitle(QStringLiteral("Miravel6 - /tmp/a.dm6"));
    Press(f, 0, {QStringLiteral("Copia"), QStringLiteral("Effetto")}, Qt::RightButton);
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6 - /tmp/a.dm6")); // a copy keeps it
    QCOMPARE(enabledPastes(), (QList<bool>{true, false, false}));
    Press(f, 79, {QStringLiteral("Incolla"), QStringLiteral("Effetto")}, Qt::RightButton);
    QCOMPARE(w.EffSet()[79], Rec(9, 9, 1, true));
    QCOMPARE(Cell(f, 79)->text(), QStringLiteral("T1 R"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6"));

    // Output 3 copied, edited, pasted back.
    Press(f, 16 + 4, {kP1, QStringLiteral("Decrescente 6%")});
    Press(f, 16 + 7, {kOnoffP2, QStringLiteral("1 - 1 - 0")});
    const EffGrid before = w.EffSet();
    Press(f, 16 + 1, {QStringLiteral("Copia"), QStringLiteral("Uscita (riga)")}, Qt::RightButton);
    Press(f, 16 + 4, {QStringLiteral("Azzera"), QStringLiteral("Uscita (riga)")}, Qt::RightButton);
    Press(f, 16 + 2, {kPresets, QStringLiteral("On")});
    QVERIFY(w.EffSet() != before);
    Press(f, 16 + 6, {QStringLiteral("Incolla"), QStringLiteral("Uscita (riga)")}, Qt::RightButton);
    QCOMPARE(w.EffSet(), before);

    // Phase 8 copied onto phase 1 of every output.
    Press(f, 8 * 9 + 7, {QStringLiteral("Copia"), QStringLiteral("Fase (colonna)")},
          Qt::RightButton);
    QCOMPARE(enabledPastes(), (QList<bool>{true, true, true}));
    Press(f, 8 * 5, {QStringLiteral("Incolla"), QStringLiteral("Fase (colonna)")}, Qt::RightButton);
    for (int o = 0; o < 10; ++o) {
        QCOMPARE(w.EffSet()[static_cast<std::size_t>(o * 8)],
                 before[static_cast<std::size_t>(o * 8 + 7)]);
        QCOMPARE(w.EffSet()[static_cast<std::size_t>(o * 8 + 1)],
                 before[static_cast<std::size_t>(o * 8 + 1)]);
    }
    QCOMPARE(w.EffSet()[0], Rec(0, 0)); // output 1 phase 8 was empty
    QCOMPARE(w.EffSet()[16], Rec(0, 6));
    QVERIFY(f.ui.menuErrors.isEmpty());
}

void TstEffectMenus::clearScopesAndTitleRules() {
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    for (const int cell : {0, 7, 9, 15, 47, 72, 79}) {
        Press(f, cell, {kPresets, QStringLiteral("On")});
    }
    auto lit = [&w] {
        QList<int> cells;
        for (int i = 0; i < 80; ++i) {
            if (w.EffSet()[static_cast<std::size_t>(i)] != typEffSet{}) {
                cells << i;
            }
        }
        return cells;
    };
    const QString file = QStringLiteral("Miravel6 - /tmp/a.dm6");
    w.setWindowTitle(file);
    Press(f, 9, {QStringLiteral("Azzera"), QStringLiteral("Effetto")}, Qt::MiddleButton);
    QCOMPARE(lit(), (QList<int>{0, 7, 15, 47, 72, 79}));
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6"));
    w.setWindowTitle(file);
    Press(f, 10, {QStringLiteral("Azzera"), QStringLiteral("Uscita (riga)")}, Qt::RightButton);
    QCOMPARE(lit(), (QList<int>{0, 7, 47, 72, 79}));
    Press(f, 23, {QStringLiteral("Azzera"), QStringLiteral("Fase (colonna)")}, Qt::RightButton);
    QCOMPARE(lit(), (QList<int>{0, 72}));
    w.setWindowTitle(file);
    Press(f, 23, {}, Qt::RightButton); // closed without a choice
    QCOMPARE(w.windowTitle(), file);
    Press(f, 40, {QStringLiteral("Azzera"), QStringLiteral("Tutto")}, Qt::RightButton);
    QCOMPARE(lit(), QList<int>{});
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6"));
    QCOMPARE(Cell(f, 72)->toolTip(),
             QStringLiteral("Uscita10 Fase1 - Parte1: 000 - Parte2: 000 - Tremolo: Off - Random: "
                            "Off"));
    QCOMPARE(w.EdataImage(), BuildEdata(w.CurrentFaseCodes(), EffGrid{}));
    QCOMPARE(Captions(f.ui.menus[7]),
             (QStringList{QStringLiteral("Azzera"), QStringLiteral("Copia"),
                          QStringLiteral("Incolla")}));
    QCOMPARE(Captions(f.ui.menus[7].items[0]),
             (QStringList{QStringLiteral("Effetto"), QStringLiteral("Uscita (riga)"),
                          QStringLiteral("Fase (colonna)"), QStringLiteral("Tutto")}));
}

void TstEffectMenus::busyWindowIgnoresPresses() {
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    Press(f, 5, {kPresets, QStringLiteral("On")});
    w.findChild<QTimer*>(QStringLiteral("tmrTimeCursor"))->start(100);
    f.ui.menuChoices.clear();
    QTest::mouseClick(Cell(f, 9), Qt::LeftButton);
    QTest::mouseClick(Cell(f, 9), Qt::RightButton);
    QTest::mouseClick(f.Child<QLabel>("lblOutName", 2), Qt::LeftButton);
    QTest::mouseClick(f.Child<QLabel>("lblFaseName", 6), Qt::LeftButton);
    w.findChild<QTimer*>(QStringLiteral("tmrTimeCursor"))->stop();
    QCOMPARE(f.ui.menus.size(), size_t{1});
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6"));
    // Once the cursor stops the cells answer again.
    Press(f, 9, {QStringLiteral("Copia"), QStringLiteral("Effetto")}, Qt::RightButton);
    QCOMPARE(f.ui.menus.size(), size_t{2});
}

void TstEffectMenus::realMenuUnderTheKeyboard() {
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    QtModalUi real;
    const MenuEntry menu = EffectSettingsMenu(Rec(7, 0), QStringLiteral("1,7sec"));

    // Down twice skips the separator to "Luminosità Parte1"; Right opens it on "Spenta", whose
    // neighbour "Massima" carries the mark; Down twice to "Crescente 6%" and Enter.
    QStringList seen;
    QTimer::singleShot(0, &w, [&seen] {
        QWidget* top = QApplication::activePopupWidget();
        if (top == nullptr) {
            return;
        }
        QTest::keyClick(top, Qt::Key_Down);
        QTest::keyClick(top, Qt::Key_Down);
        QTest::keyClick(top, Qt::Key_Right);
        auto* sub = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (sub == nullptr || sub == top) {
            top->close();
            return;
        }
        for (const QAction* action : sub->actions()) {
            if (action->isCheckable() && action->isChecked()) {
                seen << action->text();
            }
        }
        QTest::keyClick(sub, Qt::Key_Down);
        QTest::keyClick(sub, Qt::Key_Down);
        QTest::keyClick(sub, Qt::Key_Return);
        // Should the keys have missed, close the menu rather than wait for a user.
        while (QWidget* open = QApplication::activePopupWidget()) {
            open->close();
        }
    });
    const int chosen = real.PopupMenu(&w, menu, w.mapToGlobal(QPoint(50, 50)));
    QCOMPARE(seen, QStringList{QStringLiteral("Massima")});
    const std::optional<EffectChoice> choice = DecodeEffectId(chosen);
    QVERIFY(choice.has_value());
    QCOMPARE(int(choice->menu), int(EffMenu::LightP1));
    QCOMPARE(choice->index, 2);
    QCOMPARE(ApplyEffItem(Rec(7, 0), choice->menu, choice->index), Rec(8, 0));

    // Escape closes the menu without a choice.
    QTimer::singleShot(0, &w, [] {
        if (QWidget* top = QApplication::activePopupWidget()) {
            QTest::keyClick(top, Qt::Key_Escape);
        }
        while (QWidget* open = QApplication::activePopupWidget()) {
            open->close();
        }
    });
    QCOMPARE(real.PopupMenu(&w, menu, w.mapToGlobal(QPoint(50, 50))), -1);
}

QTEST_MAIN(TstEffectMenus)
#include "tst_effect_menus.moc"
