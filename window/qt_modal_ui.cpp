#include "window/qt_modal_ui.h"

#include "files/version.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

QString DisplayText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

QMessageBox::Icon ToQtIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// "desc|pattern|desc|pattern" to Qt's name filters. "*.*" means every file, also
// those without a dot in their name.
QStringList NameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (pattern == QStringLiteral("*.*")) {
            pattern = QStringLiteral("*");
        }
        filters << parts[i] + QStringLiteral(" (") + pattern + QLatin1Char(')');
    }
    return filters;
}

std::optional<QString> RunFileDialog(QWidget* parent, const FileDialogRequest& request, bool save) {
    QFileDialog dialog(parent, request.title, request.initialDir);
    dialog.setNameFilters(NameFilters(request.filter));
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setOption(QFileDialog::ReadOnly, false);
    QString suffix = request.defaultExt;
    if (suffix.startsWith(QLatin1Char('.'))) {
        suffix.remove(0, 1);
    }
    dialog.setDefaultSuffix(suffix);
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

void AddEntries(QMenu* menu, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& entry : entries) {
        if (entry.separator) {
            menu->addSeparator();
        } else if (!entry.items.empty()) {
            QMenu* sub = menu->addMenu(entry.caption);
            sub->setEnabled(entry.enabled);
            AddEntries(sub, entry.items);
        } else {
            QAction* action = menu->addAction(entry.caption);
            action->setCheckable(entry.checked);
            action->setChecked(entry.checked);
            action->setEnabled(entry.enabled);
            action->setData(entry.id);
        }
    }
}

QMessageBox::StandardButtons ToQtButtons(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
        break;
    case MsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

} // namespace

MsgAnswer QtModalUi::MsgBox(QWidget* parent, const QString& text, MsgIcon icon, MsgButtons buttons,
                            const QString& caption) {
    return DetailedMsgBox(parent, text, icon, buttons, caption, QString());
}

MsgAnswer QtModalUi::DetailedMsgBox(QWidget* parent, const QString& text, MsgIcon icon,
                                    MsgButtons buttons, const QString& caption,
                                    const QString& details) {
    QMessageBox box(ToQtIcon(icon), caption, DisplayText(text), ToQtButtons(buttons), parent);
    if (buttons == MsgButtons::YesNoCancel) {
        // Set here rather than left to a translation that may not be installed.
        box.button(QMessageBox::Yes)->setText(QStringLiteral("S\u00ec"));
        box.button(QMessageBox::No)->setText(QStringLiteral("No"));
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("Annulla"));
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
    }
    box.setTextFormat(Qt::PlainText); // paths and names are never markup
    if (!details.isEmpty()) {
        // The standard details area: a button below the text opens it.
        box.setDetailedText(DisplayText(details));
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    default:
        return MsgAnswer::Cancel; // the box closed by Esc or its title bar, too
    }
}

QString QtModalUi::InputBox(QWidget* parent, const QString& prompt, const QString& title,
                            const QString& defaultText) {
    bool accepted = false;
    const QString text = QInputDialog::getText(parent, title, DisplayText(prompt),
                                               QLineEdit::Normal, defaultText, &accepted);
    return accepted ? text : QString();
}

std::optional<QString> QtModalUi::OpenFileDialog(QWidget* parent,
                                                 const FileDialogRequest& request) {
    return RunFileDialog(parent, request, false);
}

std::optional<QString> QtModalUi::SaveFileDialog(QWidget* parent,
                                                 const FileDialogRequest& request) {
    return RunFileDialog(parent, request, true);
}

int QtModalUi::PopupMenu(QWidget* parent, const MenuEntry& menu, QPoint globalPos) {
    QMenu popup(menu.caption, parent);
    AddEntries(&popup, menu.items);
    const QAction* chosen = popup.exec(globalPos);
    return chosen != nullptr ? chosen->data().toInt() : -1;
}

void QtModalUi::ShowHelp(QWidget* parent, const QString& helpFilePath) {
    if (helpWindow.isNull()) {
        helpWindow = new QWidget(parent, Qt::Window);
        helpWindow->setWindowTitle(QStringLiteral("Miravel6 %1 - Guida").arg(ProgramVersion()));
        helpWindow->resize(720, 560);
        auto* layout = new QVBoxLayout(helpWindow);
        helpBrowser = new QTextBrowser(helpWindow);
        helpBrowser->setOpenExternalLinks(false);
        layout->addWidget(helpBrowser);
    }
    QFile file(helpFilePath);
    if (file.open(QIODevice::ReadOnly)) {
        helpBrowser->setHtml(QString::fromUtf8(file.readAll()));
    } else {
        helpBrowser->setPlainText(
            QStringLiteral("La guida non \u00e8 disponibile: impossibile leggere il file\n%1")
                .arg(helpFilePath));
    }
    helpWindow->show();
    helpWindow->raise();
    helpWindow->activateWindow();
}

bool ModalUi::ExecDialog(QDialog& dialog) {
    return dialog.exec() == QDialog::Accepted;
}
