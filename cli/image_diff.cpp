#include "cli/image_diff.h"

namespace {

constexpr std::size_t kCellBase = kFasi;
constexpr std::size_t kFlagBase = kFasi + kCells;

// Two cells share a flag byte: the even cell in the high nibble, the odd one in the low.
std::uint8_t FlagNibble(const EdataBytes& image, std::size_t cell) {
    const std::uint8_t pair = image[kFlagBase + cell / 2];
    return static_cast<std::uint8_t>(cell % 2 == 0 ? pair >> 4 : pair & 15);
}

} // namespace

ImageDifferences CompareImages(const EdataBytes& board, const EdataBytes& file) {
    ImageDifferences found;
    for (std::size_t p = 0; p < kFasi; ++p) {
        if (board[p] != file[p]) {
            found.fasi.push_back({static_cast<int>(p), board[p], file[p]});
        }
    }
    for (std::size_t i = 0; i < kCells; ++i) {
        CellDifference cell{};
        cell.cell = static_cast<int>(i);
        cell.boardEffects = board[kCellBase + i];
        cell.fileEffects = file[kCellBase + i];
        cell.boardFlags = FlagNibble(board, i);
        cell.fileFlags = FlagNibble(file, i);
        cell.effects = cell.boardEffects != cell.fileEffects;
        cell.flags = cell.boardFlags != cell.fileFlags;
        if (cell.effects || cell.flags) {
            found.cells.push_back(cell);
        }
    }
    return found;
}
