// getdata: the compound record, from the page cache or fetched and stored.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "compound/getdata.h"
#include "panelrecorder.h"
#include "scratch.h"
#include "web/server.h"
#include "webfakes.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

const std::string fields = "T<sub>boil</sub>|Formula|CAS Reg|Str3File";

std::string compoundpage(const std::string& cas, const std::string& boil) {
    return "<h1 id=\"Top\">Pentane</h1><li><strong>Formula:</strong> C<sub>5</sub>H<sub>12</sub>"
           "</li>\n<li><strong>CAS Registry Number:</strong> " +
           cas + "</li><a href=\"/cgi/cbook.cgi/C109660.mol?Str3File=C109660\">3d</a><tr><td>" +
           "T<sub>boil</sub></td><td>" + boil + " &plusmn; 0.2</td></tr>";
}

std::string stored(const std::string& page) {
    return "<base href=" + server::compoundurl("X1") + ">\r\n" + page;
}

bool contains(const Strings& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// A page cache folder inside a scratch folder, whose parent holds nothing else; every page
// asked for is pentane's unless a test says otherwise.
class Getdata : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(scratch.valid());
        ASSERT_TRUE(std::filesystem::create_directory(scratch.path() / "cache"));
        pages.otherwise = compoundpage("109-66-0", "309.2");
    }

    std::string get(const std::string& smw, const std::string& sid, bool force = false,
                    const std::string& list = fields, const std::string& ext = "thermo") {
        CompoundContext context{dir, pages, messages, links};
        return getdata(smw, sid, list, ext, "1/3: ", force, context);
    }
    // Every file in the cache, hidden ones too, sorted.
    Strings files() const { return filenames(dir); }
    std::string file(const std::string& name) const { return readbytes(dir + name); }
    bool put(const std::string& name, const std::string& text) {
        return writebytes(dir + name, text);
    }

    ScratchDir scratch;
    const std::string dir = scratch.dir() + "cache/";
    PageRecorder pages;
    MessageRecorder messages;
    PanelRecorder links;
};

TEST_F(Getdata, FetchedAndStored) {
    const std::string record = get("C5H12", "X1");
    EXPECT_EQ(record, "|T<sub>boil</sub>=309.2|Formula=C5H12|CAS Reg=109-66-0"
                      "|Str3File=C109660|file=C5H12-CAS-109-66-0-thermo.htm");
    const std::string url =
        "http://" + std::string(server::host()) + "/cgi/cbook.cgi?ID=X1&Units=SI&Mask=7";
    EXPECT_EQ(pages.requests, Strings{"1/3: " + url});
    EXPECT_EQ(links.calls, Strings{"empty links"});
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(files(), (Strings{"C5H12-CAS-109-66-0-thermo.htm", "C5H12-X1-thermo"}));
    EXPECT_EQ(file("C5H12-X1-thermo"), "CAS-109-66-0");
    EXPECT_EQ(file("C5H12-CAS-109-66-0-thermo.htm"),
              "<base href=" + url + ">\r\n" + pages.otherwise);
}

TEST_F(Getdata, FromTheCacheAndFetchedAnewWhenForced) {
    ASSERT_TRUE(put("C5H12-X1-thermo", "CAS-109-66-0"));
    ASSERT_TRUE(put("C5H12-CAS-109-66-0-thermo.htm", stored(compoundpage("109-66-0", "300.1"))));
    EXPECT_TRUE(get("C5H12", "X1").starts_with("|T<sub>boil</sub>=300.1|"));
    EXPECT_TRUE(pages.requests.empty());
    EXPECT_EQ(file("C5H12-CAS-109-66-0-thermo.htm"), stored(compoundpage("109-66-0", "300.1")));
    EXPECT_TRUE(get("C5H12", "X1", true).starts_with("|T<sub>boil</sub>=309.2|"));
    EXPECT_EQ(pages.requests.size(), 1u);
    EXPECT_EQ(file("C5H12-CAS-109-66-0-thermo.htm"), stored(pages.otherwise));
}

// Identifier file and compound page file as found (nullptr: missing): the page is fetched.
struct CacheRow {
    const char *name, *identifier, *page;
};
const CacheRow cacherows[] = {
    {"identifier not CAS-", "109-66-0", "page"},    {"identifier empty", "", "page"},
    {"identifier missing", nullptr, "page"},        {"page file empty", "CAS-109-66-0", ""},
    {"page file missing", "CAS-109-66-0", nullptr}, {"page name not safe", "CAS-../x", "page"},
};

TEST_F(Getdata, FetchedAgainWhenTheCacheFilesCannotBeUsed) {
    for (const CacheRow& row : cacherows) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove_all(dir);
        ASSERT_TRUE(std::filesystem::create_directory(dir));
        pages.requests.clear();
        if (row.identifier) {
            ASSERT_TRUE(put("C5H12-X1-thermo", row.identifier));
        }
        if (row.page) {
            ASSERT_TRUE(put("C5H12-CAS-109-66-0-thermo.htm", row.page));
        }
        EXPECT_TRUE(get("C5H12", "X1").starts_with("|T<sub>boil</sub>=309.2|"));
        EXPECT_EQ(pages.requests.size(), 1u);
        EXPECT_EQ(file("C5H12-X1-thermo"), "CAS-109-66-0");
        EXPECT_EQ(file("C5H12-CAS-109-66-0-thermo.htm"), stored(pages.otherwise));
    }
}

TEST_F(Getdata, APageWithoutCasNumberKeepsAFileOfItsOwn) {
    pages.otherwise = "<h1 id=\"Top\">x</h1><td>T<sub>boil</sub></td><td>250</td>";
    EXPECT_EQ(get("C5H12", "X1"),
              "|T<sub>boil</sub>=250|Formula=|CAS Reg=|Str3File=|file=C5H12-X1-thermo.htm");
    EXPECT_EQ(files(), Strings{"C5H12-X1-thermo.htm"});
    EXPECT_EQ(file("C5H12-X1-thermo.htm"), stored(pages.otherwise));
    // A second compound without a CAS number keeps a page of its own.
    const std::string first = pages.otherwise;
    pages.otherwise = "<h1 id=\"Top\">y</h1><td>T<sub>boil</sub></td><td>260</td>";
    EXPECT_TRUE(get("C5H12", "X2").ends_with("|file=C5H12-X2-thermo.htm"));
    EXPECT_EQ(files(), (Strings{"C5H12-X1-thermo.htm", "C5H12-X2-thermo.htm"}));
    EXPECT_EQ(file("C5H12-X1-thermo.htm"), stored(first));
}

TEST_F(Getdata, AFailedFetchGivesEmptyValuesAndNoFile) {
    pages.otherwise.clear();
    // No page stored, so no file to point the details link at.
    EXPECT_EQ(get("C5H12", "X1"), "|T<sub>boil</sub>=|Formula=|CAS Reg=|Str3File=|file=");
    EXPECT_EQ(files(), Strings{});
}

TEST_F(Getdata, FieldLists) {
    EXPECT_EQ(get("C5H12", "X1", false, ""), "|file=");
    EXPECT_EQ(get("C5H12", "X1", false, "Formula|~Bogus"), "|Formula=C5H12|~Bogus=|file=");
    EXPECT_EQ(messages.texts, Strings{"Bogus"});
    EXPECT_EQ(links.calls, (Strings{"empty links", "empty links"}));
}

TEST_F(Getdata, AnEmptyExtension) {
    EXPECT_TRUE(get("C5H12", "X1", false, fields, "").ends_with("|file=C5H12-CAS-109-66-0-.htm"));
    EXPECT_EQ(files(), (Strings{"C5H12-CAS-109-66-0-.htm", "C5H12-X1-"}));
}

TEST_F(Getdata, WildcardsInTheFormula) {
    // A formula pattern's compound page would have a "*" in its name, which no file may have on
    // Windows: matched by an identifier file or not, the page is fetched, a file of that name
    // is never read, and nothing is stored.
    ASSERT_TRUE(put("C5H12-X1-thermo", "CAS-109-66-0"));
#ifndef _WIN32
    ASSERT_TRUE(put("C5H*-CAS-109-66-0-thermo.htm", stored(compoundpage("109-66-0", "301"))));
#endif
    EXPECT_TRUE(get("C5H*", "X1").starts_with("|T<sub>boil</sub>=309.2|"));
    EXPECT_TRUE(get("C9*", "X1").ends_with("|Str3File=C109660|file="));
    EXPECT_EQ(pages.requests.size(), 2u);
    EXPECT_FALSE(contains(files(), "C9data-X1-thermo"));
    EXPECT_EQ(file("C5H12-X1-thermo"), "CAS-109-66-0");
}

TEST_F(Getdata, UnsafeNamesWriteNothingOutsideTheCache) {
    EXPECT_TRUE(get("C5H12", "../X1").ends_with("|file=C5H12-CAS-109-66-0-thermo.htm"));
    EXPECT_EQ(files(), Strings{"C5H12-CAS-109-66-0-thermo.htm"});
    Strings beside;
    for (const auto& entry : std::filesystem::directory_iterator(scratch.path())) {
        beside.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(beside, Strings{"cache"});
    pages.otherwise = compoundpage("109/66", "309.2");
    EXPECT_TRUE(get("C6H14", "X2").ends_with("|CAS Reg=109/66|Str3File=C109660|file="));
    EXPECT_EQ(files(), Strings{"C5H12-CAS-109-66-0-thermo.htm"});
}

} // namespace
