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

// A scratch shipped folder and user's folder, and starts of version 2.0 between them.
struct Folders {
    // Ships every file, the sample under test with these bytes (none: not shipped), and starts.
    SeedResult Start(const QByteArray& sample) {
        for (const QString& name : ShippedFileNames()) {
            if (name != kSample || !sample.isNull()) {
                PutFile(QDir(share).filePath(name), name == kSample ? sample : name.toUtf8());
            }
        }
        return SeedProgramFolder(share, user, QStringLiteral("2.0"));
    }
    QString User(const QString& name) const { return QDir(user).filePath(name); }

    QTemporaryDir root;
    QString share = root.filePath(QStringLiteral("share"));
    QString user = root.filePath(QStringLiteral("user/Miravel6"));
};

} // namespace

class TstSeeding : public QObject {
    Q_OBJECT

private slots:
    void folderChoice();
    void seedingOverThreeStarts();
    void seedingNeverWritesThroughLinks();
    void firstStartBesideTheUsersFilesAndWithoutAMissingOne();
    void helpWindowShowsTheVersion();
};

void TstSeeding::folderChoice() {
    // The last column: where the samples are opened when the folder could not be made (when it
    // could, the chosen folder).
    const struct {
        bool holdsFiles, writable;
        QString userFolder, folder, seedFrom, samplesWithoutFolder;
    } cases[] = {{true, true, kUser, kExe, {}, kExe},          // build tree or unpacked copy
                 {false, false, kUser, kUser, kShare, kShare}, // installed in /usr
                 {false, true, kUser, kUser, kShare, kShare},  // installed in a writable prefix
                 {true, false, kUser, kUser, kExe, kExe},      // read-only copy with its files
                 {false, false, {}, kExe, {}, kExe}};          // no user folder known
    for (const auto& c : cases) {
        const ProgramFolderChoice choice =
            ChooseProgramFolder({kExe, c.holdsFiles, c.writable, kShare, c.userFolder});
        QCOMPARE(choice.folder + u'|' + choice.seedFrom, c.folder + u'|' + c.seedFrom);
        QCOMPARE(FilesFolder(choice, false), c.samplesWithoutFolder);
    }
}

void TstSeeding::seedingOverThreeStarts() {
    // The sample as shipped at the first start, what the user left in its place before the
    // second start (empty: left alone), as shipped at the second start; then what the user's
    // folder holds under its name and under the "-nuovo-" name.
    const struct {
        QByteArray first, userBytes, second, kept, beside;
    } cases[] = {{"v1", "", "v1", "v1", "<none>"},
                 {"v1", "", "v2", "v2", "<none>"},
                 {"v1", "mine", "v2", "mine", "v2"},
                 {"v1", "mine", "v1", "mine", "<none>"},
                 {"v1", "v2", "v2", "v2", "<none>"}}; // the user made it equal to the newer one
    for (const auto& c : cases) {
        Folders d;
        const QString target = d.User(kSample);
        const SeedResult fresh = d.Start(c.first);
        QVERIFY(fresh.folderReady);
        QCOMPARE(fresh.copied, ShippedFileNames());
        QCOMPARE(Get(target), c.first);
        QVERIFY(c.userBytes.isEmpty() || PutFile(target, c.userBytes));
        const SeedResult again = d.Start(c.second);
        QVERIFY(again.folderReady && again.copied.isEmpty());
        QCOMPARE(Get(target), c.kept);
        QCOMPARE(Get(d.User(QStringLiteral("e_acq-nuovo-2.0.dm6"))), c.beside);
        // A third start with nothing new changes nothing: no second "-nuovo-" file, no update.
        const QStringList before = QDir(d.user).entryList(QDir::Files | QDir::Hidden);
        const SeedResult third = d.Start(c.second);
        QVERIFY(third.copied.isEmpty() && third.updated.isEmpty() && third.addedBeside.isEmpty());
        QCOMPARE(QDir(d.user).entryList(QDir::Files | QDir::Hidden), before);
        QCOMPARE(Get(target), c.kept);
    }
}

void TstSeeding::seedingNeverWritesThroughLinks() {
    // A link in the user's folder under a name the seeding writes, and what lies where it
    // leads (empty: nothing). Two starts, the second shipping a newer sample.
    const struct {
        const char* name;
        QByteArray there;
    } cases[] = {{"e_acq.dm6", ""},                 // would be copied as missing
                 {"e_acq.dm6", "v1"},               // an untouched copy, would be updated
                 {"e_acq-nuovo-2.0.dm6", ""},       // beside a copy the user changed
                 {".miravel6-shipped", "notes\n"}}; // the record, leading to a user's file
    for (const auto& c : cases) {
        Folders d;
        const QString outside = d.root.filePath(QStringLiteral("outside"));
        const QString led = QDir(outside).filePath(QStringLiteral("x"));
        QVERIFY(QDir().mkpath(d.user) && QDir().mkpath(outside));
        QVERIFY(c.there.isEmpty() || PutFile(led, c.there));
        const QString link = d.User(QLatin1String(c.name));
        QVERIFY(QFile::link(led, link));
        if (qstrcmp(c.name, "e_acq-nuovo-2.0.dm6") == 0) {
            QVERIFY(PutFile(d.User(kSample), "mine"));
        }
        QVERIFY(d.Start("v1").folderReady && d.Start("v2").folderReady);

        QVERIFY2(QFileInfo(link).isSymLink(), c.name);
        QCOMPARE(QFileInfo(link).symLinkTarget(), led);
        QCOMPARE(QDir(outside).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 c.there.isEmpty() ? QStringList() : QStringList{QStringLiteral("x")});
        QCOMPARE(Get(led), c.there.isEmpty() ? QByteArray("<none>") : c.there);
        // The other files still arrive.
        QCOMPARE(Get(d.User(QStringLiteral("e_eff.dm6"))), QByteArray("e_eff.dm6"));
    }
}

void TstSeeding::firstStartBesideTheUsersFilesAndWithoutAMissingOne() {
    // A sample the user already has, with other bytes, is kept and the shipped one goes beside
    // it; a sample missing from the shipped folder is skipped and the others still arrive.
    Folders d;
    QVERIFY(PutFile(d.User(QStringLiteral("e_eff.dm6")), "mine"));
    QVERIFY(d.Start(QByteArray()).folderReady);
    QCOMPARE(Get(d.User(QStringLiteral("e_eff.dm6"))), QByteArray("mine"));
    QCOMPARE(Get(d.User(QStringLiteral("e_eff-nuovo-2.0.dm6"))), QByteArray("e_eff.dm6"));
    QCOMPARE(Get(d.User(kSample)), QByteArray("<none>"));
    QCOMPARE(Get(d.User(QStringLiteral("e_mv4f.dm6"))), QByteArray("e_mv4f.dm6"));
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
