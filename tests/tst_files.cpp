// Opening and saving configuration files on the real window: the dialogs, what a file
// sets, refusals, failed saves and the title (the sample buttons: the program-folder walks).

#include "files/dm6_file.h"
#include "files/format/dm6_format.h"
#include "tests/support/busy_configuration.h"
#include "tests/support/file_bytes.h"
#include "tests/support/window_fixture.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

const QString kOpen = QStringLiteral("cmdFileOpen_0"), kSave = QStringLiteral("cmdFileSave");

// The file saved at start-up (the writer's layout is unit-tested).
QByteArray StartUpFile() {
    return QByteArray::fromStdString(WriteDm6(DefaultConfiguration()));
}

QByteArray BusyFile() {
    return QByteArray::fromStdString(WriteDm6(BusyConfiguration()));
}

// Names, durations and cells as the window shows them (texts and tooltips), its title and image.
QStringList WhatIsShown(WindowFixture& f) {
    QStringList shown = {f.window().windowTitle(),
                         f.Child<QPlainTextEdit>(QStringLiteral("txtEdata"))->toPlainText()};
    for (const QWidget* widget : f.window().findChildren<QWidget*>()) {
        shown << widget->property("text").toString() + widget->toolTip();
    }
    return shown;
}

QString OpenFailure(const QString& path) {
    return QStringLiteral("Impossibile aprire il file:\r\n") + path +
           QStringLiteral("\r\noppure dati non validi");
}

// Writes beyond this many bytes fail while it lives, as on a full disk.
struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes) : oldHandler(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit limit{bytes, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
    }
    void (*oldHandler)(int);
    rlimit saved{};
};

} // namespace

class TstFiles : public QObject {
    Q_OBJECT

private slots:
    void dialogsTheirFolderAndTheTitle();
    void openSetsEverythingRefusesBadFilesAndSavesItBack();
    void failedSaveKeepsTheOldFile();
    void saveOntoALinkReplacesTheLinkNotWhatItPointsTo();
    void closeAsksAboutChangesNotKept_data();
    void closeAsksAboutChangesNotKept();
};

void TstFiles::dialogsTheirFolderAndTheTitle() {
    WindowFixture f;
    frmMain& w = f.Show();
    const QStringList before = WhatIsShown(f);
    f.ClickButton(kOpen); // cancelled
    f.ClickButton(kOpen); // cancelled again: still the program folder
    const QString path = f.FolderPath() + QStringLiteral("/start.dm6");
    f.ui.saveAnswers.push_back(path);
    f.ClickButton(kSave);
    // One request serves both dialogs: the filter and extension are checked on the save's.
    const FileDialogRequest& open = f.ui.openRequests.at(1);
    const FileDialogRequest& save = f.ui.saveRequests.at(0);
    QCOMPARE(open.title, QStringLiteral("Apri file configurazione"));
    QCOMPARE(save.title, QStringLiteral("Salva configurazione su file"));
    QCOMPARE(save.filter,
             QStringLiteral("File dati miravel5 (*.dm6)|*.dm6|Tutti i file (*.*)|*.*"));
    QCOMPARE(save.defaultExt, QStringLiteral(".dat"));
    QVERIFY(open.initialDir == f.FolderPath() && save.initialDir == f.FolderPath());
    QVERIFY(open.mustExist && !open.confirmOverwrite && !save.mustExist && save.confirmOverwrite);
    // Saving changes nothing shown but the title (what is written: the other tests).
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6 - ") + path);
    QCOMPARE(WhatIsShown(f).mid(1), before.mid(1));

    // After a confirmed dialog neither dialog forces the program folder; cancelling changes
    // nothing.
    f.ClickButton(kOpen);
    f.ClickButton(kSave);
    QCOMPARE(f.ui.openRequests.back().initialDir, QString());
    QCOMPARE(f.ui.saveRequests.back().initialDir, QString());
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6 - ") + path);

    // The title shows the path, shortened past 80 characters (the shortening itself is
    // unit-tested, opening and saving each their own way): a path one character too long.
    const QString name = QString(80 - f.FolderPath().size() - 4, u'n') + QStringLiteral(".dm6");
    const QString longPath = f.FolderPath() + QLatin1Char('/') + name;
    QVERIFY(longPath.size() == 81 && f.WriteProgramFile(name, StartUpFile()));
    f.ui.openAnswers.push_back(longPath);
    f.ClickButton(kOpen);
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6 - ") + longPath.left(3) +
                                  QStringLiteral("...") + longPath.right(80));
    f.ui.saveAnswers.push_back(longPath);
    f.ClickButton(kSave);
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6 - ...") + longPath.right(80));
    QVERIFY(f.ui.messages.empty());
}

void TstFiles::openSetsEverythingRefusesBadFilesAndSavesItBack() {
    WindowFixture f;
    frmMain& w = f.Show();
    // The busy configuration padded with a comment line to exactly the size limit.
    QByteArray big = BusyFile();
    big += "*" + QByteArray(kDm6MaxFileBytes - big.size() - 3, 'c') + "\r\n";
    QVERIFY(big.size() == kDm6MaxFileBytes && f.WriteProgramFile(QStringLiteral("big.dm6"), big));
    const QString path = f.FolderPath() + QStringLiteral("/big.dm6");
    f.ui.openAnswers.push_back(path);
    f.ClickButton(kOpen);
    QVERIFY(f.ui.messages.empty());
    QVERIFY(w.CurrentConfiguration() == BusyConfiguration());
    // Names outside ASCII and padded with blanks are shown as the file holds them.
    QCOMPARE(f.Child<QLabel>("lblOutName", 0)->text(), QStringLiteral("Citt\u00e0 \u20ac"));
    QCOMPARE(f.Child<QLabel>("lblOutName", 1)->text(), QStringLiteral("  spazi intorno  "));
    // The grid was redrawn from the file: phase 1 is "OFF", cell 11 has flicker 3 only.
    QVERIFY(f.Child<QLabel>("lblEffMode", 0)->isHidden());
    QCOMPARE(f.Child<QLabel>("lblEffMode", 11)->text(), QStringLiteral("T3 -"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6 - ") + path);

    // A refused file changes nothing: a byte past the size limit, a folder (the format's rules
    // are unit-tested and reach the window the same way).
    const QStringList shown = WhatIsShown(f);
    const QByteArray good = StartUpFile();
    QVERIFY(QDir(f.FolderPath()).mkdir(QStringLiteral("folder.dm6")));
    QVERIFY(f.WriteProgramFile(QStringLiteral("big.dm6"),
                               good + "*" + QByteArray(kDm6MaxFileBytes - good.size() - 2, 'c') +
                                   "\r\n"));
    for (const char* name : {"big.dm6", "folder.dm6"}) {
        const QString bad = f.FolderPath() + QLatin1Char('/') + QLatin1String(name);
        f.ui.openAnswers.push_back(bad);
        f.ClickButton(kOpen);
        f.ExpectMessage(1, OpenFailure(bad), MsgIcon::Critical);
        QCOMPARE(WhatIsShown(f), shown);
        f.ui.messages.clear();
    }

    const QString copy = f.FolderPath() + QStringLiteral("/copy.dm6");
    f.ui.saveAnswers.push_back(copy);
    f.ClickButton(kSave);
    QCOMPARE(f.ReadProgramFile(QStringLiteral("copy.dm6")), BusyFile());
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6 - ") + copy);
    // A duration chosen afterwards means the grid may differ from every file.
    f.Child<QComboBox>("cboFaseTime", 2)->setCurrentIndex(5);
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6"));
}

void TstFiles::failedSaveKeepsTheOldFile() {
    WindowFixture f;
    frmMain& w = f.Show();
    // Renaming refuses such a name; the save must not rely on it and alter the name. It comes
    // in as a whole configuration, the way a file or the history would bring it.
    Configuration unsavable = w.CurrentConfiguration();
    unsavable.outNames[2] = "\u03a9mega";
    w.ApplyConfiguration(unsavable, w.windowTitle());
    f.ui.saveAnswers = {f.FolderPath() + QStringLiteral("/names.dm6")}; // never asked
    f.ClickButton(kSave);
    QCOMPARE(f.ui.messages.size(), size_t{1});
    QVERIFY2(f.ui.messages[0].text.startsWith(QStringLiteral("Impossibile salvare su file:\r\n")) &&
                 f.ui.messages[0].text.contains(QStringLiteral("uscita 3")),
             qPrintable(f.ui.messages[0].text));
    QVERIFY(f.ui.saveRequests.empty() && !QFile::exists(f.ui.saveAnswers.front()));
    f.ui.messages.clear();
    f.ui.saveAnswers.clear();

    QDir folder(f.FolderPath());
    const QString fifo = folder.filePath(QStringLiteral("tubo.dm6"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    QVERIFY(f.WriteProgramFile(QStringLiteral("old.dm6"), BusyFile()));
    f.ui.openAnswers.push_back(folder.filePath(QStringLiteral("old.dm6")));
    f.ClickButton(kOpen);
    f.Child<QComboBox>("cboFaseTime", 0)->setCurrentIndex(3); // something to save
    const QStringList entries = folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    // One row per way the save fails: the file cannot be made (a missing folder), the target is
    // refused before writing (a fifo), the disk is full part-way. The details name the file and
    // why (the reasons' texts are unit-tested).
    const std::pair<const char*, QString> targets[] = {
        {"missing/x.dm6", QStringLiteral("la cartella ") +
                              folder.filePath(QStringLiteral("missing")) +
                              QStringLiteral(" non esiste")},
        {"tubo.dm6", QStringLiteral("il percorso non \u00e8 un file regolare")},
        {"old.dm6", QStringLiteral("il file \u00e8 troppo grande (File too large)")}};
    for (const auto& [target, reason] : targets) {
        f.ui.saveAnswers.push_back(folder.filePath(QLatin1String(target)));
        {
            // The limit is below the size of a file, so the writing stops part-way.
            std::optional<FileSizeLimit> limit;
            if (qstrcmp(target, "old.dm6") == 0) {
                limit.emplace(256);
            }
            f.ClickButton(kSave);
        }
        f.ExpectMessage(1, QStringLiteral("Impossibile salvare su file"), MsgIcon::Critical);
        QCOMPARE(f.ui.messages[0].details,
                 QStringLiteral("File: ") + folder.filePath(QLatin1String(target)) +
                     QStringLiteral("\r\nMotivo: ") + reason + QLatin1Char('.'));
        QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6"));
        QCOMPARE(f.ReadProgramFile(QStringLiteral("old.dm6")), BusyFile());
        // No half-written or temporary file is left behind.
        QCOMPARE(folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), entries);
        struct stat status {};
        QVERIFY(::lstat(QFile::encodeName(fifo).constData(), &status) == 0 &&
                S_ISFIFO(status.st_mode));
        f.ui.messages.clear();
    }
}

void TstFiles::saveOntoALinkReplacesTheLinkNotWhatItPointsTo() {
    WindowFixture f;
    frmMain& w = f.Show();
    const QDir folder(f.FolderPath());
    QTemporaryDir elsewhere;
    const QString notes = elsewhere.filePath(QStringLiteral("appunti.txt"));
    QVERIFY(PutFile(notes, "mine\n"));
    const QStringList before =
        folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    // A link to a file of the user: the save replaces the link and leaves the file alone.
    const QString link = folder.filePath(QStringLiteral("giardino.dm6"));
    QVERIFY(QFile::link(notes, link));

    f.ui.saveAnswers.push_back(link);
    f.ClickButton(kSave);

    QVERIFY(f.ui.messages.empty());
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6 - ") + link);
    QCOMPARE(f.ReadProgramFile(QStringLiteral("giardino.dm6")), StartUpFile());
    QCOMPARE(GetFile(notes), QByteArray("mine\n"));
    // Nothing but the saved file is new in the folder.
    QStringList expected = before + QStringList{QStringLiteral("giardino.dm6")};
    expected.sort();
    QCOMPARE(folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), expected);
}

namespace {

enum class Before { Edit, OpenEditUndo, EditSave };
const QString kSaveQuestion = QStringLiteral("Salvare le modifiche alla configurazione?");

} // namespace

Q_DECLARE_METATYPE(Before)
Q_DECLARE_METATYPE(MsgAnswer)

void TstFiles::closeAsksAboutChangesNotKept_data() {
    QTest::addColumn<Before>("before");
    QTest::addColumn<MsgAnswer>("answer");
    QTest::addColumn<QString>("saveTo"); // the save dialog's answer
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saved");
    const QString file = QStringLiteral("chiuso.dm6");
    QTest::newRow("opened, edited, undone")
        << Before::OpenEditUndo << MsgAnswer::Yes << file << true << false;
    QTest::newRow("edited, then saved")
        << Before::EditSave << MsgAnswer::Yes << file << true << false;
    QTest::newRow("edited: Annulla") << Before::Edit << MsgAnswer::Cancel << file << false << false;
    QTest::newRow("edited: No") << Before::Edit << MsgAnswer::No << file << true << false;
    QTest::newRow("edited: S\u00ec") << Before::Edit << MsgAnswer::Yes << file << true << true;
    QTest::newRow("edited: S\u00ec, the save fails")
        << Before::Edit << MsgAnswer::Yes << QStringLiteral("manca/chiuso.dm6") << false << false;
}

void TstFiles::closeAsksAboutChangesNotKept() {
    QFETCH(Before, before);
    QFETCH(MsgAnswer, answer);
    QFETCH(QString, saveTo);
    QFETCH(bool, closes);
    QFETCH(bool, saved);
    WindowFixture f;
    f.StoreSetting(QStringLiteral("frmMain/cboComm"), QStringLiteral("4"));
    frmMain& w = f.Show();
    const QDir folder(f.FolderPath());
    const auto edit = [&] {
        f.ClickCell(20, {QStringLiteral("Effetti Parte1+Parte2"), QStringLiteral("On")});
    };
    if (before == Before::OpenEditUndo) {
        QVERIFY(f.WriteProgramFile(QStringLiteral("old.dm6"), BusyFile()));
        f.ui.openAnswers.push_back(folder.filePath(QStringLiteral("old.dm6")));
        f.ClickButton(kOpen);
        edit();
        f.Activate();
        QTest::keySequence(&w, QKeySequence::Undo);
    }
    if (before == Before::Edit || before == Before::EditSave) {
        edit();
    }
    if (before == Before::EditSave) {
        f.ui.saveAnswers.push_back(folder.filePath(QStringLiteral("kept.dm6")));
        f.ClickButton(kSave);
    }
    QVERIFY(f.ui.messages.empty());
    const Configuration shown = w.CurrentConfiguration();
    f.Child<QComboBox>(QStringLiteral("cboComm"))->setCurrentIndex(6);
    f.ui.msgAnswers.push_back(answer);
    f.ui.saveAnswers.push_back(folder.filePath(saveTo));

    QCOMPARE(w.close(), closes);

    const bool asked = before == Before::Edit;
    QCOMPARE(f.ui.messages.empty(), !asked);
    if (asked) {
        const RecordedMessage& question = f.ui.messages.front();
        QCOMPARE(question.text, kSaveQuestion);
        QVERIFY(question.icon == MsgIcon::Question && question.buttons == MsgButtons::YesNoCancel);
    }
    // Sì runs "Salva" as the button does; a failed save says so and keeps the window.
    QCOMPARE(f.ui.saveRequests.size(), std::size_t{asked && answer == MsgAnswer::Yes ? 1U : 0U} +
                                           (before == Before::EditSave ? 1U : 0U));
    if (saveTo.startsWith(QStringLiteral("manca"))) {
        f.ExpectMessage(2, QStringLiteral("Impossibile salvare su file"), MsgIcon::Critical);
    }
    QCOMPARE(ReadDm6File(folder.filePath(QStringLiteral("chiuso.dm6"))),
             saved ? std::optional(shown) : std::nullopt);
    QCOMPARE(w.isVisible(), !closes);
    // The port is stored by a close that happens, and only then.
    QCOMPARE(f.StoredSetting(QStringLiteral("frmMain/cboComm")),
             closes ? QStringLiteral("6") : QStringLiteral("4"));
    if (!closes) { // the changes and their history are still there
        QVERIFY(w.CurrentConfiguration() == shown);
        f.Activate();
        QTest::keySequence(&w, QKeySequence::Undo);
        QCOMPARE(w.EffSet()[20].bytePart1, std::uint8_t{0});
    }
}

QTEST_MAIN(TstFiles)
#include "tst_files.moc"
