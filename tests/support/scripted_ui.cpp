#include "tests/support/scripted_ui.h"

#include <QDialog>

#include <cstdio>

namespace {

// The next scripted answer, or the fallback when the test gave none.
template <class T> T TakeFront(std::deque<T>& queue, const T& fallback) {
    if (queue.empty()) {
        return fallback;
    }
    T value = queue.front();
    queue.pop_front();
    return value;
}

// A file dialog's scripted answer: a path, or empty when the user cancels.
std::optional<QString> ChosenPath(std::deque<QString>& answers) {
    const QString path = TakeFront(answers, QString());
    return path.isEmpty() ? std::nullopt : std::optional(path);
}

// The entry at a caption path below a menu, or nullptr.
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

} // namespace

MsgAnswer ScriptedUi::MsgBox(QWidget* parent, const QString& text, MsgIcon icon, MsgButtons buttons,
                             const QString& caption) {
    return DetailedMsgBox(parent, text, icon, buttons, caption, QString());
}

MsgAnswer ScriptedUi::DetailedMsgBox(QWidget* /*parent*/, const QString& text, MsgIcon icon,
                                     MsgButtons buttons, const QString& caption,
                                     const QString& details) {
    messages.push_back({text, icon, buttons, caption, details});
    if (printMessages) {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    if (onMessage) {
        onMessage(messages.back());
    }
    // Unscripted, a question with three answers is cancelled: nothing is saved or lost.
    return TakeFront(msgAnswers,
                     buttons == MsgButtons::YesNoCancel ? MsgAnswer::Cancel : MsgAnswer::Ok);
}

QString ScriptedUi::InputBox(QWidget* /*parent*/, const QString& prompt, const QString& title,
                             const QString& defaultText) {
    inputs.push_back({prompt, title, defaultText});
    return TakeFront(inputAnswers, QString());
}

std::optional<QString> ScriptedUi::OpenFileDialog(QWidget* /*parent*/,
                                                  const FileDialogRequest& request) {
    openRequests.push_back(request);
    return ChosenPath(openAnswers);
}

std::optional<QString> ScriptedUi::SaveFileDialog(QWidget* /*parent*/,
                                                  const FileDialogRequest& request) {
    saveRequests.push_back(request);
    return ChosenPath(saveAnswers);
}

int ScriptedUi::PopupMenu(QWidget* parent, const MenuEntry& menu, QPoint globalPos) {
    menus.push_back(menu);
    menuPositions.push_back(globalPos);
    if (realMenus != nullptr) {
        return realMenus->PopupMenu(parent, menu, globalPos);
    }
    const QStringList path = TakeFront(menuChoices, QStringList());
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

bool ScriptedUi::ExecDialog(QDialog& dialog) {
    dialogTitles << dialog.windowTitle();
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    if (!dialogActions.empty()) {
        const auto act = dialogActions.front();
        dialogActions.pop_front();
        act(dialog);
    }
    // A dialog still open when the user is done is closed as the window manager would.
    const bool accepted = dialog.result() == QDialog::Accepted;
    dialog.hide();
    return accepted;
}

QString Captions(const MenuEntry& menu) {
    QStringList captions;
    for (const MenuEntry& entry : menu.items) {
        captions << (entry.separator ? QStringLiteral("-") : entry.caption);
    }
    return captions.join(QLatin1Char('|'));
}
