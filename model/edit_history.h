#pragma once
// The undo history: whole configurations (grid, durations, names) before and after each change.

#include "model/configuration.h"

#include <cstddef>
#include <deque>
#include <optional>

// The window keeps at least this many steps to undo.
inline constexpr std::size_t kUndoSteps = 100;

class EditHistory {
public:
    explicit EditHistory(std::size_t limit = kUndoSteps) : limit(limit) {}

    // Starts over from this configuration, with nothing to undo or redo.
    void Reset(const Configuration& now);
    // Called after every change: a configuration that differs from the last one becomes one
    // step; the steps undone before it can no longer be redone. False when nothing changed.
    bool Record(const Configuration& now);
    // The configuration to show for an undo or a redo; empty when there is none.
    std::optional<Configuration> Undo();
    std::optional<Configuration> Redo();

private:
    std::optional<Configuration> Step(std::deque<Configuration>& from,
                                      std::deque<Configuration>& to);
    std::size_t limit;
    Configuration present;
    std::deque<Configuration> undone; // newest at the back
    std::deque<Configuration> redone; // next redo at the back
};
