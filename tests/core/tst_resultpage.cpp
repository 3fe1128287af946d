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
