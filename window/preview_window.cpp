#include "window/preview_window.h"

#include "model/fase_time.h"
#include "window/clock.h"
#include "window/lamp_panel.h"
#include "window/position_slider.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

// Repeatable indicative effects: the same configuration flickers the same way every time.
constexpr std::uint32_t kEffectSeed = 26;

const QString kTitlePrefix = QStringLiteral("Anteprima - ");

QString SpeedCaption(int factor) {
    return QStringLiteral("\u00d7") + QString::number(factor);
}

} // namespace

PreviewWindow::PreviewWindow(Clock& previewClock, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool), clock(previewClock) {
    setObjectName(QStringLiteral("frmPreview"));
    setAttribute(Qt::WA_DeleteOnClose);
    CreateControls();
    if (mainWindow != nullptr) {
        SetMainTitle(mainWindow->windowTitle());
        mainWindow->installEventFilter(this);
    }
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::CreateControls() {
    lamps = new LampPanel(this);
    lamps->setObjectName(QStringLiteral("lamps"));

    cmdPlay = new QPushButton(QStringLiteral("Avvia"), this);
    cmdPlay->setObjectName(QStringLiteral("cmdPlay"));
    connect(cmdPlay, &QPushButton::clicked, this, [this] { playing ? Pause() : Play(); });

    cboSpeed = new QComboBox(this);
    cboSpeed->setObjectName(QStringLiteral("cboSpeed"));
    cboSpeed->setToolTip(QStringLiteral("Velocit\u00e0 dell'anteprima"));
    for (const int factor : kPreviewSpeeds) {
        cboSpeed->addItem(SpeedCaption(factor), factor);
    }
    connect(cboSpeed, &QComboBox::currentIndexChanged, this,
            [this](int index) { SetSpeed(cboSpeed->itemData(index).toInt()); });

    sldPosition = new PositionSlider(this);
    sldPosition->setObjectName(QStringLiteral("sldPosition"));
    sldPosition->setToolTip(QStringLiteral("Posizione nel ciclo"));
    connect(sldPosition, &PositionSlider::positionChosen, this,
            [this](int second) { SeekTo(second); });

    lblFase = new QLabel(this);
    lblFase->setObjectName(QStringLiteral("lblFase"));
    lblFase->setTextFormat(Qt::PlainText);
    lblTimes = new QLabel(this);
    lblTimes->setObjectName(QStringLiteral("lblTimes"));
    lblTimes->setTextFormat(Qt::PlainText);
    lblIndicative =
        new QLabel(QStringLiteral("Tremolo e accensione casuale: andamento indicativo"), this);
    lblIndicative->setObjectName(QStringLiteral("lblIndicative"));
    lblIndicative->setVisible(false);

    cmdPrint = new QPushButton(QStringLiteral("Stampa..."), this);
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    connect(cmdPrint, &QPushButton::clicked, this, &PreviewWindow::printRequested);
    cmdExport = new QPushButton(QStringLiteral("Esporta immagine..."), this);
    cmdExport->setObjectName(QStringLiteral("cmdExport"));
    connect(cmdExport, &QPushButton::clicked, this, &PreviewWindow::exportRequested);

    auto* controls = new QHBoxLayout;
    controls->addWidget(cmdPlay);
    controls->addWidget(cboSpeed);
    controls->addWidget(sldPosition, 1);
    auto* files = new QHBoxLayout;
    files->addStretch(1);
    files->addWidget(cmdPrint);
    files->addWidget(cmdExport);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lamps);
    layout->addLayout(controls);
    layout->addWidget(lblFase);
    layout->addWidget(lblTimes);
    layout->addWidget(lblIndicative);
    layout->addLayout(files);

    tmrFrame = new QTimer(this);
    tmrFrame->setObjectName(QStringLiteral("tmrFrame"));
    tmrFrame->setInterval(kFrameMs);
    tmrFrame->setTimerType(Qt::PreciseTimer);
    connect(tmrFrame, &QTimer::timeout, this, &PreviewWindow::Frame);
}

void PreviewWindow::SetMainTitle(const QString& title) {
    setWindowTitle(kTitlePrefix + title);
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::WindowTitleChange && watched == parentWidget()) {
        SetMainTitle(parentWidget()->windowTitle());
    }
    return QWidget::eventFilter(watched, event);
}

void PreviewWindow::SetConfiguration(const Configuration& config) {
    plan = PlanPreview(config.recEffSet, config.faseCodes);
    shownConfig = config;
    std::array<QString, kOutputs> names;
    for (std::size_t o = 0; o < kOutputs; ++o) {
        names[o] = QString::fromStdString(config.outNames[o]);
    }
    lamps->SetNames(names);
    const bool cycle = plan.cycleLength > 0;
    sldPosition->setEnabled(cycle);
    cmdPlay->setEnabled(cycle);
    {
        const QSignalBlocker quiet(sldPosition);
        sldPosition->setRange(0, cycle ? plan.cycleLength - 1 : 0);
        // Arrow keys step by a 3600th of the cycle (at least a second), pages by a 24th.
        sldPosition->setSingleStep(std::max(1, plan.cycleLength / 3600));
        sldPosition->setPageStep(std::max(10, plan.cycleLength / 24));
    }
    lblIndicative->setVisible(plan.anyIndicative);
    if (cycle && position >= plan.cycleLength) {
        position = std::fmod(position, plan.cycleLength);
    }
    if (!cycle) {
        position = 0.0;
        Pause();
    }
    shownSecond = -1; // texts and line again, even in the same second
    Show();
}

void PreviewWindow::Play() {
    if (plan.cycleLength <= 0) {
        return;
    }
    playing = true;
    lastFrameMs = clock.MonotonicMs();
    cmdPlay->setText(QStringLiteral("Pausa"));
    tmrFrame->start();
}

void PreviewWindow::Pause() {
    playing = false;
    cmdPlay->setText(QStringLiteral("Avvia"));
    tmrFrame->stop();
}

void PreviewWindow::SetSpeed(int factor) {
    speed = factor;
    const int index = cboSpeed->findData(factor);
    if (index >= 0 && index != cboSpeed->currentIndex()) {
        const QSignalBlocker quiet(cboSpeed);
        cboSpeed->setCurrentIndex(index);
    }
}

void PreviewWindow::SeekTo(double seconds) {
    position = plan.cycleLength > 0 ? std::fmod(std::max(0.0, seconds), plan.cycleLength) : 0.0;
    Show();
}

void PreviewWindow::Frame() {
    const qint64 now = clock.MonotonicMs();
    if (playing && plan.cycleLength > 0) {
        // The cycle plays round and round, as the board's does.
        const double advanced = position + static_cast<double>(now - lastFrameMs) / 1000.0 * speed;
        position = std::fmod(std::max(0.0, advanced), plan.cycleLength);
    }
    lastFrameMs = now;
    Show();
}

void PreviewWindow::Show() {
    ++frames;
    lamps->SetLevels(IndicativeLevelsAt(plan, position, kEffectSeed));
    const auto second = static_cast<std::int64_t>(std::floor(position));
    if (second == shownSecond) {
        return; // texts, slider and line move by whole seconds, as the cursor does
    }
    shownSecond = second;
    if (plan.cycleLength <= 0) {
        lblFase->setText(QStringLiteral("Nessuna fase temporale attivata"));
        lblTimes->clear();
        if (shownX != -1) {
            shownX = -1;
            emit positionShown(0, false);
        }
        return;
    }
    const CursorPosition cursor = PreviewCursorAt(plan, second);
    ShowTexts(cursor);
    const int x = CursorX(cursor);
    if (x != shownX) {
        shownX = x;
        emit positionShown(x, true);
    }
}

void PreviewWindow::ShowTexts(const CursorPosition& cursor) {
    if (!sldPosition->isSliderDown()) {
        const QSignalBlocker quiet(sldPosition);
        sldPosition->setValue(cursor.totSec);
    }
    lblFase->setText(
        QStringLiteral("Fase ") + QString::number(cursor.fase + 1) + QStringLiteral(": ") +
        QString::fromStdString(shownConfig.faseNames[static_cast<std::size_t>(cursor.fase)]));
    // The time cursor's status line without its "Cursore tempo attivo - ".
    static const std::string kCursorPrefix = "Cursore tempo attivo - ";
    lblTimes->setText(
        QString::fromStdString(CursorStatusText(cursor).substr(kCursorPrefix.size())));
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
    Pause();
    emit positionShown(0, false);
    QWidget::closeEvent(event);
}
