#include "model/time_cursor.h"

#include "model/fase_time.h"
#include "model/grid_geometry.h"

std::int64_t ElapsedWholeSeconds(std::int64_t startMs, std::int64_t nowMs) {
    return nowMs <= startMs ? 0 : (nowMs - startMs) / 1000;
}

CursorPosition CursorAt(const FaseCodes& codes, std::int64_t elapsedSec) {
    CursorPosition position;
    position.cycleLength = CycleSeconds(codes);
    if (elapsedSec < 0) {
        elapsedSec = 0;
    }
    if (elapsedSec >= position.cycleLength) {
        position.fase = kCursorCycleComplete;
        position.totSec = position.cycleLength;
        return position;
    }
    position.totSec = static_cast<std::int32_t>(elapsedSec);
    std::int32_t rest = position.totSec;
    for (int p = 0; p < kFasi; ++p) {
        const std::int32_t length = FaseSeconds(codes[static_cast<std::size_t>(p)]);
        if (rest < length) {
            position.fase = p;
            position.faseSec = rest;
            position.faseLength = length;
            return position;
        }
        rest -= length;
    }
    // Not reached: elapsedSec is below the sum of the lengths.
    position.fase = kCursorCycleComplete;
    return position;
}

int CursorX(const CursorPosition& position) {
    if (position.Complete() || position.faseLength <= 0) {
        return kGridLeft + position.fase * kColumnWidth;
    }
    return kGridLeft + position.fase * kColumnWidth +
           position.faseSec * kColumnWidth / position.faseLength;
}

std::string CursorStatusText(const CursorPosition& position) {
    return "Cursore tempo attivo - Totale: " + FormatTimeHMS(position.totSec) + "/" +
           FormatTimeHMS(position.cycleLength) + " - Parziale: Fase" +
           std::to_string(position.fase + 1) + " " + FormatTimeHMS(position.faseSec) + "/" +
           FormatTimeHMS(position.faseLength);
}
