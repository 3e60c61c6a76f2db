#pragma once
// Ctrl+C (SIGINT), a closed terminal (SIGHUP) or the end of a desktop session (SIGTERM) must not
// end the program between two bytes of a board write: the board would wait for the rest of the
// image with nobody told. While a StopSignals lives, each of these signals only notes the request,
// as a flag and as a byte on a pipe that an event loop may watch; once it is gone they act as
// before. One instance at a time.

class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // A signal came since the start or since the last TakeRequests().
    bool Requested() const;
    // Readable once a signal came; -1 where the platform or the system gave no pipe.
    int WakeUpFd() const;
    // Empties the pipe and clears the flag.
    void TakeRequests();
};
