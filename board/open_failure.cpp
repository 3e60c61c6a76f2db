#include "board/open_failure.h"

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
        QStringList lines{device, QStringLiteral("Motivo: permesso negato.")};
        if (failure.owningGroup.isEmpty()) {
            lines << QStringLiteral(
                "L'utente non ha accesso in lettura e scrittura al dispositivo.");
        } else {
            lines << QStringLiteral("Il dispositivo appartiene al gruppo ") + failure.owningGroup +
                         QLatin1Char('.')
                  << QStringLiteral("Per aggiungere l'utente al gruppo: sudo usermod -aG ") +
                         failure.owningGroup + QStringLiteral(" $USER")
                  << QStringLiteral(
                         "La modifica vale da un nuovo login (uscire e rientrare nella sessione).");
        }
        return Make(failure, OpenFailureKind::Permission, Lines(lines));
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
    const QString text =
        failure.systemText.isEmpty() ? QStringLiteral("errore sconosciuto.") : failure.systemText;
    return Make(failure, OpenFailureKind::System,
                Lines({device, QStringLiteral("Motivo: ") + text}));
}

PortOpenFailure NoPortChosenFailure() {
    return {QString(), OpenFailureKind::NoPortChosen,
            QStringLiteral("Nessuna porta selezionata nell'elenco delle porte."), QString()};
}
