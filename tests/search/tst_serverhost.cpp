// The server host set at run time: the environment variable overrides the build setting, every
// address uses it, and a search that finds no answer does not call it a placeholder.

#include <gtest/gtest.h>

#include <cstdlib>

#include "fakewindow.h"

using namespace kestrix;
using namespace kestrix::test;

TEST(ServerHost, TheEnvironmentVariableOverridesTheBuildSetting) {
    EXPECT_EQ(server::host(), "chemistry.example.test");
    EXPECT_FALSE(server::placeholder());
    EXPECT_EQ(server::compoundurl("C1"),
              "http://chemistry.example.test/cgi/cbook.cgi?ID=C1&Units=SI&Mask=7");
}

TEST(ServerHost, ARealHostIsNotCalledAPlaceholder) {
    SearchBench b;
    b.pages.pages.clear();
    b.pages.reason = "Host chemistry.example.test not found";
    b.search.dosearch(b.window.now);
    ASSERT_EQ(b.window.messagebox.texts.size(), 1u);
    EXPECT_EQ(b.window.messagebox.texts[0],
              "The search results for C5H12 could not be had from chemistry.example.test: Host "
              "chemistry.example.test not found");
}

int main(int argc, char** argv) {
    // Before anything asks for the host, as at the program's start.
#ifdef _WIN32
    _putenv_s("KESTRIX_SERVER_HOST", "chemistry.example.test");
#else
    setenv("KESTRIX_SERVER_HOST", "chemistry.example.test", 1);
#endif
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
