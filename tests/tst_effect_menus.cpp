// Effect editing on the grid: the two cell menus, what their items store and show, and the real
// pop-up menu under the keyboard.

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

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Every phase starts at "10 sec": a step of 1,7 seconds in the Italian locale.
const QString kPresets = U("Effetti Parte1+Parte2"), kP1 = U("Luminosità Parte1"),
              kP2 = U("Luminosità Parte2"), kOnoffP1 = U("OnOff Parte1 (passo 1,7sec)"),
              kOnoffP2 = U("OnOff Parte2 (passo 1,7sec)");

typEffSet Rec(int p1, int p2, int flicker = 0, bool random = false) {
    return {static_cast<std::uint8_t>(p1), static_cast<std::uint8_t>(p2),
            static_cast<std::uint8_t>(flicker), random ? kTrue : kFalse};
}

// Clicks a cell; the scripted menu answers with the caption path (empty: closed).
void Press(WindowFixture& f, int cell, const QStringList& path,
           Qt::MouseButton button = Qt::LeftButton) {
    f.ui.menuChoices.push_back(path);
    QTest::mouseClick(f.Child<QLabel>("lblEffMode", cell), button);
}
void Command(WindowFixture& f, int cell, const char* command, const char* item) {
    Press(f, cell, {U(command), U(item)}, Qt::RightButton);
}

QStringList CheckedPaths(const MenuEntry& menu, const QString& prefix = {}) {
    QStringList paths;
    for (const MenuEntry& entry : menu.items) {
        const QString path = prefix.isEmpty() ? entry.caption : prefix + U(" > ") + entry.caption;
        if (entry.checked) {
            paths << path;
        }
        paths << CheckedPaths(entry, path);
    }
    return paths;
}

QString Captions(const MenuEntry& menu) {
    QStringList captions;
    for (const MenuEntry& entry : menu.items) {
        captions << (entry.separator ? U("-") : entry.caption);
    }
    return captions.join(QLatin1Char('|'));
}

} // namespace

class TstEffectMenus : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void settingsMenuAtTheMouse();
    void checkMarksOfARecord_data();
    void checkMarksOfARecord();
    void itemsStoreTheirCodesAndRefresh_data();
    void itemsStoreTheirCodesAndRefresh();
    void darkCellOffersNoFlickerAndDropsIt();
    void stepCaptionFollowsPhaseAndLocale_data();
    void stepCaptionFollowsPhaseAndLocale();
    void copyAndPasteCellRowAndColumn();
    void clearScopesAndTitle();
    void busyWindowIgnoresPresses();
    void realMenuUnderTheKeyboard();
};

void TstEffectMenus::settingsMenuAtTheMouse() {
    WindowFixture f;
    f.Open().show();
    Press(f, 12, {});
    const MenuEntry& menu = f.ui.menus.at(0);
    QCOMPARE(menu.caption, U("Impostazioni effetti"));
    QCOMPARE(Captions(menu), U("Effetti Parte1+Parte2|-|Luminosità Parte1|OnOff Parte1 (passo "
                               "1,7sec)|-|Luminosità Parte2|OnOff Parte2 (passo 1,7sec)|-|"
                               "Tremolo|Accensione casuale"));
    QCOMPARE(Captions(menu.items[0]),
             U("Off|On|Off - On|On - Off|-|Crescente 6%|Crescente 12%|Crescente 25%|-|"
               "Decrescente 6%|Decrescente 12%|Decrescente 25%|-|Crescente 50% + Decrescente "
               "50%|Decrescente 50% + Crescente 50%"));
    QCOMPARE(Captions(menu.items[5]),
             U("Spenta|Massima|Crescente 6%|Crescente 12%|Crescente 25%|Crescente 50%|"
               "Decrescente 6%|Decrescente 12%|Decrescente 25%|Decrescente 50%"));
    QCOMPARE(Captions(menu.items[3]),
             U("0 - 0 - 0|0 - 0 - 1|0 - 1 - 0|0 - 1 - 1|1 - 0 - 0|1 - 0 - 1|1 - 1 - 0|1 - 1 - 1"));
    QCOMPARE(menu.items[8].items.size(), size_t{8});
    QCOMPARE(Captions(menu.items[9]), U("Off|On"));
    QLabel* label = f.Child<QLabel>("lblEffMode", 12);
    QCOMPARE(f.ui.menuPositions[0], label->mapToGlobal(label->rect().center()));
    QCOMPARE(f.window().EffSet()[12], typEffSet{}); // closing it changes nothing
}

void TstEffectMenus::checkMarksOfARecord_data() {
    QTest::addColumn<QList<QStringList>>("choices");
    QTest::addColumn<QStringList>("checked");
    const QString tail = U("Tremolo > Off|Accensione casuale > Off");
    QTest::newRow("7/7") << QList<QStringList>{{kPresets, U("On")}}
                         << (kPresets + U(" > On|") + kP1 + U(" > Massima|") + kOnoffP1 +
                             U(" > 1 - 1 - 1|") + kP2 + U(" > Massima|") + kOnoffP2 +
                             U(" > 1 - 1 - 1|") + tail)
                                .split(QLatin1Char('|'));
    QTest::newRow("3/0") << QList<QStringList>{{kOnoffP1, U("0 - 1 - 1")}}
                         << (kOnoffP1 + U(" > 0 - 1 - 1|") + kP2 + U(" > Spenta|") + kOnoffP2 +
                             U(" > 0 - 0 - 0|") + tail)
                                .split(QLatin1Char('|'));
    QTest::newRow("8/0 T6 R") << QList<QStringList>{{kP1, U("Crescente 6%")},
                                                    {U("Tremolo"), U("Velocità fissa2 - Lum -25%")},
                                                    {U("Accensione casuale"), U("On")}}
                              << (kP1 + U(" > Crescente 6%|") + kP2 + U(" > Spenta|") + kOnoffP2 +
                                  U(" > 0 - 0 - 0|Tremolo > Velocità fissa2 - Lum -25%|"
                                    "Accensione casuale > On"))
                                     .split(QLatin1Char('|'));
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
}

void TstEffectMenus::itemsStoreTheirCodesAndRefresh_data() {
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<int>("part1");
    QTest::addColumn<int>("part2");
    QTest::addColumn<QString>("parts"); // as the cell's tooltip describes them
    QTest::newRow("preset 13") << QStringList{kPresets, U("Crescente 50% + Decrescente 50%")} << 11
                               << 15 << U("Parte1: Rampa 0-->256 - Parte2: Rampa 256-->0");
    QTest::newRow("preset 14") << QStringList{kPresets, U("Decrescente 50% + Crescente 50%")} << 15
                               << 11 << U("Parte1: Rampa 256-->0 - Parte2: Rampa 0-->256");
    QTest::newRow("P1 Decrescente 50%") << QStringList{kP1, U("Decrescente 50%")} << 15 << 0
                                        << U("Parte1: Rampa 256-->0 - Parte2: 000");
    QTest::newRow("P2 1 - 0 - 1") << QStringList{kOnoffP2, U("1 - 0 - 1")} << 0 << 5
                                  << U("Parte1: 000 - Parte2: 101");
}

void TstEffectMenus::itemsStoreTheirCodesAndRefresh() {
    QFETCH(QStringList, path);
    QFETCH(int, part1);
    QFETCH(int, part2);
    QFETCH(QString, parts);
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    w.setWindowTitle(U("Miravel6 - /tmp/luci.dm6"));
    const int cell = 8 * 4; // output 5, phase 1: ramps start from their own level
    Press(f, cell, path);
    EffGrid expected{};
    expected[cell] = Rec(part1, part2);
    QCOMPARE(w.EffSet(), expected);
    QCOMPARE(w.windowTitle(), U("Miravel6"));
    QCOMPARE(f.Child<QLabel>("lblEffMode", cell)->toolTip(),
             U("Uscita5 Fase1 - ") + parts + U(" - Tremolo: Off - Random: Off"));
    // The board image and its text follow: the cell's byte holds both Part codes.
    const QString line = U("%1:%2")
                             .arg(8 + cell, 2, 16, QLatin1Char('0'))
                             .arg(part1 * 16 + part2, 2, 16, QLatin1Char('0'));
    QVERIFY(f.Child<QPlainTextEdit>(U("txtEdata"))->toPlainText().contains(line.toUpper()));
}

void TstEffectMenus::darkCellOffersNoFlickerAndDropsIt() {
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    Press(f, 0, {U("Tremolo"), U("Velocità fissa1 - Lum -25%")});
    QCOMPARE(f.ui.menuErrors.size(), 1); // disabled: nothing to choose
    QVERIFY(!f.ui.menus[0].items[8].enabled && !f.ui.menus[0].items[9].enabled);
    f.ui.menuErrors.clear();

    Press(f, 0, {kP1, U("Massima")});
    QCOMPARE(w.EffSet()[0], Rec(7, 0));
    Press(f, 0, {U("Tremolo"), U("Velocità fissa1 - Lum -25%")});
    Press(f, 0, {U("Accensione casuale"), U("On")});
    QCOMPARE(f.Child<QLabel>("lblEffMode", 0)->text(), U("T5 R"));
    Press(f, 0, {kP2, U("Crescente 6%")});
    Press(f, 0, {kP1, U("Spenta")});
    QCOMPARE(w.EffSet()[0], Rec(0, 8, 5, true)); // still lit in Part 2
    Press(f, 0, {kOnoffP2, U("0 - 0 - 0")});
    QCOMPARE(w.EffSet()[0], Rec(0, 0));
    QCOMPARE(f.Child<QLabel>("lblEffMode", 0)->text(), U("-- -"));
    QVERIFY(f.ui.menuErrors.isEmpty());
}

void TstEffectMenus::stepCaptionFollowsPhaseAndLocale_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("duration");
    QTest::addColumn<QString>("step");
    const QLocale it(QLocale::Italian, QLocale::Italy);
    QTest::newRow("1 min, it") << it << U("1 min") << U("10,0sec");
    QTest::newRow("1 min, en") << QLocale(QLocale::English) << U("1 min") << U("10.0sec");
    QTest::newRow("6 min") << it << U("6 min") << U("1min ");
    QTest::newRow("OFF") << it << U("OFF") << QString();
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
    Press(f, 8 * 6 + 2, {}); // phase 3 ("OFF" hides the cell; the label takes the press anyway)
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QCOMPARE(f.ui.menus.at(0).items[3].caption, U("OnOff Parte1 (passo ") + step + U(")"));
    QCOMPARE(f.ui.menus.at(0).items[6].caption, U("OnOff Parte2 (passo ") + step + U(")"));
}

void TstEffectMenus::copyAndPasteCellRowAndColumn() {
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    auto pasteStates = [&f] {
        Press(f, 0, {}, Qt::RightButton);
        QString states;
        for (const MenuEntry& item : f.ui.menus.back().items[2].items) {
            states += item.enabled ? QLatin1Char('1') : QLatin1Char('0');
        }
        return states;
    };
    QCOMPARE(pasteStates(), U("000"));

    // Cell 0 with every field set, copied onto cell 79.
    Press(f, 0, {kPresets, U("Crescente 12%")});
    Press(f, 0, {U("Tremolo"), U("Velocità casuale - Lum -6%")});
    Press(f, 0, {U("Accensione casuale"), U("On")});
    w.setWindowTitle(U("Miravel6 - /tmp/a.dm6"));
    Command(f, 0, "Copia", "Effetto");
    QCOMPARE(w.windowTitle(), U("Miravel6 - /tmp/a.dm6")); // a copy keeps the title
    QCOMPARE(pasteStates(), U("100"));
    Command(f, 79, "Incolla", "Effetto");
    QCOMPARE(w.EffSet()[79], Rec(9, 9, 1, true));
    QCOMPARE(f.Child<QLabel>("lblEffMode", 79)->text(), U("T1 R"));
    QCOMPARE(w.windowTitle(), U("Miravel6"));

    // Output 3 copied, edited, pasted back from another of its cells.
    Press(f, 20, {kP1, U("Decrescente 6%")});
    Press(f, 23, {kOnoffP2, U("1 - 1 - 0")});
    const EffGrid before = w.EffSet();
    Command(f, 17, "Copia", "Uscita (riga)");
    Command(f, 20, "Azzera", "Uscita (riga)");
    Press(f, 18, {kPresets, U("On")});
    Command(f, 22, "Incolla", "Uscita (riga)");
    QCOMPARE(w.EffSet(), before);

    // Phase 8 pasted on phase 1: every output gets its own phase-8 record.
    Command(f, 8 * 9 + 7, "Copia", "Fase (colonna)");
    QCOMPARE(pasteStates(), U("111"));
    Command(f, 8 * 5, "Incolla", "Fase (colonna)");
    for (int i = 0; i < 80; ++i) {
        QCOMPARE(w.EffSet()[i], before[i % 8 == 0 ? i + 7 : i]);
    }
    QVERIFY(f.ui.menuErrors.isEmpty());
}

void TstEffectMenus::clearScopesAndTitle() {
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    for (const int cell : {0, 7, 9, 15, 47, 72, 79}) {
        Press(f, cell, {kPresets, U("On")});
    }
    auto lit = [&w] {
        QList<int> cells;
        for (int i = 0; i < 80; ++i) {
            if (w.EffSet()[i] != typEffSet{}) {
                cells << i;
            }
        }
        return cells;
    };
    const QString file = U("Miravel6 - /tmp/a.dm6");
    w.setWindowTitle(file);
    Press(f, 9, {U("Azzera"), U("Effetto")}, Qt::MiddleButton);
    QCOMPARE(lit(), (QList<int>{0, 7, 15, 47, 72, 79}));
    QCOMPARE(w.windowTitle(), U("Miravel6"));
    Command(f, 10, "Azzera", "Uscita (riga)");
    Command(f, 23, "Azzera", "Fase (colonna)");
    QCOMPARE(lit(), (QList<int>{0, 72}));
    QCOMPARE(Captions(f.ui.menus.back()), U("Azzera|Copia|Incolla"));
    QCOMPARE(Captions(f.ui.menus.back().items[0]), U("Effetto|Uscita (riga)|Fase (colonna)|Tutto"));
    w.setWindowTitle(file);
    Press(f, 40, {}, Qt::RightButton); // closed without a choice
    QCOMPARE(w.windowTitle(), file);
    Command(f, 40, "Azzera", "Tutto");
    QCOMPARE(lit(), QList<int>{});
    QCOMPARE(w.windowTitle(), U("Miravel6"));
    QCOMPARE(f.Child<QLabel>("lblEffMode", 72)->toolTip(),
             U("Uscita10 Fase1 - Parte1: 000 - Parte2: 000 - Tremolo: Off - Random: Off"));
}

void TstEffectMenus::busyWindowIgnoresPresses() {
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    auto* timer = w.findChild<QTimer*>(U("tmrTimeCursor"));
    timer->start(100);
    QTest::mouseClick(f.Child<QLabel>("lblEffMode", 9), Qt::LeftButton);
    QTest::mouseClick(f.Child<QLabel>("lblEffMode", 9), Qt::RightButton);
    QTest::mouseClick(f.Child<QLabel>("lblOutName", 2), Qt::LeftButton);
    QTest::mouseClick(f.Child<QLabel>("lblFaseName", 6), Qt::LeftButton);
    timer->stop();
    QVERIFY(f.ui.menus.empty());
    Press(f, 9, {}); // and they answer again once the cursor stops
    QCOMPARE(f.ui.menus.size(), size_t{1});
}

void TstEffectMenus::realMenuUnderTheKeyboard() {
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    QtModalUi real;
    const MenuEntry menu = EffectSettingsMenu(Rec(7, 0), U("1,7sec"));
    // Down twice passes the separator to "Luminosità Parte1"; Right opens it on "Spenta"; Down
    // twice to "Crescente 6%" and Enter. Escape closes the second menu without a choice.
    QStringList marked;
    auto drive = [&marked] {
        QWidget* top = QApplication::activePopupWidget();
        QTest::keyClick(top, Qt::Key_Down);
        QTest::keyClick(top, Qt::Key_Down);
        QTest::keyClick(top, Qt::Key_Right);
        auto* sub = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (sub != nullptr && sub != top) {
            for (const QAction* action : sub->actions()) {
                if (action->isCheckable() && action->isChecked()) {
                    marked << action->text();
                }
            }
            QTest::keyClick(sub, Qt::Key_Down);
            QTest::keyClick(sub, Qt::Key_Down);
            QTest::keyClick(sub, Qt::Key_Return);
        }
        while (QWidget* open = QApplication::activePopupWidget()) {
            open->close(); // never leave the test waiting for a user
        }
    };
    QTimer::singleShot(0, &w, drive);
    const std::optional<EffectChoice> choice =
        DecodeEffectId(real.PopupMenu(&w, menu, w.mapToGlobal(QPoint(50, 50))));
    QCOMPARE(marked, QStringList{U("Massima")});
    QVERIFY(choice.has_value());
    QCOMPARE(ApplyEffItem(Rec(7, 0), choice->menu, choice->index), Rec(8, 0));

    QTimer::singleShot(0, &w, [] {
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        while (QWidget* open = QApplication::activePopupWidget()) {
            open->close();
        }
    });
    QCOMPARE(real.PopupMenu(&w, menu, w.mapToGlobal(QPoint(50, 50))), -1);
}

QTEST_MAIN(TstEffectMenus)
#include "tst_effect_menus.moc"
