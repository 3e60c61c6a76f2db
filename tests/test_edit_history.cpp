// The undo history: which changes become steps, the order of undo and redo, and its limit.

#include "model/edit_history.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// Configuration number n: told apart by the name of output 1.
Configuration Config(int n) {
    Configuration config;
    config.outNames[0] = "step " + std::to_string(n);
    return config;
}

int Number(const std::optional<Configuration>& config) {
    return config ? std::stoi(config->outNames[0].substr(5)) : -1;
}

} // namespace

TEST(EditHistory, UndoAndRedoWalkTheStepsInOrder) {
    // Each script: r N records configuration N, u undoes, d redoes; the numbers the undos and
    // redos give (-1: none).
    const struct {
        const char* script;
        std::vector<int> given;
    } cases[] = {
        {"u d", {-1, -1}},
        {"r1 r2 r3 u u u u", {2, 1, 0, -1}},
        {"r1 r2 u u d d d", {1, 0, 1, 2, -1}},
        // A new change drops what was undone before it.
        {"r1 r2 u r3 d u u", {1, -1, 1, 0}},
        // The same configuration again is no step.
        {"r1 r1 r1 u u", {0, -1}},
        {"r1 u r0 d", {0, 1}},
    };
    for (const auto& c : cases) {
        EditHistory history;
        history.Reset(Config(0));
        std::vector<int> given;
        std::istringstream tokens(c.script);
        for (std::string token; tokens >> token;) {
            if (token[0] == 'r') {
                history.Record(Config(std::stoi(token.substr(1))));
            } else {
                given.push_back(Number(token == "u" ? history.Undo() : history.Redo()));
            }
        }
        EXPECT_EQ(given, c.given) << c.script;
    }
}

TEST(EditHistory, KeepsTheNewestHundredSteps) {
    EditHistory history; // as the window holds it: at least 100 steps are promised
    history.Reset(Config(0));
    for (int n = 1; n <= 105; ++n) {
        history.Record(Config(n));
    }
    int undos = 0;
    int last = -1;
    while (const std::optional<Configuration> config = history.Undo()) {
        last = Number(config);
        ++undos;
    }
    EXPECT_EQ(undos, 100);
    EXPECT_EQ(last, 5); // the oldest five went
    // Every undone step can be redone.
    int redos = 0;
    while (history.Redo()) {
        ++redos;
    }
    EXPECT_EQ(redos, 100);
}
