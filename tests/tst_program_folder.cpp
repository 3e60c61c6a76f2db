// Where the program keeps its files: a copy the user can write keeps them beside itself; an
// installed copy starts through ProgramWindow in the user's data folder, filled from share/.
// How the filling treats missing or changed samples: tst_seeding; an unusable data folder:
// tst_unusable_home.

#include "files/shipped_files.h"
#include "tests/support/file_bytes.h"
#include "tests/support/window_fixture.h"
#include "window/program_window.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TstProgramFolder : public QObject {
    Q_OBJECT

private slots:
    void installedCopy_data();
    void installedCopy();
};

void TstProgramFolder::installedCopy_data() {
    QTest::addColumn<bool>("installed");
    QTest::newRow("portable copy") << false;
    QTest::newRow("installed, fresh user") << true;
}

void TstProgramFolder::installedCopy() {
    QFETCH(bool, installed);
    WindowFixture settings; // scratch settings store
    QTemporaryDir root;
    const QString bin = root.filePath(QStringLiteral("usr/bin"));
    const QString share = root.filePath(QStringLiteral("usr/share/miravel6"));
    const QString user = root.filePath(QStringLiteral("home/.local/share/Miravel6"));
    const QString folder = installed ? user : bin;
    QVERIFY(QDir().mkpath(bin));
    for (const QString& name : ShippedFileNames()) {
        QVERIFY(PutFile(QDir(installed ? share : bin).filePath(name),
                        GetFile(QStringLiteral(MIRAVEL6_SAMPLES_DIR "/") + name)));
    }
    QVERIFY(PutFile(QDir(share).filePath(QStringLiteral("miravel6.hlp")), "<p>guida</p>"));
    ScriptedUi& ui = settings.ui;
    ProgramWindow program(ui, bin, user);
    frmMain& w = program.window();
    QVERIFY(ui.messages.empty());
    const QString report = QDir::toNativeSeparators(folder) + QStringLiteral("/light_value.txt");
    QVERIFY(GetFile(report).startsWith("Light Value - File " + report.toUtf8() + "\r\n"));
    QCOMPARE(QFileInfo::exists(user), installed);
    // The help that a name's menu opens, and a sample button, use the program folder.
    ui.menuChoices.push_back({QStringLiteral("Guida")});
    QTest::mouseClick(w.findChild<QLabel*>(QStringLiteral("lblOutName_0")), Qt::LeftButton);
    QCOMPARE(ui.helpFiles,
             QStringList{QDir::toNativeSeparators(folder) + QStringLiteral("/miravel6.hlp")});
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("cmdFileOpen_2")), Qt::LeftButton);
    QVERIFY(ui.messages.empty());
    QCOMPARE(w.windowTitle(),
             QStringLiteral("Miravel6 - ") + QDir(folder).filePath(QStringLiteral("e_mv8f.dm6")));
}

QTEST_MAIN(TstProgramFolder)
#include "tst_program_folder.moc"
