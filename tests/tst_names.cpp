// The name labels' menu: renaming with its refusals, defaults, the Info box and the help file.

#include "tests/support/utf8.h"
#include "tests/support/window_fixture.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QtTest>

namespace {

// Output labels are 0..9, phase labels 10..17.
QLabel* Name(WindowFixture& f, int label) {
    return label < 10 ? f.Child<QLabel>("lblOutName", label)
                      : f.Child<QLabel>("lblFaseName", label - 10);
}

// Clicks a name label and chooses `item` of "Impostazioni nomi" (empty: closes the menu).
void Choose(WindowFixture& f, int label, const QString& item) {
    f.ui.menuChoices.push_back(item.isEmpty() ? QStringList{} : QStringList{item});
    QTest::mouseClick(Name(f, label), Qt::LeftButton);
}

const QString kFileTitle = U("Miravel6 - /tmp/giardino.dm6");

} // namespace

class TstNames : public QObject {
    Q_OBJECT

private slots:
    void rename();
    void defaultsInfoAndHelp();
};

void TstNames::rename() {
    const QString phase8 = U("Introdurre il nome della Fase temporale 8");
    const struct {
        int label;
        QString prompt;
        QString typed;   // empty: the input box is cancelled
        QString refusal; // the message; empty: the name is taken
    } cases[] = {
        // blanks, a tab and Windows-1252, then each refusal's text (the rules are unit-tested)
        {9, U("Introdurre il nome dell' Uscita 10"), U(" Città\t“sì” € Œ ž "), {}},
        {17, phase8, U("Ω luce ☺ 😀 Ω"),
         U("Questi caratteri non possono essere salvati in un file di configurazione:\r\n"
           "Ω (U+03A9)\r\n☺ (U+263A)\r\n😀 (U+1F600)\r\nIl nome non è stato modificato.")},
        {17, phase8, U("Luce\r\nsala"),
         U("Il nome deve stare su una sola riga: non può contenere un ritorno a capo.\r\n"
           "Il nome non è stato modificato.")},
        {9, U("Introdurre il nome dell' Uscita 10"), {}, {}}}; // cancelled; offers the name taken
    WindowFixture f;
    frmMain& w = f.Show();
    for (const auto& c : cases) {
        w.setWindowTitle(kFileTitle);
        const QString before = Name(f, c.label)->text();
        f.ui.inputAnswers.push_back(c.typed);
        f.ui.menus.clear();
        f.ui.inputs.clear();
        f.ui.messages.clear();
        Choose(f, c.label, U("Modifica"));
        QCOMPARE(f.ui.menus.at(0).caption + U("|") + Captions(f.ui.menus[0]),
                 U("Impostazioni nomi|Modifica|Default|Default tutti|-|Info|Guida"));
        const RecordedInput& input = f.ui.inputs.at(0);
        QCOMPARE(input.prompt + U("|") + input.title + U("|") + input.defaultText,
                 c.prompt + U("|Modifica nome|") + before);
        const bool taken = !c.typed.isEmpty() && c.refusal.isEmpty();
        QCOMPARE(Name(f, c.label)->text(), taken ? c.typed : before);
        QCOMPARE(w.windowTitle(), taken ? U("Miravel6") : kFileTitle);
        QCOMPARE(f.ui.messages.size(), c.refusal.isEmpty() ? 0U : 1U);
        for (const RecordedMessage& message : f.ui.messages) {
            QCOMPARE(message.text, c.refusal);
            QVERIFY(message.icon == MsgIcon::Exclamation && message.caption == U("Miravel6"));
        }
    }
}

void TstNames::defaultsInfoAndHelp() {
    WindowFixture f;
    frmMain& w = f.Show();
    for (int k = 0; k < 18; ++k) {
        f.ui.inputAnswers.push_back(U("N%1").arg(k));
        Choose(f, k, U("Modifica"));
    }
    w.setWindowTitle(kFileTitle);
    Choose(f, 3, QString()); // a closed menu changes nothing
    QCOMPARE(w.windowTitle(), kFileTitle);
    Choose(f, 9, U("Default"));
    Choose(f, 11, U("Default"));
    QCOMPARE(Name(f, 9)->text() + Name(f, 11)->text() + Name(f, 8)->text(), U("Uscita 10Fase 2N8"));
    QCOMPARE(w.windowTitle(), U("Miravel6"));

    w.setWindowTitle(kFileTitle);
    Choose(f, 15, U("Default tutti")); // from a phase label: outputs too
    QCOMPARE(Name(f, 0)->text() + Name(f, 17)->text(), U("Uscita 1Fase 8"));
    QCOMPARE(w.windowTitle(), U("Miravel6"));

    // Info shows the window's durations (the text is unit-tested) and changes nothing.
    f.Child<QComboBox>("cboFaseTime", 1)->setCurrentIndex(63);
    w.setWindowTitle(kFileTitle);
    Choose(f, 0, U("Info"));
    QVERIFY(f.ui.messages.at(0).text.startsWith(U("Miravel6\r\n\r\nTempi")));
    QVERIFY(f.ui.messages[0].text.contains(U("Fase 2: 12:00:00 / 8448\r\nFase 3: 00:00:10")));
    QVERIFY(f.ui.messages[0].icon == MsgIcon::Information &&
            f.ui.messages[0].caption == U("Miravel6"));
    QCOMPARE(w.windowTitle(), kFileTitle);

    Choose(f, 13, U("Guida"));
    QCOMPARE(f.ui.helpFiles, QStringList{f.FolderPath() + QDir::separator() + U("miravel6.hlp")});
}

QTEST_MAIN(TstNames)
#include "tst_names.moc"
