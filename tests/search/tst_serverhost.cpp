// The server host: the environment's over the saved one over the build's, and the one the
// program takes at its start when the environment names one beside a saved host.

#include <gtest/gtest.h>

#include <cstdlib>

#include "scratch.h"
#include "web/hostsetting.h"
#include "web/server.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

void setenvironment(const char* name, const std::string& value) {
#ifdef _WIN32
    _putenv_s(name, value.c_str());
#else
    setenv(name, value.c_str(), 1);
#endif
}

TEST(ServerHost, TheEnvironmentBeforeTheSavedHostBeforeTheBuild) {
    struct Case {
        const char* environment; // null: not set
        std::string saved, chosen;
    };
    const Case cases[] = {{"env.example.test", "saved.example.test", "env.example.test"},
                          {"env.example.test", "", "env.example.test"},
                          {"", "saved.example.test", "saved.example.test"},
                          {nullptr, "saved.example.test", "saved.example.test"},
                          {nullptr, "", "built.example.test"},
                          {"", "", "built.example.test"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        EXPECT_EQ(server::choosehost(c.environment, c.saved, "built.example.test"), c.chosen);
    }
}

TEST(ServerHost, TheProgramTakesTheEnvironmentsHostOverASavedOne) {
    // Set in main, before anything asked for the host, as at the program's start.
    EXPECT_EQ(server::host(), "chemistry.example.test");
    EXPECT_TRUE(server::hostfromenvironment());
    EXPECT_FALSE(server::placeholder());
    EXPECT_EQ(server::compoundurl("C1"),
              "http://chemistry.example.test/cgi/cbook.cgi?ID=C1&Units=SI&Mask=7");
}

} // namespace

int main(int argc, char** argv) {
    ScratchDir config;
    writebytes(config.path() / "kestrix" / "server", "saved.example.test\n");
    setenvironment("XDG_CONFIG_HOME", config.path().string());
    setenvironment("KESTRIX_SERVER_HOST", "chemistry.example.test");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
