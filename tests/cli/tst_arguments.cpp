// The program's arguments: which command, its query and choices, and what is a usage error.

#include <gtest/gtest.h>

#include "search/arguments.h"

using namespace kestrix;

namespace {

// The command in one line: its kind, query and the choices that differ from the defaults.
std::string summary(const Command& c) {
    static const char* kinds[] = {"window", "search", "tabulate", "help", "version", "usage"};
    std::string s = kinds[int(c.kind)];
    if (c.kind >= CommandKind::help) return s;
    if (!c.query.empty()) s += " [" + c.query + "]";
    if (c.swhat != "BP") s += " " + c.swhat;
    if (!c.iskelvin) s += " celsius";
    if (c.sortalpha) s += " byname";
    if (!c.filter.empty()) s += " filter=" + c.filter;
    if (c.format) s += " format" + std::to_string(int(*c.format)); // table, tsv, csv, json
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
    std::vector<std::string> args;
    const char* command;
};

void PrintTo(const ArgsRow& row, std::ostream* out) {
    for (const std::string& arg : row.args) *out << arg << ' ';
}

const ArgsRow rows[] = {
    {{}, "window"},
    {{"amyl", "hydride"}, "window [amyl hydride]"},
    {{"Rn", "-reverse"}, "window [Rn] toolkit-reverse"},
    {{"--", "--help"}, "window [--help]"},
    {{"Rn", "--version"}, "version"},
    {{"Rn", "--celsius"}, "usage"},
    {{"search", "2,2-dimethylbutane", "--format", "csv", "--celsius", "--property", "mp", "--sort",
      "name", "--filter", "methyl"},
     "search [2,2-dimethylbutane] MP celsius byname filter=methyl format2"},
    {{"search", "C6H14", "--format=json", "--force", "--host", "chem.example.test:8080"},
     "search [C6H14] format3 force host=chem.example.test:8080"},
    {{"search", "--offline", "--", "-C6"}, "search [-C6] offline"},
    {{"search", "C6H14", "--help"}, "help"},
    {{"search"}, "usage"},
    {{"search", "C6H14", "--format", "xml"}, "usage"},
    {{"search", "C6H14", "--format"}, "usage"},
    {{"search", "C6H14", "--sort", "random"}, "usage"},
    {{"search", "C6H14", "--force", "--offline"}, "usage"},
    {{"search", "C6H14", "--csv"}, "usage"},
    {{"search", "C6H14", "--host", "http://x/"}, "usage"},
    {{"search", "C6H14", "--celsius=yes"}, "usage"},
    {{"tabulate", "C6H14", "--groups", "phase,gas", "--csv"}, "tabulate [C6H14] groups=pg csv"},
    {{"tabulate", "C6H14", "--groups", "gas,"}, "usage"},
    {{"tabulate", "C6H14", "--format", "csv"}, "usage"},
};

class Arguments : public testing::TestWithParam<ArgsRow> {};

} // namespace

TEST_P(Arguments, Command) {
    const Command command = parsearguments(GetParam().args);
    EXPECT_EQ(summary(command), GetParam().command);
    EXPECT_EQ(command.kind == CommandKind::usage, !command.error.empty()) << command.error;
}
INSTANTIATE_TEST_SUITE_P(Rows, Arguments, testing::ValuesIn(rows));
