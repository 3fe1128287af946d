#pragma once
// The window as the formula search drives it, recorded: its flag, enabling, list, data box and
// panel; plus a sample server in memory (pages and drawings of tests/data by address) and a
// page cache folder of its own. No Qt, no display, no network.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "core/sortedentries.h"
#include "fakes.h"
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
    void clearlist() override { list.clear(); }
    std::size_t additem(const ListedCompound& compound) override { return list.add(compound); }
    std::size_t listcount() const override { return list.size(); }
    void selectitem(std::size_t index) override {
        selections.push_back((enabled ? "show " : "highlight ") + std::to_string(index));
        if (enabled && onshow) onshow(list.at(index));
    }
    void focuslist() override { ++focused; }
    void clearpanel() override { panel.calls.push_back("clear panel"); }
    MessageBoxes& messages() override { return messagebox; }
    EventLoop& events() override { return eventloop; }
    void setcaption(const std::string& text) override { panel.setcaption(text); }
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
    bool isearching = false;
    bool enabled = true;
    std::vector<bool> enables;
    SortedEntries list;
    Strings selections;
    int focused = 0;
    std::function<void(const ListedCompound& compound)> onshow; // the list's click handling
    PanelRecorder panel;
    MessageRecorder messagebox;
    EventRecorder eventloop;
};

inline std::string readbytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// One formula search with everything it talks to recorded, over the sample pages of a folder
// of tests/data, and a page cache folder that lives as long as the bench.
struct SearchBench {
    explicit SearchBench(const std::string& folder = "server") {
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
    ~SearchBench() { std::filesystem::remove_all(home); }

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

    // A new folder in the system's temporary folder (mkdtemp is POSIX only).
    static std::string maketemp() {
        std::random_device seed;
        const auto base = std::filesystem::temp_directory_path();
        for (;;) {
            const auto candidate = base / ("kestrix-search-" + std::to_string(seed()));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error)) return candidate.string();
            if (error) throw std::filesystem::filesystem_error("no scratch folder", base, error);
        }
    }

    std::string home = maketemp();
    std::string cachedir = home + "/";
    FakeWindow window;
    PageRecorder pages;
    PictureRecorder picture;
    ImageContext images{cachedir, pages, picture};
    FormulaSearch search{window, {cachedir, nullptr, pages, images, 2}};
};

} // namespace kestrix::test
