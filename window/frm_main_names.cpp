// Name labels: rename, defaults, info and help.

#include "window/frm_main.h"

void frmMain::lblOutName_Click(int /*output*/, QPoint /*globalPos*/) {}

void frmMain::lblFaseName_Click(int /*fase*/, QPoint /*globalPos*/) {}

MenuEntry frmMain::BuildNameMenu() const {
    return {};
}

void frmMain::ChooseNameItem(int /*id*/) {}
