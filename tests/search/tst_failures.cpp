// The failure matrix: each kind of request (result page, compound page, drawing at the older
// address, drawing at today's) meets each fault (500, 403, a challenge under 200, 429 with a
// Retry-After, a stall, an answer cut short, a refused connection) with a cold cache, a warm
// one, and "Go to NIST Every Time". Each cell checks the list, the one message, the cache, and
// that STOP during a stall ends the search at once with no request after it.

#include <gtest/gtest.h>

#include "search/searchmessage.h"
#include "trustbench.h"
#include "web/cachenames.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

// What one cell must show. list: the compounds in list order, P pentane, M 2-methylbutane,
// D 2,2-dimethylpropane, "?" after one listed without a value. message: fragments of the one
// message, "|" between them; empty for no message. files: what the cache holds afterwards
// (R result page; P, M, D a compound's identifier and page files; p, m, d its drawing).
struct Expect {
    const char* list;
    const char* message;
    const char* files;
};
struct Row {
    std::string_view kind;
    const char* fault;
    Expect cold, warm, force;
};

constexpr Expect untouched{"D M P", "", "R P M D p m d"};
constexpr Expect cachedone{"D M P", "1 cached copy was shown", "R P M D p m d"};
constexpr Expect refusedforced{"D M P", "refused the requests|4 cached copies were shown",
                               "R P M D p m d"};

const Row rows[] = {
    {"result", "500", {"", "could not be had from|status 500", ""}, untouched, cachedone},
    {"result", "403", {"", "refused the requests", ""}, untouched, refusedforced},
    {"result", "challenge", {"", "refused the requests", ""}, untouched, refusedforced},
    {"result", "429", {"", "could not be had from|asked to wait 2 s", ""}, untouched, cachedone},
    {"result", "stall", {"", "", ""}, untouched, {"", "", "R P M D p m d"}},
    {"result",
     "cutshort",
     {"", "could not be had from|before the whole answer", ""},
     untouched,
     cachedone},
    {"result",
     "refused",
     {"", "could not be had from|connection was refused", ""},
     untouched,
     cachedone},

    {"compound",
     "500",
     {"D P M?", "Not had from|2-methylbutane (status 500).", "R P D p m d"},
     untouched,
     cachedone},
    {"compound",
     "403",
     {"P", "refused the requests|2-methylbutane (refused)", "R P p"},
     untouched,
     {"D M P", "refused the requests|2 cached copies were shown", "R P M D p m d"}},
    {"compound",
     "challenge",
     {"P", "refused the requests|2-methylbutane (refused)", "R P p"},
     untouched,
     {"D M P", "refused the requests|2 cached copies were shown", "R P M D p m d"}},
    {"compound",
     "429",
     {"D P M?", "2-methylbutane (asked to wait)", "R P D p m d"},
     untouched,
     cachedone},
    {"compound", "stall", {"P", "", "R P p"}, untouched, {"M P", "", "R P M D p m d"}},
    {"compound",
     "cutshort",
     {"D P M?", "2-methylbutane (cut short)", "R P D p m d"},
     untouched,
     cachedone},
    {"compound",
     "refused",
     {"D P M?", "2-methylbutane (no answer)", "R P D p m d"},
     untouched,
     cachedone},

    // A drawing that cannot be had is no failure of the search; a refusal at the older address
    // only sends the program to today's.
    {"olddrawing", "500", untouched, untouched, untouched},
    {"olddrawing", "403", untouched, untouched, untouched},
    {"olddrawing", "challenge", untouched, untouched, untouched},
    {"olddrawing", "429", untouched, untouched, untouched},
    {"olddrawing", "stall", {"M P", "", "R P M p"}, untouched, untouched},
    {"olddrawing", "cutshort", untouched, untouched, untouched},
    {"olddrawing", "refused", untouched, untouched, untouched},

    {"todaydrawing", "500", {"D M P", "", "R P M D p d"}, untouched, untouched},
    {"todaydrawing", "403", {"M P", "refused the requests", "R P M p"}, untouched, untouched},
    {"todaydrawing", "challenge", {"M P", "refused the requests", "R P M p"}, untouched, untouched},
    {"todaydrawing", "429", {"D M P", "", "R P M D p d"}, untouched, untouched},
    {"todaydrawing", "stall", {"M P", "", "R P M p"}, untouched, untouched},
    {"todaydrawing", "cutshort", {"D M P", "", "R P M D p d"}, untouched, untouched},
    {"todaydrawing", "refused", {"D M P", "", "R P M D p d"}, untouched, untouched},
};

// The address each kind of request misbehaves at.
std::string target(std::string_view kind) {
    if (kind == "result") return server::formulaurl("C5H12");
    if (kind == "compound") return server::compoundurl("C78784");
    if (kind == "olddrawing") return server::imageurl("C78784");
    return server::structureurl("C78784");
}

Misbehaviour fault(std::string_view name) {
    const std::string challenge =
        readbytes(std::string(KESTRIX_TEST_DATA) + "/server/challenge.htm");
    if (name == "500") return Misbehaviour::answer(500, "<html><h1>Error 500</h1></html>");
    if (name == "403") return Misbehaviour::answer(403, "<html><h1>Forbidden</h1></html>");
    if (name == "challenge") return Misbehaviour::answer(200, challenge);
    if (name == "429") return Misbehaviour::answer(429, "Too many requests", "2");
    if (name == "stall") return Misbehaviour::stalling();
    if (name == "cutshort") return Misbehaviour::cut();
    return Misbehaviour::refusing();
}

// The bytes each cache file holds when it holds what the server served, by file code.
std::map<char, std::map<std::string, std::string>> servedfiles() {
    const std::string data = std::string(KESTRIX_TEST_DATA) + "/server/";
    std::map<char, std::map<std::string, std::string>> files;
    files['R'][resultpagename("C5H12")] = readbytes(data + "formula/C5H12.htm");
    const struct {
        char page, drawing;
        const char *id, *cas;
    } compounds[] = {{'P', 'p', "C109660", "109-66-0"},
                     {'M', 'm', "C78784", "78-78-4"},
                     {'D', 'd', "C463821", "463-82-1"}};
    for (const auto& c : compounds) {
        const std::string id = c.id, cas = c.cas;
        files[c.page]["C5H12-" + id + "-thermo"] = "CAS-" + cas;
        files[c.page]["C5H12-CAS-" + cas + "-thermo.htm"] =
            "<base href=" + server::compoundurl(id) + ">\r\n" +
            readbytes(data + "compound/" + id + ".htm");
        files[c.drawing][id + ".gif"] = readbytes(data + "image/" + id + ".gif");
    }
    return files;
}

std::string listed(const FakeWindow& window) {
    std::string text;
    const Strings names = window.column(3), values = window.column(2);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!text.empty()) text += ' ';
        text += names[i] == "pentane" ? 'P' : names[i] == "2-methylbutane" ? 'M' : 'D';
        if (values[i] == "BP ?") text += '?';
    }
    return text;
}

void check(TrustBench& b, const Expect& want, const std::string& cell) {
    SCOPED_TRACE(cell);
    EXPECT_EQ(listed(b.window), want.list);
    const std::string fragments = want.message;
    if (fragments.empty()) {
        EXPECT_EQ(b.window.messagebox.texts, Strings{});
    } else {
        ASSERT_EQ(b.window.messagebox.texts.size(), 1u);
        const std::string& text = b.window.messagebox.texts[0];
        std::string rest = fragments;
        while (!rest.empty()) {
            const std::string piece = rest.substr(0, rest.find('|'));
            rest.erase(0, std::min(rest.size(), piece.size() + 1));
            EXPECT_NE(text.find(piece), std::string::npos) << piece << " in: " << text;
        }
    }
    // Exactly the files of the codes, each holding what the server served under its name.
    const auto served = servedfiles();
    Strings expected;
    for (char code : std::string(want.files)) {
        if (code == ' ') continue;
        for (const auto& [name, bytes] : served.at(code)) {
            expected.push_back(name);
            EXPECT_EQ(readbytes(b.cachedir + name), bytes) << name;
        }
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(b.cachefiles(), expected);
    EXPECT_FALSE(b.window.isearching);
}

} // namespace

TEST(FailureMatrix, EveryKindEveryFaultEveryCacheState) {
    int cells = 0;
    for (const Row& row : rows) {
        for (const char* state : {"cold", "warm", "force"}) {
            const std::string cell = std::string(row.kind) + " " + row.fault + " " + state;
            TrustBench b;
            const bool today = row.kind == "todaydrawing";
            // Today's server knows no drawing at the older address.
            const auto oldaddress = [&](const std::string& url) {
                return today && url.find("Reduced=") != std::string::npos;
            };
            b.transfer.script = [&](const std::string& url) -> std::optional<Misbehaviour> {
                if (oldaddress(url)) return Misbehaviour::answer(404);
                return std::nullopt;
            };
            if (std::string_view(state) != "cold") {
                b.search.Command1_Click();
                ASSERT_EQ(listed(b.window), "D M P") << cell;
                b.forget();
            }
            const std::string at = target(row.kind);
            const Misbehaviour how = fault(row.fault);
            b.transfer.script = [&](const std::string& url) -> std::optional<Misbehaviour> {
                if (oldaddress(url)) return Misbehaviour::answer(404);
                if (url == at) return how;
                return std::nullopt;
            };
            b.window.now.iforcenew = std::string_view(state) == "force";
            b.search.Command1_Click();

            const Expect& want = std::string_view(state) == "cold"   ? row.cold
                                 : std::string_view(state) == "warm" ? row.warm
                                                                     : row.force;
            check(b, want, cell);
            if (std::string_view(state) == "warm") {
                EXPECT_EQ(b.transfer.requests, Strings{}) << cell;
            }
            // STOP during a stall: the stalled request is cancelled, the search ends at once,
            // and not one request starts after it.
            if (b.requestsatstop != std::string::npos) {
                EXPECT_EQ(b.transfer.requests.size(), b.requestsatstop) << cell;
                EXPECT_EQ(b.transfer.cancels, 1) << cell;
                EXPECT_EQ(b.window.enables, (std::vector<bool>{false, true})) << cell;
            }
            // A stall is met unless the cache answers for the stalling address.
            const bool cached =
                std::string_view(state) == "warm" ||
                (std::string_view(state) == "force" && !row.kind.starts_with("result") &&
                 !row.kind.starts_with("compound"));
            const bool stalls = std::string_view(row.fault) == "stall" && !cached;
            EXPECT_EQ(b.requestsatstop != std::string::npos, stalls) << cell;
            ++cells;
        }
    }
    EXPECT_EQ(cells, 84);
}

// A Search press while a list click waits on a drawing that never comes: the click's request
// is cancelled, no search runs inside the click, and the queued search then runs and shows
// its own first entry, not the clicked drawing.
TEST(ClickWait, ASearchPressDuringAClickRunsAfterIt) {
    TrustBench b;
    b.search.Command1_Click();
    ASSERT_EQ(listed(b.window), "D M P");
    std::filesystem::remove(b.cachedir + "C109660.gif");
    b.forget();
    ASSERT_EQ(b.window.list.at(2).id, "C109660");
    b.transfer.script = [](const std::string& url) -> std::optional<Misbehaviour> {
        if (url.find("C109660") != std::string::npos) return Misbehaviour::stalling();
        return std::nullopt;
    };
    std::size_t requestsinclick = 0;
    b.window.eventloop.onwait = [&] {
        b.transfer.deliver();
        if (b.transfer.stalled() && requestsinclick == 0) {
            requestsinclick = b.transfer.requests.size();
            b.search.Command1_Click(); // the Search press arrives during the click's wait
        }
    };
    b.picture.calls.clear();
    // What the click had done when it ended, before the search asked for meanwhile runs.
    std::size_t requestsatend = 0;
    Strings picturesatend;
    std::vector<bool> enablesatend;
    b.window.onenablelist = [&](bool tf) {
        if (!tf || !picturesatend.empty()) return;
        requestsatend = b.transfer.requests.size();
        picturesatend = b.picture.calls;
        enablesatend = b.window.enables;
        b.transfer.script = nullptr;
    };
    b.search.showentry(2);
    EXPECT_EQ(requestsatend, requestsinclick); // nothing started inside the click
    EXPECT_EQ(enablesatend, std::vector<bool>{});
    EXPECT_EQ(picturesatend, (Strings{"clear", "clear"})); // and no drawing shown
    EXPECT_EQ(b.transfer.cancels, 1);

    // Then the search ran.
    EXPECT_EQ(b.window.enables, (std::vector<bool>{false, true}));
    EXPECT_EQ(listed(b.window), "D M P");
    // The search shows its first entry: 2,2-dimethylpropane's data and drawing.
    EXPECT_EQ(b.window.panel.calls.back().rfind("text CAS# 463-82-1", 0), 0u);
    ASSERT_FALSE(b.picture.calls.empty());
    EXPECT_EQ(b.picture.calls.back(), "show " + readbytes(std::filesystem::path(KESTRIX_TEST_DATA) /
                                                          "server/image/C463821.gif"));
}

// The one message names at most ten compounds, then counts the rest.
TEST(SearchMessage, NamesTenThenCountsTheRest) {
    const std::string host(server::host());
    struct Case {
        int notHad;
        std::string tail; // how the sentence ends
    };
    const Case cases[] = {
        {1, ": c1 (status 500)."},
        {10, ", c9 (time-out), c10 (status 500)."},
        {11, ", c10 (status 500) and 1 more."},
        {25, ", c10 (status 500) and 15 more."},
    };
    for (const Case& c : cases) {
        FetchReport report;
        for (int i = 1; i <= c.notHad; ++i)
            report.pages.push_back(
                {"c" + std::to_string(i), i % 3 == 0 ? "time-out" : "status 500"});
        const std::string text = searchmessage(report, "C5H12", "/cache/");
        SCOPED_TRACE(c.notHad);
        EXPECT_EQ(text.rfind("Not had from " + host +
                                 ": c1 (status 500), c2 (status 500), "
                                 "c3 (time-out)",
                             0),
                  c.notHad >= 3 ? 0u : std::string::npos);
        EXPECT_TRUE(text.substr(0, text.find("\r\n")).ends_with(c.tail)) << text;
    }
}
