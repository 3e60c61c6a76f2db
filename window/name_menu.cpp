#include "window/name_menu.h"

namespace {

MenuEntry Item(const QString& caption, int id) {
    MenuEntry entry;
    entry.caption = caption;
    entry.id = id;
    return entry;
}

} // namespace

MenuEntry NameMenu() {
    MenuEntry menu;
    menu.caption = QStringLiteral("Impostazioni nomi");
    menu.items.push_back(Item(QStringLiteral("Modifica"), kNameEdit));
    menu.items.push_back(Item(QStringLiteral("Default"), kNameDefault));
    menu.items.push_back(Item(QStringLiteral("Default tutti"), kNameDefaultAll));
    MenuEntry separator;
    separator.caption = QStringLiteral("-");
    separator.separator = true;
    menu.items.push_back(separator);
    menu.items.push_back(Item(QStringLiteral("Info"), kNameInfo));
    menu.items.push_back(Item(QStringLiteral("Guida"), kNameHelp));
    return menu;
}
