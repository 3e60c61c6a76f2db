#pragma once
// What the window benchmarks share: one stand-in for every modal thing, a clock moved by
// hand, and the real window on a scratch program folder and settings store.

#include "window/clock.h"
#include "window/frm_main.h"
#include "window/modal_ui.h"

#include <QApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <optional>

// Answers OK to every message, counting them and printing each to stderr so that an
// unexpected failure shows beside the figures.
class BenchUi final : public ModalUi {
public:
    MsgAnswer MsgBox(QWidget* parent, const QString& text, MsgIcon icon, MsgButtons buttons,
                     const QString& caption) override;
    QString InputBox(QWidget* parent, const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    std::optional<QString> OpenFileDialog(QWidget* parent,
                                          const FileDialogRequest& request) override;
    std::optional<QString> SaveFileDialog(QWidget* parent,
                                          const FileDialogRequest& request) override;
    int PopupMenu(QWidget* parent, const MenuEntry& menu, QPoint globalPos) override;
    void ShowHelp(QWidget* parent, const QString& helpFilePath) override;

    int messages = 0;
    QString lastMessage;
    // Off where the benchmark expects a message on every run and checks it itself.
    bool printMessages = true;
    // What both file dialogs answer; none: cancelled.
    std::optional<QString> filePath;
    // The item every menu answers, by its caption path ({"Copia", "Fase (colonna)"});
    // empty, or naming no item: the menu closes without a choice.
    QStringList menuChoice;
};

class HandClock final : public Clock {
public:
    qint64 MonotonicMs() const override { return nowMs; }
    qint64 nowMs = 0;
};

// The application (offscreen unless the caller chose a platform), scratch folders and the
// settings store pointed at one of them from construction, so that settings can be stored
// before Open() creates and shows the window.
class BenchWindow {
public:
    BenchWindow(int& argc, char** argv);
    ~BenchWindow();
    BenchWindow(const BenchWindow&) = delete;
    BenchWindow& operator=(const BenchWindow&) = delete;

    frmMain& Open();
    BenchUi& ui() { return modalUi; }
    HandClock& clock() { return handClock; }
    QString FolderPath() const { return folder.path(); }
    QString FilePath(const QString& name) const { return folder.filePath(name); }

private:
    // Chooses the platform; a member so that it runs before the application starts.
    struct Platform {
        Platform();
    };

    Platform platform;
    QApplication app;
    BenchUi modalUi;
    HandClock handClock;
    QTemporaryDir folder;
    QTemporaryDir settingsFolder;
    std::unique_ptr<frmMain> window;
};
