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
    if (undone.empty()) {
        return std::nullopt;
    }
    redone.push_back(std::move(present));
    present = std::move(undone.back());
    undone.pop_back();
    return present;
}

std::optional<Configuration> EditHistory::Redo() {
    if (redone.empty()) {
        return std::nullopt;
    }
    undone.push_back(std::move(present));
    present = std::move(redone.back());
    redone.pop_back();
    return present;
}
