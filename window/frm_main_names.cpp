// Name labels: rename, defaults, info and help.

#include "files/program_folder.h"
#include "model/configuration.h"
#include "model/effect_items.h"
#include "model/name_rules.h"
#include "window/click_label.h"
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
            text +=
                kCrLf + QString::fromUcs4(&cp, 1) + QStringLiteral(" (U+") +
                QStringLiteral("%1").arg(static_cast<uint>(cp), 4, 16, QLatin1Char('0')).toUpper() +
                QLatin1Char(')');
        }
        return text + kCrLf + QStringLiteral("Il nome non \u00e8 stato modificato.");
    }
    }
    return {};
}

} // namespace

void frmMain::lblOutName_Click(int output, QPoint globalPos) {
    if (tmrTimeCursor->isActive() || PortIsOpen()) {
        return;
    }
    intNameMenu = static_cast<std::int16_t>(output);
    const int id = ui.PopupMenu(this, BuildNameMenu(), globalPos);
    if (id >= 0) {
        ChooseNameItem(id);
    }
}

void frmMain::lblFaseName_Click(int fase, QPoint globalPos) {
    if (tmrTimeCursor->isActive() || PortIsOpen()) {
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
    ClickLabel* label = isOutput ? lblOutName.at(static_cast<std::size_t>(number))
                                 : lblFaseName.at(static_cast<std::size_t>(number));
    const QString defaultName =
        QString::fromStdString(isOutput ? DefaultOutName(number) : DefaultFaseName(number));
    switch (id) {
    case kNameEdit: {
        const QString prompt =
            (isOutput ? QStringLiteral("Introdurre il nome dell' Uscita ")
                      : QStringLiteral("Introdurre il nome della Fase temporale ")) +
            QString::number(number + 1);
        const QString name =
            ui.InputBox(this, prompt, QStringLiteral("Modifica nome"), label->text());
        if (name.isEmpty()) {
            return;
        }
        // A name must read back from a configuration file exactly as typed.
        const QString refusal = NameRefusal(name);
        if (!refusal.isEmpty()) {
            Message(refusal, MsgIcon::Exclamation);
            return;
        }
        label->setText(name);
        CommitEdit(EditOf::Names);
        return;
    }
    case kNameDefault:
        label->setText(defaultName);
        CommitEdit(EditOf::Names);
        return;
    case kNameDefaultAll:
        for (int o = 0; o < kOutputs; ++o) {
            lblOutName.at(static_cast<std::size_t>(o))
                ->setText(QString::fromStdString(DefaultOutName(o)));
        }
        for (int p = 0; p < kFasi; ++p) {
            lblFaseName.at(static_cast<std::size_t>(p))
                ->setText(QString::fromStdString(DefaultFaseName(p)));
        }
        CommitEdit(EditOf::Names);
        return;
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
        ui.ShowHelp(this, ProgramFilePath(programFolder, QStringLiteral("miravel6.hlp")));
        return;
    }
    default:
        return;
    }
}
