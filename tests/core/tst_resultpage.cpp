// Reading the compounds of a formula search's result page.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/resultpage.h"

using namespace kestrix;

namespace {

using Strings = std::vector<std::string>;

const std::string head = "<a href=\"?ID=ZZ&x\">x</a>\nClick on the name to see more data.</p>\n";

std::string item(const std::string& id, const std::string& name) {
    return "<li><a href=\"/cgi/cbook.cgi?ID=" + id + "&amp;Units=SI\">" + name +
           "</a> (other text)</li>\n";
}

std::string crlf(std::string text) {
    for (auto at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2)) {
        text.replace(at, 1, "\r\n");
    }
    return text;
}

struct PageRow {
    const char* name;
    std::string page;
    int total;
    Strings items; // id, name, id, name...
};
const PageRow pagerows[] = {
    {"two items",
     head + item("C109660", "Pentane") + item("C78784", "Butane, 2-Methyl-"),
     2,
     {"C109660", "pentane", "C78784", "butane, 2-methyl-"}},
    {"crlf line ends", head + crlf(item("C1", "A")) + item("C2", "B"), 2, {"C1", "a", "C2", "b"}},
    {"stops at an item without identifier",
     head + item("C1", "a") + "<li><a href=\"/x\">no id</a></li>\n" + item("C3", "c"),
     2,
     {"C1", "a"}},
    {"stops at an empty name", head + item("C1", "") + item("C2", "b"), 2, {}},
    {"no marker, no compound page", "<p>No matching compounds</p>" + item("C1", "a"), 0, {}},
    {"compound page by structure file",
     "<h1 id=\"Top\">Methane</h1>\n<a href=\"/cgi/cbook.cgi?ID=C1&a=b\">"
     "<a href=\"/cgi/cbook.cgi/C74828.mol?Str3File=C74828\">3d</a>",
     1,
     {"C74828", "methane"}},
    {"compound page by CAS item",
     "<h1 id=\"Top\">Neon</h1><li><strong>CAS Registry Number:</strong> "
     "7440-01-9</li><a href=\"/cgi/cbook.cgi?ID=C7440019&Units=SI\">",
     1,
     {"C7440019", "neon"}},
    {"compound page without heading", "<a href=\"/x.mol?Str3File=C74828\">3d</a>", 0, {}},
};

TEST(ResultPage, ItemsInPageOrderAndTheirCount) {
    for (const PageRow& row : pagerows) {
        SCOPED_TRACE(row.name);
        const ResultPage result = readresultpage(row.page);
        EXPECT_EQ(result.total, row.total);
        Strings got;
        for (const ResultItem& i : result.items) {
            got.push_back(i.id);
            got.push_back(i.name);
        }
        EXPECT_EQ(got, row.items);
    }
}

TEST(ResultPage, TheCountStopsAt32767) {
    std::string page = head;
    for (int i = 0; i < 40000; ++i) page += "ID=";
    EXPECT_EQ(readresultpage(page).total, 32767);
}

} // namespace

namespace {

// The sentence by which the server says it cut its list short, as pages may write it.
TEST(ResultPage, TellsAListTheServerCutShort) {
    struct Case {
        const char* name;
        std::string text;
        int listedonly;
    };
    const Case cases[] = {
        {"as the server writes it",
         "<p>Due to the large number of matching species, only the first 400 are displayed.</p>",
         400},
        {"broken over lines",
         "<p>Due to the large number\r\nof matching species,\n  only the first\t50 are shown", 50},
        {"in other letter case", "DUE TO THE LARGE NUMBER OF MATCHING SPECIES, ONLY THE FIRST 7",
         7},
        {"a number with a comma",
         "Due to the large number of matching species, only the first "
         "1,000 matches are displayed.",
         1000},
        {"no number", "Due to the large number of matching species, only the first few are shown.",
         -1},
        {"no sentence", "<p>A formula search for C5H12 found 3 matching species.</p>", 0},
        {"another sentence", "Due to the large number of requests, only the first 5 are served", 0},
        {"huge", "Due to the large number of matching species, only the first 9999999999", 32767}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(listedonly(c.text), c.listedonly);
    }
}

TEST(ResultPage, ReadsTheCutBeforeTheListOnly) {
    const std::string sentence =
        "<p>Due to the large number of matching species, only the first 2 are displayed.</p>\n";
    const std::string items = item("C1", "One") + item("C2", "Two");
    EXPECT_EQ(readresultpage(sentence + head + items).listedonly, 2);
    // Named without a number: as many as the page lists.
    EXPECT_EQ(readresultpage("<p>Due to the large number of matching species, only the first "
                             "are displayed.</p>\n" +
                             head + items)
                  .listedonly,
              2);
    // A compound's name in the list that happens to read so is no cut.
    EXPECT_EQ(readresultpage(head + items + sentence).listedonly, 0);
    EXPECT_EQ(readresultpage(head + items).listedonly, 0);
}

} // namespace
