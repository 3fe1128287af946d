#pragma once
// The program's arguments: the window (with a start-up query), or a command of the command line
// ("search", "tabulate"), help, version, or a usage error. Read before any window exists.

#include <optional>
#include <string>
#include <vector>

#include "search/listoutput.h"
#include "search/tabulatedata.h"

namespace kestrix {

enum class CommandKind { window, search, tabulate, help, version, usage };

struct Command {
    CommandKind kind = CommandKind::window;
    std::string query; // the query words joined by blanks; empty for the window's default
    std::string swhat = "BP";
    bool iskelvin = true;
    bool sortalpha = false; // sort by name; else by property
    std::string filter;
    std::optional<OutputFormat> format; // nullopt: table on a terminal, tsv otherwise
    bool force = false;                 // fetch every page anew
    bool offline = false;               // read only the page cache
    std::string host;                   // empty: the host setting
    TabulationChoices groups;
    bool html = false, csv = false; // which tabulations; neither given: both
    // The window's single-dash arguments, which the toolkit takes (-platform offscreen); any
    // left after it took its own is a usage error.
    std::vector<std::string> toolkitoptions;
    std::string error; // usage: what was wrong
};

// args without the program's name.
Command parsearguments(const std::vector<std::string>& args);

// The help text, ending in a line break.
std::string helptext();
// The lines naming the forms of the command, for a usage error.
std::string usagetext();

} // namespace kestrix
