#include "model/effect_grid.h"

const char* FlickerCaption(int flicker) {
    static constexpr std::array<const char*, 8> captions = {
        "Off",
        "Velocit\u00e0 casuale - Lum -6%",
        "Velocit\u00e0 casuale - Lum -12%",
        "Velocit\u00e0 casuale - Lum -25%",
        "Velocit\u00e0 casuale - Lum -50%",
        "Velocit\u00e0 fissa1 - Lum -25%",
        "Velocit\u00e0 fissa2 - Lum -25%",
        "Velocit\u00e0 fissa3 - Lum -25%",
    };
    return captions.at(static_cast<std::size_t>(flicker));
}

std::string ByteToBin(std::uint8_t value) {
    std::string text(8, '0');
    for (int bit = 0; bit < 8; ++bit) {
        if ((value >> (7 - bit)) & 1) {
            text[static_cast<std::size_t>(bit)] = '1';
        }
    }
    return text;
}
