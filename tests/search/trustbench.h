#pragma once
// The formula search over the real fetcher, manners and drawings, against a scripted transfer
// that serves the C5H12 sample pages and drawings (at both drawing addresses) and misbehaves as
// a test asks; a fake clock; a page cache folder of its own. STOP is pressed the third time
// the fetcher waits on a stalled request. No Qt, no display, no network.

#include <chrono>
#include <filesystem>

#include "fakeclock.h"
#include "fakewindow.h"
#include "scriptedtransfer.h"
#include "web/politeness.h"

namespace kestrix::test {

struct TrustBench {
    TrustBench() {
        server::sethost(samplehost); // as a user names their server
        const std::filesystem::path data = std::filesystem::path(KESTRIX_TEST_DATA) / "server";
        transfer.served[server::formulaurl("C5H12")] = readbytes(data / "formula/C5H12.htm");
        for (const char* id : {"C109660", "C78784", "C463821"}) {
            const std::string name = id;
            transfer.served[server::compoundurl(id)] =
                readbytes(data / "compound" / (name + ".htm"));
            const std::string drawing = readbytes(data / "image" / (name + ".gif"));
            transfer.served[server::imageurl(id)] = drawing;
            transfer.served[server::structureurl(id)] = drawing;
        }
        window.now.formula = "C5H12";
        window.eventloop.onwait = [this] {
            transfer.deliver();
            if (!transfer.stalled()) return;
            if (++stalledpolls == 3) {
                requestsatstop = transfer.requests.size();
                search.Command1_Click();
            }
            // A fetcher that does not end at STOP waits for the transfer's time-out.
            if (stalledpolls == 100) transfer.timeoutall();
        };
        window.eventloop.onsleep = [this] {
            clock.advance(std::chrono::milliseconds(window.eventloop.sleeps.back()));
        };
        search.seed(1);
    }

    // Forgets what the searches so far did, keeping the cache.
    void forget() {
        transfer.requests.clear();
        transfer.cancels = 0;
        window.messagebox.texts.clear();
        window.enables.clear();
        window.panel.calls.clear();
        titles.captions.clear();
        stalledpolls = 0;
        requestsatstop = std::string::npos;
    }
    Strings cachefiles() const {
        Strings names;
        for (const auto& file : std::filesystem::directory_iterator(home)) {
            names.push_back(file.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    ScratchDir scratch;
    std::string home = scratch.path().string();
    std::string cachedir = scratch.dir();
    FakeWindow window;
    ScriptedTransfer transfer;
    TitleRecorder titles;
    FakeClock clock;
    Politeness politeness{clock};
    Fetcher fetcher{transfer, titles, window.eventloop, window.messagebox, nullptr, &politeness};
    PictureRecorder picture;
    ImageContext images{cachedir, fetcher, picture};
    FormulaSearch search{window, {cachedir, &fetcher, fetcher, images, 0, &politeness, &clock}};
    int stalledpolls = 0;
    std::size_t requestsatstop = std::string::npos; // requests made when STOP was pressed
};

} // namespace kestrix::test
