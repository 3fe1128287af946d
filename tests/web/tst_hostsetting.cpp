// The server host the user sets once: what reads as a host, the file it is kept in, and the
// folder that file lies in.

#include <gtest/gtest.h>

#include <cstdlib>

#include "scratch.h"
#include "web/hostsetting.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

TEST(HostSetting, ReadsWhatTheUserTypedAsAHost) {
    struct Case {
        std::string typed, host; // host empty: refused
    };
    const Case cases[] = {{"chem.example.org", "chem.example.org"},
                          {"  chem.example.org  ", "chem.example.org"},
                          {"http://chem.example.org/", "chem.example.org"},
                          {"HTTPS://chem.example.org", "chem.example.org"},
                          {"chem.example.org:8080", "chem.example.org:8080"},
                          {"127.0.0.1:1", "127.0.0.1:1"},
                          {"localhost", "localhost"},
                          {"", ""},
                          {"   ", ""},
                          {"http://", ""},
                          {"chem example.org", ""},
                          {"chem.example.org/cgi", ""},
                          {"user@chem.example.org", ""},
                          {"chem.example.org:", ""},
                          {"chem.example.org:0", ""},
                          {"chem.example.org:65536", ""},
                          {"chem.example.org:80a", ""},
                          {"-chem.example.org", ""},
                          {".chem", ""},
                          {"chem..org", ""},
                          {"ch\xc3\xa9m.org", ""},
                          {std::string(254, 'a'), ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        std::string problem;
        EXPECT_EQ(readhost(c.typed, &problem), c.host);
        EXPECT_EQ(problem.empty(), !c.host.empty()) << problem;
    }
}

TEST(HostSetting, KeepsTheHostAsTheFilesOneLine) {
    ScratchDir scratch;
    const std::string path = (scratch.path() / "kestrix" / "server").string();
    EXPECT_EQ(savedhost(path), "");                            // no file yet
    ASSERT_TRUE(savehost("chem.example.org:8080", path).ok()); // its folder made too
    EXPECT_EQ(readbytes(path), "chem.example.org:8080\n");
    EXPECT_EQ(savedhost(path), "chem.example.org:8080");
    ASSERT_TRUE(savehost("other.example.org", path).ok());
    EXPECT_EQ(savedhost(path), "other.example.org");
    // Only the file's first line counts, and only when it reads as a host.
    writebytes(path, " first.example.org \r\nsecond.example.org\n");
    EXPECT_EQ(savedhost(path), "first.example.org");
    writebytes(path, "not a host\n");
    EXPECT_EQ(savedhost(path), "");
    EXPECT_EQ(savedhost(""), "");
}

TEST(HostSetting, AFileThatCannotBeWrittenIsTold) {
    ScratchDir scratch;
    writebytes(scratch.path() / "kestrix", "a file where the folder would be");
    const Failure failed =
        savehost("chem.example.org", (scratch.path() / "kestrix" / "server").string());
    EXPECT_EQ(failed.fault, Fault::notstored);
    EXPECT_FALSE(failed.reason.empty());
    EXPECT_EQ(savehost("chem.example.org", "").fault, Fault::notstored);
}

#ifndef _WIN32
TEST(HostSetting, TheFileLiesInTheUsersConfigurationFolder) {
    struct Case {
        const char* config; // XDG_CONFIG_HOME; null: not set
        const char* home;
        std::string path;
    };
    const Case cases[] = {{"/cfg", "/home/u", "/cfg/kestrix/server"},
                          {nullptr, "/home/u", "/home/u/.config/kestrix/server"},
                          {"", "/home/u", "/home/u/.config/kestrix/server"},
                          {"relative", "/home/u", "/home/u/.config/kestrix/server"},
                          {nullptr, nullptr, ""}};
    const char* keptconfig = std::getenv("XDG_CONFIG_HOME");
    const char* kepthome = std::getenv("HOME");
    const std::string oldconfig = keptconfig ? keptconfig : "", oldhome = kepthome ? kepthome : "";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        c.config ? setenv("XDG_CONFIG_HOME", c.config, 1) : unsetenv("XDG_CONFIG_HOME");
        c.home ? setenv("HOME", c.home, 1) : unsetenv("HOME");
        EXPECT_EQ(hostfilepath(), c.path);
    }
    keptconfig ? setenv("XDG_CONFIG_HOME", oldconfig.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
    kepthome ? setenv("HOME", oldhome.c_str(), 1) : unsetenv("HOME");
}
#endif

} // namespace
