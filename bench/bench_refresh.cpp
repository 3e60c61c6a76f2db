// What one full grid refresh costs on the real window, against a 16.7 ms frame: the whole
// RefreshEffects on the "Effetti luce" sample, its pure part, each of its steps, and the
// paint of the canvas and of the whole window that follows it.

#include "bench/support/bench_window.h"
#include "files/report_file.h"
#include "model/charset.h"
#include "model/edata.h"
#include "model/grid_drawing.h"
#include "model/light_course.h"
#include "model/light_report.h"
#include "window/grid_canvas.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

constexpr double kFrameMs = 1000.0 / 60.0;

struct Stats {
    double medianMs = 0;
    double p95Ms = 0;
};

// Median and 95th percentile of `runs` timed calls; the call gets the run number.
Stats Measure(int runs, const std::function<void(int)>& call) {
    std::vector<double> ms;
    ms.reserve(static_cast<std::size_t>(runs));
    for (int n = 0; n < runs; ++n) {
        const auto start = std::chrono::steady_clock::now();
        call(n);
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        ms.push_back(took.count());
    }
    std::sort(ms.begin(), ms.end());
    const auto at = [&ms](double q) {
        return ms[std::min(ms.size() - 1,
                           static_cast<std::size_t>(q * static_cast<double>(ms.size())))];
    };
    return {at(0.5), at(0.95)};
}

void Print(const char* what, int runs, const Stats& s) {
    std::printf("  %-46s median %8.1f us  p95 %8.1f us  frame ratio %.4f  (%d runs)\n", what,
                s.medianMs * 1000.0, s.p95Ms * 1000.0, s.medianMs / kFrameMs, runs);
}

bool CopySample(const QString& name, const QDir& folder) {
    const QString from = QStringLiteral(MIRAVEL6_SAMPLES_DIR "/") + name;
    return QFile::copy(from, folder.filePath(name));
}

} // namespace

int main(int argc, char* argv[]) {
    // A quick run for a smoke check; the default counts keep the median and p95 steady.
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    const int runs = quick ? 50 : 1000;
    const int paintRuns = quick ? 10 : 150;

    BenchWindow bench(argc, argv);
    const QDir programFolder(bench.FolderPath());
    if (!CopySample(QStringLiteral("e_eff.dm6"), programFolder) ||
        !CopySample(QStringLiteral("e_acq.dm6"), programFolder)) {
        std::fprintf(stderr, "cannot copy the samples from %s\n", MIRAVEL6_SAMPLES_DIR);
        return 1;
    }

    const ScriptedUi& ui = bench.ui();
    frmMain& window = bench.Open();
    QApplication::processEvents();
    auto* openEff = window.findChild<QPushButton*>(QStringLiteral("cmdFileOpen_3"));
    auto* openAcq = window.findChild<QPushButton*>(QStringLiteral("cmdFileOpen_4"));
    auto* canvas = window.findChild<GridCanvas*>(QStringLiteral("canvas"));
    auto* txtEdata = window.findChild<QPlainTextEdit*>(QStringLiteral("txtEdata"));
    std::vector<QLabel*> labels;
    labels.reserve(kCells);
    for (int i = 0; i < kCells; ++i) {
        labels.push_back(
            window.findChild<QLabel*>(QStringLiteral("lblEffMode_") + QString::number(i)));
    }
    openEff->click();
    QApplication::processEvents();
    if (!ui.messages.empty() || !window.windowTitle().contains(QStringLiteral("e_eff.dm6"))) {
        std::fprintf(stderr, "the sample did not open: title \"%s\"\n",
                     qPrintable(window.windowTitle()));
        return 1;
    }

    std::printf("Grid refresh on the \"Effetti luce\" sample, offscreen; frame = %.1f ms (60 Hz)\n",
                kFrameMs);

    const Stats full = Measure(runs, [&](int) { window.RefreshEffects(); });
    const Stats withPaint = Measure(paintRuns, [&](int) {
        window.RefreshEffects();
        QApplication::processEvents(); // the repaint the refresh asks for
    });
    const Stats alternating = Measure(paintRuns, [&](int n) {
        (n % 2 == 0 ? openAcq : openEff)->click();
        QApplication::processEvents();
    });
    openEff->click();

    // The pure part alone: what the refresh computes before it touches Qt.
    const EffGrid grid = window.EffSet();
    const FaseCodes codes = window.CurrentFaseCodes();
    const std::string reportPath =
        Utf8ToCp1252Lossy(LightReportPath(bench.FolderPath()).toStdString());
    volatile std::size_t sink = 0;
    const Stats model = Measure(runs * 5, [&](int) {
        const LightCourse course = ComputeLightCourse(grid, codes);
        const std::string report = LightValueReport(reportPath, course);
        const GridDrawing drawing = DrawGrid(grid, codes, course);
        const EdataBytes edata = EncodeEdata(codes, grid);
        const std::string text = EdataText(edata);
        sink = sink + report.size() + drawing.lblEffMode[0].caption.size() + text.size();
    });
    const LightCourse course = ComputeLightCourse(grid, codes);
    const Stats courseOnly = Measure(
        runs * 5, [&](int) { sink = sink + ComputeLightCourse(grid, codes)[0].intStopPart1; });
    const Stats drawOnly = Measure(runs * 5, [&](int) {
        sink = sink + DrawGrid(grid, codes, course).lblEffMode[0].tooltip.size();
    });
    const Stats reportOnly =
        Measure(runs * 5, [&](int) { sink = sink + LightValueReport(reportPath, course).size(); });
    const Stats edataOnly =
        Measure(runs * 5, [&](int) { sink = sink + EdataText(EncodeEdata(codes, grid)).size(); });

    // The steps that touch files and widgets, done as the refresh does them.
    const QString reportFile = LightReportPath(bench.FolderPath());
    const std::string reportText = LightValueReport(reportPath, course);
    const Stats reportWrite =
        Measure(runs, [&](int) { sink = sink + WriteLightReportFile(reportFile, reportText); });

    const GridDrawing drawingEff = window.Drawing();
    openAcq->click();
    const GridDrawing drawingAcq = window.Drawing();
    openEff->click();
    auto setLabels = [&labels](const GridDrawing& drawing) {
        for (std::size_t i = 0; i < kCells; ++i) {
            const CellLabel& cell = drawing.lblEffMode[i];
            labels[i]->setText(QString::fromStdString(cell.caption));
            labels[i]->setToolTip(QString::fromStdString(cell.tooltip));
            labels[i]->setVisible(cell.visible);
        }
    };
    const Stats labelsSame = Measure(runs, [&](int) { setLabels(drawingEff); });
    const Stats labelsChanged =
        Measure(runs, [&](int n) { setLabels(n % 2 == 0 ? drawingAcq : drawingEff); });
    setLabels(drawingEff);
    const Stats course2Canvas =
        Measure(runs, [&](int) { canvas->SetCourse(drawingEff.lineEffH, drawingEff.lineEffV); });

    QString edataText = QString::fromStdString(EdataText(window.EdataImage()));
    edataText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const Stats plainText = Measure(runs, [&](int) { txtEdata->setPlainText(edataText); });
    const Stats edataToText = Measure(runs, [&](int) {
        QString text = QString::fromStdString(EdataText(window.EdataImage()));
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        sink = sink + (text == txtEdata->toPlainText());
    });
    window.RefreshEffects();
    QApplication::processEvents();

    const Stats canvasPaint =
        Measure(paintRuns, [&](int) { sink = sink + canvas->grab().width(); });
    const Stats windowPaint = Measure(paintRuns, [&](int) { sink = sink + window.grab().width(); });

    std::printf("Whole refresh (target: frame ratio under 0.1)\n");
    Print("RefreshEffects()", runs, full);
    Print("RefreshEffects() + the repaint it causes", paintRuns, withPaint);
    Print("open sample, alternating two (every cell new)", paintRuns, alternating);
    std::printf("Pure model part, no Qt (target: under 50 us)\n");
    Print("course + report text + drawing + image + text", runs * 5, model);
    Print("  ComputeLightCourse", runs * 5, courseOnly);
    Print("  DrawGrid", runs * 5, drawOnly);
    Print("  LightValueReport", runs * 5, reportOnly);
    Print("  BuildEdata + EdataText", runs * 5, edataOnly);
    std::printf("Steps on files and widgets\n");
    Print("report file write", runs, reportWrite);
    Print("80 labels, text unchanged", runs, labelsSame);
    Print("80 labels, every text changed", runs, labelsChanged);
    Print("canvas SetCourse (copy + update request)", runs, course2Canvas);
    Print("image text built and compared", runs, edataToText);
    Print("txtEdata setPlainText (128 lines)", runs, plainText);
    std::printf("Paint (what the user sees after each change)\n");
    Print("canvas grab(): 950 segments + separators", paintRuns, canvasPaint);
    Print("window grab(): every control", paintRuns, windowPaint);

    const bool fullOk = full.medianMs / kFrameMs < 0.1;
    const bool modelOk = model.medianMs < 0.050;
    std::printf("%s: refresh frame ratio %.4f (target < 0.1), model %.1f us (target < 50 us)\n",
                fullOk && modelOk ? "within target" : "OUTSIDE TARGET", full.medianMs / kFrameMs,
                model.medianMs * 1000.0);
    if (!ui.messages.empty()) {
        std::fprintf(stderr, "%zu unexpected messages\n", ui.messages.size());
        return 1;
    }
    return 0;
}
