#pragma once
// How miravel6-cli reports: exit statuses and lines on standard output and standard error.

#include <QString>

#include <string>

inline constexpr int kExitDone = 0;
inline constexpr int kExitBoardFailed = 1; // the board or the link
inline constexpr int kExitUsage = 2;       // bad usage, a refused or unwritable file
// test: a loop-back plug answered. The link works, but there is no board to program: a script
// that counts boards must not count the plug.
inline constexpr int kExitLoopback = 3;

// One or more lines, UTF-8; CR LF inside the text becomes the terminal's line end.
void PrintOut(const QString& text);
void PrintErr(const QString& text);

// Raw bytes to standard output, as they stand (the report keeps its CR LF).
void WriteOut(const std::string& bytes);

// True when standard error is a terminal: only then is a progress line drawn.
bool ErrIsTerminal();

// Rewrites the progress line on a terminal (no line end); ProgressDone ends it.
void ShowProgress(const QString& text);
void ProgressDone();

// Every write above is checked with its flush. After the first one that failed (a full disk,
// a closed stream) the command's own status no longer holds: FinishOutput tells standard error
// which stream was lost, where it still can, and turns the status into kExitUsage.
bool OutputLost();
// Run first: a closed standard stream gets a stand-in that refuses writes, so that no port or
// file opened later takes its number and receives the lines meant for it.
void GuardStandardStreams();
int FinishOutput(int exitCode);
