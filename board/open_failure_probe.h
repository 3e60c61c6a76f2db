#pragma once
// Looks at a device that would not open: what the path is, who may use it, who holds it.

#include "board/open_failure.h"

#include <QString>
#include <QStringList>

// refusedAsBusy: the port reported a lock or exclusive-use refusal. presentDevices: the serial
// devices present now, for the message about a missing one.
OpenFailureCase ObserveOpenFailure(const QString& devicePath, bool refusedAsBusy,
                                   const QString& systemText, const QStringList& presentDevices);

// The process named by the device's lock file, when one names a running process.
std::optional<qint64> LockFilePid(const QString& devicePath);

// What the path names: nothing, a character device, a folder, a regular file or another kind.
OpenFailureCase::PathType DevicePathType(const QString& path);
