#pragma once
// The name labels' pop-up menu "Impostazioni nomi" and its item ids.

#include "window/modal_ui.h"

enum NameMenuId : int {
    kNameEdit = 1, // "Modifica"
    kNameDefault,  // "Default"
    kNameDefaultAll,
    kNameInfo,
    kNameHelp,
};

MenuEntry NameMenu();
