// Name labels: rename, defaults, info and help.

#include "files/program_folder.h"
#include "model/app_identity.h"
#include "model/configuration.h"
#include "model/effect_items.h"
#include "model/hex_text.h"
#include "model/name_rules.h"
#include "window/frm_main.h"
#include "window/name_menu.h"

#include <QTimer>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Why a typed name is refused, or empty when it can be taken as it is.
QString NameRefusal(const QString& name) {
    const NameCheck check = CheckName(name.toStdString());
    switch (check.fault) {
    case NameFault::None:
        break;
    case NameFault::LineBreak:
        return QStringLiteral("Il nome deve stare su una sola riga: non pu\u00f2 contenere un "
                              "ritorno a capo.") +
               kCrLf + QStringLiteral("Il nome non \u00e8 stato modificato.");
    case NameFault::Unstorable: {
        QString text = QStringLiteral("Questi caratteri non possono essere salvati in un file di "
                                      "configurazione:");
        for (const char32_t cp : check.unstorable) {
            text += kCrLf + QString::fromUcs4(&cp, 1) + QStringLiteral(" (U+") +
                    QString::fromStdString(HexDigits(cp, cp > 0xFFFFF  ? 6
                                                         : cp > 0xFFFF ? 5
                                                                       : 4)) +
                    QLatin1Char(')');
        }
        return text + kCrLf + QStringLiteral("Il nome non \u00e8 stato modificato.");
    }
    }
    return {};
}

} // namespace

void frmMain::lblOutName_Click(int output, QPoint globalPos) {
    if (Busy()) {
        return;
    }
    intNameMenu = static_cast<std::int16_t>(output);
    const int id = ui.PopupMenu(this, BuildNameMenu(), globalPos);
    if (id >= 0) {
        ChooseNameItem(id);
    }
}

void frmMain::lblFaseName_Click(int fase, QPoint globalPos) {
    if (Busy()) {
        return;
    }
    intNameMenu = static_cast<std::int16_t>(fase + kOutputs);
    const int id = ui.PopupMenu(this, BuildNameMenu(), globalPos);
    if (id >= 0) {
        ChooseNameItem(id);
    }
}

MenuEntry frmMain::BuildNameMenu() const {
    return NameMenu();
}

void frmMain::ChooseNameItem(int id) {
    const bool isOutput = intNameMenu < kOutputs;
    const int number = isOutput ? intNameMenu : intNameMenu - kOutputs; // 0-based
    std::string& name = isOutput ? config.outNames.at(static_cast<std::size_t>(number))
                                 : config.faseNames.at(static_cast<std::size_t>(number));
    switch (id) {
    case kNameEdit: {
        const QString prompt =
            (isOutput ? QStringLiteral("Introdurre il nome dell' Uscita ")
                      : QStringLiteral("Introdurre il nome della Fase temporale ")) +
            QString::number(number + 1);
        const QString typed = ui.InputBox(this, prompt, QStringLiteral("Modifica nome"),
                                          QString::fromStdString(name));
        if (typed.isEmpty()) {
            return;
        }
        // A name must read back from a configuration file exactly as typed.
        const QString refusal = NameRefusal(typed);
        if (!refusal.isEmpty()) {
            Message(refusal, MsgIcon::Exclamation);
            return;
        }
        name = typed.toStdString();
        break;
    }
    case kNameDefault:
        name = isOutput ? DefaultOutName(number) : DefaultFaseName(number);
        break;
    case kNameDefaultAll: {
        const Configuration defaults = DefaultConfiguration();
        config.outNames = defaults.outNames;
        config.faseNames = defaults.faseNames;
        break;
    }
    case kNameInfo: {
        FaseSecondsList seconds{};
        for (int p = 0; p < kFasi; ++p) {
            seconds.at(static_cast<std::size_t>(p)) = FaseSecondsOf(p);
        }
        Message(QString::fromStdString(InfoText(kAppTitle.toStdString(), seconds)),
                MsgIcon::Information);
        return;
    }
    case kNameHelp: {
        ui.ShowHelp(this, ProgramFilePath(filesFolder, QString::fromLatin1(kHelpFileName)));
        return;
    }
    default:
        return;
    }
    ShowNames();
    CommitEdit(EditOf::Names);
}
