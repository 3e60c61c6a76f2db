#include "model/fase_time.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace {

constexpr std::array<FaseTimeEntry, kFaseTimeCount> kTable = {{
    {"OFF", 0},         {"10 sec", 10},    {"20 sec", 20},     {"30 sec", 30},    {"40 sec", 40},
    {"50 sec", 50},     {"1 min", 60},     {"1m 15s", 75},     {"1m 30s", 90},    {"1m 45s", 105},
    {"2 min", 120},     {"2m 30s", 150},   {"3 mim", 180},     {"3m 30s", 210},   {"4 min", 240},
    {"5 min", 300},     {"6 min", 360},    {"7 min", 420},     {"8 min", 480},    {"9 min", 540},
    {"10 min", 600},    {"12 min", 720},   {"15 min", 900},    {"20 min", 1200},  {"25 min", 1500},
    {"30 min", 1800},   {"35 min", 2100},  {"40 min", 2400},   {"45 min", 2700},  {"50 min", 3000},
    {"55 min", 3300},   {"1 ora", 3600},   {"1h 10m ", 4200},  {"1h 20m", 4800},  {"1h 30m", 5400},
    {"1h 40m", 6000},   {"1h 50m", 6600},  {"2 ore", 7200},    {"2h 15m", 8100},  {"2h 30m", 9000},
    {"2h 45m", 9900},   {"3 ore", 10800},  {"3h 15m", 11700},  {"3h 30m", 12600}, {"3h 45m", 13500},
    {"4 ore", 14400},   {"4h 15m", 15300}, {"4h 30m", 16200},  {"4h 45m", 17100}, {"5 ore", 18000},
    {"5h 30m", 19800},  {"6 ore", 21600},  {"6h 30m", 23400},  {"7 ore", 25200},  {"7h 30m", 27000},
    {"8 ore", 28800},   {"8h 30m", 30600}, {"9 ore", 32400},   {"9h 30m", 34200}, {"10 ore", 36000},
    {"10h 30m", 37800}, {"11 ore", 39600}, {"11h 30m", 41400}, {"12 ore", 43200},
}};

// Round to the nearest integer, ties to the even neighbour.
double RoundHalfEven(double value) {
    return std::nearbyint(value);
}

std::string TwoDigits(std::int32_t value) {
    const std::string text = "0" + std::to_string(value);
    return text.substr(text.size() - 2);
}

} // namespace

const FaseTimeEntry& FaseTime(int code) {
    return kTable.at(static_cast<std::size_t>(code));
}

std::int32_t FaseSeconds(int code) {
    return FaseTime(code).seconds;
}

std::int16_t ExpansionPulses(std::int32_t seconds) {
    if (seconds == 0) {
        return 0;
    }
    const auto x = static_cast<float>(static_cast<double>(seconds) / 512.0 * 100.0);
    const auto n = static_cast<std::int16_t>(RoundHalfEven(static_cast<double>(x)));
    return static_cast<std::int16_t>((n / 256) * 256 + 256);
}

std::string FormatTimeHMS(std::int32_t seconds) {
    const std::int32_t h = seconds / 3600;
    const std::int32_t m = (seconds % 3600) / 60;
    const std::int32_t r = seconds % 60;
    return TwoDigits(h) + ":" + TwoDigits(m) + ":" + TwoDigits(r);
}

std::string FormatStepTime(std::int32_t seconds, char decimalSeparator) {
    const auto v = static_cast<float>(static_cast<double>(seconds) / 6.0);
    const auto k = static_cast<std::int32_t>(RoundHalfEven(static_cast<double>(v)));
    const auto h = static_cast<std::int16_t>(k / 3600);
    const auto m = static_cast<std::int16_t>((k % 3600) / 60);
    const auto rest = static_cast<float>(static_cast<double>(v) - h * 3600.0 - m * 60.0);
    std::string text;
    if (h != 0) {
        text += std::to_string(h) + "h ";
    }
    if (m != 0) {
        text += std::to_string(m) + "min ";
    }
    if (rest != 0.0F) {
        std::array<char, 32> buffer{};
        // Half away from zero, as a "0.0" format does.
        const double tenths = std::round(static_cast<double>(rest) * 10.0) / 10.0;
        std::snprintf(buffer.data(), buffer.size(), "%.1f", tenths);
        std::string number = buffer.data();
        for (char& c : number) {
            if (c == '.') {
                c = decimalSeparator;
            }
        }
        text += number + "sec";
    }
    return text;
}

std::int32_t CycleSeconds(const FaseCodes& codes) {
    std::int32_t total = 0;
    for (int code : codes) {
        total += FaseSeconds(code);
    }
    return total;
}

std::int32_t CyclePulses(const FaseCodes& codes) {
    std::int32_t total = 0;
    for (int code : codes) {
        total += ExpansionPulses(FaseSeconds(code));
    }
    return total;
}

int FirstEnabledFase(const FaseCodes& codes) {
    for (int fase = 0; fase < kFasi; ++fase) {
        if (codes[static_cast<std::size_t>(fase)] != 0) {
            return fase;
        }
    }
    return 0;
}

bool AnyFaseEnabled(const FaseCodes& codes) {
    for (int code : codes) {
        if (code != 0) {
            return true;
        }
    }
    return false;
}
