#pragma once
// The window as the formula search drives it, recorded: its flag, enabling, list, data box and
// panel; plus a sample server in memory (pages and drawings of tests/data by address) and a
// page cache folder of its own. No Qt, no display, no network.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/sortedentries.h"
#include "fakeclock.h"
#include "fakes.h"
#include "samplehost.h"
#include "scratch.h"
#include "search/formulasearch.h"
#include "web/server.h"

namespace kestrix::test {

class FakeWindow : public SearchWindow {
  public:
    SearchChoices choices() const override { return now; }
    void setenables(bool tf) override {
        isearching = !tf;
        enabled = tf;
        enables.push_back(tf);
    }
    void clearlist() override {
        list.clear();
        note.clear();
    }
    void setlistnote(const std::string& text) override { note = text; }
    void fetching(int n, int total, const std::string& name) override {
        progress.push_back(std::to_string(n) + "/" + std::to_string(total) + " " + name);
    }
    // The host dialog, answered as the test chose: a host set, or cancelled.
    bool askforhost() override {
        ++hostasks;
        if (givehost) server::sethost(samplehost);
        return givehost;
    }
    std::size_t additem(const ListedCompound& compound) override { return list.add(compound); }
    std::size_t listcount() const override { return list.size(); }
    const ListedCompound& compoundat(std::size_t index) const override { return list.at(index); }
    void selectitem(std::size_t index) override {
        selections.push_back("highlight " + std::to_string(index));
    }
    void enablelist(bool tf) override {
        listenables.push_back(tf);
        if (onenablelist) onenablelist(tf);
    }
    void focuslist() override { ++focused; }
    void clearpanel() override { panel.calls.push_back("clear panel"); }
    MessageBoxes& messages() override { return messagebox; }
    EventLoop& events() override { return eventloop; }
    void setcaption(const std::string& text) override { panel.setcaption(text); }
    void restorecaption() override { panel.restorecaption(); }
    void setdatatext(const std::string& text) override { panel.setdatatext(text); }
    void setlink(Link link, const std::string& caption, const std::string& tag) override {
        panel.setlink(link, caption, tag);
    }
    void emptylinkcaptions() override { panel.emptylinkcaptions(); }
    void clearlinks() override { panel.clearlinks(); }

    // Field n of every entry, in list order.
    Strings column(int n) const {
        Strings out;
        for (const ListedCompound& compound : list.entries()) {
            std::istringstream fields(entrytext(compound));
            std::string field;
            for (int i = 0; i <= n; ++i) std::getline(fields, field, '\t');
            out.push_back(field);
        }
        return out;
    }

    SearchChoices now;
    std::string note; // the line in the empty list's area
    Strings progress; // "n/N name" of each compound the search reads
    int hostasks = 0;
    bool givehost = false;
    bool isearching = false;
    bool enabled = true;
    std::vector<bool> enables;
    SortedEntries list;
    Strings selections;
    std::vector<bool> listenables;
    std::function<void(bool tf)> onenablelist;
    int focused = 0;
    PanelRecorder panel;
    MessageRecorder messagebox;
    EventRecorder eventloop;
};

// One formula search with everything it talks to recorded, over the sample pages of a folder
// of tests/data, and a page cache folder that lives as long as the bench.
struct SearchBench {
    explicit SearchBench(const std::string& folder = "server") {
        server::sethost(samplehost); // as a user names their server
        const std::filesystem::path data = std::filesystem::path(KESTRIX_TEST_DATA) / folder;
        for (const auto& file : std::filesystem::directory_iterator(data / "formula")) {
            pages.pages[server::formulaurl(file.path().stem().string())] = readbytes(file);
        }
        for (const auto& file : std::filesystem::directory_iterator(data / "compound")) {
            pages.pages[server::compoundurl(file.path().stem().string())] = readbytes(file);
        }
        for (const auto& file : std::filesystem::directory_iterator(data / "image")) {
            pages.drawings[server::imageurl(file.path().stem().string())] = readbytes(file);
        }
        window.now.formula = "C5H12";
        search.seed(1);
    }

    // The names of the files in the page cache, sorted.
    Strings cachefiles() const {
        Strings names;
        for (const auto& file : std::filesystem::directory_iterator(home)) {
            names.push_back(file.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string cached(const std::string& name) const { return readbytes(home + "/" + name); }

    ScratchDir scratch;
    std::string home = scratch.path().string();
    std::string cachedir = scratch.dir();
    FakeClock clock;
    FakeWindow window;
    PageRecorder pages;
    PictureRecorder picture;
    ImageContext images{cachedir, pages, picture};
    FormulaSearch search{window, {cachedir, nullptr, pages, images, 2, nullptr, &clock}};
};

} // namespace kestrix::test
