// Why a device would not open: every reason as one row of what the system reported.

#include "board/open_failure.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using PathType = OpenFailureCase::PathType;

struct Row {
    const char* name;
    OpenFailureCase input;
    OpenFailureKind kind;
    const char* detail; // lines joined by \n here, CR LF in the result
};

OpenFailureCase Case(PathType type) {
    OpenFailureCase c;
    c.devicePath = QStringLiteral("/dev/ttyUSB0");
    c.pathType = type;
    c.owningGroup = QStringLiteral("dialout");
    c.systemText = QStringLiteral("Permission error while locking the device");
    return c;
}

std::vector<Row> Rows() {
    std::vector<Row> rows;
    OpenFailureCase missing = Case(PathType::Missing);
    missing.presentDevices = {QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyACM0")};
    rows.push_back({"missing, two others present", missing, OpenFailureKind::Missing,
                    "Dispositivo: /dev/ttyUSB0\nMotivo: il dispositivo non esiste.\n"
                    "Dispositivi seriali presenti: /dev/ttyS0, /dev/ttyACM0"});
    rows.push_back({"missing, none present", Case(PathType::Missing), OpenFailureKind::Missing,
                    "Dispositivo: /dev/ttyUSB0\nMotivo: il dispositivo non esiste.\n"
                    "Non \u00e8 presente alcun dispositivo seriale."});
    rows.push_back({"a folder", Case(PathType::Directory), OpenFailureKind::NotADevice,
                    "Dispositivo: /dev/ttyUSB0\n"
                    "Motivo: il percorso \u00e8 una cartella, non un dispositivo seriale."});
    rows.push_back({"a regular file", Case(PathType::RegularFile), OpenFailureKind::NotADevice,
                    "Dispositivo: /dev/ttyUSB0\n"
                    "Motivo: il percorso \u00e8 un file normale, non un dispositivo seriale."});
    rows.push_back({"a socket", Case(PathType::Other), OpenFailureKind::NotADevice,
                    "Dispositivo: /dev/ttyUSB0\n"
                    "Motivo: il percorso non \u00e8 un dispositivo seriale."});

    OpenFailureCase denied = Case(PathType::CharDevice);
    denied.accessDenied = true;
    denied.refusedAsBusy = true; // Qt names both refusals alike; access decides
    rows.push_back({"permission, group known", denied, OpenFailureKind::Permission,
                    "Dispositivo: /dev/ttyUSB0\nMotivo: permesso negato.\n"
                    "Il dispositivo appartiene al gruppo dialout.\n"
                    "Per aggiungere l'utente al gruppo: sudo usermod -aG dialout $USER\n"
                    "La modifica vale da un nuovo login (uscire e rientrare nella sessione)."});
    denied.owningGroup.clear();
    rows.push_back({"permission, group unknown", denied, OpenFailureKind::Permission,
                    "Dispositivo: /dev/ttyUSB0\nMotivo: permesso negato.\n"
                    "L'utente non ha accesso in lettura e scrittura al dispositivo."});

    OpenFailureCase locked = Case(PathType::CharDevice);
    locked.refusedAsBusy = true;
    locked.lockPid = 4321;
    rows.push_back({"in use, lock file names the process", locked, OpenFailureKind::InUse,
                    "Dispositivo: /dev/ttyUSB0\n"
                    "Motivo: il dispositivo \u00e8 gi\u00e0 in uso da un altro programma "
                    "(processo 4321)."});
    locked.lockPid.reset();
    rows.push_back({"in use, opened exclusively elsewhere", locked, OpenFailureKind::InUse,
                    "Dispositivo: /dev/ttyUSB0\n"
                    "Motivo: il dispositivo \u00e8 gi\u00e0 in uso da un altro programma."});
    OpenFailureCase stale = Case(PathType::CharDevice);
    stale.lockPid = 99; // a lock file alone, without a refusal, still tells who holds it
    rows.push_back({"lock file without a refusal", stale, OpenFailureKind::InUse,
                    "Dispositivo: /dev/ttyUSB0\n"
                    "Motivo: il dispositivo \u00e8 gi\u00e0 in uso da un altro programma "
                    "(processo 99)."});

    OpenFailureCase other = Case(PathType::CharDevice);
    other.systemText = QStringLiteral("Inappropriate ioctl for device");
    rows.push_back({"anything else: the system's text", other, OpenFailureKind::System,
                    "Dispositivo: /dev/ttyUSB0\nMotivo: Inappropriate ioctl for device"});
    other.systemText.clear();
    rows.push_back({"no text from the system", other, OpenFailureKind::System,
                    "Dispositivo: /dev/ttyUSB0\nMotivo: errore sconosciuto."});
    OpenFailureCase blanks = Case(PathType::Missing);
    blanks.devicePath = QStringLiteral(" /dev/ttyUSB0 ");
    rows.push_back({"blanks around the path are shown", blanks, OpenFailureKind::Missing,
                    "Dispositivo:  /dev/ttyUSB0 \nMotivo: il dispositivo non esiste.\n"
                    "Non \u00e8 presente alcun dispositivo seriale."});
    return rows;
}

TEST(PortOpenFailure, EachReasonNamesTheDeviceAndWhatToDo) {
    for (const Row& row : Rows()) {
        SCOPED_TRACE(row.name);
        const PortOpenFailure failure = ClassifyOpenFailure(row.input);
        EXPECT_EQ(failure.kind, row.kind);
        EXPECT_EQ(failure.devicePath, row.input.devicePath);
        QString expected = QString::fromUtf8(row.detail);
        expected.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        EXPECT_EQ(failure.detail.toStdString(), expected.toStdString());
    }
}

TEST(PortOpenFailure, NoChosenPortSaysSo) {
    const PortOpenFailure failure = NoPortChosenFailure();
    EXPECT_EQ(failure.kind, OpenFailureKind::NoPortChosen);
    EXPECT_EQ(failure.detail.toStdString(), "Nessuna porta selezionata nell'elenco delle porte.");
}

} // namespace
