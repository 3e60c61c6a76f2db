#include "model/edit_history.h"

void EditHistory::Reset(const Configuration& now) {
    present = now;
    undone.clear();
    redone.clear();
}

bool EditHistory::Record(const Configuration& now) {
    if (now == present) {
        return false; // a choice that changed nothing is no step
    }
    undone.push_back(std::move(present));
    if (undone.size() > limit) {
        undone.pop_front();
    }
    present = now;
    redone.clear();
    return true;
}

std::optional<Configuration> EditHistory::Undo() {
    return Step(undone, redone);
}

std::optional<Configuration> EditHistory::Redo() {
    return Step(redone, undone);
}

// Moves the present onto `to` and takes the newest of `from` as the present.
std::optional<Configuration> EditHistory::Step(std::deque<Configuration>& from,
                                               std::deque<Configuration>& to) {
    if (from.empty()) {
        return std::nullopt;
    }
    to.push_back(std::move(present));
    present = std::move(from.back());
    from.pop_back();
    return present;
}
