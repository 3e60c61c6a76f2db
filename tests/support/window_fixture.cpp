#include "tests/support/window_fixture.h"

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

WindowFixture::~WindowFixture() {
    win.reset();
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
    win = std::make_unique<frmMain>(ui, clock, folder.path());
    return *win;
}

frmMain& WindowFixture::Show() {
    Open().show();
    return *win;
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

void WindowFixture::Close() {
    if (win) {
        win->close();
    }
}

QByteArray WindowFixture::ReadProgramFile(const QString& name) const {
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

bool WindowFixture::WriteProgramFile(const QString& name, const QByteArray& bytes) const {
    QFile file(folder.filePath(name));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QString WindowFixture::ProgramPath(const QString& name) const {
    return QDir::toNativeSeparators(folder.path()) + QDir::separator() + name;
}
