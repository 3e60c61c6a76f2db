// Where the program keeps its files: a copy the user can write keeps them beside itself; an
// installed copy starts through ProgramWindow in the user's data folder, filled from share/.

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
    QTest::addColumn<QString>("layout");
    QTest::newRow("portable copy") << QStringLiteral("portable");
    QTest::newRow("installed, fresh user") << QStringLiteral("fresh");
    QTest::newRow("installed, a shipped sample missing") << QStringLiteral("missing");
    QTest::newRow("installed, the user changed a sample") << QStringLiteral("changed");
    QTest::newRow("installed, data folder blocked by a file") << QStringLiteral("blocked");
}

void TstProgramFolder::installedCopy() {
    QFETCH(QString, layout);
    WindowFixture settings; // scratch settings store
    QTemporaryDir root;
    const QString bin = root.filePath(QStringLiteral("usr/bin"));
    const QString share = root.filePath(QStringLiteral("usr/share/miravel6"));
    const QString user = root.filePath(QStringLiteral("home/.local/share/Miravel6"));
    QVERIFY(QDir().mkpath(bin));
    const QString shipFolder = layout == QStringLiteral("portable") ? bin : share;
    for (const QString& name : ShippedFileNames()) {
        if (layout != QStringLiteral("missing") || name != QStringLiteral("e_acq.dm6")) {
            QVERIFY(PutFile(QDir(shipFolder).filePath(name),
                            GetFile(QStringLiteral(MIRAVEL6_SAMPLES_DIR "/") + name)));
        }
    }
    QVERIFY(PutFile(QDir(share).filePath(QStringLiteral("miravel6.hlp")), "<p>guida</p>"));
    if (layout == QStringLiteral("changed")) {
        QVERIFY(PutFile(QDir(user).filePath(QStringLiteral("e_eff.dm6")), "mio"));
    }
    if (layout == QStringLiteral("blocked")) {
        QVERIFY(PutFile(user, "un file"));
    }
    ScriptedUi ui;
    ProgramWindow program(ui, bin, user);
    frmMain& w = program.window();
    const QString folder = layout == QStringLiteral("portable") ? bin : user;
    const bool blocked = layout == QStringLiteral("blocked");
    // The help that a name's menu opens lies in the program folder, or in the shipped one
    // when the program folder could not be made.
    ui.menuChoices.push_back({QStringLiteral("Guida")});
    QTest::mouseClick(w.findChild<QLabel*>(QStringLiteral("lblOutName_0")), Qt::LeftButton);
    QCOMPARE(ui.helpFiles, QStringList{QDir::toNativeSeparators(blocked ? share : folder) +
                                       QStringLiteral("/miravel6.hlp")});
    const QString report = QDir::toNativeSeparators(folder) + QStringLiteral("/light_value.txt");
    if (blocked) {
        QCOMPARE(ui.messages.size(), std::size_t{1});
        QCOMPARE(ui.messages[0].text,
                 QStringLiteral("Impossibile scrivere i valori sul file ") + report);
        QVERIFY(ui.messages[0].details.startsWith(QStringLiteral("Cartella: ") + user +
                                                  QStringLiteral("\r\nMotivo: ") + user +
                                                  QStringLiteral(" non \u00e8 una cartella.")));
        QCOMPARE(GetFile(user), QByteArray("un file")); // nothing is lost
        return;
    }
    QVERIFY(ui.messages.empty());
    QVERIFY(GetFile(report).startsWith("Light Value - File " + report.toUtf8() + "\r\n"));
    QCOMPARE(QFileInfo::exists(user), layout != QStringLiteral("portable"));
    if (layout == QStringLiteral("portable")) {
        return;
    }
    const auto in = [&user](const char* name) { return QDir(user).filePath(QLatin1String(name)); };
    QCOMPARE(QFileInfo::exists(in("e_acq.dm6")), layout != QStringLiteral("missing"));
    QVERIFY(QFileInfo::exists(in("e_mv4f.dm6")) && QFileInfo::exists(in("miravel6.hlp")));
    if (layout == QStringLiteral("changed")) {
        QCOMPARE(GetFile(in("e_eff.dm6")), QByteArray("mio"));
        QVERIFY(QFileInfo::exists(in("e_eff-nuovo-1.0.dm6")));
    }
    // A sample button loads the copy in the user's folder.
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("cmdFileOpen_2")), Qt::LeftButton);
    QVERIFY(ui.messages.empty());
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6 - ") + in("e_mv8f.dm6"));
}

QTEST_MAIN(TstProgramFolder)
#include "tst_program_folder.moc"
