#pragma once
// The one main window: owns the configuration (grid, durations, names) and every handler.

#include "board/board_procedures.h"
#include "files/program_folder.h"
#include "model/app_identity.h"
#include "model/board_protocol.h"
#include "model/configuration.h"
#include "model/edata.h"
#include "model/edit_history.h"
#include "model/effect_grid.h"
#include "model/effect_items.h"
#include "model/grid_drawing.h"
#include "model/grid_focus.h"
#include "model/light_course.h"
#include "model/time_cursor.h"
#include "window/modal_ui.h"

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <memory>

class Clock;
class ClickLabel;
class GridCanvas;
class OutputButton;
class PortInventory;
class PortSettings;
class PreviewWindow;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QAction;
class SerialLink;

inline const QString kAppTitle = QString::fromLatin1(kAppName);

class frmMain : public QWidget {
    Q_OBJECT

public:
    // `settings`: the per-user store of the chosen port and the port assignments.
    frmMain(ModalUi& ui, Clock& clock, PortSettings& settings, const QString& programFolder,
            QWidget* parent = nullptr);
    // The folders as start-up set them up; a failure there is told once, at start-up.
    frmMain(ModalUi& ui, Clock& clock, PortSettings& settings, ProgramFolders folders,
            QWidget* parent = nullptr);
    ~frmMain() override;

    // Read-only views of the window's state, for the tests and the benchmarks.
    const EffGrid& EffSet() const { return config.recEffSet; }
    const EdataBytes& EdataImage() const { return Edata; }
    const GridDrawing& Drawing() const { return drawing; }
    const FaseCodes& CurrentFaseCodes() const { return config.faseCodes; }
    // Names, durations and grid as the window holds them now.
    const Configuration& CurrentConfiguration() const { return config; }

    // A board operation holds the port: its exchanges let events through while they wait.
    bool PortIsOpen() const;
    // Busy: a board operation runs or the time cursor runs. A busy window starts nothing that
    // edits the configuration or uses the port, and its clicks and keys do nothing.
    bool Busy() const;

    // The serial devices the port assignment lists; nullptr: the system's own list.
    void SetPortInventory(const PortInventory* inventory);

    // Procedures that other parts of the window run after every change.
    void RefreshEffects();
    // A whole configuration from a file, the board or the undo history: shown, refreshed once,
    // the title set and an undo step recorded.
    void ApplyConfiguration(const Configuration& applied, const QString& title);

    // A close asked for from outside (the session ends): like the close button, but while a
    // board operation runs the window closes as soon as it has ended.
    void RequestClose();

public slots:
    // The duration list of phase index now shows duration code code.
    void cboFaseTime_Click(int index, int code);

    // Effect editing and names.
    void lblEffMode_MouseDown(int cell, Qt::MouseButton button, QPoint globalPos);
    void lblOutName_Click(int output, QPoint globalPos);
    void lblFaseName_Click(int fase, QPoint globalPos);

    // The grid by keyboard: the focus cell's moves, and its two menus opened beside it.
    void canvas_FocusMove(FocusMove move);
    void canvas_MenuKey(bool commands);

    // Configuration files.
    void cmdFileOpen_Click(int index);
    void cmdFileSave_Click();

    // Board.
    void cmdCommTest_Click();
    void cmdEdataRead_Click();
    void cmdEdataWrite_Click();
    void cmdOutOnoff_Click(int output);
    // The port list's menu (right button, Menu key, Shift+F10).
    void cboComm_ContextMenu(QPoint globalPos);

    // Time cursor.
    void cmdTimeCursor_Click();
    void tmrTimeCursor_Timer();

    // Undo and redo of the configuration (keys only: no visible menu).
    void mnuUndo_Click();
    void mnuRedo_Click();

    // The preview (F5), the print (Ctrl+P) and the picture export (Ctrl+Shift+E); the menu
    // of "Cursore on" has them too.
    void mnuPreview_Click();
    void mnuPrint_Click();
    void mnuExport_Click();
    void cmdTimeCursor_ContextMenu(QPoint globalPos);
    PreviewWindow* Preview() const; // nullptr while it is closed

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void Form_Load();
    void Form_Unload(bool& cancel);

    // The change path. Every edit of the configuration by the user ends in CommitEdit, which
    // brings the grid, the report and the board image up to date and drops the file name or
    // board mark from the title. A whole configuration from a file or the board comes in
    // through ApplyConfiguration, which refreshes once and shows the given title.
    enum class EditOf { Grid, Names };
    void CommitEdit(EditOf what = EditOf::Grid);
    // The lists and labels show the configuration; they hold nothing of their own. The
    // durations are selected without a refresh per list (tooltips only).
    void ShowFaseCodes();
    void ShowNames();

    void BuildEdata();
    void ApplyEdata(const EdataBytes& bytes, const QString& title);
    void WriteLightReport(const LightCourse& course);
    // The details that name the program folder that could not be made or written, and why.
    QString FolderFailureDetail() const;
    void TellFolderFailure();
    void SetIdleStatus();
    void ResetTitle();
    std::int32_t FaseSecondsOf(int fase) const;
    MsgAnswer Message(const QString& text, MsgIcon icon, MsgButtons buttons = MsgButtons::Ok,
                      const QString& caption = kAppTitle);
    // The message with its details area: what failed and why.
    void DetailedMessage(const QString& text, MsgIcon icon, const QString& details);

    // Effect menus (effect settings, commands) and the name menu.
    MenuEntry BuildEffectSettingsMenu(int cell) const;
    MenuEntry BuildEffectCommandsMenu() const;
    MenuEntry BuildNameMenu() const;
    void ChooseEffectItem(int id);
    void ChooseNameItem(int id);
    ShownFasi ShownFasiNow() const;
    // Keeps the focus cell on a shown phase after the grid changed.
    void PlaceFocusCell(int cell);
    void SetTabOrder();

    // Configuration files.
    void LoadConfigurationFile(const QString& path);
    // "Salva": true once the file holds the configuration.
    bool SaveConfiguration();
    // The configuration now shown is the one last opened, saved, read or written: closing
    // asks about nothing until it changes.
    void KeepConfiguration();
    // Before closing: asks whether to save changes not kept anywhere; false keeps the window.
    bool MayDropChanges();

    // Board link.
    bool OpenCommPort();
    void CloseCommPort();
    void ShowOpenFailure();
    // "Errore comunicazione" with the device and the reason in its details.
    void ShowCommError(BoardFault fault, int attempted = 0);
    QString OpenDevicePath() const;
    // Opens the port for a read, write or output command and shows its status; false (with
    // the failure message shown) when the port cannot be opened.
    bool OpenForOperation(const QString& status);

    // Port assignment: the item tooltips name the device each entry opens.
    void WatchPortList();
    void RefreshPortTips();
    void AssignDeviceToPort(int number);

    // The undo history: a step is recorded at the end of every change of the configuration.
    void CreateHistoryKeys();
    void RecordStep();
    void RestoreStep(const Configuration& step);

    // Preview: keys, and the configuration passed on after every change.
    void CreatePreviewKeys();
    void UpdatePreview();
    void ClosePreview();

    // Time cursor.
    void StopTimeCursor();
    void SetTimeCursorControlsEnabled(bool enabled);

    ModalUi& ui;
    Clock& clock;
    PortSettings& settings;
    QString programFolder;
    QString filesFolder; // the samples and the help file
    // Why the program folder could not be made or written, until the user has been told.
    QString untoldFolderFailure;

    // The configuration: names, duration codes and the grid (config.recEffSet). Every change
    // goes through CommitEdit or ApplyConfiguration; the image and the drawing follow it.
    Configuration config;
    EdataBytes Edata{};
    GridDrawing drawing;

    // False while the lists are set by the program: a selection then only sets its tooltip.
    bool blnFaseTimeRefresh = false;
    std::int16_t intEffMenu = 0;
    std::int16_t intNameMenu = 0;

    EffClipboard clipboard;

    EditHistory history;
    Configuration keptConfiguration;

    // Time cursor: positions come from whole seconds elapsed on a monotonic clock.
    struct TimeCursorRun {
        qint64 startMs = 0;        // when the user confirmed the board's reset
        qint64 datCursorLast = -1; // whole seconds elapsed at the last tick that moved it
        // The phase (intCursorFase) and the seconds into it and into the cycle
        // (lngCursorFaseSec, lngCursorTotSec) where the cursor stands.
        CursorPosition position;
    };
    bool blnTimeCursor = false;
    TimeCursorRun cursorRun;

    // What the board last reported of each output; the output buttons show it.
    OutputStates outputsOn{};

    FileDialogRequest cdlOpenSave;
    std::unique_ptr<SerialLink> MSComm;
    const PortInventory* portInventory = nullptr;
    QString openFailureDetail;  // device and reason of the last failed open
    bool closeWhenIdle = false; // a close request came while the port was open

    // Controls, by the names and indexes of the window layout.
    QLabel* lblOutNameTitle = nullptr;
    QLabel* lblCmdOut = nullptr;
    std::array<ClickLabel*, kFasi> lblFaseName{};
    std::array<QComboBox*, kFasi> cboFaseTime{};
    std::array<ClickLabel*, kOutputs> lblOutName{};
    std::array<OutputButton*, kOutputs> cmdOutOnoff{};
    std::array<ClickLabel*, kCells> lblEffMode{};
    GridCanvas* canvas = nullptr; // lineEffH, lineEffV, lineSepH, lineSepV, lineTimeCursor
    std::array<QPushButton*, 6> cmdFileOpen{};
    QPushButton* cmdFileSave = nullptr;
    QComboBox* cboComm = nullptr;
    QPushButton* cmdEdataRead = nullptr;
    QPushButton* cmdEdataWrite = nullptr;
    QPushButton* cmdCommTest = nullptr;
    QPlainTextEdit* txtEdata = nullptr;
    QPushButton* cmdTimeCursor = nullptr;
    QLabel* lblStatus = nullptr;
    QTimer* tmrTimeCursor = nullptr;
    QAction* mnuUndo = nullptr;
    QAction* mnuRedo = nullptr;
    QPointer<PreviewWindow> preview; // deleted when the user closes it
};
