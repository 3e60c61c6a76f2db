// A spoilt settings store and a report file that cannot be written: the window still
// starts, works and closes, and says only what it must.

#include "tests/support/window_fixture.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {

QString U(const char* text) {
    return QString::fromUtf8(text);
}

// Where the window's per-user settings live under the fixture's settings folder.
QString SettingsFile(const WindowFixture& f) {
    return f.SettingsFolderPath() + QStringLiteral("/Miravel6/Miravel6.conf");
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray BinaryJunk() {
    QByteArray bytes;
    for (int i = 0; i < 4096; ++i) {
        bytes += static_cast<char>((i * 37 + 11) & 0xFF);
    }
    return bytes;
}

enum class Spoil { Contents, FolderInItsPlace, FileInPlaceOfItsFolder };

} // namespace

Q_DECLARE_METATYPE(Spoil)

class TstRobustness : public QObject {
    Q_OBJECT

private slots:
    void spoiltSettingsStoreStillStartsAndCloses_data();
    void spoiltSettingsStoreStillStartsAndCloses();
    void unwritableReportIsToldOnEveryRefresh();
};

void TstRobustness::spoiltSettingsStoreStillStartsAndCloses_data() {
    QTest::addColumn<Spoil>("spoil");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<int>("selected");  // in cboComm at start-up; -1: none
    QTest::addColumn<bool>("storable"); // the port chosen at close can be stored

    QTest::newRow("binary junk") << Spoil::Contents << BinaryJunk() << 0 << true;
    QTest::newRow("empty file") << Spoil::Contents << QByteArray() << 0 << true;
    QTest::newRow("key without =")
        << Spoil::Contents << QByteArray("[frmMain]\ncboComm\n") << 0 << true;
    QTest::newRow("section header never closed, junk lines")
        << Spoil::Contents << QByteArray("[frmMain\n=\n\x01\x02\x03\n[]]\n") << 0 << true;
    QTest::newRow("value of an unknown type")
        << Spoil::Contents << QByteArray("[frmMain]\ncboComm=@Invalid()\n") << -1 << true;
    QTest::newRow("serialised value cut short")
        << Spoil::Contents
        << QByteArray("[frmMain]\ncboComm=@Variant(\\0\\0\\0\\x7f\\xff\\xff\\xff\\xff\n") << -1
        << true;
    QTest::newRow("list instead of a number")
        << Spoil::Contents << QByteArray("[frmMain]\ncboComm=3, 4\n") << -1 << true;
    QTest::newRow("a folder in its place") << Spoil::FolderInItsPlace << QByteArray() << 0 << false;
    QTest::newRow("a file in place of its folder")
        << Spoil::FileInPlaceOfItsFolder << QByteArray() << 0 << false;
}

void TstRobustness::spoiltSettingsStoreStillStartsAndCloses() {
    QFETCH(Spoil, spoil);
    QFETCH(QByteArray, contents);
    QFETCH(int, selected);
    QFETCH(bool, storable);

    WindowFixture f;
    const QString folder = f.SettingsFolderPath() + QStringLiteral("/Miravel6");
    switch (spoil) {
    case Spoil::Contents:
        QVERIFY(QDir().mkpath(folder));
        WriteFile(SettingsFile(f), contents);
        break;
    case Spoil::FolderInItsPlace:
        QVERIFY(QDir().mkpath(SettingsFile(f)));
        break;
    case Spoil::FileInPlaceOfItsFolder:
        WriteFile(folder, "not a folder");
        break;
    }

    frmMain& w = f.Open();
    w.show();
    auto* ports = f.Child<QComboBox>(QStringLiteral("cboComm"));
    QCOMPARE(ports->currentIndex(), selected);
    QVERIFY(f.ui.messages.empty());
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6"));
    QCOMPARE(f.Child<QLabel>("lblEffMode", 0)->text(), QStringLiteral("-- -"));

    // The user picks COM5 and closes: no message, the window goes.
    ports->setFocus();
    QTest::keyClick(ports, Qt::Key_Home);
    for (int k = 0; k < 4; ++k) {
        QTest::keyClick(ports, Qt::Key_Down);
    }
    QCOMPARE(ports->currentText(), QStringLiteral("COM5"));
    QVERIFY(w.close());
    QVERIFY(!w.isVisible());
    QVERIFY(f.ui.messages.empty());

    if (storable) {
        // The store is written afresh and holds the choice.
        const QByteArray stored = ReadFile(SettingsFile(f));
        QVERIFY2(stored.contains("[frmMain]") && stored.contains("cboComm=4"), stored.constData());
    } else {
        QCOMPARE(QFileInfo(SettingsFile(f)).isDir(), spoil == Spoil::FolderInItsPlace);
    }
}

void TstRobustness::unwritableReportIsToldOnEveryRefresh() {
    WindowFixture f;
    // A folder in the report's place cannot be opened for writing, not even by root.
    QVERIFY(QDir(f.FolderPath()).mkdir(QStringLiteral("light_value.txt")));
    frmMain& w = f.Open();
    w.show();
    const QString told = QStringLiteral("Impossibile scrivere i valori sul file ") +
                         QDir::toNativeSeparators(f.FolderPath()) + QDir::separator() +
                         QStringLiteral("light_value.txt");
    QCOMPARE(f.ui.messages.size(), std::size_t{1});
    auto* firstCell = f.Child<QLabel>("lblEffMode", 0);
    auto* text = f.Child<QPlainTextEdit>(QStringLiteral("txtEdata"));

    const QString emptyTip = firstCell->toolTip();

    // An effect chosen in the menu: drawn, in the image, and told once more.
    f.ui.menuChoices.push_back({U("Luminosità Parte1"), U("Crescente 25%")});
    QTest::mouseClick(firstCell, Qt::LeftButton);
    QCOMPARE(f.ui.messages.size(), std::size_t{2});
    QCOMPARE(w.EffSet()[0].bytePart1, 10);
    const QString editedTip = firstCell->toolTip();
    QVERIFY(editedTip != emptyTip);

    // Copy the row to the last output: paste is an edit too.
    f.ui.menuChoices.push_back({QStringLiteral("Copia"), QStringLiteral("Uscita (riga)")});
    QTest::mouseClick(firstCell, Qt::RightButton);
    QCOMPARE(f.ui.messages.size(), std::size_t{2});
    f.ui.menuChoices.push_back({QStringLiteral("Incolla"), QStringLiteral("Uscita (riga)")});
    QTest::mouseClick(f.Child<QLabel>("lblEffMode", 72), Qt::RightButton);
    QCOMPARE(f.ui.messages.size(), std::size_t{3});
    QVERIFY(w.EffSet()[72] == w.EffSet()[0]);
    const QString editedImage = text->toPlainText();

    // Saving draws nothing, so it says nothing; the file is complete.
    const QString saved = QDir(f.FolderPath()).filePath(QStringLiteral("prova.dm6"));
    f.ui.saveAnswers.push_back(saved);
    QTest::mouseClick(f.Child<QPushButton>(QStringLiteral("cmdFileSave")), Qt::LeftButton);
    QCOMPARE(f.ui.messages.size(), std::size_t{3});
    QVERIFY(ReadFile(saved).endsWith("\r\n79=00;00;0;0\r\n"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6 - ") + saved);

    // Clearing everything, then opening the saved file brings the edits back.
    f.ui.menuChoices.push_back({QStringLiteral("Azzera"), QStringLiteral("Tutto")});
    QTest::mouseClick(firstCell, Qt::RightButton);
    QCOMPARE(f.ui.messages.size(), std::size_t{4});
    QCOMPARE(firstCell->toolTip(), emptyTip);
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6"));

    f.ui.openAnswers.push_back(saved);
    QTest::mouseClick(f.Child<QPushButton>("cmdFileOpen", 0), Qt::LeftButton);
    QCOMPARE(f.ui.messages.size(), std::size_t{5});
    QCOMPARE(firstCell->toolTip(), editedTip);
    QCOMPARE(text->toPlainText(), editedImage);
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6 - ") + saved);

    for (const RecordedMessage& message : f.ui.messages) {
        QCOMPARE(message.text, told);
        QCOMPARE(message.icon, MsgIcon::Critical);
    }
    QVERIFY(f.ui.menuErrors.isEmpty());
    QVERIFY(QFileInfo(QDir(f.FolderPath()).filePath(QStringLiteral("light_value.txt"))).isDir());
    QVERIFY(w.close());
}

QTEST_MAIN(TstRobustness)
#include "tst_robustness.moc"
