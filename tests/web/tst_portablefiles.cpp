// The page cache's files as Windows and Linux both take them: one rule for safe names, UTF-8
// names, bytes as written.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/query.h"
#include "scratch.h"
#include "web/cache.h"
#include "web/cachedfetch.h"
#include "web/cachenames.h"
#include "web/safename.h"
#include "webfakes.h"

using namespace kestrix;
using namespace kestrix::test;
namespace fs = std::filesystem;

namespace {

struct NameRow {
    const char* why;
    std::string name;
    bool safe;
};

const std::vector<NameRow> namerows = {
    {"compound page", "C5H12-CAS-109-66-0-thermo.htm", true},
    {"result page", "C5H12-&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on.htm", true},
    {"escaped name", "name-%2E%2E%2FC5H12.htm", true},
    {"leading space", " C5H12.csv", true},
    {"space before the extension", "C5H12 .csv", true},
    {"UTF-8", "Pentan\xc3\xa9-thermo.htm", true},
    {"a device name leads a longer name", "CON-&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on.htm", true},
    {"device name inside", "xCON.csv", true},
    {"longer than a device", "conman.htm", true},
    {"COM10", "COM10.htm", true},
    {"COM0", "COM0", true},
    {"LPT without number", "LPT.htm", true},
    {"empty", "", false},
    {"dot", ".", false},
    {"dot dot", "..", false},
    {"slash", "../etc", false},
    {"backslash", "a\\b", false},
    {"less", "a<b", false},
    {"greater", "a>b", false},
    {"colon, a Windows data stream", "C:x", false},
    {"quote", "a\"b", false},
    {"bar", "a|b", false},
    {"question mark", "a?b", false},
    {"star", "C*-X1-", false},
    {"tab", "a\tb", false},
    {"unit separator", "a\x1f", false},
    {"delete", "a\x7f", false},
    {"nul byte", std::string("a\0b", 3), false},
    {"trailing dot", "C5H12.", false},
    {"three dots", "...", false},
    {"trailing space", "C5H12.htm ", false},
    {"CON", "CON", false},
    {"con.csv", "con.csv", false},
    {"cobalt nitride", "CoN.csv", false},
    {"praseodymium nitride", "PrN.htm", false},
    {"phosphorus and radon", "PRn.htm", false},
    {"PRN", "PRN", false},
    {"aux", "aux", false},
    {"two extensions", "NUL.tar.gz", false},
    {"space before the extension of a device", "nul .txt", false},
    {"COM1", "COM1", false},
    {"com9.gif", "com9.gif", false},
    {"Lpt1.htm", "Lpt1.htm", false},
    {"LPT9", "LPT9", false},
    {"COM superscript one", "COM\xc2\xb9.htm", false},
    {"lpt superscript three", "lpt\xc2\xb3", false},
    {"console input", "CONIN$", false},
    {"console output", "conout$.txt", false},
    {"Latin-1 byte", "Pentan\xe9.htm", false},
    {"cut UTF-8", "Pentan\xc3", false},
    {"overlong slash",
     "a\xc0\xaf"
     "b",
     false},
    {"surrogate", "a\xed\xa0\x80", false},
};

class Names : public testing::TestWithParam<NameRow> {};

TEST_P(Names, SafeOnEverySystemOrRefused) {
    const NameRow& row = GetParam();
    EXPECT_EQ(safename(row.name), row.safe);
    EXPECT_EQ(cachepath("dir/", row.name), row.safe ? "dir/" + row.name : "");
}

INSTANTIATE_TEST_SUITE_P(Rows, Names, testing::ValuesIn(namerows),
                         [](const testing::TestParamInfo<NameRow>& info) {
                             std::string tag;
                             for (const char c : std::string(info.param.why)) {
                                 if (std::isalnum(static_cast<unsigned char>(c))) tag += c;
                             }
                             return tag;
                         });

// Formulas that spell a device name: a search writes its files, a tabulation of them cannot be
// named after the formula.
TEST(DeviceFormulas, SearchFilesAreSafeTabulationsAreNot) {
    for (const std::string formula : {"CON", "CoN", "PrN", "PRn"}) {
        const Query query = classifyquery(formula);
        ASSERT_EQ(query.kind, QueryKind::formula) << formula;
        const std::string key = searchkey(query);
        for (const std::string& file :
             {resultpagename(query), identifiername(key, "X1", "thermo"),
              compoundpagename(key, "CAS-109-66-0", "thermo"), drawingname("X1")}) {
            EXPECT_TRUE(safename(file)) << file;
        }
        EXPECT_FALSE(safename(tabulationname(formula, false))) << formula;
        EXPECT_FALSE(safename(tabulationname(formula, true))) << formula;
    }
}

// The path of UTF-8 text as the system names it: the bytes on Linux, UTF-16 on Windows. The
// standard defines this conversion on every system, unlike that of narrow text.
fs::path u8path(const std::string& text) {
    return fs::path(std::u8string(text.begin(), text.end()));
}

std::string u8text(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// The names of the plain files in dir as UTF-8, sorted, read through the system's own names.
Strings storednames(const std::string& dir) {
    Strings names;
    for (const auto& entry : fs::directory_iterator(u8path(dir))) {
        if (entry.is_regular_file()) names.push_back(u8text(entry.path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string u8read(const std::string& path) {
    std::ifstream in(u8path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// é is in the Windows code page of western Europe, Ω and € are not in Latin-1 or not at all.
const Strings utf8names = {"Pentan\xc3\xa9-thermo.htm", "\xce\xa9-\xe2\x82\xac-thermo.htm",
                           "\xe6\x97\xa5\xe6\x9c\xac-thermo.htm"};

TEST(Utf8Names, NameTheSameFileOnEverySystem) {
    ScratchDir scratch;
    ASSERT_TRUE(scratch.valid());
    // The folder's own name is UTF-8 too, as a cache folder chosen by a user may be.
    const std::string dir = scratch.dir() + "Jos\xc3\xa9 \xce\xa9/";
    createcachedir(dir);
    ASSERT_TRUE(fs::is_directory(u8path(dir)));
    for (const std::string& name : utf8names) {
        const Failure stored = puttofile("page " + name, dir + name);
        ASSERT_TRUE(stored.ok()) << name << ": " << stored.reason;
        EXPECT_EQ(u8read(dir + name), "page " + name);
        EXPECT_TRUE(fileexists(dir + name)) << name;
        EXPECT_EQ(loadfromfile(dir + name), "page " + name);
        EXPECT_EQ(resolvename(dir, name), name);
    }
    // One more, put there by another program.
    const std::string dropped = "\xe6\x97\xa5\xe6\x9c\xac.txt";
    std::ofstream(u8path(dir + dropped)) << "x";

    Strings all = utf8names;
    all.push_back(dropped);
    std::sort(all.begin(), all.end());
    EXPECT_EQ(storednames(dir), all);
    Strings listed = listfiles(dir);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, all);
    EXPECT_EQ(findfirstmatch(dir, "*.TXT"), dropped);
    EXPECT_EQ(findfirstmatch(dir, "\xce\xa9*"), utf8names[1]);

    MessageRecorder messages;
    clearcache(dir, messages);
    ASSERT_EQ(messages.texts.size(), 2u);
    EXPECT_EQ(messages.texts[0], "This will clear all 4 files in directory " + dir + ".");
    EXPECT_EQ(storednames(dir), Strings{});
}

// The cache tells names apart by letter case on every system: the result pages of "CO" (carbon
// monoxide) and "Co" (cobalt) are other pages, though Windows has one file for both names.
TEST(LetterCase, NamesThatDifferInCaseAreOtherPages) {
    ScratchDir scratch;
    ASSERT_TRUE(scratch.valid());
    const std::string dir = scratch.dir();
    const std::string coname = "CO-&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on.htm";
    const std::string cobaltname = "Co-&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on.htm";
    const std::string co = dir + coname, cobalt = dir + cobaltname;
    ASSERT_TRUE(puttofile("carbon monoxide", co).ok());
    EXPECT_FALSE(fileexists(cobalt));
    EXPECT_EQ(loadfromfile(cobalt), "");
    EXPECT_EQ(resolvename(dir, "co-&noion=on&units=si&ctg=on&ctc=on&ctp=on.htm"), coname);

    // A search for Co finds no copy, fetches and keeps its page.
    const auto fetch = [](std::string body) { return [body] { return body; }; };
    Fetched got = cachedfetch(cobalt, false, fetch("cobalt"), keepas(cobalt));
    EXPECT_FALSE(got.fromcache);
    EXPECT_TRUE(got.stored.ok());
    EXPECT_EQ(loadfromfile(cobalt), "cobalt");
    // Searched again, CO never gets cobalt's page.
    got = cachedfetch(co, false, fetch("carbon monoxide, fetched"), keepas(co));
#ifdef _WIN32
    // One file for both names: carbon monoxide's page gave way to cobalt's, then back.
    EXPECT_FALSE(got.fromcache);
    EXPECT_EQ(got.body, "carbon monoxide, fetched");
    EXPECT_EQ(storednames(dir), Strings{coname});
    EXPECT_FALSE(fileexists(cobalt));
#else
    EXPECT_TRUE(got.fromcache);
    EXPECT_EQ(got.body, "carbon monoxide");
    EXPECT_EQ(storednames(dir), (Strings{coname, cobaltname}));
    EXPECT_EQ(loadfromfile(cobalt), "cobalt");
#endif
}

// Page and table bytes through the cache: no text mode adds or drops a carriage return, and
// Ctrl-Z, the end of a text file to Windows, is a byte like any other.
struct BytesRow {
    const char* why;
    std::string bytes;
};

std::string everybyte() {
    std::string bytes;
    for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
    return bytes;
}

const std::vector<BytesRow> bytesrows = {
    {"CRLF lines, as tables are written", "\"Name\",\"MW\"\r\n\"pentane\",\"72.15\"\r\n"},
    {"LF lines", "a\nb\n"},
    {"CR alone", "a\rb\r"},
    {"CR CR LF", "a\r\r\n"},
    {"LF CR", "a\n\rb"},
    {"CtrlZ", "a\x1a"
              "b\r\n"},
    {"NUL", std::string("a\0b", 3)},
    {"every byte", everybyte()},
};

class Bytes : public testing::TestWithParam<BytesRow> {};

TEST_P(Bytes, AreReadBackAsWritten) {
    ScratchDir scratch;
    ASSERT_TRUE(scratch.valid());
    const std::string path = scratch.dir() + "C5H12.csv";
    const std::string& bytes = GetParam().bytes;
    const Failure stored = puttofile(bytes, path);
    ASSERT_TRUE(stored.ok()) << stored.reason;
    EXPECT_EQ(fs::file_size(u8path(path)), bytes.size());
    EXPECT_EQ(u8read(path), bytes);
    EXPECT_EQ(loadfromfile(path), bytes);
}

INSTANTIATE_TEST_SUITE_P(Rows, Bytes, testing::ValuesIn(bytesrows),
                         [](const testing::TestParamInfo<BytesRow>& info) {
                             std::string tag;
                             for (const char c : std::string(info.param.why)) {
                                 if (std::isalnum(static_cast<unsigned char>(c))) tag += c;
                             }
                             return tag;
                         });

TEST(Replace, AnOldFileIsReplacedWholeAndNoTemporaryFileStays) {
    ScratchDir scratch;
    ASSERT_TRUE(scratch.valid());
    const std::string path = scratch.dir() + "C5H12.htm";
    ASSERT_TRUE(puttofile("an old table, longer than the new one\r\n", path).ok());
    ASSERT_TRUE(puttofile("new\r\n", path).ok());
    EXPECT_EQ(u8read(path), "new\r\n");
    ASSERT_TRUE(puttofile("xy", path, 3).ok());
    EXPECT_EQ(u8read(path), std::string("\0\0xy", 4));
    EXPECT_EQ(storednames(scratch.dir()), Strings{"C5H12.htm"});
}

TEST(Replace, AFileThatAnotherProgramHoldsOpen) {
    ScratchDir scratch;
    ASSERT_TRUE(scratch.valid());
    const std::string path = scratch.dir() + "C5H12.csv";
    ASSERT_TRUE(puttofile("old\r\n", path).ok());
    Failure replaced = failure(Fault::notstored, "not tried");
    {
        // As a spreadsheet holds the table it shows.
        std::ifstream reader(u8path(path), std::ios::binary);
        ASSERT_TRUE(reader);
        replaced = puttofile("new\r\n", path);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(reader), {}), "old\r\n");
    }
#ifdef _WIN32
    // Windows replaces no file that is open: the write fails, says why, and the old file stays
    // whole.
    EXPECT_EQ(replaced.fault, Fault::notstored);
    EXPECT_NE(replaced.reason, "");
    EXPECT_EQ(u8read(path), "old\r\n");
#else
    // The reader keeps the old file to the end; the name is the new file's.
    EXPECT_TRUE(replaced.ok()) << replaced.reason;
    EXPECT_EQ(u8read(path), "new\r\n");
#endif
    EXPECT_EQ(storednames(scratch.dir()), Strings{"C5H12.csv"});
}

// Why a write failed, in the same words on both systems.
TEST(Failures, AreToldInTheSameWords) {
    ScratchDir scratch;
    ASSERT_TRUE(scratch.valid());
    const std::string dir = scratch.dir();
    ASSERT_TRUE(puttofile("x", dir + "file").ok());
    fs::create_directory(u8path(dir + "folder"));
    const std::vector<std::pair<std::string, std::string>> rows = {
        {dir + "missing/C5H12.htm", "No such file or directory"},
        {dir + "file/C5H12.htm", "Not a directory"},
        {dir + "folder/", "Is a directory"},
    };
    for (const auto& [path, why] : rows) {
        const Failure failed = puttofile("x", path);
        EXPECT_EQ(failed.fault, Fault::notstored) << path;
        EXPECT_EQ(failed.reason, why) << path;
    }
}

#ifdef _WIN32
TEST(Failures, TextThatIsNotUtf8NamesNoFileOnWindows) {
    ScratchDir scratch;
    ASSERT_TRUE(scratch.valid());
    const std::string path = scratch.dir() + "Pentan\xe9.htm"; // é in Latin-1
    const Failure failed = puttofile("x", path);
    EXPECT_EQ(failed.fault, Fault::notstored);
    EXPECT_EQ(failed.reason, "Invalid argument");
    EXPECT_FALSE(fileexists(path));
    EXPECT_EQ(loadfromfile(path), "");
    EXPECT_EQ(storednames(scratch.dir()), Strings{});
}
#endif

TEST(CacheFolder, IsMadeWithItsParentsInTheSystemsSeparators) {
    ScratchDir scratch;
    ASSERT_TRUE(scratch.valid());
    const char separator = static_cast<char>(fs::path::preferred_separator);
    const std::string dir = scratch.dir() + "temp" + separator + "webdata" + separator;
    createcachedir(dir);
    createcachedir(dir);
    EXPECT_TRUE(fs::is_directory(scratch.path() / "temp" / "webdata"));
    ASSERT_TRUE(puttofile("x", dir + "C109660.gif").ok());
    EXPECT_EQ(listfiles(dir), Strings{"C109660.gif"});
}

#ifdef _WIN32
// The program's own folder on Windows. A folder that is there already may be someone's page
// cache: the test then leaves it alone. Under wine, C: is the build's own wine prefix.
TEST(CacheFolder, TheWindowsFolderIsMadeWhenMissingAndHoldsThePages) {
    const std::string dir = defaultcachedir();
    ASSERT_EQ(dir, "C:\\temp\\webdata\\");
    if (fs::exists(u8path("C:\\temp\\webdata"))) {
        GTEST_SKIP() << dir << " is there already and is left alone";
    }
    const bool hadtemp = fs::exists(u8path("C:\\temp"));
    createcachedir(dir);
    ASSERT_TRUE(fs::is_directory(u8path("C:\\temp\\webdata")));

    const std::vector<std::pair<std::string, std::string>> files = {
        {"C109660.gif", "GIF89a\r\n\x1a" + std::string(1, '\0')},
        {"C5H12-&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on.htm", "<html>result page</html>\r\n"},
        {"C5H12-C109660-thermo", "CAS-109-66-0"},
        {"C5H12-CAS-109-66-0-thermo.htm", "<base href=x>\r\n<html>pentane</html>"},
    };
    Strings names;
    for (const auto& [name, bytes] : files) {
        const std::string path = cachepath(dir, name);
        EXPECT_EQ(path, "C:\\temp\\webdata\\" + name);
        const Failure stored = puttofile(bytes, path);
        ASSERT_TRUE(stored.ok()) << name << ": " << stored.reason;
        EXPECT_TRUE(fileexists(path)) << name;
        EXPECT_EQ(loadfromfile(path), bytes) << name;
        EXPECT_EQ(u8read(path), bytes) << name;
        names.push_back(name);
    }
    Strings listed = listfiles(dir);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, names);
    EXPECT_EQ(findfirstmatch(dir, "c5h12-*-THERMO"), "C5H12-C109660-thermo");
    EXPECT_EQ(resolvename(dir, "c109660.gif"), "C109660.gif");

    MessageRecorder messages;
    clearcache(dir, messages);
    EXPECT_EQ(messages.texts,
              (Strings{"This will clear all 4 files in directory C:\\temp\\webdata\\.",
                       "Directory C:\\temp\\webdata\\ cleared."}));
    EXPECT_EQ(storednames(dir), Strings{});

    std::error_code ignored;
    fs::remove(u8path("C:\\temp\\webdata"), ignored);
    if (!hadtemp) fs::remove(u8path("C:\\temp"), ignored);
}
#endif

} // namespace
