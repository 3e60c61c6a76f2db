// miravel6-cli preview and render run as processes: the levels at a moment, the exit
// statuses, and the rendered grid against the window's own canvas.

#include "tests/support/window_fixture.h"
#include "window/grid_canvas.h"

#include <QImage>
#include <QProcess>
#include <QtTest>
#include <optional>
#include <unistd.h>

namespace {

QString S(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QString Sample(const char* name) {
    return S(MIRAVEL6_SAMPLES_DIR "/") + S(name);
}

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

std::optional<QTemporaryDir> runtime; // XDG_RUNTIME_DIR, which Qt Gui looks for

// As an unprivileged user, where root would write through any permission.
constexpr uid_t kNobody = 65534;

CliRun RunCli(const QStringList& arguments, bool asNobody = false) {
    if (!runtime) {
        runtime.emplace();
    }
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(S("QT_QPA_PLATFORM")); // render chooses offscreen itself
    env.insert(S("XDG_RUNTIME_DIR"), runtime->path());
    cli.setProcessEnvironment(env);
    if (asNobody) {
        env.remove(S("XDG_RUNTIME_DIR"));
        cli.setProcessEnvironment(env);
        cli.setChildProcessModifier([] {
            if (setgid(kNobody) != 0 || setuid(kNobody) != 0) {
                _exit(99);
            }
        });
    }
    cli.start(S(MIRAVEL6_CLI_PATH), arguments);
    if (!cli.waitForFinished(30000) || cli.exitStatus() != QProcess::NormalExit) {
        return {};
    }
    return {cli.exitCode(), QString::fromUtf8(cli.readAllStandardOutput()),
            QString::fromUtf8(cli.readAllStandardError())};
}

// Ten lines "N<tab>level".
QString Levels(const std::array<int, 10>& levels) {
    QString text;
    for (int o = 0; o < 10; ++o) {
        text += QString::number(o + 1) + QLatin1Char('\t') +
                QString::number(levels[static_cast<std::size_t>(o)]) + QLatin1Char('\n');
    }
    return text;
}

} // namespace

class TstCliPreview : public QObject {
    Q_OBJECT

private slots:
    void previewPrintsTheLevelsAtTheMoment();
    void previewRefusesBadMomentsAndFiles();
    void renderDrawsTheWindowsGrid();
    void renderFormatsAndFailures();
    void renderOverAFileItMayNotWriteLeavesIt();

private:
    QTemporaryDir scratch;
};

void TstCliPreview::previewPrintsTheLevelsAtTheMoment() {
    // "Miravel 4F": Alba 1 min, Giorno 2 min, Tramonto 1 min, Notte 2 min. Flicker is left out.
    const struct {
        const char* at;
        std::array<int, 10> levels;
    } table[] = {
        {"15", {64, 0, 128, 128, 192, 256, 0, 256, 0, 256}},
        {"00:00:15", {64, 0, 128, 128, 192, 256, 0, 256, 0, 256}},
        {"45", {192, 128, 128, 0, 64, 0, 0, 128, 0, 256}},
        {"7.5", {32, 0, 64, 192, 224, 256, 256, 256, 0, 256}},
        {"00:02:00", {256, 256, 0, 0, 0, 0, 0, 0, 0, 256}},
        {"00:04:00", {0, 0, 0, 256, 256, 256, 256, 256, 256, 256}},
        // A cycle later the board is where it started.
        {"360", {0, 0, 0, 256, 256, 256, 256, 256, 0, 256}},
        {"0", {0, 0, 0, 256, 256, 256, 256, 256, 0, 256}},
    };
    for (const auto& row : table) {
        const CliRun run = RunCli({S("preview"), Sample("e_mv4f.dm6"), S("--at"), S(row.at)});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, Levels(row.levels));
        QCOMPARE(run.err, QString());
    }
    QCOMPARE(RunCli({S("preview"), Sample("e_mv4f.dm6"), S("--at=45")}).out,
             Levels({192, 128, 128, 0, 64, 0, 0, 128, 0, 256}));
}

void TstCliPreview::previewRefusesBadMomentsAndFiles() {
    for (const char* at : {"", "-5", "1:2", "00:61:00", "abc", "1e3", "12,5"}) {
        const CliRun run = RunCli({S("preview"), Sample("e_mv4f.dm6"), S("--at"), S(at)});
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QString());
        QVERIFY2(!run.err.isEmpty(), at);
    }
    QCOMPARE(RunCli({S("preview"), Sample("e_mv4f.dm6")}).exitCode, 2);
    QCOMPARE(RunCli({S("image"), Sample("e_mv4f.dm6"), S("--at"), S("5")}).exitCode, 2);

    // A refused file and a cycle with every phase "OFF".
    const QString bad = scratch.filePath(S("rotto.dm6"));
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("non una configurazione\r\n");
    file.close();
    CliRun run = RunCli({S("preview"), bad, S("--at"), S("5")});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.startsWith(S("Impossibile aprire il file:")));

    QFile sample(Sample("e_mv4f.dm6"));
    QVERIFY(sample.open(QIODevice::ReadOnly));
    QByteArray off = sample.readAll();
    for (const char* line : {"00=6\r\n01=10\r\n02=6\r\n03=10\r\n"}) {
        off.replace(line, "00=0\r\n01=0\r\n02=0\r\n03=0\r\n");
    }
    const QString allOff = scratch.filePath(S("spenta.dm6"));
    QFile offFile(allOff);
    QVERIFY(offFile.open(QIODevice::WriteOnly));
    offFile.write(off);
    offFile.close();
    QCOMPARE(RunCli({S("check"), allOff}).exitCode, 0);
    run = RunCli({S("preview"), allOff, S("--at"), S("5")});
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.err.trimmed(), S("Nessuna fase temporale attivata: ") + allOff);
}

void TstCliPreview::renderDrawsTheWindowsGrid() {
    for (const char* name : {"e_mv4f.dm6", "e_acq.dm6", "e_eff.dm6"}) {
        const QString png = scratch.filePath(S("griglia.png"));
        const CliRun run = RunCli({S("render"), Sample(name), S("-o"), png});
        QCOMPARE(run.exitCode, 0);
        const QImage rendered(png);
        QVERIFY(!rendered.isNull());

        WindowFixture f;
        frmMain& w = f.Show();
        f.ui.openAnswers.push_back(Sample(name));
        f.ClickButton(S("cmdFileOpen_0"));
        auto* canvas = f.Child<GridCanvas>(S("canvas"));
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
}

void TstCliPreview::renderFormatsAndFailures() {
    const QString svg = scratch.filePath(S("griglia.svg"));
    const QString pdf = scratch.filePath(S("livelli.PDF"));
    QCOMPARE(RunCli({S("render"), Sample("e_acq.dm6"), S("-o"), svg}).exitCode, 0);
    QCOMPARE(RunCli({S("render"), Sample("e_acq.dm6"), S("--timeline"), S("-o"), pdf}).exitCode, 0);
    QFile svgFile(svg);
    QVERIFY(svgFile.open(QIODevice::ReadOnly));
    const QByteArray svgText = svgFile.readAll();
    QVERIFY(svgText.contains("<svg"));
    QVERIFY(svgText.contains(">Nome</text>")); // the texts are there as text
    QFile pdfFile(pdf);
    QVERIFY(pdfFile.open(QIODevice::ReadOnly));
    QVERIFY(pdfFile.read(4) == "%PDF");

    // The timeline: ten bands across the whole cycle.
    const QString timeline = scratch.filePath(S("livelli.png"));
    QCOMPARE(
        RunCli({S("render"), Sample("e_mv4f.dm6"), S("--timeline"), S("-o"), timeline}).exitCode,
        0);
    QCOMPARE(QImage(timeline).size(), QSize(1240, 540));

    // Refusals: no -o, another format, --timeline elsewhere, a folder that is not there.
    QCOMPARE(RunCli({S("render"), Sample("e_acq.dm6")}).exitCode, 2);
    CliRun run = RunCli({S("render"), Sample("e_acq.dm6"), S("-o"), scratch.filePath(S("g.jpg"))});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.startsWith(S("Formato non riconosciuto: ")));
    QVERIFY(!QFile::exists(scratch.filePath(S("g.jpg"))));
    QCOMPARE(RunCli({S("image"), Sample("e_acq.dm6"), S("--timeline")}).exitCode, 2);
    const QString missing = scratch.filePath(S("manca/g.png"));
    run = RunCli({S("render"), Sample("e_acq.dm6"), S("-o"), missing});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.startsWith(S("Impossibile scrivere il file ") + missing));
    // --help names both commands.
    run = RunCli({S("--help")});
    QVERIFY(run.out.contains(S("preview FILE.dm6 --at T")));
    QVERIFY(run.out.contains(S("render FILE.dm6 -o IMMAGINE")));
}

void TstCliPreview::renderOverAFileItMayNotWriteLeavesIt() {
    // A folder and a picture of root's, readable by all, that nobody may change.
    QTemporaryDir shared(QDir::tempPath() + S("/miravel6-render-XXXXXX"));
    QVERIFY(QFile::setPermissions(
        shared.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                           QFileDevice::ReadOther | QFileDevice::ExeOther));
    const QString png = shared.filePath(S("griglia.png"));
    QCOMPARE(RunCli({S("render"), Sample("e_acq.dm6"), S("-o"), png}).exitCode, 0);
    QFile before(png);
    QVERIFY(before.open(QIODevice::ReadOnly));
    const QByteArray bytes = before.readAll();
    before.close();
    QVERIFY(QFile::setPermissions(png, QFileDevice::ReadOwner | QFileDevice::ReadOther));
    QVERIFY(QFile::setPermissions(shared.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                     QFileDevice::ReadOther |
                                                     QFileDevice::ExeOther));

    const CliRun run =
        RunCli({S("render"), Sample("e_mv4f.dm6"), S("--timeline"), S("-o"), png}, true);
    QVERIFY2(run.exitCode != 99, "cannot become nobody");
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(S("Impossibile scrivere il file ") + png), qPrintable(run.err));
    QFile after(png);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), bytes);
    QVERIFY(QFile::setPermissions(shared.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                     QFileDevice::ExeOwner));
}

QTEST_MAIN(TstCliPreview)
#include "tst_cli_preview.moc"
