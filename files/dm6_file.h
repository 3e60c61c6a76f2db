#pragma once
// Reading and writing .dm6 configuration files on disk.

#include "files/format/dm6_format.h"
#include "model/configuration.h"

#include <QString>
#include <optional>

// No configuration comes near this size; a larger file is refused unread.
inline constexpr qint64 kDm6MaxFileBytes = qint64{1} << 20;

// The five sample files beside the program, in the order of their buttons.
inline constexpr const char* kDm6SampleFiles[] = {"e_mv4f.dm6", "e_mv8f.dm6", "e_eff.dm6",
                                                  "e_acq.dm6", "e_inn.dm6"};

// The configuration in the file, or empty when it cannot be read or is not valid.
std::optional<Configuration> ReadDm6File(const QString& path);

// Replaces the file only once every byte is written; on failure the old file stays. A link
// at the path is replaced by the file; what it points to is never written. On failure
// `reason`, when given, tells why in Italian.
bool WriteDm6File(const QString& path, const Configuration& config, QString* reason = nullptr);

// The reader's verdict on the file, with the reason when the file itself cannot be read.
Dm6Verdict CheckDm6File(const QString& path);
