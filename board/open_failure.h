#pragma once
// Why a serial device would not open, in words a user can act on. The classification is a
// pure function over what was seen at the failed open, so that every reason can be tried
// without the device (a permission refusal cannot be produced when running as root).

#include <QString>
#include <QStringList>
#include <optional>

enum class OpenFailureKind {
    NoPortChosen, // no entry of the port list is selected
    Missing,      // the path names nothing
    NotADevice,   // a folder, a regular file or anything else that is no character device
    Permission,   // the user may not read and write the device
    InUse,        // another program (or another opening) holds it
    System,       // anything else: the system's own text
};

// What the file system and the serial port said about the device that failed to open.
struct OpenFailureCase {
    enum class PathType { Missing, CharDevice, Directory, RegularFile, Other };

    QString devicePath;
    PathType pathType = PathType::Missing;
    bool accessDenied = false;     // read and write access refused to this user
    QString owningGroup;           // the group of the device; empty when unknown
    bool refusedAsBusy = false;    // the port reported a lock or exclusive-use refusal
    std::optional<qint64> lockPid; // the process a lock file names, when one does
    QString systemText;            // the error text the port reported
    QStringList presentDevices;    // the serial devices present now
    // Who may open the device, for advice that helps: a group is suggested only where
    // joining it would give access.
    QString owningUser;              // empty when unknown
    unsigned accessMode = 0;         // the permission bits (0660, 0600, ...)
    QString userGroup;               // the user's own primary group, for a udev rule
    std::optional<quint16> vendorId; // USB ids, when the port inventory knows them
    std::optional<quint16> productId;
};

struct PortOpenFailure {
    QString devicePath;
    OpenFailureKind kind = OpenFailureKind::System;
    QString detail;     // for the message box's details, lines joined by CR LF
    QString systemText; // the serial port's own words, as it reported them
};

PortOpenFailure ClassifyOpenFailure(const OpenFailureCase& failure);

// The failure when no port entry is selected, so nothing was tried.
PortOpenFailure NoPortChosenFailure();
