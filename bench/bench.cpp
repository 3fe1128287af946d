// Timings of the parsers and writers that a search and a tabulation run for every compound.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "compound/extract.h"
#include "core/entry.h"
#include "core/fields.h"
#include "core/names.h"
#include "core/resultpage.h"
#include "core/sortedentries.h"
#include "core/text.h"
#include "tabulate/tabulate.h"

namespace {

using namespace kestrix;

// A file of the sample server's pages (tests/data).
std::string readfile(const std::string& name) {
    std::ifstream in(std::string(KESTRIX_TEST_DATA) + "/" + name, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + name);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string fullfieldlist() {
    return fields::searchlist(fields::boilingpoint);
}

// A row of the vapour pressure (Antoine equation) table, as a long compound page repeats it.
std::string paddingrow(int i) {
    char row[512];
    std::snprintf(row, sizeof row,
                  "<tr><td class=\"right-nowrap\">%d.8 - %d.</td><td "
                  "class=\"right-nowrap\">3.%04d</td><td class=\"right-nowrap\">10%02d.617</td><td "
                  "class=\"right-nowrap\">-40.%03d</td><td><a href=\"#ref-%d\">Osborn and "
                  "Douslin, 1974</a></td><td>Coefficents calculated by NIST from author's "
                  "data.</td></tr>\n",
                  200 + i % 90, 300 + i % 70, (i * 37) % 10000, i % 100, (i * 7) % 1000, i % 60);
    return row;
}

// A sample compound page grown to about size bytes: vapour pressure rows inserted before the
// phase change section, so that most fields are found only after scanning most of the page,
// and reference rows appended after it.
std::string longcompoundpage(std::string page, std::size_t size) {
    const auto section = page.rfind("Thermo-Phase\">Phase change data");
    const auto at = section == std::string::npos ? std::string::npos : page.rfind("<h2", section);
    if (at == std::string::npos) throw std::runtime_error("sample page without phase section");
    std::string before = "<table border=\"1\" summary=\"Antoine Equation Parameters\">\n";
    std::string after = "<h2>More references</h2>\n<table border=\"1\">\n";
    for (int i = 0; page.size() + before.size() + after.size() < size; ++i) {
        (i % 4 == 3 ? after : before) += paddingrow(i);
    }
    before += "</table>\n";
    after += "</table>\n";
    page.insert(at, before);
    const auto end = page.rfind("</body>");
    page.insert(end == std::string::npos ? page.size() : end, after);
    return page;
}

// Pentane in the page shape of the first sample set, hexane in the shape the server prints
// today ("&deg;", linked summary labels).
const std::string& samplepage() {
    static const std::string page = readfile("server/compound/C109660.htm");
    return page;
}

const std::string& todaypage() {
    static const std::string page = readfile("today/compound/C110543.htm");
    return page;
}

// Extraction of the full field list from a sample page padded to 100 KB.
void BM_extractrecord(benchmark::State& state, const std::string& (*sample)()) {
    const std::string page = longcompoundpage(sample(), 100 * 1024);
    const std::string list = fullfieldlist();
    std::optional<std::string> none;
    if (extractrecord(page, list, &none) != extractrecord(sample(), list, &none)) {
        state.SkipWithError("the padding changed the record");
        return;
    }
    for (auto _ : state) {
        std::optional<std::string> cas;
        std::string record = extractrecord(page, list, &cas);
        benchmark::DoNotOptimize(record);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK_CAPTURE(BM_extractrecord, 100KB, samplepage)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_extractrecord, today_100KB, todaypage)->Unit(benchmark::kMicrosecond);

// The page fetcher's line-end conversion of a 1 MB page; includes copying the page.
void BM_strsub_crlf_1MB(benchmark::State& state) {
    std::string page;
    while (page.size() < 1024 * 1024) page += samplepage();
    page.resize(1024 * 1024);
    for (auto _ : state) {
        std::string s = page;
        strsub(s, "\n", "\r\n");
        benchmark::DoNotOptimize(s);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_strsub_crlf_1MB)->Unit(benchmark::kMillisecond);

constexpr std::array<std::string_view, 20> resultnames = {
    "pentane",
    "butane, 2-methyl-",
    "propane, 2,2-dimethyl-",
    "benzene, methyl-",
    "1-propanol, 2-methyl-",
    "1,3-butadiene, 2-methyl-",
    "2-butene, (z)-",
    "ethene, 1,2-dichloro-, (e)-",
    "cyclohexane, 1,2-dimethyl-, cis-",
    "formamide, n-methyl-",
    "ethanamine, n-ethyl-n-methyl-",
    "beta-alanine, n-methyl-",
    "alpha-d-glucopyranose, 2-deoxy-",
    "2h-pyran, 3,4-dihydro-",
    "1h-indene",
    "d-glucose",
    "l-alanine",
    "butane, 2-me-",
    "acetic acid, methyl ester",
    "&#171;x&#187;",
};

// All twenty names per iteration; the "per_name" counter is the time for one name.
void BM_displayname(benchmark::State& state) {
    for (auto _ : state) {
        for (std::string_view name : resultnames) {
            std::string display = displayname(std::string(name));
            benchmark::DoNotOptimize(display);
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * resultnames.size()));
    state.counters["per_name"] = benchmark::Counter(static_cast<double>(resultnames.size()),
                                                    benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}
BENCHMARK(BM_displayname)->Unit(benchmark::kMicrosecond);

// A record as the formula search builds it for one compound.
std::string samplerecord() {
    std::optional<std::string> cas;
    return extractrecord(samplepage(), fullfieldlist(), &cas) +
           "|file=C5H12-CAS-109-66-0-thermo.htm";
}

void BM_buildentry(benchmark::State& state) {
    const std::string record = samplerecord();
    const EntryChoices choices{false, true, false};
    for (auto _ : state) {
        std::string entry = buildentry(record, "C109660", "BP", "pentane", choices, 0.5);
        benchmark::DoNotOptimize(entry);
    }
}
BENCHMARK(BM_buildentry)->Unit(benchmark::kNanosecond);

// n entries of differing compounds, sorted by property in kelvin, in random order.
std::vector<ListedCompound> sampleentries(std::size_t n, bool byproperty) {
    std::mt19937 random(12345);
    std::uniform_real_distribution<double> draw(0, 1);
    const std::string record = samplerecord();
    std::vector<ListedCompound> entries;
    entries.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        std::string r = record;
        const std::string boil = std::to_string(150 + static_cast<int>(draw(random) * 500)) + "." +
                                 std::to_string(i % 10);
        strsub(r, "=309.2|", "=" + boil + "|");
        std::string name = std::string(resultnames[i % resultnames.size()]) + std::to_string(i);
        entries.push_back(listcompound(r, "C" + std::to_string(100000 + i), "BP", displayname(name),
                                       EntryChoices{false, byproperty, true}, draw(random)));
    }
    return entries;
}

void BM_sortedentries_insert_2000(benchmark::State& state) {
    const std::vector<ListedCompound> entries = sampleentries(2000, true);
    for (auto _ : state) {
        SortedEntries list;
        for (const ListedCompound& entry : entries) benchmark::DoNotOptimize(list.add(entry));
        benchmark::DoNotOptimize(list.size());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * entries.size()));
}
BENCHMARK(BM_sortedentries_insert_2000)->Unit(benchmark::kMillisecond);

// One call writes both the HTML and the CSV text.
void BM_tabulate_1000(benchmark::State& state) {
    const std::vector<ListedCompound> entries = sampleentries(1000, true);
    const std::string list = tabulationfieldlist(true, true, true);
    const TableLinks links{"http://chemdata.nist.invalid/cgi/cbook.cgi/nist-3d.mol?Str3File=",
                           [](std::string_view sid) { return std::string(sid) + ".gif"; }};
    std::size_t bytes = 0;
    for (auto _ : state) {
        Tabulation table = tabulate(entries, list, links);
        bytes = table.html.size() + table.csv.size();
        benchmark::DoNotOptimize(table);
    }
    state.counters["output_KB"] = static_cast<double>(bytes) / 1024;
}
BENCHMARK(BM_tabulate_1000)->Unit(benchmark::kMillisecond);

// A result page listing 500 compounds.
void BM_readresultpage_500(benchmark::State& state) {
    std::string page = "<html><body><h1>Search Results</h1>\n<p>Click on the name to see more "
                       "data.</p>\n<ol>\n";
    for (int i = 0; i < 500; ++i) {
        page += "<li><a href=\"/cgi/cbook.cgi?ID=C" + std::to_string(100000 + i) +
                "&amp;Units=SI&amp;cTG=on\">" + std::string(resultnames[i % 20]) + "</a> " +
                "(C5H12)</li>\n";
    }
    page += "</ol>\n</body></html>\n";
    for (auto _ : state) {
        ResultPage result = readresultpage(page);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_readresultpage_500)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
