#include "tools/make_samples/sample_configs.h"

#include "model/sample_files.h"

#include <initializer_list>

namespace {

// Effect codes by their menu captions.
enum Fx : std::uint8_t {
    Off = 0,  // "Spenta", 0 - 0 - 0
    S001 = 1, // 0 - 0 - 1
    S010 = 2, // 0 - 1 - 0
    S011 = 3, // 0 - 1 - 1
    S100 = 4, // 1 - 0 - 0
    S101 = 5, // 1 - 0 - 1
    S110 = 6, // 1 - 1 - 0
    Max = 7,  // "Massima", 1 - 1 - 1
    Up6 = 8,
    Up12 = 9,
    Up25 = 10,
    Up50 = 11,
    Down6 = 12,
    Down12 = 13,
    Down25 = 14,
    Down50 = 15,
};

// Duration codes by their captions.
enum Dur : int {
    kOff = 0,
    k20s = 2,
    k40s = 4,
    k1m = 6,
    k1m30 = 8,
    k2m = 10,
    k10m = 20,
    k30m = 25,
    k1h = 31,
    k2h = 37,
    k3h = 41,
    k10h = 59,
    k10h30 = 60,
};

struct Cell {
    std::uint8_t part1 = Off;
    std::uint8_t part2 = Off;
    std::uint8_t flicker = 0;
    bool random = false;
};

class Builder {
public:
    // Default names; the phases that Fasi does not name stay "OFF".
    Builder() : config(DefaultConfiguration()) { config.faseCodes.fill(0); }

    void Fasi(std::initializer_list<std::pair<const char*, int>> fasi) {
        std::size_t p = 0;
        for (const auto& [name, code] : fasi) {
            config.faseNames[p] = name;
            config.faseCodes[p] = code;
            ++p;
        }
    }

    // One output: its name and its cells from phase 1 on; phases not given stay dark.
    void Output(int output, const char* name, std::initializer_list<Cell> cells) {
        config.outNames[static_cast<std::size_t>(output)] = name;
        int fase = 0;
        for (const Cell& cell : cells) {
            typEffSet& rec = config.recEffSet[static_cast<std::size_t>(CellIndex(output, fase))];
            rec.bytePart1 = cell.part1;
            rec.bytePart2 = cell.part2;
            rec.byteFlicker = cell.flicker;
            rec.blnRandom = cell.random ? kTrue : kFalse;
            ++fase;
        }
    }

    Configuration config;
};

constexpr Cell kDark{};
constexpr Cell kOn{Max, Max};

// A nativity scene through a day in four phases; phases 5 to 8 unused.
Configuration Miravel4F() {
    Builder b;
    b.Fasi({{"Alba", k1m},
            {"Giorno", k2m},
            {"Tramonto", k1m},
            {"Notte", k2m},
            {"Non usata", kOff},
            {"Non usata", kOff},
            {"Non usata", kOff},
            {"Non usata", kOff}});
    b.Output(0, "Sole", {{Up25, Up25}, kOn, {Down25, Down25}, kDark});
    b.Output(1, "Cielo", {{Off, Up50}, kOn, {Down50, Off}, kDark});
    b.Output(2, "Aurora", {{Up50, Down50}, kDark, {Up50, Down50}, kDark});
    b.Output(3, "Blu notte", {{Down50, Off}, kDark, {Off, Up50}, kOn});
    b.Output(4, "Stelle", {{Down25, Down25, 1}, kDark, {Off, Up50, 1}, {Max, Max, 1}});
    b.Output(5, "Luci case", {{S110, Off}, kDark, {Off, S011, 0, true}, kOn});
    b.Output(6, "Lampioni", {{S100, Off}, kDark, {Off, S001}, kOn});
    b.Output(7, "Fuoco", {{Max, Down50, 4}, kDark, {Off, Up50, 4}, {Max, Max, 4}});
    b.Output(8, "Cometa", {kDark, kDark, kDark, {Max, Max, 5}});
    b.Output(9, "Fontana", {kOn, kOn, kOn, kOn});
    return b.config;
}

// The same scene in eight phases, with a thunderstorm in the afternoon.
Configuration Miravel8F() {
    Builder b;
    b.Fasi({{"Alba", k1m},
            {"Mattino", k1m30},
            {"Mezzodì", k1m},
            {"Pomeriggio", k1m30},
            {"Temporale", k40s},
            {"Tramonto", k1m},
            {"Sera", k1m},
            {"Notte", k2m}});
    b.Output(0, "Sole",
             {{Up25, Up25}, kOn, kOn, {Max, Down25}, {Down25, Off}, {Up25, Down25}, kDark, kDark});
    b.Output(1, "Cielo",
             {{Off, Up50}, kOn, kOn, kOn, {Down25, Down25}, {Up25, Down25}, kDark, kDark});
    b.Output(2, "Aurora",
             {{Up50, Down50}, kDark, kDark, kDark, kDark, {Up50, Down50}, kDark, kDark});
    b.Output(3, "Blu notte",
             {{Down50, Off}, kDark, kDark, kDark, kDark, {Off, Up25}, {Up25, Max}, kOn});
    b.Output(
        4, "Stelle",
        {{Down25, Down25, 1}, kDark, kDark, kDark, kDark, kDark, {Off, Up50, 1}, {Max, Max, 1}});
    b.Output(
        5, "Luci città",
        {{S110, Off}, kDark, kDark, kDark, kDark, {Off, S001, 0, true}, {S011, Max, 0, true}, kOn});
    b.Output(6, "Lampioni", {{S100, Off}, kDark, kDark, kDark, kDark, {Off, S001}, kOn, kOn});
    b.Output(7, "Fuoco",
             {{Max, Down50, 4},
              kDark,
              kDark,
              kDark,
              kDark,
              {Off, Up50, 4},
              {Max, Max, 4},
              {Max, Max, 4}});
    b.Output(8, "Cometa",
             {kDark, kDark, kDark, kDark, kDark, kDark, {Off, Up50, 5}, {Max, Max, 5}});
    b.Output(9, "Lampi", {kDark, kDark, kDark, kDark, {S101, S010, 7, true}});
    return b.config;
}

// What the board can do: step patterns, ramps that run on across phases, every kind of
// flicker and random switch-on.
Configuration EffettiLuce() {
    Builder b;
    b.Fasi({{"Scena 1", k20s},
            {"Scena 2", k20s},
            {"Scena 3", k20s},
            {"Scena 4", k20s},
            {"Scena 5", k20s},
            {"Scena 6", k20s},
            {"Scena 7", k20s},
            {"Scena 8", k20s}});
    // A light running across three outputs, forwards in scenes 1-4 and back in 5-8.
    constexpr Cell fwd1{S100, S100}, fwd2{S010, S010}, fwd3{S001, S001};
    b.Output(0, "Corsa 1", {fwd1, fwd1, fwd1, fwd1, fwd3, fwd3, fwd3, fwd3});
    b.Output(1, "Corsa 2", {fwd2, fwd2, fwd2, fwd2, fwd2, fwd2, fwd2, fwd2});
    b.Output(2, "Corsa 3", {fwd3, fwd3, fwd3, fwd3, fwd1, fwd1, fwd1, fwd1});
    constexpr Cell fast{S101, S010}, slow{Max, Off};
    b.Output(3, "Flash", {fast, fast, fast, fast, slow, slow, slow, slow});
    // One ramp over four scenes up and four down.
    constexpr Cell up{Up6, Up6}, down{Down6, Down6};
    b.Output(4, "Rampa", {up, up, up, up, down, down, down, down});
    constexpr Cell breath{Up50, Down50};
    b.Output(5, "Respiro", {breath, breath, breath, breath, breath, breath, breath, breath});
    constexpr Cell fadeOut{Max, Down50}, fadeIn{Off, Up50};
    b.Output(6, "Sfuma A", {fadeOut, fadeIn, fadeOut, fadeIn, fadeOut, fadeIn, fadeOut, fadeIn});
    b.Output(7, "Sfuma B", {fadeIn, fadeOut, fadeIn, fadeOut, fadeIn, fadeOut, fadeIn, fadeOut});
    // The seven kinds of flicker one after the other, then steady light to compare.
    b.Output(8, "Candela",
             {{Max, Max, 1},
              {Max, Max, 2},
              {Max, Max, 3},
              {Max, Max, 4},
              {Max, Max, 5},
              {Max, Max, 6},
              {Max, Max, 7},
              kOn});
    // Lights that come on at a random moment, slow rise and fall with flicker.
    constexpr Cell randomOn{S011, S110, 0, true};
    b.Output(9, "Casuale",
             {randomOn,
              randomOn,
              randomOn,
              randomOn,
              {Up12, Up12, 2},
              {Up12, Up12, 2},
              {Down25, Down25, 2},
              kDark});
    return b.config;
}

// A planted aquarium over 24 hours: slow dawn and dusk, a midday pause against algae,
// moonlight in the evening and the equipment that goes with the light.
Configuration Acquario() {
    Builder b;
    b.Fasi({{"Alba", k2h},
            {"Mattino", k3h},
            {"Pausa", k2h},
            {"Pomeriggio", k3h},
            {"Tramonto", k2h},
            {"Sera", k2h},
            {"Notte", k10h},
            {"Non usata", kOff}});
    b.Output(0, "Bianco 1",
             {{Up25, Up25}, kOn, {Down25, Up25}, kOn, {Down25, Down25}, kDark, kDark});
    b.Output(1, "Bianco 2", {{Off, Up50}, kOn, {Down50, Up50}, kOn, {Down50, Off}, kDark, kDark});
    b.Output(2, "Blu", {{Up50, Max}, kOn, kOn, kOn, kOn, {Down25, Down25}, kDark});
    b.Output(3, "Rosso", {{Up50, Down50}, kDark, kDark, kDark, {Up50, Down50}, kDark, kDark});
    b.Output(4, "Luna", {kDark, kDark, kDark, kDark, kDark, {Up50, Max}, {Max, Down50}});
    b.Output(5, "Filtro", {kOn, kOn, kOn, kOn, kOn, kOn, kOn});
    b.Output(6, "CO2", {kOn, kOn, kDark, kOn, {Max, Off}, kDark, kDark});
    b.Output(7, "Aeratore", {{Max, Off}, kDark, kDark, kDark, kDark, kOn, kOn});
    // Two pumps taking turns make a slow wave during the day.
    constexpr Cell waveA{S101, S010}, waveB{S010, S101};
    b.Output(8, "Onda 1", {waveA, waveA, waveA, waveA, waveA, kDark, {S100, Off}});
    b.Output(9, "Onda 2", {waveB, waveB, waveB, waveB, waveB, kDark, {S001, Off}});
    return b.config;
}

// Garden watering twice a day: six valves open one after the other for ten minutes
// each, then the drippers; the pump runs whenever a valve is open.
Configuration Innaffiamento() {
    Builder b;
    b.Fasi({{"Mattino", k1h},
            {"Gocce mat.", k30m},
            {"Attesa", k10h30},
            {"Sera", k1h},
            {"Gocce sera", k30m},
            {"Notte", k10h30},
            {"Non usata", kOff},
            {"Non usata", kOff}});
    // Each half of a watering phase has three steps of ten minutes: one valve per step.
    // Valves 1-2 water the lawn, 3 the flower beds, 4 the hedge, 5 the vegetables, 6 the
    // orchard and 7 the drippers of the pots; fertiliser goes in with the morning's first.
    b.Output(0, "Valvola 1", {{S100, Off}, kDark, kDark, {S100, Off}});
    b.Output(1, "Valvola 2", {{S010, Off}, kDark, kDark, {S010, Off}});
    b.Output(2, "Valvola 3", {{S001, Off}, kDark, kDark, {S001, Off}});
    b.Output(3, "Valvola 4", {{Off, S100}, kDark, kDark, {Off, S100}});
    b.Output(4, "Valvola 5", {{Off, S010}, kDark, kDark, {Off, S010}});
    b.Output(5, "Valvola 6", {{Off, S001}, kDark, kDark, {Off, S001}});
    b.Output(6, "Valvola 7", {kDark, kOn, kDark, kDark, kOn});
    b.Output(7, "Pompa", {kOn, kOn, kDark, kOn, kOn});
    b.Output(8, "Concime", {{S100, Off}});
    b.Output(9, "Spia", {kOn, kOn, kDark, kOn, kOn});
    return b.config;
}

} // namespace

std::vector<SampleConfiguration> BuildSampleConfigurations() {
    // In the order of the sample table.
    const std::array<Configuration, kSampleFiles.size()> configs = {
        Miravel4F(), Miravel8F(), EffettiLuce(), Acquario(), Innaffiamento()};
    std::vector<SampleConfiguration> samples;
    for (std::size_t k = 0; k < configs.size(); ++k) {
        samples.push_back({kSampleFiles[k].fileName, configs[k]});
    }
    return samples;
}
