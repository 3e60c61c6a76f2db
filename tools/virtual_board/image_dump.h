#pragma once
// Writes the board's image to a file after each complete write, replacing it atomically.

#include "tools/virtual_board/board_image.h"

#include <string>

namespace vboard {

// 256 upper-case hex digits and a newline; via FILE.tmp and rename, so a reader
// never sees half an image.
bool dumpImage(const std::string& path, const BoardImage& image, std::string& error);

} // namespace vboard
