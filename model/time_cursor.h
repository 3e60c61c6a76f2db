#pragma once
// Where the time cursor stands after a number of elapsed seconds, and what it shows.

#include "model/effect_grid.h"

#include <cstdint>
#include <string>

// Phase index that means the cycle has run out.
inline constexpr int kCursorCycleComplete = kFasi;

struct CursorPosition {
    int fase = 0;                 // 0..7, or kCursorCycleComplete
    std::int32_t faseSec = 0;     // seconds elapsed in the phase
    std::int32_t faseLength = 0;  // seconds of the phase
    std::int32_t totSec = 0;      // seconds elapsed in the cycle
    std::int32_t cycleLength = 0; // seconds of the whole cycle
    bool Complete() const { return fase == kCursorCycleComplete; }
    bool operator==(const CursorPosition&) const = default;
};

// Whole seconds from startMs to nowMs; a clock that runs backwards counts as no time.
std::int64_t ElapsedWholeSeconds(std::int64_t startMs, std::int64_t nowMs);

// The second `elapsedSec` of the cycle, counting only the phases that are on: the board
// is that far into its cycle. From the cycle time on, the position is complete.
CursorPosition CursorAt(const FaseCodes& codes, std::int64_t elapsedSec);

// Horizontal position of the cursor line in twips: across the phase's column in steps of
// faseSec * 1080 / faseLength, rounded down.
int CursorX(const CursorPosition& position);

// "Cursore tempo attivo - Totale: hh:mm:ss/hh:mm:ss - Parziale: FaseN hh:mm:ss/hh:mm:ss"
std::string CursorStatusText(const CursorPosition& position);
