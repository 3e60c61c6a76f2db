#pragma once
// Turns SIGINT, SIGTERM and SIGHUP into a readable descriptor, so the loop ends cleanly.

#include <string>

namespace vboard {

// The classic self-pipe: the handler only writes one byte. SIGPIPE is ignored.
class SignalPipe {
public:
    static bool install(std::string& error);
    static int readFd();
    static int caughtSignal(); // 0 while none
};

} // namespace vboard
