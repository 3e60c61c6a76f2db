#include "board/assignment_check.h"

#include <QStringList>

QString AssignmentWarning(const QString& path, OpenFailureCase::PathType type, int comNumber,
                          const QString& defaultDevice) {
    using PathType = OpenFailureCase::PathType;
    const QString com = QStringLiteral("COM") + QString::number(comNumber);
    if (path.isEmpty()) {
        return QStringList{QStringLiteral("Il campo del percorso \u00e8 vuoto."),
                           com + QStringLiteral(" user\u00e0 il dispositivo predefinito ") +
                               defaultDevice + QLatin1Char('.'),
                           QStringLiteral("Continuare?")}
            .join(QStringLiteral("\r\n"));
    }
    const QString quoted = QStringLiteral("Il percorso \"") + path + QStringLiteral("\" ");
    QStringList lines;
    switch (type) {
    case PathType::CharDevice:
        return {};
    case PathType::Missing:
        lines << quoted + QStringLiteral("non esiste.");
        break;
    case PathType::Directory:
        lines << quoted + QStringLiteral("\u00e8 una cartella, non un dispositivo seriale.");
        break;
    case PathType::RegularFile:
        lines << quoted + QStringLiteral("\u00e8 un file normale, non un dispositivo seriale.");
        break;
    case PathType::Other:
        lines << quoted + QStringLiteral("non \u00e8 un dispositivo seriale.");
        break;
    }
    if (path != path.trimmed()) {
        lines << QStringLiteral("Il percorso inizia o finisce con uno spazio.");
    }
    lines << QStringLiteral("Assegnarlo comunque a ") + com + QLatin1Char('?');
    return lines.join(QStringLiteral("\r\n"));
}
