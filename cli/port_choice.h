#pragma once
// What --port names: a device path as it stands, or COM<n> mapped as the window maps it.

#include <QString>

class PortSettings;

struct ChosenPort {
    QString device;      // what the serial port opens
    QString label;       // what messages call it: the argument, and the device behind a COM<n>
    QString error;       // set when the argument names no port
    QString openProblem; // set when the COM<n> setting names no device: the open fails with it
};

ChosenPort ChoosePort(const PortSettings& settings, const QString& argument);
