// Structure drawings: cached as <identifier>.gif, fetched once as bytes, at the older address
// first and at today's after it.

#include <gtest/gtest.h>

#include <filesystem>

#include "scratch.h"
#include "web/cache.h"
#include "web/images.h"
#include "web/server.h"
#include "webfakes.h"

using namespace kestrix;
using namespace kestrix::test;
namespace fs = std::filesystem;

namespace {

class Images : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(scratch_.valid());
        // A folder below the scratch folder, so that a name leaving it would land in sight.
        dir_ = (scratch_.path() / "c" / "").string();
        createcachedir(dir_);
    }
    Failure show(const std::string& sid) {
        ImageContext context{dir_, pages_, picture_};
        return getgif(sid, context);
    }
    bool stored(const std::string& sid) const { return fs::exists(dir_ + sid + ".gif"); }

    ScratchDir scratch_;
    std::string dir_;
    PageRecorder pages_;
    PictureRecorder picture_;
};

TEST_F(Images, ACachedDrawingAsksNothing) {
    ASSERT_TRUE(puttofile("GIF89a old", dir_ + "X1.gif").ok());
    EXPECT_TRUE(show("X1").ok());
    EXPECT_TRUE(pages_.opened.empty());
    EXPECT_EQ(picture_.calls, (Strings{"clear", "show GIF89a old"}));
}

TEST_F(Images, AFetchedDrawingIsKeptByteForByte) {
    const std::string url = "http://" + std::string(server::host()) + "/cgi/cbook.cgi?Reduced=X1";
    const std::string bytes("GIF89a\0\r\n\xff", 10);
    pages_.drawings[url] = bytes;
    EXPECT_TRUE(show("X1").ok());
    EXPECT_EQ(pages_.opened, Strings{url});
    EXPECT_EQ(loadfromfile(dir_ + "X1.gif"), bytes);
    EXPECT_EQ(picture_.calls, (Strings{"clear", "show " + bytes}));
    show("X1"); // from the file now
    EXPECT_EQ(pages_.opened.size(), 1u);
}

TEST_F(Images, NothingReceivedShowsNothingAndStoresNothing) {
    EXPECT_TRUE(show("X2").ok());
    EXPECT_EQ(pages_.opened, (Strings{server::imageurl("X2"), server::structureurl("X2")}));
    EXPECT_FALSE(stored("X2"));
    EXPECT_EQ(picture_.calls, Strings{"clear"});
    // Only the design's address is a guess.
    EXPECT_EQ(pages_.guesses, (std::vector<bool>{true, false}));
}

TEST_F(Images, FallsBackToTodaysAddress) {
    struct Case {
        const char* name;
        // What the older address and today's answer ("-": nothing).
        std::string older, today;
        // The addresses asked in order (o: older, t: today's), what is stored and shown.
        std::string asked, kept;
    };
    const Case cases[] = {
        {"older answers", "GIF89a old", "GIF89a new", "o", "GIF89a old"},
        {"older fails", "-", "GIF89a new", "ot", "GIF89a new"},
        {"older answers with a page", "<html>Error</html>", "GIF89a new", "ot", "GIF89a new"},
        {"a PNG", "-", "\x89PNG\r\n\x1a\n png", "ot", "\x89PNG\r\n\x1a\n png"},
        {"a JPEG", "-", "\xff\xd8\xff jpeg", "ot", "\xff\xd8\xff jpeg"},
        {"pages at both", "<html>a</html>", "<html>b</html>", "ot", "-"},
        {"nothing at both", "-", "-", "ot", "-"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(dir_ + "X1.gif");
        pages_ = PageRecorder();
        picture_ = PictureRecorder();
        if (c.older != "-") pages_.drawings[server::imageurl("X1")] = c.older;
        if (c.today != "-") pages_.drawings[server::structureurl("X1")] = c.today;
        ImageContext context{dir_, pages_, picture_};
        getgif("X1", context);
        Strings asked;
        for (char a : c.asked) {
            asked.push_back(a == 'o' ? server::imageurl("X1") : server::structureurl("X1"));
        }
        EXPECT_EQ(pages_.opened, asked);
        const bool kept = c.kept != "-";
        EXPECT_EQ(stored("X1"), kept);
        if (kept) {
            EXPECT_EQ(loadfromfile(dir_ + "X1.gif"), c.kept);
        }
        EXPECT_EQ(picture_.calls.back(), kept ? "show " + c.kept : "clear");
        // Today's address answered: the next drawing of the run goes there first.
        EXPECT_EQ(context.usestructure, c.asked == "ot" && kept);
    }
}

// Whether the older address has no drawing or refuses the guess, the run goes to today's
// address from then on, and the search goes on.
TEST_F(Images, TodaysAddressIsRememberedForTheRun) {
    for (const bool refused : {false, true}) {
        pages_ = {};
        for (const char* name : {"X1.gif", "X2.gif"}) std::filesystem::remove(dir_ + name);
        if (refused)
            pages_.results[server::imageurl("X1")] = failed(Fault::refused, "refused", 403);
        pages_.drawings[server::structureurl("X1")] = "GIF89a 1";
        pages_.drawings[server::structureurl("X2")] = "GIF89a 2";
        ImageContext context{dir_, pages_, picture_};
        getgif("X1", context);
        getgif("X2", context);
        EXPECT_EQ(pages_.opened, (Strings{server::imageurl("X1"), server::structureurl("X1"),
                                          server::structureurl("X2")}))
            << refused;
        EXPECT_EQ(loadfromfile(dir_ + "X2.gif"), "GIF89a 2") << refused;
    }
}

TEST_F(Images, AStoppedGuessAsksNoFurther) {
    pages_.results[server::imageurl("X1")] = failed(Fault::stopped, "stopped");
    pages_.drawings[server::structureurl("X1")] = "GIF89a 1";
    show("X1");
    EXPECT_EQ(pages_.opened, Strings{server::imageurl("X1")});
    EXPECT_FALSE(stored("X1"));
}

// A page stored as a drawing by an older version counts as missing.
TEST_F(Images, ACachedPageIsFetchedAgain) {
    ASSERT_TRUE(puttofile("<html>Error</html>", dir_ + "X1.gif").ok());
    pages_.drawings[server::imageurl("X1")] = "GIF89a new";
    show("X1");
    EXPECT_EQ(pages_.opened.size(), 1u);
    EXPECT_EQ(loadfromfile(dir_ + "X1.gif"), "GIF89a new");
}

// A drawing that cannot be stored is still shown from the bytes received, and the store's
// failure is told.
TEST_F(Images, ADrawingNotStoredStillShows) {
    pages_.drawings[server::imageurl("X3")] = "GIF89a new";
    dir_ += "missing/";
    const Failure failed = show("X3");
    EXPECT_EQ(failed.fault, Fault::notstored);
    EXPECT_EQ(picture_.calls, (Strings{"clear", "show GIF89a new"}));
    EXPECT_FALSE(stored("X3"));
}

TEST_F(Images, AnUnsafeIdentifierAsksNothing) {
    for (const char* sid : {"../X1", "a/X1", "X1\n"}) {
        pages_.drawings[server::imageurl(sid)] = "GIF89a";
        show(sid);
    }
    EXPECT_TRUE(pages_.opened.empty());
    EXPECT_EQ(picture_.calls, (Strings{"clear", "clear", "clear"}));
    EXPECT_TRUE(filenames(scratch_.path()).empty());
    EXPECT_TRUE(filenames(dir_).empty());
}

} // namespace
