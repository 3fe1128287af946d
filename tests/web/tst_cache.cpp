// The page cache: byte-exact files, safe names, the "*" lookup, clearing, and the one rule of
// cached copy or fetch.

#include <gtest/gtest.h>

#include <filesystem>

#include "scratch.h"
#include "web/cache.h"
#include "web/cachedfetch.h"
#include "web/safename.h"
#include "webfakes.h"

using namespace kestrix;
using namespace kestrix::test;
namespace fs = std::filesystem;

namespace {

class Cache : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(scratch_.valid());
        dir_ = (scratch_.path() / "c" / "").string();
        createcachedir(dir_); // its parent is missing too
        createcachedir(dir_);
        ASSERT_TRUE(fs::is_directory(dir_));
    }
    void write(const std::string& name, const std::string& content = "x") {
        ASSERT_TRUE(writebytes(dir_ + name, content));
    }
    std::string read(const std::string& name) const {
        return fs::exists(dir_ + name) ? readbytes(dir_ + name) : "<missing>";
    }
    // Every entry of the folder, hidden ones and folders too.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    ScratchDir scratch_;
    std::string dir_; // with a trailing separator
};

TEST_F(Cache, WritesAndReadsByteForByte) {
    std::string bytes = "\r\n\n\r";
    for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
    EXPECT_TRUE(puttofile(bytes, dir_ + "page.htm").ok());
    EXPECT_EQ(read("page.htm"), bytes);
    EXPECT_EQ(loadfromfile(dir_ + "page.htm"), bytes);
    EXPECT_TRUE(puttofile("short", dir_ + "page.htm").ok());
    EXPECT_EQ(read("page.htm"), "short");
    EXPECT_TRUE(puttofile("xy", dir_ + "at3", 3).ok());
    EXPECT_EQ(read("at3"), std::string("\0\0xy", 4));
    // Written through temporary files that do not stay behind.
    EXPECT_EQ(entries(), (std::vector<std::string>{"at3", "page.htm"}));
}

TEST_F(Cache, LoadsFromPositions) {
    struct Case {
        long pt;
        const char* bytes;
        long ptafter;
    };
    const Case cases[] = {{0, "abcdef", 0}, {2, "cdef", 2},      {6, "", 6},
                          {-3, "abc", 0},   {-100, "abcdef", 0}, {7, "", 7}};
    write("f", "abcdef");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pt);
        long pt = c.pt;
        EXPECT_EQ(loadfromfile(dir_ + "f", pt), c.bytes);
        EXPECT_EQ(pt, c.ptafter);
    }
}

TEST_F(Cache, MissingFoldersAndEmptyFilesAreNoPages) {
    EXPECT_EQ(loadfromfile(dir_ + "missing"), "");
    EXPECT_FALSE(fileexists(dir_ + "missing"));
    fs::create_directory(dir_ + "sub");
    EXPECT_EQ(loadfromfile(dir_ + "sub"), ""); // a directory is no page
    EXPECT_FALSE(fileexists(dir_ + "sub"));
    write("empty", "");
    EXPECT_TRUE(fileexists(dir_ + "empty"));
    long pt = -5;
    EXPECT_EQ(loadfromfile(dir_ + "empty", pt), "");
    EXPECT_EQ(pt, 0);
}

TEST_F(Cache, AFailedWriteSaysWhyAndLeavesNothing) {
    fs::create_directory(dir_ + "sub");
    write("kept.htm", "old");
    for (const std::string& path : {dir_ + "nodir/f.htm", dir_ + "sub", dir_ + "kept.htm/x"}) {
        SCOPED_TRACE(path);
        const Failure failed = puttofile("x", path);
        EXPECT_EQ(failed.fault, Fault::notstored);
        EXPECT_FALSE(failed.reason.empty());
    }
    EXPECT_EQ(entries(), (std::vector<std::string>{"kept.htm", "sub"}));
    EXPECT_EQ(read("kept.htm"), "old");
}

TEST_F(Cache, RefusesNamesThatLeaveTheFolder) {
    struct Case {
        std::string name;
        bool safe;
    };
    const Case cases[] = {{"C5H12-CAS-109-66-0-thermo.htm", true},
                          {"C5H12-&NoIon=on&Units=SI.htm", true},
                          {"C*-X1-", false}, // Windows forbids it, and the rules hold everywhere
                          {"...x", true},
                          {"", false},
                          {".", false},
                          {"..", false},
                          {"../etc", false},
                          {"a\\b", false},
                          {"a\nb", false},
                          {"a\tb", false},
                          {"a\x7f", false},
                          {std::string("a\0b", 3), false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(safename(c.name), c.safe);
        EXPECT_EQ(cachepath(dir_, c.name), c.safe ? dir_ + c.name : "");
    }
}

TEST_F(Cache, FindsFilesByPatternAndLetterCase) {
    write("C5H12-X1-thermo");
    write(".C5H12-X9-thermo");
    EXPECT_EQ(findfirstmatch(dir_, "c5h*-x1-THERMO"), "C5H12-X1-thermo");
    EXPECT_EQ(findfirstmatch(dir_, "*X1*"), "C5H12-X1-thermo");
    EXPECT_EQ(findfirstmatch(dir_, "C5H12-X1-thermo*"), "C5H12-X1-thermo");
    EXPECT_EQ(findfirstmatch(dir_, "*-X1"), "");
    EXPECT_EQ(findfirstmatch(dir_, "*X9*"), ""); // hidden
    EXPECT_EQ(resolvename(dir_, "c5h12-x1-thermo"), "C5H12-X1-thermo");
    EXPECT_EQ(resolvename(dir_, "C5H12-X1-thermo"), "C5H12-X1-thermo");
    EXPECT_EQ(resolvename(dir_, "c5h12-x2-thermo"), "");
    EXPECT_EQ(resolvename(dir_, "../c/C5H12-X1-thermo"), "");
}

TEST_F(Cache, ClearsItsOwnPlainFilesOnlyOnceAsked) {
    for (const bool ok : {true, false}) {
        SCOPED_TRACE(ok ? "ok" : "cancel");
        fs::remove_all(dir_);
        createcachedir(dir_);
        for (const char* name : {"a.htm", "X1.gif", "C5H12-X1-thermo", ".hidden"}) write(name);
        fs::create_directory(dir_ + "sub");
        write("sub/inner.htm");
        ASSERT_TRUE(writebytes(scratch_.path() / "outside", "x"));
        std::error_code error;
        fs::create_symlink(scratch_.path() / "outside", dir_ + "link", error);
        const bool linked = !error; // not every system lets a test make links

        MessageRecorder messages;
        messages.answer = ok ? Answer::ok : Answer::cancel;
        clearcache(dir_, messages);
        const std::string ask = "This will clear all 3 files in directory " + dir_ + ".";
        ASSERT_FALSE(messages.buttons.empty());
        EXPECT_EQ(messages.buttons.front(), Buttons::okcancel);
        if (ok) {
            EXPECT_EQ(messages.texts, (Strings{ask, "Directory " + dir_ + " cleared."}));
            EXPECT_EQ(messages.buttons.back(), Buttons::ok);
            std::vector<std::string> left{".hidden", "sub"};
            if (linked) left.insert(left.begin() + 1, "link");
            EXPECT_EQ(entries(), left);
        } else {
            EXPECT_EQ(messages.texts, Strings{ask});
            EXPECT_EQ(entries().size(), linked ? 6u : 5u);
        }
        EXPECT_TRUE(fs::exists(dir_ + "sub/inner.htm"));
        EXPECT_TRUE(fs::exists(scratch_.path() / "outside"));
    }
}

TEST_F(Cache, ClearingAnEmptyOrMissingFolderAsksNothing) {
    MessageRecorder messages;
    clearcache(dir_, messages);
    clearcache(dir_ + "missing/", messages);
    EXPECT_TRUE(messages.texts.empty());
}

// The cached copy ("-": none, "": empty, "html": not usable), forced or not, the fetch's answer
// ("-": failed); then the body, where it came from (c: cache, f: fetched, b: the copy because
// the fetch failed, n: nothing), whether the fetch ran, and the file after.
TEST_F(Cache, CachedCopyOrFetch) {
    struct Case {
        const char* name;
        std::string copy;
        bool force;
        std::string answer, body;
        char from;
        bool fetched;
        std::string after;
    };
    const Case cases[] = {
        {"copy", "old", false, "new", "old", 'c', false, "old"},
        {"no copy", "-", false, "new", "new", 'f', true, "new"},
        {"empty copy counts as missing", "", false, "new", "new", 'f', true, "new"},
        {"a copy not taken counts as missing", "html", false, "new", "new", 'f', true, "new"},
        {"forced", "old", true, "new", "new", 'f', true, "new"},
        {"failed fetch keeps the copy away", "-", false, "-", "", 'n', true, "<missing>"},
        {"failed forced fetch shows the copy", "old", true, "-", "old", 'b', true, "old"},
        {"failed forced fetch without a copy", "", true, "-", "", 'n', true, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir_ + "page.htm";
        fs::remove(path);
        if (c.copy != "-") write("page.htm", c.copy);
        bool fetched = false;
        const Fetched got = cachedfetch(
            path, c.force,
            [&] {
                fetched = true;
                return c.answer == "-" ? std::string() : c.answer;
            },
            keepas(path), [](const std::string& copy) { return copy != "html"; });
        EXPECT_EQ(got.body, c.body);
        EXPECT_EQ(got.fromcache, c.from == 'c' || c.from == 'b');
        EXPECT_EQ(got.fellback, c.from == 'b');
        EXPECT_EQ(fetched, c.fetched);
        EXPECT_EQ(read("page.htm"), c.after);
        EXPECT_TRUE(got.stored.ok());
    }
}

TEST_F(Cache, CachedFetchTellsAFailedStore) {
    const Fetched got = cachedfetch(
        dir_ + "missing/page.htm", false, [] { return std::string("new"); },
        keepas(dir_ + "missing/page.htm"));
    EXPECT_EQ(got.body, "new");
    // The reason alone: the caller names the folder once, in its own words.
    EXPECT_EQ(got.stored.fault, Fault::notstored);
    EXPECT_EQ(got.stored.reason, "No such file or directory");
}

} // namespace
