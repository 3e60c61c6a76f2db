#pragma once
// The five sample configurations shipped beside the program, in the order of their buttons
// (button 0 is "Apri"): the file, the button's caption and its tooltip.

#include <array>

struct SampleFile {
    const char* fileName;
    const char* caption;
    const char* tooltip;
};

inline constexpr std::array<SampleFile, 5> kSampleFiles = {{
    {"e_mv4f.dm6", "Miravel 4F", "Luci Miravel 4 Fasi"},
    {"e_mv8f.dm6", "Miravel 8F", "Luci Miravel 8 Fasi"},
    {"e_eff.dm6", "Effetti luce", "Effetti luminosi"},
    {"e_acq.dm6", "Acquario", "Acquario"},
    {"e_inn.dm6", "Innaffiam", "Innaffiamento"},
}};
