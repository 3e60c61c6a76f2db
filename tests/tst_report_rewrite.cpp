// The light value report, laid out in columns, holds exactly the current course after every
// refresh, whatever the file held before (a longer old file must lose its tail); a report that
// cannot be written is told on every refresh while everything else still works.

#include "model/light_course.h"
#include "model/light_report.h"
#include "tests/support/window_fixture.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
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
    void reportTakesThePlaceOfWhatStandsThere_data();
    void reportTakesThePlaceOfWhatStandsThere();
};

void TstReportRewrite::reportHoldsExactlyTheCurrentCourse_data() {
    QTest::addColumn<bool>("existed");
    QTest::addColumn<QByteArray>("before");
    QTest::newRow("no file") << false << QByteArray();
    QTest::newRow("empty file") << true << QByteArray();
    QTest::newRow("short old text") << true << QByteArray("old\r\n");
    QTest::newRow("long old text") << true << QByteArray(20000, 'x');
    QTest::newRow("same length, other bytes") << true << QByteArray(2500, '#');
}

void TstReportRewrite::reportHoldsExactlyTheCurrentCourse() {
    QFETCH(bool, existed);
    QFETCH(QByteArray, before);
    WindowFixture f;
    QVERIFY(!existed || f.WriteProgramFile(kReport, before));
    frmMain& w = f.Open();
    const QByteArray startUp = f.ReadProgramFile(kReport);
    QCOMPARE(startUp, ExpectedReport(f, w));
    CheckLayout(startUp, f.ProgramPath(kReport));
    QVERIFY(startUp.contains("\r\n1  | +000 +000 0 +000 +000 0 | "));

    f.ClickCell(0, kRisingQuarter);
    const QByteArray edited = f.ReadProgramFile(kReport);
    QCOMPARE(edited, ExpectedReport(f, w));
    CheckLayout(edited, f.ProgramPath(kReport));
    QVERIFY(edited.contains("\r\n1  | +000 +128 0 +000 +000 0 | "));

    // Someone else's bytes in the file; the same choice again changes nothing on the grid
    // but rewrites the whole report.
    QVERIFY(f.WriteProgramFile(kReport, before.isEmpty() ? QByteArray(9000, 'y') : before));
    f.ClickCell(0, kRisingQuarter);
    QCOMPARE(f.ReadProgramFile(kReport), edited);
    QVERIFY(f.ui.messages.empty());
    QVERIFY(f.ui.menuErrors.isEmpty());
}

void TstReportRewrite::unwritableReportIsToldOnEveryRefresh() {
    WindowFixture f;
    // A folder in the report's place cannot be opened for writing, not even by root.
    QVERIFY(QDir(f.FolderPath()).mkdir(kReport));
    frmMain& w = f.Show();
    QCOMPARE(f.ui.messages.size(), std::size_t{1});
    auto* firstCell = f.Child<QLabel>("lblEffMode", 0);
    const QString emptyTip = firstCell->toolTip();

    // An effect chosen in the menu is drawn and told once more.
    f.ClickCell(0, kRisingQuarter);
    QCOMPARE(f.ui.messages.size(), std::size_t{2});
    const QString editedTip = firstCell->toolTip();
    const QString editedImage = f.Child<QPlainTextEdit>(QStringLiteral("txtEdata"))->toPlainText();
    QVERIFY(editedTip != emptyTip);

    // Saving draws nothing, so it says nothing.
    const QString saved = QDir(f.FolderPath()).filePath(QStringLiteral("prova.dm6"));
    f.ui.saveAnswers.push_back(saved);
    f.ClickButton(QStringLiteral("cmdFileSave"));
    QCOMPARE(f.ui.messages.size(), std::size_t{2});
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6 - ") + saved);

    // Clearing everything, then opening the saved file brings the edit back with one refresh.
    f.ClickCell(0, {QStringLiteral("Azzera"), QStringLiteral("Tutto")}, Qt::RightButton);
    QCOMPARE(f.ui.messages.size(), std::size_t{3});
    QCOMPARE(firstCell->toolTip(), emptyTip);
    f.ui.openAnswers.push_back(saved);
    f.ClickButton(QStringLiteral("cmdFileOpen_0"));
    QCOMPARE(f.ui.messages.size(), std::size_t{4});
    QCOMPARE(firstCell->toolTip(), editedTip);
    QCOMPARE(f.Child<QPlainTextEdit>(QStringLiteral("txtEdata"))->toPlainText(), editedImage);

    // A duration set to "OFF" hides its column.
    f.Child<QComboBox>("cboFaseTime", 0)->setCurrentIndex(0);
    QCOMPARE(f.ui.messages.size(), std::size_t{5});
    QVERIFY(firstCell->isHidden());

    for (const RecordedMessage& message : f.ui.messages) {
        QCOMPARE(message.text, QStringLiteral("Impossibile scrivere i valori sul file ") +
                                   f.ProgramPath(kReport));
        QCOMPARE(message.icon, MsgIcon::Critical);
        QCOMPARE(message.buttons, MsgButtons::Ok);
        QCOMPARE(message.caption, QStringLiteral("Miravel6"));
    }
    QVERIFY(f.ui.menuErrors.isEmpty());
    QVERIFY(w.close());
}

void TstReportRewrite::reportTakesThePlaceOfWhatStandsThere_data() {
    QTest::addColumn<QString>("standing");
    QTest::newRow("link to a file of the user") << QStringLiteral("link");
    QTest::newRow("link that leads nowhere") << QStringLiteral("dangling");
    QTest::newRow("second name of a file of the user") << QStringLiteral("hard link");
    QTest::newRow("fifo") << QStringLiteral("fifo");
}

void TstReportRewrite::reportTakesThePlaceOfWhatStandsThere() {
    QFETCH(QString, standing);
    WindowFixture f;
    QTemporaryDir elsewhere;
    const QString notes = elsewhere.filePath(QStringLiteral("appunti.txt"));
    QFile notesFile(notes);
    QVERIFY(notesFile.open(QIODevice::WriteOnly) && notesFile.write("mine\n") == 5);
    notesFile.close();
    const QByteArray report = QFile::encodeName(QDir(f.FolderPath()).filePath(kReport));
    if (standing == QStringLiteral("link")) {
        QVERIFY(::symlink(QFile::encodeName(notes).constData(), report.constData()) == 0);
    } else if (standing == QStringLiteral("dangling")) {
        QVERIFY(
            ::symlink(
                QFile::encodeName(elsewhere.filePath(QStringLiteral("nessuno.txt"))).constData(),
                report.constData()) == 0);
    } else if (standing == QStringLiteral("hard link")) {
        QVERIFY(::link(QFile::encodeName(notes).constData(), report.constData()) == 0);
    } else {
        QVERIFY(::mkfifo(report.constData(), 0600) == 0);
    }

    frmMain& w = f.Open();
    f.ClickCell(0, kRisingQuarter);

    QVERIFY(f.ui.messages.empty());
    const QFileInfo written(QFile::decodeName(report));
    QVERIFY(written.isFile() && !written.isSymbolicLink());
    QCOMPARE(f.ReadProgramFile(kReport), ExpectedReport(f, w));
    QVERIFY(f.ReadProgramFile(kReport).contains("\r\n1  | +000 +128 0 +000 +000 0 | "));
    QCOMPARE(QDir(elsewhere.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("appunti.txt")});
    QVERIFY(notesFile.open(QIODevice::ReadOnly));
    QCOMPARE(notesFile.readAll(), QByteArray("mine\n"));
}

QTEST_MAIN(TstReportRewrite)
#include "tst_report_rewrite.moc"
