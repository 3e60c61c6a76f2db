// Effect menus of the grid cells: settings, clear, copy and paste.

#include "window/frm_main.h"

void frmMain::lblEffMode_MouseDown(int /*cell*/, Qt::MouseButton /*button*/, QPoint /*globalPos*/) {
}

MenuEntry frmMain::BuildEffectSettingsMenu(int /*cell*/) const {
    return {};
}

MenuEntry frmMain::BuildEffectCommandsMenu() const {
    return {};
}

void frmMain::ChooseEffectItem(int /*id*/) {}
