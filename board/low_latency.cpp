#include "board/low_latency.h"

std::optional<int> FlagsWithLowLatency(int flags) {
    if ((flags & kLowLatencyFlag) != 0) {
        return std::nullopt;
    }
    return flags | kLowLatencyFlag;
}

int FlagsRestored(int present, int beforeOpen) {
    return (present & ~kLowLatencyFlag) | (beforeOpen & kLowLatencyFlag);
}
