// Which hosts are asked over https, from what their answers showed.

#include <gtest/gtest.h>

#include "web/upgrades.h"

using namespace kestrix;

namespace {

TEST(HttpsUpgrades, FollowWhatTheAnswersShowed) {
    struct Case {
        const char* name;
        // An answer: the address asked, the one answered, with Strict-Transport-Security.
        std::string asked, answered;
        bool hsts;
        // Then an address, and what it becomes.
        std::string address, becomes;
    };
    const Case cases[] = {
        {"redirect to https on the same host", "http://a.test/x", "https://a.test/x", false,
         "http://a.test/y?q=1", "https://a.test/y?q=1"},
        {"the host in any case, the default port dropped", "http://A.test:80/x", "https://a.test/x",
         false, "http://a.TEST/y", "https://a.test/y"},
        {"another port kept", "http://a.test/x", "https://a.test/x", false, "http://a.TEST:8080/y",
         "https://a.test:8080/y"},
        {"a host set with its port keeps it", "http://h.test:8080/x", "https://h.test:8443/x",
         false, "http://h.test:8080/y?q", "https://h.test:8443/y?q"},
        {"other hosts stay", "http://a.test/x", "https://a.test/x", false, "http://b.test/y",
         "http://b.test/y"},
        {"redirect to another host", "http://a.test/x", "https://b.test/x", false,
         "http://a.test/y", "http://a.test/y"},
        {"redirect to http", "http://a.test/x", "http://a.test/z", false, "http://a.test/y",
         "http://a.test/y"},
        {"strict transport over https", "https://a.test/x", "https://a.test/x", true,
         "http://a.test/y", "https://a.test/y"},
        {"strict transport over http is no promise", "http://a.test/x", "http://a.test/x", true,
         "http://a.test/y", "http://a.test/y"},
        {"plain answer", "http://a.test/x", "http://a.test/x", false, "http://a.test/y",
         "http://a.test/y"},
        {"https asked stays", "http://a.test/x", "https://a.test/x", false, "https://a.test/y",
         "https://a.test/y"},
        {"no path", "http://a.test/x", "https://a.test/x", false, "http://a.test",
         "https://a.test"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HttpsUpgrades upgrades;
        EXPECT_EQ(upgrades.apply(c.address), c.address); // nothing known yet
        upgrades.observe(c.asked, c.answered, c.hsts);
        EXPECT_EQ(upgrades.apply(c.address), c.becomes);
    }
}

} // namespace
