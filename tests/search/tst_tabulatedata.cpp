// The tabulation commands: which file is written, with what, and what is opened or said.

#include <gtest/gtest.h>

#include <filesystem>

#include "fakewindow.h"
#include "search/formulatext.h"
#include "search/tabulatedata.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

struct Desk {
    SearchBench bench;
    MessageRecorder messages;
    OpenRecorder opener;
    TabulationContext context{bench.cachedir, messages, opener};
    std::vector<ListedCompound> entries;
    Desk() {
        bench.search.dosearch(bench.window.now);
        entries = bench.window.list.entries();
    }
};

} // namespace

TEST(Tabulatedata, WritesTheChosenTableAndOpensIt) {
    Desk d;
    tabulatedata(false, {}, d.entries, "C5H12", d.context);
    tabulatedata(true, {false, true, false}, d.entries, " C5H12", d.context);
    EXPECT_EQ(d.opener.targets,
              (Strings{d.bench.cachedir + "C5H12.htm", d.bench.cachedir + " C5H12.csv"}));
    const std::string html = d.bench.cached("C5H12.htm");
    EXPECT_TRUE(html.starts_with("<style>.t1{"));
    EXPECT_NE(html.find("<img border=0 src=C463821.gif>"), std::string::npos);
    EXPECT_NE(html.find("<td class=t2 valign=top>309.2&nbsp;</td>"), std::string::npos);
    const std::string csv = d.bench.cached(" C5H12.csv");
    EXPECT_TRUE(csv.starts_with("\"Name\",\"Structure\",\"\",\"Formula\",\"MW\",\"CAS#\","
                                "\"Delta__vapH kJ/mol\""));
    EXPECT_TRUE(d.messages.texts.empty());
}

TEST(Tabulatedata, BothTablesEndTheirLinesInCRLFOnEverySystem) {
    Desk d;
    tabulatedata(false, {}, d.entries, "C5H12", d.context);
    tabulatedata(true, {}, d.entries, "C5H12", d.context);
    for (const std::string name : {"C5H12.htm", "C5H12.csv"}) {
        // The file's bytes: no text mode added or dropped a carriage return.
        const std::string bytes = d.bench.cached(name);
        std::size_t lines = 0;
        for (std::size_t at = 0; at < bytes.size(); ++at) {
            if (bytes[at] == '\r') {
                EXPECT_EQ(bytes.substr(at, 2), "\r\n") << name << " at " << at;
            }
            if (bytes[at] != '\n') continue;
            EXPECT_TRUE(at > 0 && bytes[at - 1] == '\r') << name << " at " << at;
            ++lines;
        }
        EXPECT_GE(lines, 2u) << name;
    }
}

TEST(Tabulatedata, ATextWithAPathSeparatorNamesAFileInTheCache) {
    Desk d;
    // Not a formula: the text is a name, escaped into the file's name.
    tabulatedata(false, {}, d.entries, "../C5H12", d.context);
    EXPECT_TRUE(d.messages.texts.empty());
    EXPECT_EQ(d.opener.targets, Strings{d.bench.cachedir + "name-%2E%2E%2FC5H12.htm"});
    EXPECT_TRUE(d.bench.cached("name-%2E%2E%2FC5H12.htm").starts_with("<style>"));
}

TEST(Tabulatedata, AFormulaThatSpellsADeviceNameIsToldAndNothingIsWritten) {
    // Windows would open the console, a printer or a port for these names, in any folder.
    for (const auto& [formula, file] : std::vector<std::pair<std::string, std::string>>{
             {"CON", "CON.htm"}, {"CoN", "CoN.csv"}, {"PrN", "PrN.htm"}, {"PRn", "PRn.csv"}}) {
        Desk d;
        const Strings before = d.bench.cachefiles();
        tabulatedata(file.ends_with(".csv"), {}, d.entries, formula, d.context);
        EXPECT_EQ(d.messages.texts, Strings{"Bad file name: " + file});
        EXPECT_TRUE(d.opener.targets.empty());
        EXPECT_EQ(d.bench.cachefiles(), before);
    }
}

TEST(Tabulatedata, AFailedWriteIsSaidAndNothingOpens) {
    Desk d;
    std::filesystem::remove_all(d.bench.home);
    tabulatedata(true, {}, d.entries, "C5H12", d.context);
    ASSERT_EQ(d.messages.texts.size(), 1u);
    EXPECT_NE(d.messages.texts[0].find("C5H12.csv"), std::string::npos);
    EXPECT_TRUE(d.opener.targets.empty());
}

TEST(Tabulatedata, AnEmptyListStillGivesATable) {
    Desk d;
    tabulatedata(false, {}, {}, "C5H12", d.context);
    EXPECT_TRUE(d.bench.cached("C5H12.htm").ends_with("</tr></table>"));
    EXPECT_EQ(d.opener.targets.size(), 1u);
}
