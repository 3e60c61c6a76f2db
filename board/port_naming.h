#pragma once
// Turns the port list's "COM<n>" into the device the serial port opens.

#include <QString>

// The number after "COM" (COM12 gives 12); 0 when the text holds no number there.
int ComPortNumber(const QString& entryText);

// The device of port n: the per-user setting ports/COM<n> when present, otherwise the
// platform's own name for it (/dev/ttyS<n-1> on Linux, COM<n> on Windows).
QString DeviceNameForPort(int number);
