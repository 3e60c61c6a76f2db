#pragma once
// Ctrl+C, a hang-up or a termination during a board write must not end the program between
// two bytes: the board would wait for the rest of the image with nobody told. While a guard
// lives, SIGINT, SIGTERM and SIGHUP only note the request; the write asks for it between bytes.

class InterruptGuard {
public:
    InterruptGuard();
    ~InterruptGuard(); // the signals act as before again
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

    bool Requested() const;
};
