#include "tests/support/window_fixture.h"

#include <QFile>
#include <QSettings>

WindowFixture::WindowFixture() {
    QSettings::setDefaultFormat(QSettings::NativeFormat);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
}

WindowFixture::~WindowFixture() {
    win.reset();
}

void WindowFixture::StoreSetting(const QString& key, const QString& value) {
    QSettings settings(kAppTitle, kAppTitle);
    if (value.isEmpty()) {
        settings.remove(key);
    } else {
        settings.setValue(key, value);
    }
    settings.sync();
}

QString WindowFixture::StoredSetting(const QString& key) const {
    const QSettings settings(kAppTitle, kAppTitle);
    return settings.value(key).toString();
}

frmMain& WindowFixture::Open() {
    win = std::make_unique<frmMain>(ui, clock, folder.path());
    return *win;
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
