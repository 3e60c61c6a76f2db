#pragma once
// Qt's own texts (standard buttons, the file dialog, its questions) in Italian, as the rest of
// the program speaks: the translations Qt ships in its translations folder.

class QCoreApplication;

// Installs Qt's Italian translations on the application; false when none could be loaded
// (the package with Qt's translations is missing), and Qt's texts then stay English.
bool InstallQtItalian(QCoreApplication& application);
