#include "files/version.h"

#include "build_info.h"

QString ProgramVersion() {
    return QStringLiteral(MIRAVEL6_VERSION);
}
