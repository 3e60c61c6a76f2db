#include "board/open_failure.h"

#include "model/system_error.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString DeviceLine(const QString& path) {
    return QStringLiteral("Dispositivo: ") + path;
}

QString PresentDevicesLine(const QStringList& present) {
    if (present.isEmpty()) {
        return QStringLiteral("Non \u00e8 presente alcun dispositivo seriale.");
    }
    return QStringLiteral("Dispositivi seriali presenti: ") + present.join(QStringLiteral(", "));
}

QString NotADeviceReason(OpenFailureCase::PathType type) {
    switch (type) {
    case OpenFailureCase::PathType::Directory:
        return QStringLiteral("il percorso \u00e8 una cartella, non un dispositivo seriale.");
    case OpenFailureCase::PathType::RegularFile:
        return QStringLiteral("il percorso \u00e8 un file normale, non un dispositivo seriale.");
    default:
        break;
    }
    return QStringLiteral("il percorso non \u00e8 un dispositivo seriale.");
}

QString Lines(const QStringList& lines) {
    return lines.join(kCrLf);
}

// The system's English text after the program's own words for its kind.
QString SystemReason(const QString& systemText) {
    if (systemText.isEmpty()) {
        return QStringLiteral("errore sconosciuto.");
    }
    const int number = ErrorNumberOfText(systemText.toStdString());
    if (number == 0) {
        return systemText;
    }
    return QString::fromStdString(SystemErrorText(number)) + QLatin1Char('.');
}

// "rw-rw----" for 0660.
QString ModeText(unsigned mode) {
    QString text;
    for (int shift = 6; shift >= 0; shift -= 3) {
        const unsigned bits = (mode >> shift) & 7U;
        text += QLatin1Char((bits & 4U) != 0 ? 'r' : '-');
        text += QLatin1Char((bits & 2U) != 0 ? 'w' : '-');
        text += QLatin1Char((bits & 1U) != 0 ? 'x' : '-');
    }
    return text;
}

bool ReadWrite(unsigned mode, int shift) {
    return ((mode >> shift) & 6U) == 6U;
}

QString Hex4(quint16 value) {
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0'));
}

// Joining a group helps only where the group may read and write; joining root is never advised.
// Otherwise: who may open the device, and a udev rule that would let the user's group open it.
QStringList PermissionAdvice(const OpenFailureCase& failure) {
    const QString& group = failure.owningGroup;
    if (group.isEmpty()) {
        return {QStringLiteral("L'utente non ha accesso in lettura e scrittura al dispositivo.")};
    }
    const unsigned mode = failure.accessMode;
    if (group != QLatin1String("root") && ReadWrite(mode, 3)) {
        return {QStringLiteral("Il dispositivo appartiene al gruppo ") + group + QLatin1Char('.'),
                QStringLiteral("Per aggiungere l'utente al gruppo: sudo usermod -aG ") + group +
                    QStringLiteral(" $USER"),
                QStringLiteral(
                    "La modifica vale da un nuovo login (uscire e rientrare nella sessione).")};
    }
    const QString owner = failure.owningUser.isEmpty() ? QStringLiteral("?") : failure.owningUser;
    QStringList who;
    if (ReadWrite(mode, 6)) {
        who << QStringLiteral("l'utente ") + owner;
    }
    if (ReadWrite(mode, 3)) {
        who << QStringLiteral("i membri del gruppo ") + group;
    }
    QStringList lines{QStringLiteral("Il dispositivo appartiene all'utente ") + owner +
                      QStringLiteral(" e al gruppo ") + group + QStringLiteral(", permessi ") +
                      ModeText(mode) + QLatin1Char('.')};
    lines << (who.isEmpty() ? QStringLiteral("Solo l'amministratore (root) pu\u00f2 aprirlo.")
                            : QStringLiteral("Pu\u00f2 aprirlo solo ") +
                                  who.join(QStringLiteral(" e ")) + QLatin1Char('.'));
    const QString userGroup =
        failure.userGroup.isEmpty() || failure.userGroup == QLatin1String("root")
            ? QStringLiteral("dialout")
            : failure.userGroup;
    QString match;
    if (failure.vendorId && failure.productId) {
        match = QStringLiteral("SUBSYSTEM==\"tty\", ATTRS{idVendor}==\"") +
                Hex4(*failure.vendorId) + QStringLiteral("\", ATTRS{idProduct}==\"") +
                Hex4(*failure.productId) + QStringLiteral("\", ");
    } else {
        match = QStringLiteral("KERNEL==\"") + failure.devicePath.section(QLatin1Char('/'), -1) +
                QStringLiteral("\", ");
    }
    lines << QStringLiteral("Una regola udev permetterebbe al gruppo ") + userGroup +
                 QStringLiteral(" di aprirlo; come amministratore, in "
                                "/etc/udev/rules.d/99-miravel6.rules:")
          << match + QStringLiteral("GROUP=\"") + userGroup + QStringLiteral("\", MODE=\"0660\"")
          << QStringLiteral("poi: udevadm control --reload-rules && udevadm trigger, e ricollegare "
                            "il dispositivo.");
    return lines;
}

PortOpenFailure Make(const OpenFailureCase& failure, OpenFailureKind kind, const QString& detail) {
    return {failure.devicePath, kind, detail, failure.systemText};
}

} // namespace

PortOpenFailure ClassifyOpenFailure(const OpenFailureCase& failure) {
    using PathType = OpenFailureCase::PathType;
    const QString device = DeviceLine(failure.devicePath);
    if (failure.pathType == PathType::Missing) {
        return Make(failure, OpenFailureKind::Missing,
                    Lines({device, QStringLiteral("Motivo: il dispositivo non esiste."),
                           PresentDevicesLine(failure.presentDevices)}));
    }
    if (failure.pathType != PathType::CharDevice) {
        return Make(
            failure, OpenFailureKind::NotADevice,
            Lines({device, QStringLiteral("Motivo: ") + NotADeviceReason(failure.pathType)}));
    }
    if (failure.accessDenied) {
        return Make(failure, OpenFailureKind::Permission,
                    Lines(QStringList{device, QStringLiteral("Motivo: permesso negato.")} +
                          PermissionAdvice(failure)));
    }
    if (failure.lockPid || failure.refusedAsBusy) {
        QString reason = QStringLiteral("Motivo: il dispositivo \u00e8 gi\u00e0 in uso da un altro "
                                        "programma");
        if (failure.lockPid) {
            reason += QStringLiteral(" (processo ") + QString::number(*failure.lockPid) +
                      QLatin1Char(')');
        }
        return Make(failure, OpenFailureKind::InUse, Lines({device, reason + QLatin1Char('.')}));
    }
    return Make(failure, OpenFailureKind::System,
                Lines({device, QStringLiteral("Motivo: ") + SystemReason(failure.systemText)}));
}

PortOpenFailure NoPortChosenFailure() {
    return {QString(), OpenFailureKind::NoPortChosen,
            QStringLiteral("Nessuna porta selezionata nell'elenco delle porte."), QString()};
}
