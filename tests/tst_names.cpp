// The name labels' menu: renaming with its refusals, defaults, the Info box and the help file.

#include "tests/support/window_fixture.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QtTest>

namespace {

QLabel* NameLabel(WindowFixture& f, bool output, int index) {
    return output ? f.Child<QLabel>("lblOutName", index) : f.Child<QLabel>("lblFaseName", index);
}

// Clicks a name label and chooses `item` of "Impostazioni nomi".
void Choose(WindowFixture& f, bool output, int index, const QString& item) {
    f.ui.menuChoices.push_back({item});
    QTest::mouseClick(NameLabel(f, output, index), Qt::LeftButton);
}

const QString kFileTitle = QStringLiteral("Miravel6 - /tmp/giardino.dm6");

} // namespace

class TstNames : public QObject {
    Q_OBJECT

private slots:
    void menuOfANameLabel();
    void renameTakesTheTypedName_data();
    void renameTakesTheTypedName();
    void cancelOrEmptyChangesNothing();
    void refusedNames_data();
    void refusedNames();
    void defaultsOfOneAndOfAll();
    void infoForEightPhasesOfTenSeconds();
    void infoWithMixedDurations();
    void helpFileBesideTheProgram();
};

void TstNames::menuOfANameLabel() {
    WindowFixture f;
    f.Open().show();
    f.ui.menuChoices.push_back({}); // closed without a choice
    QTest::mouseClick(NameLabel(f, false, 4), Qt::LeftButton);
    QCOMPARE(f.ui.menus.size(), size_t{1});
    const MenuEntry& menu = f.ui.menus[0];
    QCOMPARE(menu.caption, QStringLiteral("Impostazioni nomi"));
    QStringList captions;
    for (const MenuEntry& entry : menu.items) {
        captions << (entry.separator ? QStringLiteral("-") : entry.caption);
        QVERIFY(entry.enabled && !entry.checked && entry.items.empty());
    }
    QCOMPARE(captions, (QStringList{QStringLiteral("Modifica"), QStringLiteral("Default"),
                                    QStringLiteral("Default tutti"), QStringLiteral("-"),
                                    QStringLiteral("Info"), QStringLiteral("Guida")}));
    QLabel* label = NameLabel(f, false, 4);
    QCOMPARE(f.ui.menuPositions[0], label->mapToGlobal(label->rect().center()));
}

void TstNames::renameTakesTheTypedName_data() {
    QTest::addColumn<bool>("output");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("typed");
    QTest::newRow("phase 3") << false << 2
                             << QStringLiteral("Introdurre il nome della Fase temporale 3")
                             << QStringLiteral("Alba");
    QTest::newRow("output 1") << true << 0 << QStringLiteral("Introdurre il nome dell' Uscita 1")
                              << QStringLiteral(" Luci cucina ");
    QTest::newRow("output 10, Windows-1252 text")
        << true << 9 << QStringLiteral("Introdurre il nome dell' Uscita 10")
        << QStringLiteral("Citt\u00e0 \u201cvecchia\u201d \u20ac");
}

void TstNames::renameTakesTheTypedName() {
    QFETCH(bool, output);
    QFETCH(int, index);
    QFETCH(QString, prompt);
    QFETCH(QString, typed);
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    w.setWindowTitle(kFileTitle);
    const QString before = NameLabel(f, output, index)->text();
    f.ui.inputAnswers.push_back(typed);
    Choose(f, output, index, QStringLiteral("Modifica"));
    QCOMPARE(f.ui.inputs.size(), size_t{1});
    QCOMPARE(f.ui.inputs[0].prompt, prompt);
    QCOMPARE(f.ui.inputs[0].title, QStringLiteral("Modifica nome"));
    QCOMPARE(f.ui.inputs[0].defaultText, before);
    QCOMPARE(NameLabel(f, output, index)->text(), typed); // blanks kept as typed
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6"));
    QVERIFY(f.ui.messages.empty());

    // The next rename offers the new name.
    Choose(f, output, index, QStringLiteral("Modifica"));
    QCOMPARE(f.ui.inputs[1].defaultText, typed);
}

void TstNames::cancelOrEmptyChangesNothing() {
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    w.setWindowTitle(kFileTitle);
    Choose(f, true, 3, QStringLiteral("Modifica")); // cancelled: the input box answers empty
    f.ui.inputAnswers.push_back(QString());
    Choose(f, false, 0, QStringLiteral("Modifica"));
    QCOMPARE(f.ui.inputs.size(), size_t{2});
    QCOMPARE(NameLabel(f, true, 3)->text(), QStringLiteral("Uscita 4"));
    QCOMPARE(NameLabel(f, false, 0)->text(), QStringLiteral("Fase 1"));
    QCOMPARE(w.windowTitle(), kFileTitle);
    QVERIFY(f.ui.messages.empty());
}

void TstNames::refusedNames_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("shownLines");
    const QString kept = QStringLiteral("Il nome non \u00e8 stato modificato.");
    const QString header =
        QStringLiteral("Questi caratteri non possono essere salvati in un file di configurazione:");
    QTest::newRow("Greek and an emoji")
        << QStringLiteral("\u03a9 luce \U0001F600 \u03a9")
        << QStringList{header, QStringLiteral("\u03a9 (U+03A9)"),
                       QStringLiteral("\U0001F600 (U+1F600)"), kept};
    QTest::newRow("Cyrillic") << QStringLiteral("\u0421\u0432\u0435\u0442")
                              << QStringList{header,
                                             QStringLiteral("\u0421 (U+0421)"),
                                             QStringLiteral("\u0432 (U+0432)"),
                                             QStringLiteral("\u0435 (U+0435)"),
                                             QStringLiteral("\u0442 (U+0442)"),
                                             kept};
    const QStringList oneLine = {
        QStringLiteral(
            "Il nome deve stare su una sola riga: non pu\u00f2 contenere un ritorno a capo."),
        kept};
    QTest::newRow("LF") << QStringLiteral("Luce\nsala") << oneLine;
    QTest::newRow("CR LF") << QStringLiteral("Luce\r\nsala") << oneLine;
    QTest::newRow("line break and Greek") << QStringLiteral("\u03a9\n") << oneLine;
}

void TstNames::refusedNames() {
    QFETCH(QString, typed);
    QFETCH(QStringList, shownLines);
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    w.setWindowTitle(kFileTitle);
    f.ui.inputAnswers.push_back(typed);
    Choose(f, false, 7, QStringLiteral("Modifica"));
    QCOMPARE(f.ui.messages.size(), size_t{1});
    QCOMPARE(f.ui.messages[0].text.split(QStringLiteral("\r\n")), shownLines);
    QCOMPARE(f.ui.messages[0].icon, MsgIcon::Exclamation);
    QCOMPARE(f.ui.messages[0].buttons, MsgButtons::Ok);
    QCOMPARE(f.ui.messages[0].caption, QStringLiteral("Miravel6"));
    QCOMPARE(NameLabel(f, false, 7)->text(), QStringLiteral("Fase 8"));
    QCOMPARE(w.windowTitle(), kFileTitle);
}

void TstNames::defaultsOfOneAndOfAll() {
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    for (int o = 0; o < 10; ++o) {
        f.ui.inputAnswers.push_back(QStringLiteral("U%1").arg(o));
        Choose(f, true, o, QStringLiteral("Modifica"));
    }
    for (int p = 0; p < 8; ++p) {
        f.ui.inputAnswers.push_back(QStringLiteral("F%1").arg(p));
        Choose(f, false, p, QStringLiteral("Modifica"));
    }
    w.setWindowTitle(kFileTitle);
    Choose(f, true, 9, QStringLiteral("Default"));
    QCOMPARE(NameLabel(f, true, 9)->text(), QStringLiteral("Uscita 10"));
    QCOMPARE(NameLabel(f, true, 8)->text(), QStringLiteral("U8"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6"));
    Choose(f, false, 1, QStringLiteral("Default"));
    QCOMPARE(NameLabel(f, false, 1)->text(), QStringLiteral("Fase 2"));
    QCOMPARE(NameLabel(f, false, 2)->text(), QStringLiteral("F2"));

    w.setWindowTitle(kFileTitle);
    Choose(f, false, 5, QStringLiteral("Default tutti")); // from a phase label
    for (int o = 0; o < 10; ++o) {
        QCOMPARE(NameLabel(f, true, o)->text(), QStringLiteral("Uscita %1").arg(o + 1));
    }
    for (int p = 0; p < 8; ++p) {
        QCOMPARE(NameLabel(f, false, p)->text(), QStringLiteral("Fase %1").arg(p + 1));
    }
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6"));
    QVERIFY(f.ui.menuErrors.isEmpty());
}

void TstNames::infoForEightPhasesOfTenSeconds() {
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    w.setWindowTitle(kFileTitle);
    Choose(f, true, 0, QStringLiteral("Info"));
    QCOMPARE(f.ui.messages.size(), size_t{1});
    const RecordedMessage& info = f.ui.messages[0];
    QString expected = QStringLiteral("Miravel6\r\n\r\nTempi / Impulsi espansione\r\n");
    for (int p = 1; p <= 8; ++p) {
        expected += QStringLiteral("Fase %1: 00:00:10 / 256\r\n").arg(p);
    }
    expected +=
        QStringLiteral("\r\nTempo totale ciclo: 00:01:20\r\nImpulsi espansione ciclo: 2048");
    QCOMPARE(info.text, expected);
    QCOMPARE(info.icon, MsgIcon::Information);
    QCOMPARE(info.buttons, MsgButtons::Ok);
    QCOMPARE(info.caption, QStringLiteral("Miravel6"));
    QCOMPARE(w.windowTitle(), kFileTitle); // only shows
}

void TstNames::infoWithMixedDurations() {
    WindowFixture f;
    f.Open().show();
    // A renamed phase still reads "Fase n" in the box.
    f.ui.inputAnswers.push_back(QStringLiteral("Notte"));
    Choose(f, false, 1, QStringLiteral("Modifica"));
    const QStringList durations = {QStringLiteral("12 ore"), QStringLiteral("OFF"),
                                   QStringLiteral("25 min"), QStringLiteral("8 ore")};
    for (int p = 0; p < durations.size(); ++p) {
        auto* combo = f.Child<QComboBox>("cboFaseTime", p);
        combo->setCurrentIndex(combo->findText(durations[p]));
    }
    Choose(f, false, 1, QStringLiteral("Info"));
    const QStringList lines = f.ui.messages.at(0).text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 14);
    QCOMPARE(lines.mid(3, 4), (QStringList{QStringLiteral("Fase 1: 12:00:00 / 8448"),
                                           QStringLiteral("Fase 2: 00:00:00 / 0"),
                                           QStringLiteral("Fase 3: 00:25:00 / 512"),
                                           QStringLiteral("Fase 4: 08:00:00 / 5632")}));
    // 20 h 25 min 40 s; 8448 + 512 + 5632 + 4 * 256 pulses.
    QCOMPARE(lines[12], QStringLiteral("Tempo totale ciclo: 20:25:40"));
    QCOMPARE(lines[13], QStringLiteral("Impulsi espansione ciclo: 15616"));
}

void TstNames::helpFileBesideTheProgram() {
    WindowFixture f;
    f.Open().show();
    Choose(f, false, 0, QStringLiteral("Guida"));
    Choose(f, true, 6, QStringLiteral("Guida"));
    const QString expected = f.FolderPath() + QDir::separator() + QStringLiteral("miravel6.hlp");
    QCOMPARE(f.ui.helpFiles, (QStringList{expected, expected}));
    QVERIFY(f.ui.messages.empty());
}

QTEST_MAIN(TstNames)
#include "tst_names.moc"
