#pragma once
// The grid cells' pop-up menus "Impostazioni effetti" and "Comandi effetti", and their item ids.

#include "model/effect_items.h"
#include "window/modal_ui.h"

#include <array>
#include <optional>

// An item of either menu: a settings submenu item, or a clear/copy/paste command.
struct EffectChoice {
    enum class Kind { Setting, Clear, Copy, Paste };
    Kind kind = Kind::Setting;
    EffMenu menu = EffMenu::Preset; // for Kind::Setting
    int index = 0;                  // item index in its submenu
};

// Check marks, enabled states and the on/off captions from the cell's record; stepText is
// the length of one on/off step of the cell's phase.
MenuEntry EffectSettingsMenu(const typEffSet& rec, const QString& stepText);

// Paste item i is enabled once a copy of kind i was made.
MenuEntry EffectCommandsMenu(const std::array<bool, 3>& pasteEnabled);

// What an id returned by either menu stands for; empty for an unknown id.
std::optional<EffectChoice> DecodeEffectId(int id);
