#pragma once
// The application of a window benchmark (offscreen unless the caller chose a platform) with
// the tests' window fixture: scripted modal things, a clock moved by hand, the real window on
// a scratch program folder and settings store. Every message is printed to stderr, so that an
// unexpected failure shows beside the figures.

#include "tests/support/window_fixture.h"

#include <QApplication>

class BenchWindow {
public:
    BenchWindow(int& argc, char** argv);
    BenchWindow(const BenchWindow&) = delete;
    BenchWindow& operator=(const BenchWindow&) = delete;

    // Creates the window and shows it.
    frmMain& Open() { return fixture.Show(); }
    ScriptedUi& ui() { return fixture.ui; }
    FakeClock& clock() { return fixture.clock; }
    QString FolderPath() const { return fixture.FolderPath(); }
    QString FilePath(const QString& name) const;

private:
    // Chooses the platform; a member so that it runs before the application starts.
    struct Platform {
        Platform();
    };

    Platform platform;
    QApplication app;
    WindowFixture fixture;
};
