#include "window/effect_menus.h"

namespace {

// An item's id is its submenu's base plus its index; ids start above 0 so that a menu
// action without data can never pass for an item.
constexpr int kIdStride = 100;
constexpr int kSettingsBase = 100; // + menu * kIdStride
constexpr int kClearBase = 1000;
constexpr int kCopyBase = 1100;
constexpr int kPasteBase = 1200;
constexpr int kClearItems = 4;
constexpr int kCopyItems = 3;

int SettingsId(EffMenu menu, int index) {
    return kSettingsBase + static_cast<int>(menu) * kIdStride + index;
}

MenuEntry Item(const QString& caption, int id, bool checked = false, bool enabled = true) {
    MenuEntry entry;
    entry.caption = caption;
    entry.id = id;
    entry.checked = checked;
    entry.enabled = enabled;
    return entry;
}

MenuEntry Separator() {
    MenuEntry entry;
    entry.caption = QStringLiteral("-");
    entry.separator = true;
    return entry;
}

MenuEntry Submenu(const QString& caption, EffMenu menu, const EffMarks& marks, bool enabled) {
    MenuEntry sub;
    sub.caption = caption;
    sub.enabled = enabled;
    for (int i = 0; i < EffMenuSize(menu); ++i) {
        if (IsEffSeparator(menu, i)) {
            sub.items.push_back(Separator());
        } else {
            sub.items.push_back(Item(QString::fromStdString(EffItemCaption(menu, i)),
                                     SettingsId(menu, i), marks.Checked(menu) == i));
        }
    }
    return sub;
}

// "Effetto", "Uscita (riga)", "Fase (colonna)" and, for clear only, "Tutto".
MenuEntry CommandSubmenu(const QString& caption, int base, int count,
                         const std::array<bool, 3>* enabled) {
    static const std::array<QString, kClearItems> captions = {
        QStringLiteral("Effetto"), QStringLiteral("Uscita (riga)"),
        QStringLiteral("Fase (colonna)"), QStringLiteral("Tutto")};
    MenuEntry sub;
    sub.caption = caption;
    for (int i = 0; i < count; ++i) {
        const auto k = static_cast<std::size_t>(i);
        sub.items.push_back(
            Item(captions[k], base + i, false, enabled == nullptr || (*enabled)[k]));
    }
    return sub;
}

} // namespace

MenuEntry EffectSettingsMenu(const typEffSet& rec, const QString& stepText) {
    const EffMarks marks = MarksOf(rec);
    MenuEntry menu;
    menu.caption = QStringLiteral("Impostazioni effetti");
    auto add = [&](const QString& caption, EffMenu sub, bool enabled = true) {
        menu.items.push_back(Submenu(caption, sub, marks, enabled));
    };
    add(QStringLiteral("Effetti Parte1+Parte2"), EffMenu::Preset);
    menu.items.push_back(Separator());
    add(QStringLiteral("Luminosit\u00e0 Parte1"), EffMenu::LightP1);
    add(QStringLiteral("OnOff Parte1 (passo ") + stepText + QLatin1Char(')'), EffMenu::OnoffP1);
    menu.items.push_back(Separator());
    add(QStringLiteral("Luminosit\u00e0 Parte2"), EffMenu::LightP2);
    add(QStringLiteral("OnOff Parte2 (passo ") + stepText + QLatin1Char(')'), EffMenu::OnoffP2);
    menu.items.push_back(Separator());
    add(QStringLiteral("Tremolo"), EffMenu::Flicker, marks.flickerRandomEnabled);
    add(QStringLiteral("Accensione casuale"), EffMenu::Random, marks.flickerRandomEnabled);
    return menu;
}

MenuEntry EffectCommandsMenu(const std::array<bool, 3>& pasteEnabled) {
    MenuEntry menu;
    menu.caption = QStringLiteral("Comandi effetti");
    menu.items.push_back(
        CommandSubmenu(QStringLiteral("Azzera"), kClearBase, kClearItems, nullptr));
    menu.items.push_back(CommandSubmenu(QStringLiteral("Copia"), kCopyBase, kCopyItems, nullptr));
    menu.items.push_back(
        CommandSubmenu(QStringLiteral("Incolla"), kPasteBase, kCopyItems, &pasteEnabled));
    return menu;
}

std::optional<EffectChoice> DecodeEffectId(int id) {
    const int base = id - id % kIdStride;
    const int index = id % kIdStride;
    if (id >= kSettingsBase && id < kSettingsBase + kEffMenuCount * kIdStride) {
        const auto menu = static_cast<EffMenu>((base - kSettingsBase) / kIdStride);
        if (index < EffMenuSize(menu) && !IsEffSeparator(menu, index)) {
            return EffectChoice{EffectChoice::Kind::Setting, menu, index};
        }
        return std::nullopt;
    }
    if (base == kClearBase && index < kClearItems) {
        return EffectChoice{EffectChoice::Kind::Clear, EffMenu::Preset, index};
    }
    if (base == kCopyBase && index < kCopyItems) {
        return EffectChoice{EffectChoice::Kind::Copy, EffMenu::Preset, index};
    }
    if (base == kPasteBase && index < kCopyItems) {
        return EffectChoice{EffectChoice::Kind::Paste, EffMenu::Preset, index};
    }
    return std::nullopt;
}
