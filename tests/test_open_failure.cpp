// Why a device would not open: each reason as one row of what the system reported.

#include "board/open_failure.h"

#include <gtest/gtest.h>

namespace {

using Type = OpenFailureCase::PathType;
using Kind = OpenFailureKind;

struct Row {
    const char* name;
    Type type;
    bool denied; // read and write access refused
    const char* group;
    bool busy; // the port said: locked or opened exclusively elsewhere
    std::optional<qint64> pid;
    const char* system;
    Kind kind;
    const char* reason; // the lines after "Dispositivo: /dev/ttyUSB0", joined by \n
};

// clang-format off
const Row kRows[] = {
    {"missing", Type::Missing, false, "", false, {}, "", Kind::Missing,
     "Motivo: il dispositivo non esiste.\nDispositivi seriali presenti: /dev/ttyS0, /dev/ttyACM0"},
    {"a folder", Type::Directory, false, "root", false, {}, "", Kind::NotADevice,
     "Motivo: il percorso \u00e8 una cartella, non un dispositivo seriale."},
    {"a regular file", Type::RegularFile, false, "root", false, {}, "", Kind::NotADevice,
     "Motivo: il percorso \u00e8 un file normale, non un dispositivo seriale."},
    {"a socket", Type::Other, false, "root", false, {}, "", Kind::NotADevice,
     "Motivo: il percorso non \u00e8 un dispositivo seriale."},
    // Qt names a permission refusal and a lock alike; access decides.
    {"permission, group known", Type::CharDevice, true, "dialout", true, {}, "", Kind::Permission,
     "Motivo: permesso negato.\nIl dispositivo appartiene al gruppo dialout.\n"
     "Per aggiungere l'utente al gruppo: sudo usermod -aG dialout $USER\n"
     "La modifica vale da un nuovo login (uscire e rientrare nella sessione)."},
    {"permission, group unknown", Type::CharDevice, true, "", false, {}, "", Kind::Permission,
     "Motivo: permesso negato.\nL'utente non ha accesso in lettura e scrittura al dispositivo."},
    {"in use, the lock names the process", Type::CharDevice, false, "", true, 4321, "", Kind::InUse,
     "Motivo: il dispositivo \u00e8 gi\u00e0 in uso da un altro programma (processo 4321)."},
    {"in use, opened exclusively elsewhere", Type::CharDevice, false, "", true, {}, "", Kind::InUse,
     "Motivo: il dispositivo \u00e8 gi\u00e0 in uso da un altro programma."},
    {"a lock file alone", Type::CharDevice, false, "", false, 99, "", Kind::InUse,
     "Motivo: il dispositivo \u00e8 gi\u00e0 in uso da un altro programma (processo 99)."},
    {"anything else", Type::CharDevice, false, "", false, {}, "Inappropriate ioctl for device",
     Kind::System, "Motivo: Inappropriate ioctl for device"},
    {"no text from the system", Type::CharDevice, false, "", false, {}, "", Kind::System,
     "Motivo: errore sconosciuto."},
};
// clang-format on

QString CrLf(QString text) {
    return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

TEST(OpenFailure, EachReasonNamesTheDeviceAndWhatToDo) {
    const QString device = QStringLiteral("/dev/ttyUSB0");
    const QStringList present{QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyACM0")};
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        const QString group = QString::fromLatin1(row.group);
        const QString system = QString::fromLatin1(row.system);
        const PortOpenFailure failure = ClassifyOpenFailure(
            {device, row.type, row.denied, group, row.busy, row.pid, system, present});
        EXPECT_EQ(failure.kind, row.kind);
        EXPECT_EQ(failure.systemText, system);
        const QString expected =
            QStringLiteral("Dispositivo: /dev/ttyUSB0\n") + QString::fromUtf8(row.reason);
        EXPECT_EQ(failure.detail.toStdString(), CrLf(expected).toStdString());
    }
    OpenFailureCase nothingPresent; // missing by default
    nothingPresent.devicePath = device;
    const PortOpenFailure none = ClassifyOpenFailure(nothingPresent);
    EXPECT_TRUE(
        none.detail.endsWith(QStringLiteral("Non \u00e8 presente alcun dispositivo seriale.")));
    EXPECT_EQ(NoPortChosenFailure().detail.toStdString(),
              "Nessuna porta selezionata nell'elenco delle porte.");
}

} // namespace
