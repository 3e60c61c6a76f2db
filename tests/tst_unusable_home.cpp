// An installed copy whose user data folder cannot be made or written: the first message names
// that folder and why, the sample buttons and the help open the shipped copies, and "Salva"
// still asks where to save. Run as nobody when we are root, who could write anywhere.

#include "files/program_folder.h"
#include "files/shipped_files.h"
#include "model/sample_files.h"
#include "tests/support/as_nobody.h"
#include "tests/support/file_bytes.h"
#include "tests/support/window_fixture.h"
#include "window/program_window.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <sys/stat.h>

namespace {

// "appartiene a nobody:nogroup, permessi 0555", as the user reads it of a folder.
QString OwnerText(const QString& path) {
    const QFileInfo info(path);
    struct stat status {};
    ::stat(QFile::encodeName(path).constData(), &status); // none: the texts differ anyway
    return QStringLiteral("appartiene a %1:%2, permessi %3")
        .arg(info.owner(), info.group())
        .arg(status.st_mode & 07777U, 4, 8, QLatin1Char('0'));
}

bool SetMode(const QString& path, mode_t mode) {
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

} // namespace

class TstUnusableHome : public QObject {
    Q_OBJECT

private slots:
    void samplesFromTheShippedFolder_data();
    void samplesFromTheShippedFolder();

private:
    void RunCase();
};

void TstUnusableHome::samplesFromTheShippedFolder_data() {
    // How the user's home is spoilt; the reason the details give ("%home" is the home folder,
    // "%owner" what OwnerText says of the folder in the last column, under the home). One row
    // per way the window tells it: the report fails too, the report is written, no HOME (the
    // reasons of the other spoilt homes are the folder functions' unit rows).
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("ownerOf");
    QTest::newRow("home not writable")
        << QStringLiteral("home read-only")
        << QStringLiteral("impossibile creare la cartella %home/.local: permesso negato "
                          "(Permission denied); la cartella %home non \u00e8 scrivibile da "
                          "questo utente (%owner)")
        << QString();
    QTest::newRow("not writable, but the report is")
        << QStringLiteral("report writable")
        << QStringLiteral("la cartella %home/.local/share/Miravel6 non \u00e8 scrivibile da "
                          "questo utente (%owner)")
        << QStringLiteral("/.local/share/Miravel6");
    QTest::newRow("HOME unset") << QStringLiteral("no HOME")
                                << QStringLiteral(
                                       "impossibile creare la cartella /.local: permesso negato "
                                       "(Permission denied); la cartella / non \u00e8 scrivibile "
                                       "da questo utente (%owner); la variabile d'ambiente HOME "
                                       "non \u00e8 impostata")
                                << QStringLiteral("/");
}

void TstUnusableHome::samplesFromTheShippedFolder() {
    QFETCH(QString, layout);
    if (layout == QStringLiteral("no HOME") && QFileInfo::exists(QStringLiteral("/.local"))) {
        QSKIP("/.local exists here: the folder a missing HOME leads to need not fail");
    }
    AsNobody([this] { RunCase(); });
}

void TstUnusableHome::RunCase() {
    QFETCH(QString, layout);
    QFETCH(QString, reason);
    QFETCH(QString, ownerOf);
    WindowFixture settings; // scratch settings store
    QTemporaryDir root;
    QVERIFY(root.isValid());
    QStringList readOnly; // given their write bits back before the scratch folder goes
    const auto writableAgain = qScopeGuard([&readOnly] {
        for (const QString& folder : readOnly) {
            SetMode(folder, 0755);
        }
    });

    // The installed copy: bin/ and its shipped files, read-only as a package leaves them.
    const QString bin = root.filePath(QStringLiteral("usr/bin"));
    const QString share = root.filePath(QStringLiteral("usr/share/miravel6"));
    QVERIFY(QDir().mkpath(bin));
    for (const QString& name : ShippedFileNames()) {
        const QString source = QStringLiteral(MIRAVEL6_SAMPLES_DIR "/") + name;
        const QByteArray bytes =
            name.endsWith(QStringLiteral(".dm6")) ? GetFile(source) : QByteArray("<p>guida</p>");
        QVERIFY(!bytes.isEmpty());
        QVERIFY(PutFile(QDir(share).filePath(name), bytes));
    }
    QVERIFY(SetMode(share, 0555));
    readOnly << share;

    QString home = root.filePath(QStringLiteral("home"));
    const QString user = home + QStringLiteral("/.local/share/Miravel6");
    QVERIFY(QDir().mkpath(home));
    if (layout == QStringLiteral("home read-only")) {
        QVERIFY(SetMode(home, 0555));
        readOnly << home;
    } else if (layout == QStringLiteral("report writable")) {
        QVERIFY(PutFile(user + QStringLiteral("/light_value.txt"), "vecchio"));
        QVERIFY(SetMode(user, 0555));
        readOnly << user;
    }
    QString userFolder = user;
    if (layout == QStringLiteral("no HOME")) { // in a child process: its environment only
        qunsetenv("HOME");
        qunsetenv("XDG_DATA_HOME");
        home.clear();
        userFolder = UserDataFolder();
        QCOMPARE(userFolder, QStringLiteral("/.local/share/Miravel6"));
    }
    reason.replace(QStringLiteral("%owner"), OwnerText(home + ownerOf))
        .replace(QStringLiteral("%home"), home);

    ScriptedUi& ui = settings.ui;
    ProgramWindow program(ui, bin, userFolder);
    frmMain& w = program.window();

    // One message at start-up; its details name the folder, the reason and where the samples
    // come from instead.
    const QString report = userFolder + QStringLiteral("/light_value.txt");
    const QString reportFailure =
        QStringLiteral("Impossibile scrivere i valori sul file ") + report;
    const bool reportWritten = layout == QStringLiteral("report writable");
    QCOMPARE(ui.messages.size(), std::size_t{1});
    QCOMPARE(ui.messages[0].text,
             reportWritten
                 ? QStringLiteral("Impossibile preparare la cartella dei file del programma ") +
                       userFolder
                 : reportFailure);
    QCOMPARE(ui.messages[0].icon, reportWritten ? MsgIcon::Exclamation : MsgIcon::Critical);
    QCOMPARE(ui.messages[0].details,
             QStringLiteral("Cartella: ") + userFolder + QStringLiteral("\r\nMotivo: ") + reason +
                 QStringLiteral(".\r\nI file di esempio e la guida si aprono dalla cartella ") +
                 share + QLatin1Char('.'));

    // The first sample button opens the shipped copy, and the title names it. The refresh
    // after it may only repeat the report's own failure.
    const QString sample = share + QLatin1Char('/') + QLatin1String(kSampleFiles[0].fileName);
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("cmdFileOpen_1")), Qt::LeftButton);
    const QString title = QStringLiteral("Miravel6 - ") + sample;
    QCOMPARE(w.windowTitle(), title);
    QVERIFY(w.EffSet() != EffGrid{});
    QCOMPARE(ui.messages.size(), std::size_t{reportWritten ? 1U : 2U});
    QCOMPARE(ui.messages.back().text, reportWritten ? ui.messages[0].text : reportFailure);

    // The help comes from the shipped folder as well.
    ui.menuChoices.push_back({QStringLiteral("Guida")});
    QTest::mouseClick(w.findChild<QLabel*>(QStringLiteral("lblOutName_0")), Qt::LeftButton);
    QCOMPARE(ui.helpFiles, QStringList{share + QStringLiteral("/miravel6.hlp")});

    // "Salva" asks where, starting nowhere near the shared folder; cancelled, nothing changes.
    const std::size_t before = ui.messages.size();
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("cmdFileSave")), Qt::LeftButton);
    QCOMPARE(ui.saveRequests.size(), std::size_t{1});
    QCOMPARE(ui.saveRequests[0].initialDir, QString());
    QCOMPARE(w.windowTitle(), title);
    QCOMPARE(ui.messages.size(), before);
}

QTEST_MAIN(TstUnusableHome)
#include "tst_unusable_home.moc"
