#include "cli/image_diff.h"

ImageDifferences CompareImages(const EdataBytes& board, const EdataBytes& file) {
    ImageDifferences found;
    for (std::size_t p = 0; p < kFasi; ++p) {
        if (board[p] != file[p]) {
            found.fasi.push_back({static_cast<int>(p), board[p], file[p]});
        }
    }
    for (int i = 0; i < kCells; ++i) {
        CellDifference cell{};
        cell.cell = i;
        const std::size_t at =
            static_cast<std::size_t>(kEdataCellBase) + static_cast<std::size_t>(i);
        cell.boardEffects = board[at];
        cell.fileEffects = file[at];
        cell.boardFlags = CellFlagNibble(board, i);
        cell.fileFlags = CellFlagNibble(file, i);
        cell.effects = cell.boardEffects != cell.fileEffects;
        cell.flags = cell.boardFlags != cell.fileFlags;
        if (cell.effects || cell.flags) {
            found.cells.push_back(cell);
        }
    }
    return found;
}
