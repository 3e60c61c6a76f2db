#pragma once
// File and device names as the system's bytes. A name need not be UTF-8 ("n\xe8.dm6" from a
// Latin-1 system); Qt would turn every such byte into U+FFFD and act on another name. Here
// each byte that is no part of valid UTF-8 is kept in the QString as a lone surrogate
// U+DC80..U+DCFF and comes back as the same byte, so that a name survives the round trip.

#include <QByteArray>
#include <QString>

// The system's bytes of a name as a QString; valid UTF-8 decodes as usual.
QString PathFromNative(const QByteArray& bytes);

// The bytes of the name for the system: the inverse of PathFromNative.
QByteArray NativePath(const QString& path);

// True when the name holds bytes that are not UTF-8: Qt's own file functions cannot open it.
bool HasForeignBytes(const QString& path);
