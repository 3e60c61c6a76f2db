// The light value report holds exactly the current course after every refresh, whatever the
// file held before: it is overwritten in place, so a longer old file must lose its tail.

#include "model/light_course.h"
#include "model/light_report.h"
#include "tests/support/window_fixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QtTest>

namespace {

void WriteProgramFile(const WindowFixture& f, const QByteArray& bytes) {
    QFile file(QDir(f.FolderPath()).filePath(QStringLiteral("light_value.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// What the report must hold for the window's grid and durations now.
QByteArray ExpectedReport(const WindowFixture& f, frmMain& w) {
    const QString path = QDir::toNativeSeparators(f.FolderPath()) + QDir::separator() +
                         QStringLiteral("light_value.txt");
    return QByteArray::fromStdString(
        LightValueReport(path.toStdString(), ComputeLightCourse(w.EffSet(), w.CurrentFaseCodes())));
}

void ChooseRisingQuarter(WindowFixture& f) {
    f.ui.menuChoices.push_back(
        {QString::fromUtf8("Luminosit\u00e0 Parte1"), QStringLiteral("Crescente 25%")});
    QTest::mouseClick(f.Child<QLabel>("lblEffMode", 0), Qt::LeftButton);
}

} // namespace

class TstReportRewrite : public QObject {
    Q_OBJECT

private slots:
    void reportHoldsExactlyTheCurrentCourse_data();
    void reportHoldsExactlyTheCurrentCourse();
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
    if (existed) {
        WriteProgramFile(f, before);
    }
    frmMain& w = f.Open();
    QCOMPARE(f.ReadProgramFile(QStringLiteral("light_value.txt")), ExpectedReport(f, w));

    ChooseRisingQuarter(f);
    const QByteArray edited = f.ReadProgramFile(QStringLiteral("light_value.txt"));
    QCOMPARE(edited, ExpectedReport(f, w));
    QVERIFY(edited.contains("\r\n1  | +000 +128 0 +000 +000 0 | "));

    // Someone else's bytes in the file; the same choice again changes nothing on the grid
    // but rewrites the whole report.
    WriteProgramFile(f, before.isEmpty() ? QByteArray(9000, 'y') : before);
    ChooseRisingQuarter(f);
    QCOMPARE(f.ReadProgramFile(QStringLiteral("light_value.txt")), edited);
    QVERIFY(f.ui.messages.empty());
    QVERIFY(f.ui.menuErrors.isEmpty());
}

QTEST_MAIN(TstReportRewrite)
#include "tst_report_rewrite.moc"
