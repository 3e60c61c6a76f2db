// Effect menus of the grid cells: settings, clear, copy and paste.

#include "model/effect_items.h"
#include "model/fase_time.h"
#include "window/effect_menus.h"
#include "window/frm_main.h"
#include "window/grid_canvas.h"

#include <QLocale>
#include <QTimer>

void frmMain::lblEffMode_MouseDown(int cell, Qt::MouseButton button, QPoint globalPos) {
    if (Busy()) {
        return;
    }
    intEffMenu = static_cast<std::int16_t>(cell);
    // The keyboard goes on from the cell the mouse chose.
    if (drawing.lblEffMode[static_cast<std::size_t>(cell)].visible) {
        canvas->SetFocusCell(cell, true);
        canvas->setFocus(Qt::MouseFocusReason);
    }
    const MenuEntry menu =
        button == Qt::LeftButton ? BuildEffectSettingsMenu(cell) : BuildEffectCommandsMenu();
    const int id = ui.PopupMenu(this, menu, globalPos);
    if (id >= 0) {
        ChooseEffectItem(id);
    }
}

MenuEntry frmMain::BuildEffectSettingsMenu(int cell) const {
    // The step text is formatted with a point, then given the user's decimal separator.
    QString step = QString::fromStdString(FormatStepTime(FaseSecondsOf(CellFase(cell)), '.'));
    step.replace(QLatin1Char('.'), QLocale().decimalPoint());
    return EffectSettingsMenu(config.recEffSet.at(static_cast<std::size_t>(cell)), step);
}

MenuEntry frmMain::BuildEffectCommandsMenu() const {
    return EffectCommandsMenu(clipboard.blnPasteEnabled);
}

void frmMain::ChooseEffectItem(int id) {
    const std::optional<EffectChoice> choice = DecodeEffectId(id);
    if (!choice) {
        return;
    }
    const int cell = intEffMenu;
    const auto c = static_cast<std::size_t>(cell);
    EffGrid& recEffSet = config.recEffSet;
    switch (choice->kind) {
    case EffectChoice::Kind::Setting:
        recEffSet.at(c) = ApplyEffItem(recEffSet.at(c), choice->menu, choice->index);
        break;
    case EffectChoice::Kind::Clear:
        ClearCells(recEffSet, static_cast<EffScope>(choice->index), cell);
        break;
    case EffectChoice::Kind::Copy:
        // A copy changes neither the grid nor the title.
        CopyCells(clipboard, static_cast<EffCopyScope>(choice->index), recEffSet, cell);
        return;
    case EffectChoice::Kind::Paste:
        if (!PasteCells(clipboard, static_cast<EffCopyScope>(choice->index), recEffSet, cell)) {
            return;
        }
        break;
    }
    CommitEdit();
}
