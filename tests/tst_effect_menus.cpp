// Effect editing on the grid: the two cell menus and what their items store and show.

#include "tests/support/utf8.h"
#include "tests/support/window_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QtTest>

namespace {

// Every phase starts at "10 sec": a step of 1,7 seconds in the Italian locale.
const QString kPresets = U("Effetti Parte1+Parte2"), kP1 = U("Luminosità Parte1"),
              kOnoffP2 = U("OnOff Parte2 (passo 1,7sec)");

void Command(WindowFixture& f, int cell, const char* command, const char* item) {
    f.ClickCell(cell, {U(command), U(item)}, Qt::RightButton);
}

// The caption of the checked item of each submenu (none: empty), joined by "|".
QString Marks(const MenuEntry& menu) {
    QStringList marks;
    for (const MenuEntry& sub : menu.items) {
        if (!sub.separator) {
            marks << QString();
            for (const MenuEntry& item : sub.items) {
                marks.back() += item.checked ? item.caption : QString();
            }
        }
    }
    return marks.join(QLatin1Char('|'));
}

} // namespace

class TstEffectMenus : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void settingsMenuAtTheMouse();
    void itemsStoreShowAndMark();
    void clearCopyAndPaste();
};

void TstEffectMenus::settingsMenuAtTheMouse() {
    WindowFixture f;
    f.Show();
    auto* third = f.Child<QComboBox>("cboFaseTime", 2);
    third->setCurrentIndex(third->findText(U("1 min")));
    // The step the OnOff items show is phase 3's, with the user's decimal separator (the step's
    // text is unit-tested).
    QLocale::setDefault(QLocale(QLocale::English));
    const int cell = 8 * 6 + 2;
    f.ClickCell(cell, {});
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    const MenuEntry& menu = f.ui.menus.back();
    QCOMPARE(menu.caption, U("Impostazioni effetti"));
    QCOMPARE(Captions(menu), U("Effetti Parte1+Parte2|-|Luminosità Parte1|OnOff Parte1 (passo "
                               "10.0sec)|-|Luminosità Parte2|OnOff Parte2 (passo 10.0sec)|-|"
                               "Tremolo|Accensione casuale"));
    // A dark cell offers neither flicker nor random switch-on (itemsStoreShowAndMark lights one).
    QVERIFY(!menu.items[8].enabled && !menu.items[9].enabled);
    QLabel* label = f.Child<QLabel>("lblEffMode", cell);
    QCOMPARE(f.ui.menuPositions.back(), label->mapToGlobal(label->rect().center()));
    QCOMPARE(f.window().EffSet(), EffGrid{}); // closing it changes nothing
}

void TstEffectMenus::itemsStoreShowAndMark() {
    WindowFixture f;
    frmMain& w = f.Show();
    const int cell = 8 * 4; // output 5, phase 1: ramps start from their own level
    // What each item stores and marks is unit-tested; here a preset and each other kind of
    // submenu reach the cell, its tooltip, the image and the marks.
    for (const char* choice : {"Effetti Parte1+Parte2>On", "Luminosità Parte1>Crescente 6%",
                               "Tremolo>Velocità fissa2 - Lum -25%", "Accensione casuale>On"}) {
        w.setWindowTitle(U("Miravel6 - /tmp/luci.dm6"));
        f.ClickCell(cell, U(choice).split(QLatin1Char('>')));
        QCOMPARE(w.windowTitle(), U("Miravel6"));
    }
    EffGrid expected{};
    expected[cell] = {8, 7, 6, kTrue};
    QCOMPARE(w.EffSet(), expected);
    QCOMPARE(f.Child<QLabel>("lblEffMode", cell)->toolTip(),
             U("Uscita5 Fase1 - Parte1: Rampa 0-->32 - Parte2: 111 - Tremolo: Tipo6 - Random: On"));
    QCOMPARE(w.EdataImage()[8 + cell], 8 * 16 + 7); // the image follows
    f.ClickCell(cell, {});
    QVERIFY2(f.ui.menuErrors.isEmpty(), qPrintable(f.ui.menuErrors.join(QLatin1Char(';'))));
    QCOMPARE(Marks(f.ui.menus.back()),
             U("|Crescente 6%||Massima|1 - 1 - 1|Velocità fissa2 - Lum -25%|On"));
}

void TstEffectMenus::clearCopyAndPaste() {
    WindowFixture f;
    frmMain& w = f.Show();
    const QString file = U("Miravel6 - /tmp/a.dm6");
    auto pasteStates = [&f] {
        f.ClickCell(0, {}, Qt::RightButton);
        QString states;
        for (const MenuEntry& item : f.ui.menus.back().items[2].items) {
            states += item.enabled ? QLatin1Char('1') : QLatin1Char('0');
        }
        return states;
    };
    QCOMPARE(pasteStates(), U("000"));
    QCOMPARE(Captions(f.ui.menus.back()), U("Azzera|Copia|Incolla"));
    QCOMPARE(Captions(f.ui.menus.back().items[0]), U("Effetto|Uscita (riga)|Fase (colonna)|Tutto"));

    // Cell 0 with every field set, copied onto cell 79: a copy keeps the title, a paste not.
    f.ClickCell(0, {kPresets, U("Crescente 12%")});
    f.ClickCell(0, {U("Tremolo"), U("Velocità casuale - Lum -6%")});
    f.ClickCell(0, {U("Accensione casuale"), U("On")});
    w.setWindowTitle(file);
    Command(f, 0, "Copia", "Effetto");
    QCOMPARE(w.windowTitle(), file);
    QCOMPARE(pasteStates(), U("100"));
    Command(f, 79, "Incolla", "Effetto");
    QCOMPARE(w.EffSet()[79], (typEffSet{9, 9, 1, kTrue}));
    QCOMPARE(f.Child<QLabel>("lblEffMode", 79)->text(), U("T1 R"));
    QCOMPARE(w.windowTitle(), U("Miravel6"));

    // Output 3 copied, cleared, edited, pasted back from another of its cells.
    f.ClickCell(20, {kP1, U("Decrescente 6%")});
    f.ClickCell(23, {kOnoffP2, U("1 - 1 - 0")});
    EffGrid expected = w.EffSet();
    Command(f, 17, "Copia", "Uscita (riga)");
    Command(f, 20, "Azzera", "Uscita (riga)");
    QCOMPARE(w.EffSet()[23], typEffSet{}); // the row, not only the cell clicked
    f.ClickCell(18, {kPresets, U("On")});
    Command(f, 22, "Incolla", "Uscita (riga)");
    QCOMPARE(w.EffSet(), expected);

    // Phase 8 pasted on phase 2: every output gets its own phase-8 record.
    Command(f, 8 * 9 + 7, "Copia", "Fase (colonna)");
    Command(f, 8 * 5 + 1, "Incolla", "Fase (colonna)");
    for (std::size_t i = 0; i < 80; i += 8) {
        expected[i + 1] = expected[i + 7];
    }
    QCOMPARE(w.EffSet(), expected);

    // A cell (by the middle button too), then a column, then everything is cleared.
    w.setWindowTitle(file);
    f.ClickCell(20, {U("Azzera"), U("Effetto")}, Qt::MiddleButton);
    QCOMPARE(w.windowTitle(), U("Miravel6"));
    Command(f, 32, "Azzera", "Fase (colonna)");
    expected[20] = {};
    for (std::size_t i = 0; i < 80; i += 8) {
        expected[i] = {};
    }
    QCOMPARE(w.EffSet(), expected);
    Command(f, 40, "Azzera", "Tutto");
    QCOMPARE(w.EffSet(), EffGrid{});
    QCOMPARE(w.windowTitle(), U("Miravel6"));
    QVERIFY(f.ui.menuErrors.isEmpty());
}

QTEST_MAIN(TstEffectMenus)
#include "tst_effect_menus.moc"
