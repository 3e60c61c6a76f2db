// Open and save of configuration files, and the five sample configurations.

#include "window/frm_main.h"

#include "files/dm6_file.h"
#include "files/format/dm6_format.h"
#include "files/program_folder.h"
#include "files/write_failure.h"
#include "model/configuration.h"
#include "model/window_title.h"
#include "window/click_label.h"

#include <QComboBox>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString UnsavableNameText(const UnsavableName& fault) {
    const QString number = QString::number(fault.index + 1);
    const QString which = fault.isFase ? QStringLiteral("della fase ") + number
                                       : QStringLiteral("dell'uscita ") + number;
    return QStringLiteral("Impossibile salvare su file:") + kCrLf + QStringLiteral("il nome ") +
           which +
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
    if (PortIsOpen() || index < 0 || index > static_cast<int>(std::size(kDm6SampleFiles))) {
        return;
    }
    if (index > 0) {
        LoadConfigurationFile(ProgramFilePath(
            programFolder,
            QString::fromLatin1(kDm6SampleFiles[static_cast<std::size_t>(index - 1)])));
        return;
    }
    if (const auto chosen = AskConfigurationPath(ui, this, cdlOpenSave, PathFor::Open)) {
        LoadConfigurationFile(*chosen);
    }
}

void frmMain::cmdFileSave_Click() {
    if (PortIsOpen()) {
        return;
    }
    const Configuration config = CurrentConfiguration();
    // A name the file cannot hold would come back altered: refuse before anything is written.
    if (const auto fault = FindUnsavableName(config)) {
        Message(UnsavableNameText(*fault), MsgIcon::Critical);
        return;
    }
    const std::optional<QString> chosen =
        AskConfigurationPath(ui, this, cdlOpenSave, PathFor::Save);
    if (!chosen) {
        return;
    }
    QString reason;
    if (!WriteDm6File(*chosen, config, &reason)) {
        DetailedMessage(QStringLiteral("Impossibile salvare su file"), MsgIcon::Critical,
                        WriteFailureDetail(*chosen, reason));
        return;
    }
    setWindowTitle(
        QString::fromStdString(TitleAfterSave(kAppTitle.toStdString(), chosen->toStdString())));
}

void frmMain::LoadConfigurationFile(const QString& path) {
    const std::optional<Configuration> config = ReadDm6File(path);
    if (!config) {
        Message(QStringLiteral("Impossibile aprire il file:") + kCrLf + path + kCrLf +
                    QStringLiteral("oppure dati non validi"),
                MsgIcon::Critical);
        return;
    }
    ApplyConfiguration(*config, QString::fromStdString(
                                    TitleAfterOpen(kAppTitle.toStdString(), path.toStdString())));
}
