#include "tests/support/scripted_ui.h"

MsgAnswer ScriptedUi::MsgBox(QWidget* /*parent*/, const QString& text, MsgIcon icon,
                             MsgButtons buttons, const QString& caption) {
    messages.push_back({text, icon, buttons, caption});
    if (onMessage) {
        onMessage(messages.back());
    }
    if (msgAnswers.empty()) {
        return MsgAnswer::Ok;
    }
    const MsgAnswer answer = msgAnswers.front();
    msgAnswers.pop_front();
    return answer;
}

QString ScriptedUi::InputBox(QWidget* /*parent*/, const QString& prompt, const QString& title,
                             const QString& defaultText) {
    inputs.push_back({prompt, title, defaultText});
    if (inputAnswers.empty()) {
        return {};
    }
    QString answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedUi::OpenFileDialog(QWidget* /*parent*/,
                                                  const FileDialogRequest& request) {
    openRequests.push_back(request);
    if (openAnswers.empty()) {
        return std::nullopt;
    }
    auto answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedUi::SaveFileDialog(QWidget* /*parent*/,
                                                  const FileDialogRequest& request) {
    saveRequests.push_back(request);
    if (saveAnswers.empty()) {
        return std::nullopt;
    }
    auto answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

int ScriptedUi::PopupMenu(QWidget* /*parent*/, const MenuEntry& menu, QPoint globalPos) {
    menus.push_back(menu);
    menuPositions.push_back(globalPos);
    if (menuChoices.empty()) {
        return -1;
    }
    const QStringList path = menuChoices.front();
    menuChoices.pop_front();
    if (path.isEmpty()) {
        return -1;
    }
    const MenuEntry* entry = FindMenuEntry(menu, path);
    if (entry == nullptr || !entry->enabled || entry->separator || !entry->items.empty()) {
        menuErrors << path.join(QStringLiteral(" > "));
        return -1;
    }
    return entry->id;
}

void ScriptedUi::ShowHelp(QWidget* /*parent*/, const QString& helpFilePath) {
    helpFiles << helpFilePath;
}

const MenuEntry* FindMenuEntry(const MenuEntry& menu, const QStringList& path) {
    const MenuEntry* current = &menu;
    for (qsizetype depth = 0; depth < path.size(); ++depth) {
        const MenuEntry* next = nullptr;
        for (const MenuEntry& entry : current->items) {
            if (!entry.separator && entry.caption == path[depth]) {
                next = &entry;
                break;
            }
        }
        // A disabled submenu cannot be entered.
        if (next == nullptr || (depth + 1 < path.size() && !next->enabled)) {
            return nullptr;
        }
        current = next;
    }
    return current;
}
