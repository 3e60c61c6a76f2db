#pragma once
// What --port names: a device path as it stands, or COM<n> mapped as the window maps it.

#include <QString>

struct ChosenPort {
    QString device; // what the serial port opens
    QString label;  // what messages call it: the argument, and the device behind a COM<n>
    QString error;  // set when the argument names no port
};

ChosenPort ChoosePort(const QString& argument);
