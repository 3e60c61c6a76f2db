// miravel6-cli preview and render run as processes: the levels at a moment, the exit
// statuses, and the rendered grid against the window's own canvas.

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

CliRun RunCli(const QStringList& arguments) {
    if (!runtime) {
        runtime.emplace();
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(U("QT_QPA_PLATFORM")); // render chooses offscreen itself
    env.insert(U("XDG_RUNTIME_DIR"), runtime->path());
    return RunProcess(U(MIRAVEL6_CLI_PATH), arguments, env);
}

} // namespace

class TstCliPreview : public QObject {
    Q_OBJECT

private slots:
    void previewPrintsTheLevelsAtTheMoment();
    void previewRefusesBadFiles();
    void renderDrawsTheWindowsGrid();
    void renderTimelineAndAnUnknownFormat();

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
    // save that keeps the old picture are the picture file's (test_picture_file).
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

    // A picture that cannot be saved is a failure, with its reason.
    const QString missing = scratch.filePath(U("manca/g.png"));
    const CliRun failed = RunCli({U("render"), Sample("e_acq.dm6"), U("-o"), missing});
    QCOMPARE(failed.exitCode, 2);
    QVERIFY2(failed.err.startsWith(U("Impossibile scrivere il file ") + missing),
             qPrintable(failed.err));
}

QTEST_MAIN(TstCliPreview)
#include "tst_cli_preview.moc"
