#pragma once
// Where two board images differ, by phase and by cell, for telling the user what a board
// holds that a file does not.

#include "model/edata.h"

#include <vector>

struct FaseDifference {
    int fase;                 // 0..7
    std::uint8_t board, file; // the phase bytes
};

struct CellDifference {
    int cell;     // output * 8 + phase
    bool effects; // the byte of the two Parts differs
    bool flags;   // the flicker and random nibble differs
    std::uint8_t boardEffects, fileEffects;
    std::uint8_t boardFlags, fileFlags;
};

struct ImageDifferences {
    std::vector<FaseDifference> fasi;
    std::vector<CellDifference> cells;
    bool empty() const { return fasi.empty() && cells.empty(); }
};

// Compares every one of the 128 bytes; a cell's flags are compared nibble by nibble.
ImageDifferences CompareImages(const EdataBytes& board, const EdataBytes& file);
