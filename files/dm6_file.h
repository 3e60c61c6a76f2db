#pragma once
// Reading and writing .dm6 configuration files on disk.

#include "files/format/dm6_format.h"
#include "model/configuration.h"

#include <QString>
#include <optional>

// No configuration comes near this size; a larger file is refused unread.
inline constexpr qint64 kDm6MaxFileBytes = qint64{1} << 20;

// The configuration in the file, or empty when it cannot be read or is not valid.
std::optional<Configuration> ReadDm6File(const QString& path);

// False when something is at the path that is neither a regular file nor a symbolic link (a
// device, a fifo, a socket, a folder): a new file renamed over it would destroy it.
bool IsReplaceableTarget(const QString& path);

// Replaces the file only once every byte is written; on failure the old file stays. A link
// at the path is replaced by the file; what it points to is never written. A target that is
// not replaceable is refused before anything is written. On failure `reason`, when given,
// tells why in Italian.
bool WriteDm6File(const QString& path, const Configuration& config, QString* reason = nullptr);

// The reader's verdict on the file, with the reason when the file itself cannot be read.
Dm6Verdict CheckDm6File(const QString& path);
