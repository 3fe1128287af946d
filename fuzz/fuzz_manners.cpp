// The client's manners on arbitrary answers: Retry-After values, challenge pages and https
// upgrades. An upgrade changes only the scheme of an address of an upgraded host, and keeps
// its path; a Retry-After is a count of seconds or nothing.
//
// The input is cut at zero bytes: the address asked, the address that answered, a next
// address, a Retry-After value, a page.
#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "split.h"
#include "web/politeness.h"
#include "web/upgrades.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parts = kestrix::fuzz::splitinput(data, size, '\0');
    const std::string asked = kestrix::fuzz::part(parts, 0);
    const std::string answered = kestrix::fuzz::part(parts, 1);
    const std::string next = kestrix::fuzz::part(parts, 2);

    kestrix::HttpsUpgrades upgrades;
    FUZZ_CHECK(upgrades.apply(next) == next); // nothing learnt yet
    upgrades.observe(asked, answered, size % 2 == 0);
    const std::string applied = upgrades.apply(next);
    if (applied != next) {
        FUZZ_CHECK(next.size() >= 7 && applied.starts_with("https://"));
        const std::string rest = next.substr(7);
        const auto end = rest.find_first_of("/?#");
        if (end != std::string::npos) FUZZ_CHECK(applied.ends_with(rest.substr(end)));
        FUZZ_CHECK(upgrades.apply(applied) == applied); // https stays
    }

    const auto seconds =
        kestrix::retryafterseconds(kestrix::fuzz::part(parts, 3), std::chrono::system_clock::now());
    if (seconds) FUZZ_CHECK(*seconds >= 0 && std::isfinite(*seconds));
    kestrix::ischallenge(kestrix::fuzz::part(parts, 4));
    return 0;
}
