#include "search/console.h"

#include <algorithm>

#include "core/sortedentries.h"
#include "core/text.h"
#include "core/utf8.h"
#include "search/formulasearch.h"
#include "search/formulatext.h"
#include "search/listoutput.h"
#include "search/tabulatedata.h"
#include "web/cache.h"
#include "web/hostsetting.h"
#include "web/images.h"
#include "web/politeness.h"
#include "web/server.h"

namespace kestrix {

namespace {

// The one line of standard error that a terminal rewrites: the progress bar.
class StatusLine {
  public:
    explicit StatusLine(Console& console) : console_(console) {}
    void show(const std::string& text) {
        if (!console_.errterminal) return;
        const std::size_t most = std::size_t(std::max(console_.columns - 1, 10));
        std::string line = asutf8(text);
        // Cut by characters, never inside one.
        std::size_t cut = 0, count = 0;
        while (cut < line.size() && count < most) {
            ++cut;
            while (cut < line.size() && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) {
                ++cut;
            }
            ++count;
        }
        line.resize(cut);
        console_.err << "\r" << line << "\x1b[K" << std::flush;
        shown_ = true;
    }
    void clear() {
        if (!shown_) return;
        console_.err << "\r\x1b[K" << std::flush;
        shown_ = false;
    }

  private:
    Console& console_;
    bool shown_ = false;
};

class ConsoleMessages : public MessageBoxes {
  public:
    ConsoleMessages(Console& console, StatusLine& status) : console_(console), status_(status) {}
    Answer message(const std::string& text, Buttons) override {
        status_.clear();
        std::string lines = asutf8(text);
        strsub(lines, "\r\n", "\n");
        console_.err << lines << "\n" << std::flush;
        return Answer::ok;
    }

  private:
    Console& console_;
    StatusLine& status_;
};

// The window as the search sees it, with only the list and the flag.
class ConsoleWindow : public SearchWindow {
  public:
    ConsoleWindow(SearchChoices choices, EventLoop& events, Console& console)
        : choices_(std::move(choices)), events_(events), status_(console),
          messages_(console, status_) {}

    SearchChoices choices() const override { return choices_; }
    void setenables(bool) override {}
    void clearlist() override { list_.clear(); }
    std::size_t additem(const ListedCompound& compound) override { return list_.add(compound); }
    std::size_t listcount() const override { return list_.size(); }
    const ListedCompound& compoundat(std::size_t index) const override { return list_.at(index); }
    void selectitem(std::size_t) override {}
    void enablelist(bool) override {}
    void focuslist() override {}
    void clearpanel() override {}
    MessageBoxes& messages() override { return messages_; }
    EventLoop& events() override { return events_; }
    void setcaption(const std::string&) override {}
    void restorecaption() override {}
    void setdatatext(const std::string&) override {}
    void setlink(Link, const std::string&, const std::string&) override {}
    void emptylinkcaptions() override {}
    void clearlinks() override {}

    void fetching(int shown, int total, const std::string& name) override {
        constexpr int width = 20;
        const int done = total > 0 ? std::min(width, (shown - 1) * width / total) : 0;
        status_.show("[" + std::string(std::size_t(done), '#') +
                     std::string(std::size_t(width - done), '.') + "] " + std::to_string(shown) +
                     " of " + std::to_string(total) + " " + name);
    }

    const std::vector<ListedCompound>& entries() const { return list_.entries(); }
    StatusLine& status() { return status_; }

  private:
    SearchChoices choices_;
    EventLoop& events_;
    StatusLine status_;
    ConsoleMessages messages_;
    SortedEntries list_;
};

// Pages from the cache alone: whatever the cache lacks is not asked for.
class CacheOnly : public PageSource {
  public:
    std::string getHTMLpage(const std::string&, const std::string&,
                            TransferResult* result) override {
        if (result) *result = failed(Fault::offline, faultwords(Fault::offline, 0));
        return {};
    }
    std::string getdrawing(const std::string& url, bool, TransferResult* result) override {
        return getHTMLpage(url, {}, result);
    }
};

class NoPicture : public Picture {
  public:
    void clear() override {}
    void show(const std::string&) override {}
};

// Keeps the tabulation files' paths in place of opening them.
class PathRecorder : public DocumentOpener {
  public:
    void open(const std::string& target) override { paths.push_back(target); }
    std::vector<std::string> paths;
};

SearchChoices choicesof(const Command& c) {
    SearchChoices choices;
    choices.ishowprop = true;
    // The tabulation's HTML shows the drawings; a listing has no use for them.
    choices.ishowpic = c.kind == CommandKind::tabulate;
    choices.isortprop = !c.sortalpha;
    choices.isortalpha = c.sortalpha;
    choices.iforcenew = c.force;
    choices.swhat = c.swhat;
    choices.iskelvin = c.iskelvin;
    choices.formula = c.query;
    choices.filter = c.filter;
    return choices;
}

} // namespace

int searchstatus(std::size_t listed, const FetchReport& report) {
    if (listed > 0) return exitstatus::listed;
    if (report.refused || !report.resultpage.empty()) return exitstatus::unreachable;
    return exitstatus::nothing;
}

int runcommand(const Command& command, Transfer& transfer, EventLoop& events,
               const std::string& scachedir, Console& console) {
    if (!command.host.empty()) server::sethost(command.host);
    ConsoleWindow window(choicesof(command), events, console);
    if (const std::string problem = querymessage(classifyquery(command.query)); !problem.empty()) {
        window.messages().message(problem);
        return exitstatus::usage;
    }
    if (!command.offline && server::placeholder()) {
        window.messages().message(
            "No server host is set: " + std::string(server::placeholderhost()) +
            " is a placeholder that names no server. Name the server with --host HOST, in the "
            "environment variable KESTRIX_SERVER_HOST, or once in the window (Options, "
            "Server...), which keeps it in " +
            hostfilepath() + ".");
        return exitstatus::unreachable;
    }
    createcachedir(scachedir);

    Politeness politeness;
    Fetcher fetcher(transfer, window, events, window.messages(), nullptr, &politeness);
    CacheOnly cacheonly;
    PageSource& pages = command.offline ? static_cast<PageSource&>(cacheonly) : fetcher;
    NoPicture picture;
    ImageContext images{scachedir, pages, picture};
    FormulaSearch search(window, {scachedir, command.offline ? nullptr : &fetcher, pages, images, 0,
                                  &politeness, &systemclock(), command.offline});
    search.dosearch(window.choices());
    window.status().clear();

    const std::vector<ListedCompound>& entries = window.entries();
    const int status = searchstatus(entries.size(), search.report());
    if (command.kind == CommandKind::search) {
        const OutputFormat format =
            command.format.value_or(console.outterminal ? OutputFormat::table : OutputFormat::tsv);
        console.out << writelist(entries, command.iskelvin, format) << std::flush;
        if (status == exitstatus::nothing) {
            window.messages().message("Nothing was found for " + trimblanks(command.query) + ".");
        }
        return status;
    }

    if (status != exitstatus::listed) {
        if (status == exitstatus::nothing) {
            window.messages().message("Nothing was found for " + trimblanks(command.query) +
                                      "; no table was written.");
        }
        return status;
    }
    PathRecorder opener;
    TabulationContext context{scachedir, window.messages(), opener};
    const bool both = !command.html && !command.csv;
    int written = 0;
    for (const bool isexcel : {false, true}) {
        if (!(both || (isexcel ? command.csv : command.html))) continue;
        ++written;
        tabulatedata(isexcel, command.groups, entries, command.query, context);
    }
    for (const std::string& path : opener.paths) console.out << path << "\n";
    console.out << std::flush;
    return int(opener.paths.size()) == written ? exitstatus::listed : exitstatus::unwritten;
}

} // namespace kestrix
