#pragma once
// Everything modal the main window asks of the user, behind one small interface so that
// tests can script the answers and record every message.

#include <QPoint>
#include <QString>
#include <optional>
#include <vector>

class QDialog;
class QWidget;

enum class MsgIcon { Critical, Exclamation, Question, Information };
enum class MsgButtons { Ok, OkCancel, YesNoCancel }; // YesNoCancel: "Sì", "No", "Annulla"
enum class MsgAnswer { Ok, Cancel, Yes, No };

// One entry of a pop-up menu: an item, a separator or a submenu (items not empty).
struct MenuEntry {
    QString caption;
    int id = -1; // what PopupMenu returns when this item is chosen
    bool separator = false;
    bool checked = false;
    bool enabled = true;
    std::vector<MenuEntry> items;
};

struct FileDialogRequest {
    QString title;
    QString filter;     // "description|pattern|description|pattern"
    QString defaultExt; // ".dat"
    QString initialDir; // empty: the platform dialog chooses
    bool mustExist = false;
    bool confirmOverwrite = false;
};

class ModalUi {
public:
    virtual ~ModalUi() = default;
    // Lines of text are joined by CR LF.
    virtual MsgAnswer MsgBox(QWidget* parent, const QString& text, MsgIcon icon, MsgButtons buttons,
                             const QString& caption) = 0;
    // The same box with its details area (shown on request) holding `details`. Where a
    // stand-in has no details area the plain box is shown.
    virtual MsgAnswer DetailedMsgBox(QWidget* parent, const QString& text, MsgIcon icon,
                                     MsgButtons buttons, const QString& caption,
                                     const QString& details) {
        static_cast<void>(details);
        return MsgBox(parent, text, icon, buttons, caption);
    }
    // Empty text when cancelled.
    virtual QString InputBox(QWidget* parent, const QString& prompt, const QString& title,
                             const QString& defaultText) = 0;
    // Empty when cancelled; otherwise the full path chosen.
    virtual std::optional<QString> OpenFileDialog(QWidget* parent,
                                                  const FileDialogRequest& request) = 0;
    virtual std::optional<QString> SaveFileDialog(QWidget* parent,
                                                  const FileDialogRequest& request) = 0;
    // Shows the menu at a global position; returns the chosen item's id, or -1.
    virtual int PopupMenu(QWidget* parent, const MenuEntry& menu, QPoint globalPos) = 0;
    virtual void ShowHelp(QWidget* parent, const QString& helpFilePath) = 0;
    // Runs one of the program's own dialogs modally; true when it was accepted.
    virtual bool ExecDialog(QDialog& dialog);
};
