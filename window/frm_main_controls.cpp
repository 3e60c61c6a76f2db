// The window's controls at their fixed positions (twips), scaled to the screen.

#include "model/sample_files.h"
#include "window/click_label.h"
#include "window/frm_main.h"
#include "window/grid_canvas.h"
#include "window/output_button.h"
#include "window/twips.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {

// Twips rectangles of the controls, applied once the scale is known.
struct Placed {
    QWidget* widget;
    int left, top, width, height;
};

// Pixels per twip: the screen's resolution, enlarged on large screens so the fixed layout
// stays readable (steps of a quarter, at most 2.5 times).
double ScreenZoom(const QWidget* window) {
    const QScreen* screen = window->screen();
    if (screen == nullptr) {
        return 1.0;
    }
    const double basePixelsHigh =
        kClientHeightTwips * screen->logicalDotsPerInchY() / kTwipsPerInch;
    const double fit = screen->availableGeometry().height() * 0.6 / basePixelsHigh;
    return std::clamp(std::floor(fit * 4.0) / 4.0, 1.0, 2.5);
}

QString Name(const char* base, int index) {
    return QString::fromLatin1(base) + QLatin1Char('_') + QString::number(index);
}

} // namespace

void frmMain::CreateControls() {
    const double zoom = ScreenZoom(this);
    TwipsScale scale;
    scale.pixelsPerTwip = logicalDpiX() / kTwipsPerInch * zoom;

    // A narrow sans serif keeps names like "Uscita 10" inside their fixed label width.
    QFont uiFont(QStringLiteral("Arial"));
    uiFont.setStyleHint(QFont::SansSerif);
    uiFont.setPointSizeF(8.0 * zoom);
    setFont(uiFont);
    QFont cellFont(QStringLiteral("Courier New"));
    cellFont.setStyleHint(QFont::TypeWriter);
    cellFont.setBold(true);
    cellFont.setPointSizeF(9.75 * zoom);
    QFont edataFont(QStringLiteral("Courier New"));
    edataFont.setStyleHint(QFont::TypeWriter);
    edataFont.setPointSizeF(8.0 * zoom);

    std::vector<Placed> placed;
    auto place = [&placed](QWidget* widget, int left, int top, int width, int height) {
        placed.push_back({widget, left, top, width, height});
    };

    canvas = new GridCanvas(this);
    canvas->setObjectName(QStringLiteral("canvas"));
    canvas->SetScale(scale);
    connect(canvas, &GridCanvas::focusMovePressed, this, &frmMain::canvas_FocusMove);
    connect(canvas, &GridCanvas::menuKeyPressed, this, &frmMain::canvas_MenuKey);
    place(canvas, 0, 0, kClientWidthTwips, kClientHeightTwips);

    lblOutNameTitle = new QLabel(QStringLiteral("Nome Uscita"), this);
    lblOutNameTitle->setWordWrap(true);
    place(lblOutNameTitle, 120, 120, 495, 375);
    lblCmdOut = new QLabel(QStringLiteral("Cmd Out"), this);
    lblCmdOut->setWordWrap(true);
    place(lblCmdOut, 960, 120, 375, 375);

    for (int p = 0; p < kFasi; ++p) {
        auto* label = new ClickLabel(this);
        label->setObjectName(Name("lblFaseName", p));
        label->setAlignment(Qt::AlignCenter);
        place(label, ColumnLeft(p) + 120, 120, 920, 255);
        label->setFocusPolicy(Qt::TabFocus);
        connect(label, &ClickLabel::pressed, this,
                [this, p](Qt::MouseButton, QPoint pos) { lblFaseName_Click(p, pos); });
        connect(label, &ClickLabel::activated, this,
                [this, p](QPoint pos) { lblFaseName_Click(p, pos); });
        lblFaseName[static_cast<std::size_t>(p)] = label;

        auto* combo = new QComboBox(this);
        combo->setObjectName(Name("cboFaseTime", p));
        combo->setMaxVisibleItems(20);
        place(combo, ColumnLeft(p) + 60, 360, 975, 315);
        connect(combo, &QComboBox::currentIndexChanged, this,
                [this, p](int code) { cboFaseTime_Click(p, code); });
        cboFaseTime[static_cast<std::size_t>(p)] = combo;
    }

    for (int o = 0; o < kOutputs; ++o) {
        auto* label = new ClickLabel(this);
        label->setObjectName(Name("lblOutName", o));
        place(label, 60, RowTop(o), 700, 255);
        label->setFocusPolicy(Qt::TabFocus);
        connect(label, &ClickLabel::pressed, this,
                [this, o](Qt::MouseButton, QPoint pos) { lblOutName_Click(o, pos); });
        connect(label, &ClickLabel::activated, this,
                [this, o](QPoint pos) { lblOutName_Click(o, pos); });
        lblOutName[static_cast<std::size_t>(o)] = label;

        auto* button = new OutputButton(QString::number(o + 1), this);
        button->setObjectName(Name("cmdOutOnoff", o));
        button->setAutoFillBackground(true);
        place(button, 960, RowTop(o), 375, 255);
        connect(button, &QPushButton::clicked, this, [this, o] { cmdOutOnoff_Click(o); });
        cmdOutOnoff[static_cast<std::size_t>(o)] = button;
    }

    for (int i = 0; i < kCells; ++i) {
        auto* label = new ClickLabel(this);
        label->setObjectName(Name("lblEffMode", i));
        label->setFont(cellFont);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        place(label, ColumnLeft(CellFase(i)), RowTop(CellOutput(i)), 1095, 255);
        connect(label, &ClickLabel::pressed, this, [this, i](Qt::MouseButton button, QPoint pos) {
            lblEffMode_MouseDown(i, button, pos);
        });
        lblEffMode[static_cast<std::size_t>(i)] = label;
    }

    static constexpr std::array<int, 6> openTops = {1560, 120, 360, 600, 840, 1080};
    for (int k = 0; k < 6; ++k) {
        const QString caption =
            k == 0 ? QStringLiteral("Apri")
                   : QString::fromUtf8(kSampleFiles[static_cast<std::size_t>(k - 1)].caption);
        auto* button = new QPushButton(caption, this);
        button->setObjectName(Name("cmdFileOpen", k));
        place(button, 10200, openTops[static_cast<std::size_t>(k)], 975, 255);
        connect(button, &QPushButton::clicked, this, [this, k] { cmdFileOpen_Click(k); });
        cmdFileOpen[static_cast<std::size_t>(k)] = button;
    }

    cmdFileSave = new QPushButton(QStringLiteral("Salva"), this);
    cmdFileSave->setObjectName(QStringLiteral("cmdFileSave"));
    place(cmdFileSave, 10200, 1800, 975, 255);
    connect(cmdFileSave, &QPushButton::clicked, this, &frmMain::cmdFileSave_Click);

    cboComm = new QComboBox(this);
    cboComm->setObjectName(QStringLiteral("cboComm"));
    place(cboComm, 10200, 2160, 975, 315);

    cmdEdataRead = new QPushButton(QStringLiteral("Leggi"), this);
    cmdEdataRead->setObjectName(QStringLiteral("cmdEdataRead"));
    place(cmdEdataRead, 10200, 2640, 975, 255);
    connect(cmdEdataRead, &QPushButton::clicked, this, &frmMain::cmdEdataRead_Click);

    cmdEdataWrite = new QPushButton(QStringLiteral("Scrivi"), this);
    cmdEdataWrite->setObjectName(QStringLiteral("cmdEdataWrite"));
    place(cmdEdataWrite, 10200, 2880, 975, 255);
    connect(cmdEdataWrite, &QPushButton::clicked, this, &frmMain::cmdEdataWrite_Click);

    cmdCommTest = new QPushButton(QStringLiteral("Test"), this);
    cmdCommTest->setObjectName(QStringLiteral("cmdCommTest"));
    place(cmdCommTest, 10200, 3120, 975, 255);
    connect(cmdCommTest, &QPushButton::clicked, this, &frmMain::cmdCommTest_Click);

    txtEdata = new QPlainTextEdit(this);
    txtEdata->setObjectName(QStringLiteral("txtEdata"));
    txtEdata->setReadOnly(true);
    txtEdata->setFont(edataFont);
    txtEdata->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtEdata->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtEdata->setTabChangesFocus(true);
    place(txtEdata, 10200, 3480, 975, 2055);

    cmdTimeCursor = new QPushButton(QStringLiteral("Cursore on"), this);
    cmdTimeCursor->setObjectName(QStringLiteral("cmdTimeCursor"));
    place(cmdTimeCursor, 10200, 5640, 975, 255);
    connect(cmdTimeCursor, &QPushButton::clicked, this, &frmMain::cmdTimeCursor_Click);

    lblStatus = new QLabel(this);
    lblStatus->setTextFormat(Qt::PlainText);
    // Opaque, so the dots of a board write repaint the label alone, not the grid below it.
    lblStatus->setAutoFillBackground(true);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    place(lblStatus, 120, 5640, 9975, 255);

    tmrTimeCursor = new QTimer(this);
    tmrTimeCursor->setObjectName(QStringLiteral("tmrTimeCursor"));
    connect(tmrTimeCursor, &QTimer::timeout, this, &frmMain::tmrTimeCursor_Timer);

    for (const Placed& p : placed) {
        p.widget->setGeometry(scale.Rect(p.left, p.top, p.width, p.height));
    }
    canvas->lower();
    SetTabOrder();
    setFixedSize(scale.Px(kClientWidthTwips), scale.Px(kClientHeightTwips));
}
