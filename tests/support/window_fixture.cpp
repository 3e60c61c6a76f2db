#include "tests/support/window_fixture.h"

#include "tests/support/file_bytes.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTest>

WindowFixture::WindowFixture() {
    QSettings::setDefaultFormat(QSettings::NativeFormat);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
}

void WindowFixture::StoreSetting(const QString& key, const QString& value) {
    QSettings settings(QString::fromLatin1(kAppName), QString::fromLatin1(kAppName));
    if (value.isEmpty()) {
        settings.remove(key);
    } else {
        settings.setValue(key, value);
    }
    settings.sync();
}

QString WindowFixture::StoredSetting(const QString& key) const {
    const QSettings settings(QString::fromLatin1(kAppName), QString::fromLatin1(kAppName));
    return settings.value(key).toString();
}

frmMain& WindowFixture::Open() {
    win = std::make_unique<frmMain>(ui, clock, *settingsInUse, folder.path());
    return *win;
}

frmMain& WindowFixture::Show() {
    Open().show();
    return *win;
}

void WindowFixture::Activate() {
    win->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(win.get()));
}

void WindowFixture::ClickCell(int cell, const QStringList& path, Qt::MouseButton button) {
    ui.menuChoices.push_back(path);
    QTest::mouseClick(Child<QLabel>("lblEffMode", cell), button);
}

void WindowFixture::ClickButton(const QString& name) {
    auto* button = Child<QPushButton>(name);
    Q_ASSERT(button != nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
}

void WindowFixture::ExpectMessage(std::size_t count, const QString& text, MsgIcon icon,
                                  MsgButtons buttons, const QString& caption) const {
    QCOMPARE(ui.messages.size(), count);
    QCOMPARE(ui.messages.back().text, text);
    QCOMPARE(ui.messages.back().icon, icon);
    QCOMPARE(ui.messages.back().buttons, buttons);
    QCOMPARE(ui.messages.back().caption, caption);
}

void WindowFixture::Close() {
    if (win) {
        win->close();
    }
}

QByteArray WindowFixture::ReadProgramFile(const QString& name) const {
    return GetFile(folder.filePath(name));
}

bool WindowFixture::WriteProgramFile(const QString& name, const QByteArray& bytes) const {
    return PutFile(folder.filePath(name), bytes);
}

QString WindowFixture::ProgramPath(const QString& name) const {
    return QDir::toNativeSeparators(folder.path()) + QDir::separator() + name;
}
