#pragma once
// The program's version, from the build (the project version).

#include <QString>

QString ProgramVersion();
