#include "window/frm_main.h"

#include "board/port_settings.h"
#include "board/serial_link.h"
#include "files/report_file.h"
#include "files/write_failure.h"
#include "model/app_identity.h"
#include "model/charset.h"
#include "model/fase_time.h"
#include "model/light_report.h"
#include "model/sample_files.h"
#include "window/click_label.h"
#include "window/clock.h"
#include "window/grid_canvas.h"
#include "window/output_button.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTimer>

namespace {

const QString kIdleStatus = QStringLiteral(
    "Clicca (sx o dx) sul grafico per modificare l'andamento, la modalit\u00e0 e i nomi delle "
    "uscite e delle fasi");

QString SettingsKey() {
    return QString::fromLatin1(kPortChoiceKey);
}

} // namespace

frmMain::frmMain(ModalUi& modalUi, Clock& cursorClock, PortSettings& portSettings,
                 const QString& folder, QWidget* parent)
    : frmMain(modalUi, cursorClock, portSettings, ProgramFolders{folder, folder, {}}, parent) {}

frmMain::frmMain(ModalUi& modalUi, Clock& cursorClock, PortSettings& portSettings,
                 ProgramFolders folders, QWidget* parent)
    : QWidget(parent), ui(modalUi), clock(cursorClock), settings(portSettings),
      programFolder(std::move(folders.folder)), filesFolder(std::move(folders.filesFolder)),
      untoldFolderFailure(std::move(folders.failure)), MSComm(std::make_unique<SerialLink>()) {
    setWindowTitle(kAppTitle);
    CreateControls();
    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::Form_Load() {
    config = DefaultConfiguration();
    // Filling and selecting the default durations must only set their tooltips.
    blnFaseTimeRefresh = false;
    // The eight lists offer the same durations: one model serves them all (start-up fills it
    // once), and each list keeps its own choice.
    auto* durations = new QStandardItemModel(0, 1, this);
    for (int code = 0; code < kFaseTimeCount; ++code) {
        auto* item = new QStandardItem(QString::fromUtf8(FaseTime(code).caption));
        item->setData(FaseTime(code).seconds, Qt::UserRole);
        durations->appendRow(item);
    }
    for (QComboBox* combo : cboFaseTime) {
        combo->setModel(durations);
    }
    ShowFaseCodes();

    QStringList ports;
    for (int n = 1; n <= kComPortCount; ++n) {
        ports << QStringLiteral("COM") + QString::number(n);
    }
    cboComm->addItems(ports);
    cboComm->setCurrentIndex(-1);
    cboComm->setToolTip(QStringLiteral("Porta di comunicazione seriale"));
    WatchPortList();

    canvas->SetTimeCursor(kGridLeft, false);
    tmrTimeCursor->stop();
    blnTimeCursor = false;

    for (int p = 0; p < kFasi; ++p) {
        lblFaseName[static_cast<std::size_t>(p)]->setToolTip(
            QStringLiteral("Nome fase temporale ") + QString::number(p + 1));
    }
    for (int o = 0; o < kOutputs; ++o) {
        lblOutName[static_cast<std::size_t>(o)]->setToolTip(QStringLiteral("Nome uscita ") +
                                                            QString::number(o + 1));
        cmdOutOnoff[static_cast<std::size_t>(o)]->setToolTip(QStringLiteral("Comando uscita ") +
                                                             QString::number(o + 1));
    }
    cmdFileOpen[0]->setToolTip(QStringLiteral("Apri configurazione da file"));
    for (std::size_t k = 0; k < kSampleFiles.size(); ++k) {
        cmdFileOpen[k + 1]->setToolTip(QString::fromUtf8(kSampleFiles[k].tooltip));
    }
    cmdFileSave->setToolTip(QStringLiteral("Salva configurazione su file"));
    cmdEdataRead->setToolTip(QStringLiteral("Leggi configurazione da scheda"));
    cmdEdataWrite->setToolTip(QStringLiteral("Scrivi configurazione su scheda"));
    cmdCommTest->setToolTip(QStringLiteral("Test porta seriale"));
    txtEdata->setToolTip(QStringLiteral("Visualizza dati per configurazione scheda"));
    cmdTimeCursor->setToolTip(QStringLiteral("Attiva/disattiva il cursore del tempo"));

    SetIdleStatus();

    cdlOpenSave.filter = QStringLiteral("File dati miravel5 (*.dm6)|*.dm6|Tutti i file (*.*)|*.*");
    cdlOpenSave.defaultExt = QStringLiteral(".dat");
    // A folder that could not be made is no place to start from: the platform dialog chooses.
    cdlOpenSave.initialDir = untoldFolderFailure.isEmpty() ? programFolder : QString();

    clipboard = {};

    ShowNames();

    // The chosen port; a stored value that is no position leaves the list without one.
    bool isNumber = false;
    const int stored = settings.Value(SettingsKey())
                           .value_or(QStringLiteral("0"))
                           .toString()
                           .trimmed()
                           .toShort(&isNumber);
    if (isNumber && stored >= -1 && stored < cboComm->count()) {
        cboComm->setCurrentIndex(stored);
    }

    RefreshEffects();
    TellFolderFailure(); // when the report did not tell it already
    history.Reset(config);
    KeepConfiguration();
    CreateHistoryKeys();
    CreatePreviewKeys();
}

void frmMain::Form_Unload(bool& cancel) {
    if (PortIsOpen() || !MayDropChanges()) {
        cancel = true;
        return;
    }
    // Closing goes on whatever the store says: the window has nowhere left to tell it.
    settings.Write(SettingsKey(), QString::number(cboComm->currentIndex()));
}

void frmMain::closeEvent(QCloseEvent* event) {
    bool cancel = false;
    Form_Unload(cancel);
    if (cancel) {
        event->ignore();
        return;
    }
    tmrTimeCursor->stop();
    event->accept();
}

void frmMain::cboFaseTime_Click(int index, int code) {
    if (PortIsOpen()) {
        // The board would not get this duration: the list goes back to the one that the grid,
        // the report and the board image hold. The board read's own selections stay.
        if (blnFaseTimeRefresh) {
            ShowFaseCodes();
        }
        return;
    }
    const std::int32_t seconds = FaseSeconds(std::max(0, code));
    cboFaseTime[static_cast<std::size_t>(index)]->setToolTip(
        QStringLiteral("Tempo fase temporale ") + QString::number(index + 1) +
        QStringLiteral(" - Impulsi per espansione: ") + QString::number(ExpansionPulses(seconds)));
    if (blnFaseTimeRefresh) {
        config.faseCodes[static_cast<std::size_t>(index)] = std::max(0, code);
        CommitEdit();
    }
}

void frmMain::CommitEdit(EditOf what) {
    if (what == EditOf::Grid) {
        RefreshEffects();
    } else {
        UpdatePreview();
    }
    ResetTitle();
    RecordStep();
}

void frmMain::ApplyConfiguration(const Configuration& applied, const QString& title) {
    config = applied;
    ShowNames();
    ShowFaseCodes();
    RefreshEffects();
    setWindowTitle(title);
    RecordStep();
}

void frmMain::ShowFaseCodes() {
    blnFaseTimeRefresh = false;
    for (std::size_t p = 0; p < kFasi; ++p) {
        cboFaseTime[p]->setCurrentIndex(config.faseCodes[p]);
    }
    blnFaseTimeRefresh = true;
}

void frmMain::ShowNames() {
    for (std::size_t o = 0; o < kOutputs; ++o) {
        lblOutName[o]->setText(QString::fromStdString(config.outNames[o]));
    }
    for (std::size_t p = 0; p < kFasi; ++p) {
        lblFaseName[p]->setText(QString::fromStdString(config.faseNames[p]));
    }
}

std::int32_t frmMain::FaseSecondsOf(int fase) const {
    return FaseSeconds(config.faseCodes[static_cast<std::size_t>(fase)]);
}

bool frmMain::PortIsOpen() const {
    // The link counts as open from the open to the close, also after the device went away.
    return MSComm->IsOpen();
}

bool frmMain::Busy() const {
    return PortIsOpen() || tmrTimeCursor->isActive();
}

void frmMain::RefreshEffects() {
    const FaseCodes& codes = config.faseCodes;
    const LightCourse course = ComputeLightCourse(config.recEffSet, codes);
    WriteLightReport(course);

    drawing = DrawGrid(config.recEffSet, codes, course);
    for (std::size_t i = 0; i < kCells; ++i) {
        const CellLabel& cell = drawing.lblEffMode[i];
        lblEffMode[i]->setText(QString::fromStdString(cell.caption));
        lblEffMode[i]->setToolTip(QString::fromStdString(cell.tooltip));
        lblEffMode[i]->setVisible(cell.visible);
    }
    canvas->SetCourse(drawing.lineEffH, drawing.lineEffV);
    PlaceFocusCell(canvas->FocusCell());

    BuildEdata();
    UpdatePreview();
}

void frmMain::WriteLightReport(const LightCourse& course) {
    const QString path = LightReportPath(programFolder);
    const std::string text = LightValueReport(Utf8ToCp1252Lossy(path.toStdString()), course);
    QString reason;
    if (!WriteLightReportFile(path, text, &reason)) {
        // At start-up the cause is the program folder: the first message names it.
        const QString details = untoldFolderFailure.isEmpty() ? WriteFailureDetail(path, reason)
                                                              : FolderFailureDetail();
        untoldFolderFailure.clear();
        DetailedMessage(QStringLiteral("Impossibile scrivere i valori sul file ") + path,
                        MsgIcon::Critical, details);
    }
}

QString frmMain::FolderFailureDetail() const {
    const QString folder = QDir::toNativeSeparators(programFolder);
    const QString files = QDir::toNativeSeparators(filesFolder);
    return QStringLiteral("Cartella: %1\r\nMotivo: %2.\r\n"
                          "I file di esempio e la guida si aprono dalla cartella %3.")
        .arg(folder, untoldFolderFailure, files);
}

void frmMain::TellFolderFailure() {
    if (untoldFolderFailure.isEmpty()) {
        return;
    }
    DetailedMessage(QStringLiteral("Impossibile preparare la cartella dei file del programma ") +
                        QDir::toNativeSeparators(programFolder),
                    MsgIcon::Exclamation, FolderFailureDetail());
    untoldFolderFailure.clear();
}

void frmMain::BuildEdata() {
    Edata = EncodeEdata(config.faseCodes, config.recEffSet);
    QString text = QString::fromStdString(EdataText(Edata));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    txtEdata->setPlainText(text);
}

void frmMain::ApplyEdata(const EdataBytes& bytes, const QString& title) {
    ApplyConfiguration(WithImage(config, bytes), title);
}

void frmMain::SetIdleStatus() {
    lblStatus->setText(kIdleStatus);
}

void frmMain::ResetTitle() {
    setWindowTitle(kAppTitle);
}

MsgAnswer frmMain::Message(const QString& text, MsgIcon icon, MsgButtons buttons,
                           const QString& caption) {
    return ui.MsgBox(this, text, icon, buttons, caption);
}

void frmMain::DetailedMessage(const QString& text, MsgIcon icon, const QString& details) {
    ui.DetailedMsgBox(this, text, icon, MsgButtons::Ok, kAppTitle, details);
}
