#pragma once
// A main window on a scratch program folder and settings store, with scripted modal things.

#include "board/port_settings.h"
#include "tests/support/scripted_ui.h"
#include "window/frm_main.h"

#include <QTemporaryDir>
#include <memory>

inline const QString kIdleStatusText =
    QStringLiteral("Clicca (sx o dx) sul grafico per modificare l'andamento, la modalit\u00e0 e "
                   "i nomi delle uscite e delle fasi");

class WindowFixture {
public:
    // Points the per-user settings store at a scratch folder; call before the window exists.
    WindowFixture();

    // Sets the stored port choice ("frmMain/cboComm"); an empty value removes it.
    void StoreSetting(const QString& key, const QString& value);
    QString StoredSetting(const QString& key) const;

    // The window's settings store: the real one on the scratch folder unless another is given
    // before the window opens.
    void UseSettings(PortSettings& other) { settingsInUse = &other; }

    frmMain& Open();
    // Opens the window and shows it, as the user finds it.
    frmMain& Show();
    frmMain& window() { return *win; }
    // Makes the window the active one, as keys and shortcuts need.
    void Activate();
    void Close();

    // Clicks a grid cell; the scripted menu answers with the caption path (empty: closes it).
    void ClickCell(int cell, const QStringList& path, Qt::MouseButton button = Qt::LeftButton);
    // Clicks the push button of that object name.
    void ClickButton(const QString& name);
    // `count` messages so far, the last one as given.
    void ExpectMessage(std::size_t count, const QString& text, MsgIcon icon,
                       MsgButtons buttons = MsgButtons::Ok,
                       const QString& caption = QStringLiteral("Miravel6")) const;

    template <class T> T* Child(const QString& name) const { return win->findChild<T*>(name); }
    template <class T> T* Child(const char* base, int index) const {
        return Child<T>(QString::fromLatin1(base) + QLatin1Char('_') + QString::number(index));
    }

    QString FolderPath() const { return folder.path(); }
    QString SettingsFolderPath() const { return settingsFolder.path(); }
    // Bytes of a file in the program folder.
    QByteArray ReadProgramFile(const QString& name) const;
    bool WriteProgramFile(const QString& name, const QByteArray& bytes) const;
    // A file in the program folder with native separators, as the program names it.
    QString ProgramPath(const QString& name) const;

    ScriptedUi ui;
    FakeClock clock;
    StoredPortSettings stored;

private:
    QTemporaryDir folder;
    QTemporaryDir settingsFolder;
    PortSettings* settingsInUse = &stored;
    std::unique_ptr<frmMain> win;
};
