#pragma once
// The question asked before a typed path that is no character device is assigned to a port.

#include "board/open_failure.h"

#include <QString>

// The confirmation to show, lines joined by CR LF; empty when the path is a character device
// and may be stored without asking. An empty path means going back to the default device.
QString AssignmentWarning(const QString& path, OpenFailureCase::PathType type, int comNumber,
                          const QString& defaultDevice);
