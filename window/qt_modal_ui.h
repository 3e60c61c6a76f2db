#pragma once
// The real modal interface: Qt message boxes, input box, file dialogs, menus and help window.

#include "window/modal_ui.h"

#include <QPointer>

class QTextBrowser;
class QWidget;

class QtModalUi final : public ModalUi {
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

private:
    QPointer<QWidget> helpWindow;
    QPointer<QTextBrowser> helpBrowser;
};
