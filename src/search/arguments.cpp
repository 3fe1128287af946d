#include "search/arguments.h"

#include <algorithm>
#include <functional>
#include <map>

#include "core/fields.h"
#include "web/hostsetting.h"

namespace kestrix {

namespace {

bool isoption(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-';
}

std::string upper(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    }
    return s;
}

bool setgroups(const std::string& list, TabulationChoices& groups) {
    groups = {false, false, false};
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string word = list.substr(start, comma - start);
        if (word == "temperatures") {
            groups.temperatures = true;
        } else if (word == "phase") {
            groups.phasechange = true;
        } else if (word == "gas") {
            groups.gasliquidsolid = true;
        } else {
            return false;
        }
        start = comma + 1;
    }
    return true;
}

Command usage(std::string error) {
    Command c;
    c.kind = CommandKind::usage;
    c.error = std::move(error);
    return c;
}

void addword(std::string& query, const std::string& word) {
    query += (query.empty() ? "" : " ") + word;
}

// search and tabulate: their options and query words.
Command parsecommand(CommandKind kind, const std::vector<std::string>& args) {
    Command c;
    c.kind = kind;
    const bool search = kind == CommandKind::search;
    // Each option with a value: what it does with it; false for a value it does not take.
    using Setter = std::function<bool(const std::string&)>;
    std::map<std::string, Setter> valued = {
        {"--property",
         [&](const std::string& v) {
             c.swhat = upper(v);
             return !fields::propertyfield(c.swhat).empty();
         }},
        {"--sort",
         [&](const std::string& v) {
             c.sortalpha = v == "name";
             return v == "name" || v == "property";
         }},
        {"--filter",
         [&](const std::string& v) {
             c.filter = v;
             return true;
         }},
        {"--host",
         [&](const std::string& v) {
             // As given: a scheme or path is a mistake of the command, not tidied away.
             c.host = v;
             return !v.empty() && readhost(v) == v;
         }},
    };
    bool celsius = false;
    std::map<std::string, bool*> flags = {
        {"--celsius", &celsius}, {"--force", &c.force}, {"--offline", &c.offline}};
    if (search) {
        valued["--format"] = [&](const std::string& v) {
            c.format = outputformat(v);
            return c.format.has_value();
        };
    } else {
        valued["--groups"] = [&](const std::string& v) { return setgroups(v, c.groups); };
        flags["--csv"] = &c.csv;
        flags["--html"] = &c.html;
    }

    bool words = false; // after "--" every argument is a query word
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (words || !isoption(arg)) {
            addword(c.query, arg);
            continue;
        }
        if (arg == "--") {
            words = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            c.kind = CommandKind::help;
            return c;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (const auto flag = flags.find(name);
            flag != flags.end() && equals == std::string::npos) {
            *flag->second = true;
            continue;
        }
        const auto option = valued.find(name);
        if (option == valued.end()) return usage("unknown option " + arg);
        std::string value;
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return usage(name + " needs a value");
        }
        if (!option->second(value)) return usage("bad value for " + name + ": " + value);
    }
    c.iskelvin = !celsius;
    if (c.query.empty()) return usage("no query given");
    if (c.force && c.offline) return usage("--force and --offline exclude each other");
    return c;
}

} // namespace

Command parsearguments(const std::vector<std::string>& args) {
    if (args.empty()) return {};
    const std::string& first = args.front();
    if (first == "search") {
        return parsecommand(CommandKind::search, {args.begin() + 1, args.end()});
    }
    if (first == "tabulate") {
        return parsecommand(CommandKind::tabulate, {args.begin() + 1, args.end()});
    }
    Command c;
    bool words = false;
    for (const std::string& arg : args) {
        if (words || !isoption(arg)) {
            addword(c.query, arg);
        } else if (arg == "--") {
            words = true;
        } else if (arg == "--help" || arg == "-h") {
            c.kind = CommandKind::help;
            return c;
        } else if (arg == "--version") {
            c.kind = CommandKind::version;
            return c;
        } else if (arg.starts_with("--")) {
            return usage("unknown option " + arg);
        } else {
            c.toolkitoptions.push_back(arg);
        }
    }
    return c;
}

std::string usagetext() {
    return "Usage: kestrix [QUERY]\n"
           "       kestrix search QUERY [--property BP|MP] [--celsius] [--sort property|name]\n"
           "                            [--filter TEXT] [--format table|tsv|csv|json]\n"
           "                            [--force | --offline] [--host HOST]\n"
           "       kestrix tabulate QUERY [--groups temperatures,phase,gas] [--csv] [--html]\n"
           "                              [--property BP|MP] [--sort property|name]\n"
           "                              [--filter TEXT] [--force | --offline] [--host HOST]\n"
           "       kestrix --help | --version\n";
}

std::string helptext() {
    return "Kestrix looks up compounds on the NIST chemistry data server.\n\n" + usagetext() +
           "\n"
           "QUERY is a molecular formula (C5H12: element symbols with counts, letter case\n"
           "counting), a CAS registry number (109-66-0, its check digit checked) or, for\n"
           "anything else, a compound name (pentane, \"2,2-dimethylpropane\").\n"
           "\n"
           "Without a command, the window opens and searches QUERY (C5H12 when none is given).\n"
           "\n"
           "search     prints the compounds found on standard output.\n"
           "  --property BP|MP   the property listed: boiling point (default) or melting point\n"
           "  --celsius          values in degrees Celsius instead of kelvin\n"
           "  --sort property|name\n"
           "                     order by the property (default) or by name\n"
           "  --filter TEXT      only compounds whose name contains TEXT\n"
           "  --format F         table (default on a terminal), tsv (default otherwise), csv\n"
           "                     or json\n"
           "tabulate   writes the window's tabulation files into the page cache and prints\n"
           "           their paths, one a line.\n"
           "  --groups LIST      column sets, by commas: temperatures (default), phase, gas\n"
           "  --html, --csv      which files to write (default both)\n"
           "Both commands:\n"
           "  --force            fetch every page again, cached or not\n"
           "  --offline          ask nothing of the server: read only the page cache, and\n"
           "                     name each compound it lacks\n"
           "  --host HOST        the server's host, over KESTRIX_SERVER_HOST and the build's\n"
           "\n"
           "Exit status: 0 compounds were listed, 1 the server found nothing, 2 a usage error\n"
           "or a CAS number with a wrong check digit, 3 the server could not be had or\n"
           "refused, and nothing was listed.\n";
}

} // namespace kestrix
