// miravel6-cli preview and render run as processes: the levels at a moment, the exit
// statuses, and the rendered grid against the window's own canvas.

#include "tests/support/as_nobody.h"
#include "tests/support/cli_run.h"
#include "tests/support/file_bytes.h"
#include "tests/support/utf8.h"
#include "tests/support/window_fixture.h"
#include "window/grid_canvas.h"

#include <QImage>
#include <QProcess>
#include <QtTest>
#include <optional>

namespace {

std::optional<QTemporaryDir> runtime; // XDG_RUNTIME_DIR, which Qt Gui looks for

CliRun RunCli(const QStringList& arguments, bool asNobody = false) {
    if (!runtime) {
        runtime.emplace();
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(U("QT_QPA_PLATFORM")); // render chooses offscreen itself
    if (!asNobody) {
        env.insert(U("XDG_RUNTIME_DIR"), runtime->path());
        return RunProcess(U(MIRAVEL6_CLI_PATH), arguments, env);
    }
    return RunProcess(U(MIRAVEL6_CLI_PATH), arguments, env, [] {
        if (!BecomeNobody()) {
            _exit(99);
        }
    });
}

} // namespace

class TstCliPreview : public QObject {
    Q_OBJECT

private slots:
    void previewPrintsTheLevelsAtTheMoment();
    void previewRefusesBadFiles();
    void renderDrawsTheWindowsGrid();
    void renderTimelineAndAnUnknownFormat();
    void renderOverAFileItMayNotWriteLeavesIt();

private:
    QTemporaryDir scratch;
};

void TstCliPreview::previewPrintsTheLevelsAtTheMoment() {
    // "Miravel 4F": Alba 1 min, Giorno 2 min, Tramonto 1 min, Notte 2 min. Flicker is left out.
    // The levels and the moment's forms are unit-tested; here the command is wired to them.
    const CliRun run = RunCli({U("preview"), Sample("e_mv4f.dm6"), U("--at"), U("00:00:15")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out,
             U("1\t64\n2\t0\n3\t128\n4\t128\n5\t192\n6\t256\n7\t0\n8\t256\n9\t0\n10\t256\n"));
    QCOMPARE(run.err, QString());
}

void TstCliPreview::previewRefusesBadFiles() {
    // A file that does not load (its reasons are the loading's, which every command shares:
    // tst_cli) and a file that loads with every phase "OFF", which only preview refuses, in its
    // own words. A bad moment is the parser's, unit-tested.
    CliRun run = RunCli({U("preview"), scratch.filePath(U("manca.dm6")), U("--at"), U("5")});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.startsWith(U("Impossibile aprire il file:")));

    const QString allOff = scratch.filePath(U("spenta.dm6"));
    QVERIFY(PutFile(allOff, GetFile(Sample("e_mv4f.dm6"))
                                .replace("00=6\r\n01=10\r\n02=6\r\n03=10\r\n",
                                         "00=0\r\n01=0\r\n02=0\r\n03=0\r\n")));
    run = RunCli({U("preview"), allOff, U("--at"), U("5")});
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.err.trimmed(), U("Nessuna fase temporale attivata: ") + allOff);
}

void TstCliPreview::renderDrawsTheWindowsGrid() {
    // A sample with "OFF" phases: their lines are hidden.
    const QString sample = Sample("e_mv4f.dm6");
    const QString png = scratch.filePath(U("griglia.png"));
    const CliRun run = RunCli({U("render"), sample, U("-o"), png});
    QCOMPARE(run.exitCode, 0);
    const QImage rendered(png);

    WindowFixture f;
    frmMain& w = f.Show();
    f.ui.openAnswers.push_back(sample);
    f.ClickButton(U("cmdFileOpen_0"));
    auto* canvas = f.Child<GridCanvas>(U("canvas"));
    const QImage shown = canvas->grab().toImage();
    const TwipsScale& scale = canvas->Scale();
    // The window's grid with the lines on its last separators whole.
    QCOMPARE(rendered.size(), QSize(scale.Px(10080 + 30), scale.Px(5520 + 30)));

    // At the middle of every segment and connector of every cell: the same pixel, the
    // colour of the light course where it is shown, no line where the phase is hidden.
    int lines = 0;
    const auto compare = [&](const GridLine& line) {
        const QPoint at(scale.Px((line.x1 + line.x2) / 2), scale.Px((line.y1 + line.y2) / 2));
        const QColor colour(line.colour.r, line.colour.g, line.colour.b);
        QCOMPARE(rendered.pixelColor(at) == colour, shown.pixelColor(at) == colour);
        if (line.visible) {
            QCOMPARE(rendered.pixelColor(at), colour);
            ++lines;
        }
    };
    for (const GridLine& line : w.Drawing().lineEffH) {
        compare(line);
    }
    for (const GridLine& line : w.Drawing().lineEffV) {
        compare(line);
    }
    QVERIFY(lines > 200);
}

void TstCliPreview::renderTimelineAndAnUnknownFormat() {
    // The timeline: ten bands across the whole cycle. The formats by extension and a failed
    // save are the picture file's (test_picture_file); renderOverAFileItMayNotWriteLeavesIt
    // wires the refusal of a save.
    const QString timeline = scratch.filePath(U("livelli.png"));
    QCOMPARE(
        RunCli({U("render"), Sample("e_mv4f.dm6"), U("--timeline"), U("-o"), timeline}).exitCode,
        0);
    QCOMPARE(QImage(timeline).size(), QSize(1240, 540));

    // Another format is refused before anything is drawn.
    const CliRun run =
        RunCli({U("render"), Sample("e_acq.dm6"), U("-o"), scratch.filePath(U("g.jpg"))});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.startsWith(U("Formato non riconosciuto: ")));
    QVERIFY(!QFile::exists(scratch.filePath(U("g.jpg"))));
}

void TstCliPreview::renderOverAFileItMayNotWriteLeavesIt() {
    // A folder and a picture of root's, readable by all, that nobody may change.
    QTemporaryDir shared(QDir::tempPath() + U("/miravel6-render-XXXXXX"));
    QVERIFY(QFile::setPermissions(
        shared.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                           QFileDevice::ReadOther | QFileDevice::ExeOther));
    const QString png = shared.filePath(U("griglia.png"));
    QCOMPARE(RunCli({U("render"), Sample("e_acq.dm6"), U("-o"), png}).exitCode, 0);
    const QByteArray bytes = GetFile(png);
    QVERIFY(QFile::setPermissions(png, QFileDevice::ReadOwner | QFileDevice::ReadOther));
    QVERIFY(QFile::setPermissions(shared.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                     QFileDevice::ReadOther |
                                                     QFileDevice::ExeOther));

    const CliRun run =
        RunCli({U("render"), Sample("e_mv4f.dm6"), U("--timeline"), U("-o"), png}, true);
    QVERIFY2(run.exitCode != 99, "cannot become nobody");
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(U("Impossibile scrivere il file ") + png), qPrintable(run.err));
    QCOMPARE(GetFile(png), bytes);
    QVERIFY(QFile::setPermissions(shared.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                     QFileDevice::ExeOwner));
}

QTEST_MAIN(TstCliPreview)
#include "tst_cli_preview.moc"
