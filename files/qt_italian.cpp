#include "files/qt_italian.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool InstallQtItalian(QCoreApplication& application) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    bool any = false;
    // qt_it gathers the modules' catalogues (qtbase_it among them: loading that one as well read
    // it twice); the serial port module's own is loaded where the system ships one.
    for (const char* name : {"qt_it", "qtserialport_it"}) {
        auto* translator = new QTranslator(&application);
        if (translator->load(QString::fromLatin1(name), folder) &&
            QCoreApplication::installTranslator(translator)) {
            any = true;
        } else {
            delete translator;
        }
    }
    return any;
}
