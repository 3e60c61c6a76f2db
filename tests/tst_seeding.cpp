// Which folder a copy of the program uses, and how an installed copy fills the user's folder
// from the shipped files over several starts: copied when missing, updated when untouched,
// never over a file the user changed.

#include "files/program_folder.h"
#include "files/shipped_files.h"
#include "tests/support/file_bytes.h"
#include "window/qt_modal_ui.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

namespace {

const QString kExe = QStringLiteral("/opt/m6/bin");
const QString kShare = QStringLiteral("/opt/m6/share/miravel6");
const QString kUser = QStringLiteral("/home/u/.local/share/Miravel6");
const QString kSample = QStringLiteral("e_acq.dm6");

QByteArray Get(const QString& path) {
    return GetFile(path, "<none>");
}

// A shipped folder holding every file, the sample under test with these bytes.
bool Ship(const QString& folder, const QByteArray& sample) {
    bool ok = true;
    for (const QString& name : ShippedFileNames()) {
        ok = ok && PutFile(QDir(folder).filePath(name), name == kSample ? sample : name.toUtf8());
    }
    return ok;
}

} // namespace

class TstSeeding : public QObject {
    Q_OBJECT

private slots:
    void folderChoice_data();
    void folderChoice();
    void seedingOverTwoStarts_data();
    void seedingOverTwoStarts();
    void shippedFolderWithoutASample();
    void helpWindowShowsTheVersion();
};

void TstSeeding::folderChoice_data() {
    QTest::addColumn<bool>("holdsFiles");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<QString>("userFolder");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("seedFrom");
    QTest::newRow("build tree or unpacked copy") << true << true << kUser << kExe << QString();
    QTest::newRow("installed in /usr") << false << false << kUser << kUser << kShare;
    QTest::newRow("installed in a writable prefix") << false << true << kUser << kUser << kShare;
    QTest::newRow("read-only copy with its files") << true << false << kUser << kUser << kExe;
    QTest::newRow("no user folder known") << false << false << QString() << kExe << QString();
}

void TstSeeding::folderChoice() {
    QFETCH(bool, holdsFiles);
    QFETCH(bool, writable);
    QFETCH(QString, userFolder);
    const ProgramFolderChoice choice =
        ChooseProgramFolder({kExe, holdsFiles, writable, kShare, userFolder});
    QTEST(choice.folder, "folder");
    QTEST(choice.seedFrom, "seedFrom");
}

void TstSeeding::seedingOverTwoStarts_data() {
    // The sample as shipped at the first start, what the user left in its place before the
    // second start (empty: left alone), as shipped at the second start; then what the user's
    // folder holds under its name and under the "-nuovo-" name.
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("userBytes");
    QTest::addColumn<QByteArray>("second");
    QTest::addColumn<QByteArray>("kept");
    QTest::addColumn<QByteArray>("beside");
    const QByteArray none("<none>");
    QTest::newRow("same release again")
        << QByteArray("v1") << QByteArray() << QByteArray("v1") << QByteArray("v1") << none;
    QTest::newRow("newer release, sample untouched")
        << QByteArray("v1") << QByteArray() << QByteArray("v2") << QByteArray("v2") << none;
    QTest::newRow("newer release, sample changed by the user")
        << QByteArray("v1") << QByteArray("mine") << QByteArray("v2") << QByteArray("mine")
        << QByteArray("v2");
    QTest::newRow("same release, sample changed by the user")
        << QByteArray("v1") << QByteArray("mine") << QByteArray("v1") << QByteArray("mine") << none;
    QTest::newRow("user made it equal to the newer one")
        << QByteArray("v1") << QByteArray("v2") << QByteArray("v2") << QByteArray("v2") << none;
}

void TstSeeding::seedingOverTwoStarts() {
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, userBytes);
    QFETCH(QByteArray, second);
    QTemporaryDir root;
    const QString share = root.filePath(QStringLiteral("share"));
    const QString user = root.filePath(QStringLiteral("user/Miravel6"));
    const QString target = QDir(user).filePath(kSample);

    QVERIFY(Ship(share, first));
    const SeedResult fresh = SeedProgramFolder(share, user, QStringLiteral("2.0"));
    QVERIFY(fresh.folderReady);
    QCOMPARE(fresh.copied, ShippedFileNames());
    QCOMPARE(Get(target), first);

    if (!userBytes.isEmpty()) {
        QVERIFY(PutFile(target, userBytes));
    }
    QVERIFY(Ship(share, second));
    const SeedResult again = SeedProgramFolder(share, user, QStringLiteral("2.0"));
    QVERIFY(again.folderReady);
    QVERIFY(again.copied.isEmpty());
    QTEST(Get(target), "kept");
    QTEST(Get(QDir(user).filePath(QStringLiteral("e_acq-nuovo-2.0.dm6"))), "beside");

    // A third start with nothing new changes nothing: no second "-nuovo-" file, no update.
    const QStringList before = QDir(user).entryList(QDir::Files | QDir::Hidden);
    const SeedResult third = SeedProgramFolder(share, user, QStringLiteral("2.0"));
    QVERIFY(third.copied.isEmpty() && third.updated.isEmpty() && third.addedBeside.isEmpty());
    QCOMPARE(QDir(user).entryList(QDir::Files | QDir::Hidden), before);
    QTEST(Get(target), "kept");
}

void TstSeeding::shippedFolderWithoutASample() {
    QTemporaryDir root;
    const QString share = root.filePath(QStringLiteral("share"));
    const QString user = root.filePath(QStringLiteral("user"));
    QVERIFY(Ship(share, "v1"));
    QVERIFY(QFile::remove(QDir(share).filePath(kSample)));
    const SeedResult result = SeedProgramFolder(share, user, QStringLiteral("1.0"));
    QCOMPARE(result.missingShipped, QStringList{kSample});
    QCOMPARE(result.copied.size(), ShippedFileNames().size() - 1);
    QVERIFY(!result.copied.contains(kSample));
    QVERIFY(!QFileInfo::exists(QDir(user).filePath(kSample)));

    // A file where the folder should be: nothing is made, nothing is lost.
    QVERIFY(PutFile(root.filePath(QStringLiteral("blocked")), "a file"));
    const SeedResult blocked =
        SeedProgramFolder(share, root.filePath(QStringLiteral("blocked")), QStringLiteral("1.0"));
    QVERIFY(!blocked.folderReady);
    QCOMPARE(Get(root.filePath(QStringLiteral("blocked"))), QByteArray("a file"));
}

void TstSeeding::helpWindowShowsTheVersion() {
    QTemporaryDir root;
    const QString help = root.filePath(QStringLiteral("miravel6.hlp"));
    QVERIFY(PutFile(help, "<p>guida</p>"));
    QtModalUi ui;
    QWidget parent;
    ui.ShowHelp(&parent, help);
    QWidget* shown = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top != &parent && top->findChild<QTextBrowser*>() != nullptr) { // not its owner
            shown = top;
        }
    }
    QVERIFY(shown != nullptr);
    QCOMPARE(shown->windowTitle(), QStringLiteral("Miravel6 " MIRAVEL6_TEST_VERSION " - Guida"));
    QVERIFY(shown->findChild<QTextBrowser*>()->toPlainText().contains(QStringLiteral("guida")));
}

QTEST_MAIN(TstSeeding)
#include "tst_seeding.moc"
