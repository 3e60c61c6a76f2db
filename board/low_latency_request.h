#pragma once
// Asks the driver of an open serial device for low latency and puts its flags back later.
// Devices without serial line flags (pseudo-terminals, most drivers but USB ones) are left
// alone without a word: the request is only an optimisation.

#include <optional>

class LowLatencyRequest {
public:
    // On the open device's descriptor; remembers the flags to restore when it changed them.
    void Apply(int descriptor);
    // Before the descriptor is closed; does nothing when Apply changed nothing.
    void Restore(int descriptor);

    bool Changed() const { return savedFlags.has_value(); }

private:
    std::optional<int> savedFlags;
};
