#include "files/file_messages.h"

QString FileOpenFailedText(const QString& path, const QString& lineBreak) {
    return QStringLiteral("Impossibile aprire il file:") + lineBreak + path + lineBreak +
           QStringLiteral("oppure dati non validi");
}
