#pragma once
// The .dm6 configuration file: its writer and its reader, which is also the validator.

#include "model/configuration.h"

#include <optional>
#include <string>
#include <string_view>

// The complete file: 115 lines, CR LF line ends, names in Windows-1252.
// Every name must pass FindUnsavableName; a name that does not is written lossily.
std::string WriteDm6(const Configuration& config);

// The configuration in a file, or empty when any reading or validation rule fails.
// Sections are told apart by the order of their "[" lines, values are taken from the
// fourth column on, and lines may end in CR LF or a lone LF.
std::optional<Configuration> ReadDm6(std::string_view bytes);

// The reader's verdict with its reason: the same rules as ReadDm6, and on refusal the first
// rule that failed, in Italian (UTF-8), with its line (1-based; 0 when it is the whole file).
struct Dm6Verdict {
    std::optional<Configuration> config;
    int line = 0;
    std::string reason;
};
Dm6Verdict CheckDm6(std::string_view bytes);

// A name that cannot be written so that it reads back the same: empty, more than one
// line, or holding a character the single-byte set cannot store.
struct UnsavableName {
    bool isFase = false; // false: an output name
    int index = 0;       // 0-based output or phase
};
std::optional<UnsavableName> FindUnsavableName(const Configuration& config);
