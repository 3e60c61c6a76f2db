#pragma once
// SIGINT, SIGTERM and SIGHUP as a readable descriptor, so the loop ends cleanly.

#include <string>

namespace vboard {

// Blocks the three signals and reads them through a signalfd; ignores SIGPIPE. Called
// first thing in main, before any thread could take a signal in its default way.
bool catchStopSignals(std::string& error);
int stopSignalFd(); // readable once one of them came

} // namespace vboard
