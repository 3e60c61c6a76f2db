// The light value report holds exactly the report of the shown grid after every refresh,
// whatever the file held before (a longer old file must lose its tail); a report that cannot be
// written is told on every refresh while everything else still works. Its layout: the unit test.

#include "model/light_course.h"
#include "model/light_report.h"
#include "tests/support/file_bytes.h"
#include "tests/support/window_fixture.h"

#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kReport = QStringLiteral("light_value.txt");

// What the report must hold for the window's grid and durations now.
QByteArray ExpectedReport(const WindowFixture& f, frmMain& w) {
    return QByteArray::fromStdString(
        LightValueReport(f.ProgramPath(kReport).toStdString(),
                         ComputeLightCourse(w.EffSet(), w.CurrentFaseCodes())));
}

const QStringList kRisingQuarter = {QString::fromUtf8("Luminosit\u00e0 Parte1"),
                                    QStringLiteral("Crescente 25%")};

} // namespace

class TstReportRewrite : public QObject {
    Q_OBJECT

private slots:
    void reportHoldsExactlyTheCurrentCourse();
    void unwritableReportIsToldOnEveryRefresh();
    void reportTakesThePlaceOfWhatStandsThere();
};

void TstReportRewrite::reportHoldsExactlyTheCurrentCourse() {
    WindowFixture f;
    QVERIFY(f.WriteProgramFile(kReport, QByteArray(20000, 'x'))); // longer than any report
    frmMain& w = f.Open();
    // At start-up, after an edit, and after the same choice again over someone else's bytes of
    // the report's length: the grid does not change but the whole report is rewritten.
    for (int refresh = 0; refresh < 3; ++refresh) {
        const QByteArray report = f.ReadProgramFile(kReport);
        QCOMPARE(report, ExpectedReport(f, w));
        QVERIFY(f.WriteProgramFile(kReport, QByteArray(report.size(), '#')));
        f.ClickCell(0, kRisingQuarter);
    }
    QVERIFY(f.ui.messages.empty());
    QVERIFY(f.ui.menuErrors.isEmpty());
}

void TstReportRewrite::unwritableReportIsToldOnEveryRefresh() {
    WindowFixture f;
    // A folder in the report's place cannot be opened for writing, not even by root.
    QVERIFY(QDir(f.FolderPath()).mkdir(kReport));
    frmMain& w = f.Show();
    const QString told =
        QStringLiteral("Impossibile scrivere i valori sul file ") + f.ProgramPath(kReport);
    f.ExpectMessage(1, told, MsgIcon::Critical);
    QCOMPARE(f.ui.messages[0].details, QStringLiteral("File: ") + f.ProgramPath(kReport) +
                                           QStringLiteral("\r\nMotivo: il percorso \u00e8 una "
                                                          "cartella."));
    auto* firstCell = f.Child<QLabel>("lblEffMode", 0);
    const QString emptyTip = firstCell->toolTip();

    // An effect chosen in the menu is drawn and told once more.
    f.ClickCell(0, kRisingQuarter);
    f.ExpectMessage(2, told, MsgIcon::Critical);
    QVERIFY(firstCell->toolTip() != emptyTip);

    // Saving draws nothing, so it says nothing.
    const QString saved = QDir(f.FolderPath()).filePath(QStringLiteral("prova.dm6"));
    f.ui.saveAnswers.push_back(saved);
    f.ClickButton(QStringLiteral("cmdFileSave"));
    f.ExpectMessage(2, told, MsgIcon::Critical);
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6 - ") + saved);

    QVERIFY(f.ui.menuErrors.isEmpty());
    f.ui.msgAnswers.push_back(MsgAnswer::No); // the edits are not to be saved
    QVERIFY(w.close());
}

void TstReportRewrite::reportTakesThePlaceOfWhatStandsThere() {
    WindowFixture f;
    frmMain& w = f.Open();
    QTemporaryDir elsewhere;
    const QString notes = elsewhere.filePath(QStringLiteral("appunti.txt"));
    QVERIFY(PutFile(notes, "mine\n"));
    const QByteArray report = QFile::encodeName(f.ProgramPath(kReport));
    const QByteArray mine = QFile::encodeName(notes);
    // A link to a file of the user, a second name of it and a fifo; each refresh after an edit
    // must replace it, not write through it.
    for (int standing = 0; standing < 3; ++standing) {
        QVERIFY(::unlink(report.constData()) == 0);
        const int made = standing == 0   ? ::symlink(mine.constData(), report.constData())
                         : standing == 1 ? ::link(mine.constData(), report.constData())
                                         : ::mkfifo(report.constData(), 0600);
        QVERIFY(made == 0);

        f.ClickCell(0, kRisingQuarter);

        QVERIFY(f.ui.messages.empty());
        const QFileInfo written(QFile::decodeName(report));
        QVERIFY2(written.isFile() && !written.isSymbolicLink(),
                 qPrintable(QString::number(standing)));
        QCOMPARE(f.ReadProgramFile(kReport), ExpectedReport(f, w));
        QCOMPARE(GetFile(notes), QByteArray("mine\n"));
    }
}

QTEST_MAIN(TstReportRewrite)
#include "tst_report_rewrite.moc"
