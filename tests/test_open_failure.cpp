// Why a device would not open: each reason as one row of what the system reported; and the
// question asked before a path that is no device is assigned.

#include "board/assignment_check.h"
#include "board/open_failure.h"

#include <gtest/gtest.h>

#include <string>

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
    {"permission, group unknown", Type::CharDevice, true, "", true, {}, "", Kind::Permission,
     "Motivo: permesso negato.\nL'utente non ha accesso in lettura e scrittura al dispositivo."},
    {"in use, the lock names the process", Type::CharDevice, false, "", true, 4321, "", Kind::InUse,
     "Motivo: il dispositivo \u00e8 gi\u00e0 in uso da un altro programma (processo 4321)."},
    {"in use, opened exclusively elsewhere", Type::CharDevice, false, "", true, {}, "", Kind::InUse,
     "Motivo: il dispositivo \u00e8 gi\u00e0 in uso da un altro programma."},
    {"a lock file alone", Type::CharDevice, false, "", false, 99, "", Kind::InUse,
     "Motivo: il dispositivo \u00e8 gi\u00e0 in uso da un altro programma (processo 99)."},
    // The system's English words follow the program's own for their kind.
    {"not a serial port (/dev/null)", Type::CharDevice, false, "", false, {},
     "Inappropriate ioctl for device", Kind::System,
     "Motivo: il dispositivo non \u00e8 una porta seriale (Inappropriate ioctl for device)."},
    {"no such device (/dev/tty)", Type::CharDevice, false, "", false, {},
     "No such device or address", Kind::System,
     "Motivo: il dispositivo non esiste o non \u00e8 collegato (No such device or address)."},
    {"input or output error", Type::CharDevice, false, "", false, {}, "Input/output error",
     Kind::System, "Motivo: errore di ingresso/uscita (Input/output error)."},
    {"a text of the library's own", Type::CharDevice, false, "", false, {}, "Unsupported open mode",
     Kind::System, "Motivo: Unsupported open mode"},
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
        OpenFailureCase seen;
        seen.devicePath = device;
        seen.pathType = row.type;
        seen.accessDenied = row.denied;
        seen.owningGroup = group;
        seen.refusedAsBusy = row.busy;
        seen.lockPid = row.pid;
        seen.systemText = system;
        seen.presentDevices = present;
        const PortOpenFailure failure = ClassifyOpenFailure(seen);
        EXPECT_EQ(failure.kind, row.kind);
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

// The udev rule offered to let `group` open the device, around the rule's own line.
std::string UdevAdvice(const std::string& group, const std::string& match) {
    return "Una regola udev permetterebbe al gruppo " + group +
           " di aprirlo; come amministratore, in /etc/udev/rules.d/99-miravel6.rules:\n" + match +
           ", GROUP=\"" + group +
           "\", MODE=\"0660\"\n"
           "poi: udevadm control --reload-rules && udevadm trigger, e ricollegare il dispositivo.";
}

TEST(OpenFailure, PermissionAdviceSuggestsOnlyAGroupThatWouldHelp) {
    const std::string kernel = "KERNEL==\"ttyUSB0\"";
    const struct {
        const char* name;
        const char* user;
        const char* group;
        unsigned mode;
        std::optional<quint16> vendor;
        std::optional<quint16> product;
        const char* userGroup; // the user's own group
        std::string advice;    // the lines after "Motivo: permesso negato.", joined by \n
    } rows[] = {
        // clang-format off
        {"the group may read and write", "root", "dialout", 0660, {}, {}, "staff",
         "Il dispositivo appartiene al gruppo dialout.\n"
         "Per aggiungere l'utente al gruppo: sudo usermod -aG dialout $USER\n"
         "La modifica vale da un nuovo login (uscire e rientrare nella sessione)."},
        // Joining root would be dangerous and, with mode 0600, of no help.
        {"root's alone, USB ids known", "root", "root", 0600, 0x0403, 0x6001, "staff",
         "Il dispositivo appartiene all'utente root e al gruppo root, permessi rw-------.\n"
         "Pu\u00f2 aprirlo solo l'utente root.\n" +
         UdevAdvice("staff", "SUBSYSTEM==\"tty\", ATTRS{idVendor}==\"0403\", "
                             "ATTRS{idProduct}==\"6001\"")},
        {"group root may read and write, no USB ids", "root", "root", 0660, {}, {}, "staff",
         "Il dispositivo appartiene all'utente root e al gruppo root, permessi rw-rw----.\n"
         "Pu\u00f2 aprirlo solo l'utente root e i membri del gruppo root.\n" +
         UdevAdvice("staff", kernel)},
        {"a group that may only read", "uucp", "dialout", 0640, {}, {}, "staff",
         "Il dispositivo appartiene all'utente uucp e al gruppo dialout, permessi rw-r-----.\n"
         "Pu\u00f2 aprirlo solo l'utente uucp.\n" + UdevAdvice("staff", kernel)},
        {"nobody may", "root", "root", 0000, {}, {}, "staff",
         "Il dispositivo appartiene all'utente root e al gruppo root, permessi ---------.\n"
         "Solo l'amministratore (root) pu\u00f2 aprirlo.\n" + UdevAdvice("staff", kernel)},
        // A user whose own group is root is pointed to the usual serial group instead.
        {"the user's group is root", "root", "root", 0600, {}, {}, "root",
         "Il dispositivo appartiene all'utente root e al gruppo root, permessi rw-------.\n"
         "Pu\u00f2 aprirlo solo l'utente root.\n" + UdevAdvice("dialout", kernel)},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        OpenFailureCase failure;
        failure.devicePath = QStringLiteral("/dev/ttyUSB0");
        failure.pathType = Type::CharDevice;
        failure.accessDenied = true;
        failure.owningUser = QString::fromLatin1(row.user);
        failure.owningGroup = QString::fromLatin1(row.group);
        failure.accessMode = row.mode;
        failure.userGroup = QString::fromLatin1(row.userGroup);
        failure.vendorId = row.vendor;
        failure.productId = row.product;
        const PortOpenFailure classified = ClassifyOpenFailure(failure);
        EXPECT_EQ(classified.kind, Kind::Permission);
        const QString expected =
            QStringLiteral("Dispositivo: /dev/ttyUSB0\nMotivo: permesso negato.\n") +
            QString::fromStdString(row.advice);
        EXPECT_EQ(classified.detail.toStdString(), CrLf(expected).toStdString());
    }
}

// A missing path and a folder are asked about through the window (tst_serial_ports).
TEST(AssignmentWarning, AsksBeforeAPathThatIsNoDevice) {
    const QString ask = QStringLiteral("\nAssegnarlo comunque a COM3?");
    const struct {
        const char* path;
        Type type;
        QString question; // lines joined by \n; empty: stored without one
    } rows[] = {
        {"/dev/ttyUSB0", Type::CharDevice, {}},
        {"/a.txt", Type::RegularFile,
         QStringLiteral(
             "Il percorso \"/a.txt\" \u00e8 un file normale, non un dispositivo seriale.") +
             ask},
        {" /dev/zero ", Type::Other,
         QStringLiteral("Il percorso \" /dev/zero \" non \u00e8 un dispositivo seriale.\n"
                        "Il percorso inizia o finisce con uno spazio.") +
             ask},
        {"", Type::Missing,
         QStringLiteral("Il campo del percorso \u00e8 vuoto.\nCOM3 user\u00e0 il dispositivo "
                        "predefinito /dev/ttyS2.\nContinuare?")},
    };
    for (const auto& row : rows) {
        const QString path = QString::fromLatin1(row.path);
        EXPECT_EQ(AssignmentWarning(path, row.type, 3, QStringLiteral("/dev/ttyS2")).toStdString(),
                  CrLf(row.question).toStdString())
            << row.path;
    }
}

} // namespace
