#pragma once
// The command line's commands run without any window: a core application, the HTTP transfer
// component and the page cache, and no widget or platform plugin.

#include "search/arguments.h"

namespace kestrix {

// Runs a search or tabulate command; returns the exit status.
int runcommandline(const Command& command, int& argc, char* argv[]);

} // namespace kestrix
