#pragma once
// A stand-in for every modal thing: answers as the test says and records what was shown.

#include "window/clock.h"
#include "window/modal_ui.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

struct RecordedMessage {
    QString text;
    MsgIcon icon;
    MsgButtons buttons;
    QString caption;
    QString details; // the details area; empty for a plain box
};

struct RecordedInput {
    QString prompt;
    QString title;
    QString defaultText;
};

class ScriptedUi final : public ModalUi {
public:
    MsgAnswer MsgBox(QWidget* parent, const QString& text, MsgIcon icon, MsgButtons buttons,
                     const QString& caption) override;
    MsgAnswer DetailedMsgBox(QWidget* parent, const QString& text, MsgIcon icon, MsgButtons buttons,
                             const QString& caption, const QString& details) override;
    QString InputBox(QWidget* parent, const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    std::optional<QString> OpenFileDialog(QWidget* parent,
                                          const FileDialogRequest& request) override;
    std::optional<QString> SaveFileDialog(QWidget* parent,
                                          const FileDialogRequest& request) override;
    int PopupMenu(QWidget* parent, const MenuEntry& menu, QPoint globalPos) override;
    void ShowHelp(QWidget* parent, const QString& helpFilePath) override;
    bool ExecDialog(QDialog& dialog) override;

    // Answers, used in order; when a queue is empty: OK (Annulla for Sì / No / Annulla),
    // cancel, cancel, close the menu.
    std::deque<MsgAnswer> msgAnswers;
    std::deque<QString> inputAnswers;
    std::deque<QString> openAnswers; // a path, or empty to cancel the dialog
    std::deque<QString> saveAnswers;
    // Each choice is the caption path of an item, e.g. {"Luminosit\u00e0 Parte1", "Spenta"};
    // an empty path closes the menu without a choice.
    std::deque<QStringList> menuChoices;

    // When set, pop-up menus are recorded, then shown by it (a test types into them).
    ModalUi* realMenus = nullptr;
    // Called while a message box is "open", before it returns.
    std::function<void(const RecordedMessage&)> onMessage;
    // What the user does in each dialog of the program's own while it is open (clicks, typing);
    // with none left the dialog is closed as cancelled.
    std::deque<std::function<void(QDialog&)>> dialogActions;
    // Each message also goes to stderr (the benchmarks' record of an unexpected failure).
    bool printMessages = false;

    // What was shown.
    std::vector<RecordedMessage> messages;
    std::vector<RecordedInput> inputs;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    std::vector<MenuEntry> menus;
    std::vector<QPoint> menuPositions;
    QStringList helpFiles;
    QStringList dialogTitles;
    // Choices that named no enabled item: a test must find this empty.
    QStringList menuErrors;
};

// The captions of a menu's items, "-" for a separator, joined by "|".
QString Captions(const MenuEntry& menu);

// A clock the test moves by hand.
class FakeClock final : public Clock {
public:
    qint64 MonotonicMs() const override { return nowMs; }
    qint64 nowMs = 1000000;
};
