#pragma once
// Turns the port list's "COM<n>" into the device the serial port opens.

#include <QList>
#include <QString>
#include <QStringList>

// The number after "COM" (COM12 gives 12); 0 when the text holds no number there.
int ComPortNumber(const QString& entryText);

// The device of port n: the per-user setting ports/COM<n> when present, otherwise the
// platform's own name for it (/dev/ttyS<n-1> on Linux, COM<n> on Windows).
QString DeviceNameForPort(int number);

// The devices of several ports, in the order given, from one reading of the settings.
QStringList DeviceNamesForPorts(const QList<int>& numbers);

// The platform's own device of port n, whatever the settings say.
QString DefaultDeviceName(int number);

// The per-user setting ports/COM<n>; empty when the port has none.
QString AssignedDevice(int number);

// Stores path as ports/COM<n>, exactly as given; an empty path removes the setting, so that
// the port opens its default device again. No other setting is touched.
void AssignDevice(int number, const QString& path);
