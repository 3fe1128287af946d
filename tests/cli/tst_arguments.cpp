// The program's arguments: which command, its query and choices, and what is a usage error.

#include <gtest/gtest.h>

#include "search/arguments.h"

using namespace kestrix;

namespace {

std::vector<std::string> split(const std::string& joined) {
    std::vector<std::string> args;
    if (joined.empty()) return args;
    std::size_t start = 0;
    while (true) {
        const std::size_t bar = joined.find('|', start);
        args.push_back(joined.substr(start, bar - start));
        if (bar == std::string::npos) return args;
        start = bar + 1;
    }
}

// The command in one line: its kind, query and every choice that differs from the default.
std::string summary(const Command& c) {
    static const char* kinds[] = {"window", "search", "tabulate", "help", "version", "usage"};
    std::string s = kinds[int(c.kind)];
    if (c.kind != CommandKind::window && c.kind != CommandKind::search &&
        c.kind != CommandKind::tabulate) {
        return s;
    }
    if (!c.query.empty()) s += " [" + c.query + "]";
    if (c.swhat != "BP") s += " " + c.swhat;
    if (!c.iskelvin) s += " celsius";
    if (c.sortalpha) s += " byname";
    if (!c.filter.empty()) s += " filter=" + c.filter;
    if (c.format) {
        static const char* formats[] = {"table", "tsv", "csv", "json"};
        s += std::string(" format=") + formats[int(*c.format)];
    }
    if (c.force) s += " force";
    if (c.offline) s += " offline";
    if (!c.host.empty()) s += " host=" + c.host;
    const TabulationChoices& g = c.groups;
    if (!g.temperatures || g.phasechange || g.gasliquidsolid) {
        s += std::string(" groups=") + (g.temperatures ? "t" : "") + (g.phasechange ? "p" : "") +
             (g.gasliquidsolid ? "g" : "");
    }
    if (c.html) s += " html";
    if (c.csv) s += " csv";
    for (const std::string& option : c.toolkitoptions) s += " toolkit" + option;
    return s;
}

struct ArgsRow {
    const char* args; // joined by "|"
    const char* command;
};

const ArgsRow rows[] = {
    {"", "window"},
    {"C6H14", "window [C6H14]"},
    {"amyl|hydride", "window [amyl hydride]"},
    {"Rn|-reverse", "window [Rn] toolkit-reverse"},
    {"--|--help", "window [--help]"},
    {"--help", "help"},
    {"-h", "help"},
    {"--version", "version"},
    {"Rn|--version", "version"},
    {"--bogus", "usage"},
    {"Rn|--celsius", "usage"},
    {"search|C6H14", "search [C6H14]"},
    {"search|2,2-dimethylbutane|--format|csv|--celsius|--property|mp|--sort|name|--filter|"
     "methyl",
     "search [2,2-dimethylbutane] MP celsius byname filter=methyl format=csv"},
    {"search|C6H14|--format=json|--force", "search [C6H14] format=json force"},
    {"search|--offline|amyl|hydride", "search [amyl hydride] offline"},
    {"search|--|-C6", "search [-C6]"},
    {"search|C6H14|--host|chem.example.test:8080", "search [C6H14] host=chem.example.test:8080"},
    {"search|C6H14|--help", "help"},
    {"search", "usage"},
    {"search|--", "usage"},
    {"search|C6H14|--format|xml", "usage"},
    {"search|C6H14|--format", "usage"},
    {"search|C6H14|--property|TP", "usage"},
    {"search|C6H14|--sort|random", "usage"},
    {"search|C6H14|--force|--offline", "usage"},
    {"search|C6H14|--groups|gas", "usage"},
    {"search|C6H14|--csv", "usage"},
    {"search|C6H14|--host|http://x/", "usage"},
    {"search|C6H14|--host|", "usage"},
    {"search|C6H14|--celsius=yes", "usage"},
    {"search|C6H14|-x", "usage"},
    {"tabulate|C6H14", "tabulate [C6H14]"},
    {"tabulate|C6H14|--groups|phase,gas|--csv", "tabulate [C6H14] groups=pg csv"},
    {"tabulate|C6H14|--groups=temperatures,phase,gas|--html|--offline",
     "tabulate [C6H14] offline groups=tpg html"},
    {"tabulate|C6H14|--groups|liquid", "usage"},
    {"tabulate|C6H14|--groups|gas,", "usage"},
    {"tabulate|C6H14|--format|csv", "usage"},
};

void PrintTo(const ArgsRow& row, std::ostream* out) {
    *out << row.args;
}

class Arguments : public testing::TestWithParam<ArgsRow> {};

} // namespace

TEST_P(Arguments, Command) {
    const Command command = parsearguments(split(GetParam().args));
    EXPECT_EQ(summary(command), GetParam().command);
    EXPECT_EQ(command.kind == CommandKind::usage, !command.error.empty()) << command.error;
}
INSTANTIATE_TEST_SUITE_P(Rows, Arguments, testing::ValuesIn(rows));
