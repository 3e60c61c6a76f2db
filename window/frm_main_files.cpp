// Open and save of configuration files, and the five sample configurations.

#include "window/frm_main.h"

#include "files/dm6_file.h"
#include "files/file_messages.h"
#include "files/format/dm6_format.h"
#include "files/program_folder.h"
#include "files/write_failure.h"
#include "model/configuration.h"
#include "model/sample_files.h"
#include "model/window_title.h"
#include "window/click_label.h"

#include <QComboBox>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString UnsavableNameText(const UnsavableName& fault) {
    const QString number = QString::number(fault.index + 1);
    const QString which = fault.isFase ? QStringLiteral("della fase ") + number
                                       : QStringLiteral("dell'uscita ") + number;
    return kSaveFailedText + QLatin1Char(':') + kCrLf + QStringLiteral("il nome ") + which +
           QStringLiteral(" contiene caratteri che il file non pu\u00f2 contenere; "
                          "modificare il nome e salvare di nuovo");
}

enum class PathFor { Open, Save };

// Asks for a configuration file to open or to save to. After a choice, the next dialogs open
// where the user last went rather than in the program folder.
std::optional<QString> AskConfigurationPath(ModalUi& ui, QWidget* parent,
                                            FileDialogRequest& request, PathFor purpose) {
    const bool forSave = purpose == PathFor::Save;
    request.title = forSave ? QStringLiteral("Salva configurazione su file")
                            : QStringLiteral("Apri file configurazione");
    request.mustExist = !forSave;
    request.confirmOverwrite = forSave;
    std::optional<QString> chosen =
        forSave ? ui.SaveFileDialog(parent, request) : ui.OpenFileDialog(parent, request);
    if (chosen) {
        request.initialDir.clear();
    }
    return chosen;
}

} // namespace

void frmMain::cmdFileOpen_Click(int index) {
    if (Busy() || index < 0 || index > static_cast<int>(kSampleFiles.size())) {
        return;
    }
    if (index > 0) {
        LoadConfigurationFile(ProgramFilePath(
            filesFolder,
            QString::fromLatin1(kSampleFiles[static_cast<std::size_t>(index - 1)].fileName)));
        return;
    }
    if (const auto chosen = AskConfigurationPath(ui, this, cdlOpenSave, PathFor::Open)) {
        LoadConfigurationFile(*chosen);
    }
}

void frmMain::cmdFileSave_Click() {
    if (Busy()) {
        return;
    }
    SaveConfiguration();
}

bool frmMain::SaveConfiguration() {
    // A name the file cannot hold would come back altered: refuse before anything is written.
    if (const auto fault = FindUnsavableName(config)) {
        Message(UnsavableNameText(*fault), MsgIcon::Critical);
        return false;
    }
    const std::optional<QString> chosen =
        AskConfigurationPath(ui, this, cdlOpenSave, PathFor::Save);
    if (!chosen) {
        return false;
    }
    QString reason;
    if (!WriteDm6File(*chosen, config, &reason)) {
        DetailedMessage(kSaveFailedText, MsgIcon::Critical, WriteFailureDetail(*chosen, reason));
        return false;
    }
    setWindowTitle(
        QString::fromStdString(TitleAfterSave(kAppTitle.toStdString(), chosen->toStdString())));
    KeepConfiguration();
    return true;
}

void frmMain::KeepConfiguration() {
    keptConfiguration = CurrentConfiguration();
}

bool frmMain::MayDropChanges() {
    if (CurrentConfiguration() == keptConfiguration) {
        return true;
    }
    switch (Message(QStringLiteral("Salvare le modifiche alla configurazione?"), MsgIcon::Question,
                    MsgButtons::YesNoCancel)) {
    case MsgAnswer::Yes:
        return SaveConfiguration();
    case MsgAnswer::No:
        return true;
    case MsgAnswer::Ok:
    case MsgAnswer::Cancel:
        break;
    }
    return false;
}

void frmMain::LoadConfigurationFile(const QString& path) {
    const std::optional<Configuration> config = ReadDm6File(path);
    if (!config) {
        Message(FileOpenFailedText(path, kCrLf), MsgIcon::Critical);
        return;
    }
    ApplyConfiguration(*config, QString::fromStdString(
                                    TitleAfterOpen(kAppTitle.toStdString(), path.toStdString())));
    KeepConfiguration();
}
