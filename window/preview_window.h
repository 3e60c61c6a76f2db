#pragma once
// The preview: the cycle played without a board, at a chosen speed, on ten lamps. A tool
// window beside the main one; it shows where it stands through positionShown, for the
// grid's line, and never touches a port.

#include "model/configuration.h"
#include "model/preview_levels.h"

#include <QString>
#include <QWidget>
#include <array>

class Clock;
class LampPanel;
class PositionSlider;
class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

inline constexpr std::array<int, 5> kPreviewSpeeds = {1, 10, 60, 600, 3600};

class PreviewWindow final : public QWidget {
    Q_OBJECT

public:
    PreviewWindow(Clock& clock, QWidget* mainWindow);
    ~PreviewWindow() override;

    // A new configuration shows at once, at the same second of the cycle where that exists.
    void SetConfiguration(const Configuration& config);
    void SetMainTitle(const QString& title);

    void Play();
    void Pause();
    bool Playing() const { return playing; }
    void SetSpeed(int factor); // one of kPreviewSpeeds
    int Speed() const { return speed; }
    // Jumps to a second of the cycle (wrapped round) and shows it.
    void SeekTo(double seconds);
    double Position() const { return position; }

    // One frame: the position moved on by the clock at the speed, and shown.
    void Frame();

    const PreviewPlan& Plan() const { return plan; }
    const LampPanel& Lamps() const { return *lamps; }
    // Frames shown so far, for the benchmark.
    long long Frames() const { return frames; }

    // Frames come every 33 ms while it plays: 30 a second.
    static constexpr int kFrameMs = 33;

signals:
    // Where the time cursor's line would stand (twips); shown false when the preview closes.
    void positionShown(int x, bool shown);
    void printRequested();
    void exportRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void Show();
    void ShowTexts(const CursorPosition& cursor);

    Clock& clock;
    PreviewPlan plan;
    Configuration shownConfig;
    double position = 0.0; // seconds into the cycle
    qint64 lastFrameMs = 0;
    bool playing = false;
    int speed = 1;
    long long frames = 0;
    std::int64_t shownSecond = -1; // the whole second the texts and the line show
    int shownX = -1;

    LampPanel* lamps = nullptr;
    QPushButton* cmdPlay = nullptr;
    QComboBox* cboSpeed = nullptr;
    PositionSlider* sldPosition = nullptr;
    QLabel* lblFase = nullptr;
    QLabel* lblTimes = nullptr;
    QLabel* lblIndicative = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdExport = nullptr;
    QTimer* tmrFrame = nullptr;
};
