// Every field of the sample pages, in both page shapes the server has used, comes out as a
// chemist reads it on the page. The older shape's values must never change through the
// readings added for today's shape.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "compound/extract.h"
#include "core/fields.h"
#include "scratch.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

using Strings = std::vector<std::string>;

const std::filesystem::path data = KESTRIX_TEST_DATA;

// The server has compounds without a CAS number; their pages have no CAS item at all.
const Strings withoutcas = {"server/compound/U123456.htm"};

struct Record {
    std::string file, record;
};

// The lines of records.txt: a page file, a tab, the record of that page.
std::vector<Record> records() {
    const std::string table = readbytes(data / "records.txt");
    std::vector<Record> rows;
    std::size_t at = 0;
    while (at < table.size()) {
        std::size_t end = table.find('\n', at);
        if (end == std::string::npos) end = table.size();
        const std::string line = table.substr(at, end - at);
        at = end + 1;
        if (line.empty() || line.starts_with('#')) continue;
        const auto tab = line.find('\t');
        rows.push_back({line.substr(0, tab), tab == std::string::npos ? "" : line.substr(tab + 1)});
    }
    return rows;
}

TEST(SamplePages, EveryCompoundPageOfBothShapesHasItsRecord) {
    Strings listed, pages;
    for (const Record& row : records()) listed.push_back(row.file);
    for (const char* folder : {"server", "today"}) {
        const std::string compound = std::string(folder) + "/compound/";
        for (const std::string& name : filenames(data / compound)) {
            if (name.ends_with(".htm")) pages.push_back(compound + name);
        }
    }
    std::sort(listed.begin(), listed.end());
    std::sort(pages.begin(), pages.end());
    EXPECT_FALSE(pages.empty()) << data;
    EXPECT_EQ(listed, pages);
    for (const std::string& file : withoutcas) {
        EXPECT_NE(std::find(pages.begin(), pages.end(), file), pages.end()) << file;
    }
}

TEST(SamplePages, RecordsAsAChemistReadsThem) {
    const std::vector<Record> rows = records();
    ASSERT_FALSE(rows.empty()) << data / "records.txt";
    const std::string fieldlist = fields::searchlist(fields::boilingpoint);
    for (const Record& row : rows) {
        SCOPED_TRACE(row.file);
        const std::string text = readbytes(data / row.file);
        ASSERT_FALSE(text.empty());
        std::optional<std::string> cas;
        EXPECT_EQ(extractrecord(text, fieldlist, &cas), row.record);
        ASSERT_TRUE(cas.has_value());
        const bool hascas =
            std::find(withoutcas.begin(), withoutcas.end(), row.file) == withoutcas.end();
        EXPECT_EQ(!cas->empty(), hascas);
    }
}

// "&ordm;" is a masculine ordinal, not a degree sign: a look-alike label never counts.
struct OrdinalRow {
    const char *name, *rows, *value;
};
const OrdinalRow ordinalrows[] = {
    {"look-alike before the real row",
     "<tr><td>S&ordm;<sub>gas</sub></td><td>999</td></tr>\n"
     "<tr><td>S&deg;<sub>gas,1 bar</sub></td><td>388.4</td></tr>",
     "388.4"},
    {"look-alike alone", "<tr><td>S&ordm;<sub>gas</sub></td><td>999</td></tr>", ""},
    {"comment cell", "<tr><td>x</td><td>0.5 &ordm;C</td></tr>", ""},
};

TEST(SamplePages, AnOrdinalIsNoDegreeSign) {
    for (const OrdinalRow& row : ordinalrows) {
        SCOPED_TRACE(row.name);
        const std::string text = std::string("<table>") + row.rows + "</table>";
        EXPECT_EQ(extractvalue(text, "S&#176;<sub>gas</sub>", FieldGroup::table), row.value);
    }
}

} // namespace
