// The light value report, laid out in columns, holds exactly the current course after every
// refresh, whatever the file held before (a longer old file must lose its tail); a report that
// cannot be written is told on every refresh while everything else still works.

#include "model/light_course.h"
#include "model/light_report.h"
#include "tests/support/file_bytes.h"
#include "tests/support/window_fixture.h"

#include <QComboBox>
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

// The report's layout: CR LF lines, rows of 213 characters whose "|" stand under the title's.
void CheckLayout(const QByteArray& report, const QString& path) {
    const QList<QByteArray> lines = report.split('\n');
    QCOMPARE(lines.size(), 16);
    QVERIFY(lines[15].isEmpty()); // the last line ends with CR LF too
    QCOMPARE(report.count('\r'), 15);
    QCOMPARE(lines.mid(0, 4).join('\n'),
             "Light Value - File " + path.toUtf8() + "\r\n\r\nValue:  Start_Part1  Stop_Part1  " +
                 "Normal/Over/Under_Part1  Start_Part2  Stop_Part2  Normal/Over/Under_Part2\r\n\r");
    QVERIFY(lines[4].startsWith("Out| Fase1                   |") && lines[4].size() == 213);
    QVERIFY(lines[14].startsWith("10 | "));
    for (int row = 5; row < 15; ++row) {
        QCOMPARE(lines[row].size(), 213 + 1);
        QVERIFY(lines[row].endsWith(" \r"));
        for (qsizetype col = 0; col < lines[row].size(); ++col) {
            QVERIFY(lines[row][col] != '|' || lines[4][col] == '|');
        }
    }
}

const QStringList kRisingQuarter = {QString::fromUtf8("Luminosit\u00e0 Parte1"),
                                    QStringLiteral("Crescente 25%")};

} // namespace

class TstReportRewrite : public QObject {
    Q_OBJECT

private slots:
    void reportHoldsExactlyTheCurrentCourse_data();
    void reportHoldsExactlyTheCurrentCourse();
    void unwritableReportIsToldOnEveryRefresh();
    void reportTakesThePlaceOfWhatStandsThere();
};

void TstReportRewrite::reportHoldsExactlyTheCurrentCourse_data() {
    QTest::addColumn<bool>("existed");
    QTest::addColumn<QByteArray>("before");
    QTest::newRow("no file") << false << QByteArray();
    QTest::newRow("long old text") << true << QByteArray(20000, 'x');
    QTest::newRow("same length, other bytes") << true << QByteArray(2500, '#');
}

void TstReportRewrite::reportHoldsExactlyTheCurrentCourse() {
    QFETCH(bool, existed);
    QFETCH(QByteArray, before);
    WindowFixture f;
    QVERIFY(!existed || f.WriteProgramFile(kReport, before));
    frmMain& w = f.Open();
    // At start-up, after an edit, and after the same choice again over someone else's bytes:
    // the grid does not change but the whole report is rewritten.
    for (int refresh = 0; refresh < 3; ++refresh) {
        const QByteArray report = f.ReadProgramFile(kReport);
        QCOMPARE(report, ExpectedReport(f, w));
        CheckLayout(report, f.ProgramPath(kReport));
        QVERIFY(f.WriteProgramFile(kReport, before.isEmpty() ? QByteArray(9000, 'y') : before));
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
    const QString editedTip = firstCell->toolTip();
    QVERIFY(editedTip != emptyTip);

    // Saving draws nothing, so it says nothing.
    const QString saved = QDir(f.FolderPath()).filePath(QStringLiteral("prova.dm6"));
    f.ui.saveAnswers.push_back(saved);
    f.ClickButton(QStringLiteral("cmdFileSave"));
    f.ExpectMessage(2, told, MsgIcon::Critical);
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6 - ") + saved);

    // Clearing everything, then opening the saved file brings the edit back with one refresh.
    f.ClickCell(0, {QStringLiteral("Azzera"), QStringLiteral("Tutto")}, Qt::RightButton);
    f.ExpectMessage(3, told, MsgIcon::Critical);
    f.ui.openAnswers.push_back(saved);
    f.ClickButton(QStringLiteral("cmdFileOpen_0"));
    f.ExpectMessage(4, told, MsgIcon::Critical);
    QCOMPARE(firstCell->toolTip(), editedTip);

    // A duration set to "OFF" hides its column.
    f.Child<QComboBox>("cboFaseTime", 0)->setCurrentIndex(0);
    f.ExpectMessage(5, told, MsgIcon::Critical);
    QVERIFY(firstCell->isHidden());

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
    const QByteArray nowhere = QFile::encodeName(elsewhere.filePath(QStringLiteral("nessuno.txt")));
    // A link to a file of the user, one that leads nowhere, a second name of the user's file
    // and a fifo; each refresh after an edit must replace it, not write through it.
    for (int standing = 0; standing < 4; ++standing) {
        QVERIFY(::unlink(report.constData()) == 0);
        const int made = standing == 0   ? ::symlink(mine.constData(), report.constData())
                         : standing == 1 ? ::symlink(nowhere.constData(), report.constData())
                         : standing == 2 ? ::link(mine.constData(), report.constData())
                                         : ::mkfifo(report.constData(), 0600);
        QVERIFY(made == 0);

        f.ClickCell(0, standing % 2 == 0
                           ? kRisingQuarter
                           : QStringList{kRisingQuarter[0], QStringLiteral("Spenta")});

        QVERIFY(f.ui.messages.empty());
        const QFileInfo written(QFile::decodeName(report));
        QVERIFY2(written.isFile() && !written.isSymbolicLink(),
                 qPrintable(QString::number(standing)));
        QCOMPARE(f.ReadProgramFile(kReport), ExpectedReport(f, w));
        QCOMPARE(QDir(elsewhere.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("appunti.txt")});
        QCOMPARE(GetFile(notes), QByteArray("mine\n"));
    }
}

QTEST_MAIN(TstReportRewrite)
#include "tst_report_rewrite.moc"
