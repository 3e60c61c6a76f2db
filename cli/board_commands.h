#pragma once
// The commands that talk to the board over --port: test, read, write, verify, out.

#include "cli/cli_options.h"

int RunBoardCommand(const CliRequest& request);
