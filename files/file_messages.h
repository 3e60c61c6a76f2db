#pragma once
// The Italian texts that report a configuration file that cannot be opened or saved, shared by
// the window and the command line.

#include <QString>

inline const QString kSaveFailedText = QStringLiteral("Impossibile salvare su file");

// "Impossibile aprire il file:", the path and "oppure dati non validi", one per line.
QString FileOpenFailedText(const QString& path, const QString& lineBreak);
