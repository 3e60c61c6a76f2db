// The name labels' menu: renaming with its refusals, defaults, the Info box and the help file.

#include "tests/support/window_fixture.h"

#include <QDir>
#include <QLabel>
#include <QtTest>

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QLabel* Name(WindowFixture& f, bool output, int index) {
    return f.Child<QLabel>(output ? "lblOutName" : "lblFaseName", index);
}

// Clicks a name label and chooses `item` of "Impostazioni nomi" (empty: closes the menu).
void Choose(WindowFixture& f, bool output, int index, const QString& item) {
    f.ui.menuChoices.push_back(item.isEmpty() ? QStringList{} : QStringList{item});
    QTest::mouseClick(Name(f, output, index), Qt::LeftButton);
}

const QString kFileTitle = U("Miravel6 - /tmp/giardino.dm6");

} // namespace

class TstNames : public QObject {
    Q_OBJECT

private slots:
    void renameTakesTheTypedName_data();
    void renameTakesTheTypedName();
    void cancelChangesNothing();
    void refusedNames_data();
    void refusedNames();
    void defaultsOfOneAndOfAll();
    void infoAndHelp();
};

void TstNames::renameTakesTheTypedName_data() {
    QTest::addColumn<bool>("output");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("typed");
    QTest::newRow("phase 3") << false << 2 << U("Introdurre il nome della Fase temporale 3")
                             << U("Alba");
    QTest::newRow("output 10, blanks and Windows-1252")
        << true << 9 << U("Introdurre il nome dell' Uscita 10") << U(" Città “vecchia” € ");
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
    const QString before = Name(f, output, index)->text();
    f.ui.inputAnswers.push_back(typed);
    Choose(f, output, index, U("Modifica"));
    QCOMPARE(f.ui.menus.at(0).caption, U("Impostazioni nomi"));
    QStringList captions;
    for (const MenuEntry& entry : f.ui.menus[0].items) {
        captions << (entry.separator ? U("-") : entry.caption);
    }
    QCOMPARE(captions.join(QLatin1Char('|')), U("Modifica|Default|Default tutti|-|Info|Guida"));
    QCOMPARE(f.ui.inputs.at(0).prompt, prompt);
    QCOMPARE(f.ui.inputs[0].title, U("Modifica nome"));
    QCOMPARE(f.ui.inputs[0].defaultText, before);
    QCOMPARE(Name(f, output, index)->text(), typed);
    QCOMPARE(w.windowTitle(), U("Miravel6"));
    Choose(f, output, index, U("Modifica")); // the next rename offers the new name
    QCOMPARE(f.ui.inputs.at(1).defaultText, typed);
    QVERIFY(f.ui.messages.empty());
}

void TstNames::cancelChangesNothing() {
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    w.setWindowTitle(kFileTitle);
    Choose(f, true, 3, U("Modifica")); // the input box answers empty
    Choose(f, false, 0, QString());    // the menu is closed
    QCOMPARE(f.ui.inputs.size(), size_t{1});
    QCOMPARE(Name(f, true, 3)->text(), U("Uscita 4"));
    QCOMPARE(w.windowTitle(), kFileTitle);
    QVERIFY(f.ui.messages.empty());
}

void TstNames::refusedNames_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    const QString kept = U("\r\nIl nome non è stato modificato.");
    QTest::newRow("Greek and an emoji")
        << U("Ω luce 😀 Ω")
        << U("Questi caratteri non possono essere salvati in un file di configurazione:\r\n"
             "Ω (U+03A9)\r\n😀 (U+1F600)") +
               kept;
    const QString oneLine =
        U("Il nome deve stare su una sola riga: non può contenere un ritorno a capo.") + kept;
    QTest::newRow("CR LF") << U("Luce\r\nsala") << oneLine;
    QTest::newRow("LF and Greek") << U("Ω\n") << oneLine;
}

void TstNames::refusedNames() {
    QFETCH(QString, typed);
    QFETCH(QString, message);
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    w.setWindowTitle(kFileTitle);
    f.ui.inputAnswers.push_back(typed);
    Choose(f, false, 7, U("Modifica"));
    QCOMPARE(f.ui.messages.size(), size_t{1});
    QCOMPARE(f.ui.messages[0].text, message);
    QCOMPARE(f.ui.messages[0].icon, MsgIcon::Exclamation);
    QCOMPARE(f.ui.messages[0].caption, U("Miravel6"));
    QCOMPARE(Name(f, false, 7)->text(), U("Fase 8"));
    QCOMPARE(w.windowTitle(), kFileTitle);
}

void TstNames::defaultsOfOneAndOfAll() {
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    for (int k = 0; k < 18; ++k) {
        f.ui.inputAnswers.push_back(U("N%1").arg(k));
        Choose(f, k < 10, k < 10 ? k : k - 10, U("Modifica"));
    }
    w.setWindowTitle(kFileTitle);
    Choose(f, true, 9, U("Default"));
    Choose(f, false, 1, U("Default"));
    QCOMPARE(Name(f, true, 9)->text(), U("Uscita 10"));
    QCOMPARE(Name(f, false, 1)->text(), U("Fase 2"));
    QCOMPARE(Name(f, true, 8)->text(), U("N8"));
    QCOMPARE(w.windowTitle(), U("Miravel6"));

    w.setWindowTitle(kFileTitle);
    Choose(f, false, 5, U("Default tutti")); // from a phase label: outputs too
    for (int k = 0; k < 18; ++k) {
        QCOMPARE(Name(f, k < 10, k < 10 ? k : k - 10)->text(),
                 k < 10 ? U("Uscita %1").arg(k + 1) : U("Fase %1").arg(k - 9));
    }
    QCOMPARE(w.windowTitle(), U("Miravel6"));
}

void TstNames::infoAndHelp() {
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    w.setWindowTitle(kFileTitle);
    Choose(f, true, 0, U("Info"));
    QString expected = U("Miravel6\r\n\r\nTempi / Impulsi espansione\r\n");
    for (int p = 1; p <= 8; ++p) {
        expected += U("Fase %1: 00:00:10 / 256\r\n").arg(p);
    }
    expected += U("\r\nTempo totale ciclo: 00:01:20\r\nImpulsi espansione ciclo: 2048");
    QCOMPARE(f.ui.messages.at(0).text, expected);
    QCOMPARE(f.ui.messages[0].icon, MsgIcon::Information);
    QCOMPARE(f.ui.messages[0].caption, U("Miravel6"));
    QCOMPARE(w.windowTitle(), kFileTitle); // only shows

    Choose(f, false, 3, U("Guida"));
    QCOMPARE(f.ui.helpFiles, QStringList{f.FolderPath() + QDir::separator() + U("miravel6.hlp")});
}

QTEST_MAIN(TstNames)
#include "tst_names.moc"
