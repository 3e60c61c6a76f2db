#pragma once
// Turns the port list's "COM<n>" into the device the serial port opens.

#include <QList>
#include <QString>
#include <QStringList>

class PortSettings;
struct SettingsWrite;

// The number after "COM" (COM12 gives 12); 0 when the text holds no number there.
int ComPortNumber(const QString& entryText);

// The device port n opens: the setting ports/COM<n> when present, otherwise the platform's own
// name for it (/dev/ttyS<n-1> on Linux, COM<n> on Windows). A setting that is not one path
// (a hand-written "a, b" reads as a list) opens nothing: `problem` names the key and its value.
struct PortDevice {
    QString path;
    QString problem; // empty when the path can be opened
};
PortDevice DeviceForPort(const PortSettings& settings, int number);

// What each port opens, in the order given, for the port list's tooltips; a setting that is
// not one path shows as such.
QStringList DeviceNamesForPorts(const PortSettings& settings, const QList<int>& numbers);

// The platform's own device of port n, whatever the settings say.
QString DefaultDeviceName(int number);

// The setting ports/COM<n>; empty when the port has none (or none that is one path).
QString AssignedDevice(const PortSettings& settings, int number);

// Stores path as ports/COM<n>, exactly as given; an empty path removes the setting, so that
// the port opens its default device again. No other setting is touched.
SettingsWrite AssignDevice(PortSettings& settings, int number, const QString& path);
