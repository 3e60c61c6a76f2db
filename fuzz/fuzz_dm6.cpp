// Any bytes as a .dm6 file: the reader never crashes or hangs, accepts only configurations
// within every range, and what it accepts survives a write and a second read unchanged.

#include "files/format/dm6_format.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto config = ReadDm6(bytes);
    if (!config) {
        return 0;
    }
    for (const std::string& name : config->outNames) {
        Require(!name.empty());
    }
    for (const std::string& name : config->faseNames) {
        Require(!name.empty());
    }
    for (const int code : config->faseCodes) {
        Require(code >= 0 && code <= 63);
    }
    for (const typEffSet& rec : config->recEffSet) {
        Require(rec.bytePart1 <= 15 && rec.bytePart2 <= 15 && rec.byteFlicker <= 7);
        Require(rec.blnRandom == kTrue || rec.blnRandom == kFalse);
    }
    Require(!FindUnsavableName(*config));
    const auto again = ReadDm6(WriteDm6(*config));
    Require(again && *again == *config);
    return 0;
}
