// An installed copy as a new user starts it: run by scripts/package-test as an unprivileged user
// with a fresh home, against the installed files (MIRAVEL6_INSTALLED_BIN names the installed
// bin folder). Under a plain ctest run there is no installed copy, and the test is skipped.

#include "files/dm6_file.h"
#include "files/program_folder.h"
#include "model/sample_files.h"
#include "support/scripted_ui.h"
#include "tests/support/file_bytes.h"
#include "window/program_window.h"

#include <QDir>
#include <QPushButton>
#include <QtTest>

class TstInstalledCopy : public QObject {
    Q_OBJECT

private slots:
    void startsForANewUserAndLoadsASample();
};

void TstInstalledCopy::startsForANewUserAndLoadsASample() {
    const QString bin = qEnvironmentVariable("MIRAVEL6_INSTALLED_BIN");
    if (bin.isEmpty()) {
        QSKIP("no installed copy named by MIRAVEL6_INSTALLED_BIN");
    }
    const QString userFolder = UserDataFolder();
    QVERIFY(!userFolder.isEmpty());
    QVERIFY2(!QFileInfo::exists(userFolder), "the home must be fresh");

    ScriptedUi ui;
    ProgramWindow program(ui, bin, userFolder);
    frmMain& w = program.window();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(ui.messages.empty());

    // The shipped files reached the user's folder (how they are copied: tst_seeding), and the
    // report names its own path.
    QVERIFY(QFileInfo::exists(QDir(userFolder).filePath(QStringLiteral("miravel6.hlp"))));
    const QString report = QDir(userFolder).filePath(QStringLiteral("light_value.txt"));
    QVERIFY(GetFile(report).startsWith("Light Value - File " + report.toUtf8() + "\r\n"));

    // The first sample button loads the user's copy of the sample.
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("cmdFileOpen_1")), Qt::LeftButton);
    const QString sample = QDir(userFolder).filePath(QLatin1String(kSampleFiles[0].fileName));
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6 - ") + sample);
    const std::optional<Configuration> config = ReadDm6File(sample);
    QVERIFY(config);
    QVERIFY(w.EffSet() == config->recEffSet);
    QVERIFY(ui.messages.empty());
}

QTEST_MAIN(TstInstalledCopy)
#include "tst_installed_copy.moc"
