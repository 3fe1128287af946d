#include "search/formulasearch.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "compound/getdata.h"
#include "compound/panel.h"
#include "core/entry.h"
#include "core/fields.h"
#include "core/names.h"
#include "core/number.h"
#include "core/resultpage.h"
#include "core/text.h"
#include "search/formulatext.h"
#include "search/searchmessage.h"
#include "web/cache.h"
#include "web/cachedfetch.h"
#include "web/cachenames.h"
#include "web/server.h"

namespace kestrix {

namespace {

void notestore(FetchReport& report, const Failure& stored) {
    if (report.storeerror.empty()) report.storeerror = stored.reason;
}

} // namespace

FormulaSearch::FormulaSearch(SearchWindow& window, SearchServices services)
    : window_(window), services_(std::move(services)),
      random_(static_cast<unsigned>(services_.clock->now().time_since_epoch().count())),
      trigger_(*services_.clock) {
    if (services_.fetcher) services_.fetcher->setstop([this] { return stopping(); });
}

void FormulaSearch::Command1_Click() {
    if (clicking_) {
        again_ = true;
        return;
    }
    // The button reads STOP while a search runs and while a stopped one ends: STOP also cancels
    // the search that a choice made meanwhile asked for, so that nothing more is asked.
    if (running_ || searching_) {
        if (searching_) stop();
        again_ = false;
        if (trigger_.word() == "search") trigger_.disarm();
        return;
    }
    run();
}

void FormulaSearch::searchtriggered() {
    if (clicking_ || running_) {
        if (searching_) stop();
        again_ = true;
        return;
    }
    run();
}

void FormulaSearch::stop() {
    searching_ = false;
    stopping_ = true;
}

std::chrono::milliseconds FormulaSearch::settrigger(std::string word) {
    trigger_.arm(std::move(word));
    return trigger_.remaining();
}

bool FormulaSearch::triggerfired() {
    const std::string word = trigger_.take();
    if (word == "search") searchtriggered();
    return word == "tab";
}

void FormulaSearch::run() {
    running_ = true;
    do {
        again_ = false;
        stopping_ = false;
        dosearch(window_.choices());
    } while (again_);
    running_ = false;
    stopping_ = false;
}

void FormulaSearch::showentry(std::size_t index) {
    if (clicking_ || index >= window_.listcount()) return;
    clicking_ = true;
    // A click outside a search meets the server's manners afresh.
    if (!running_ && services_.politeness) services_.politeness->newsearch();
    window_.enablelist(false);
    const SearchChoices c = window_.choices();
    // A copy: the list must not change under the panel while events run, but nothing is lost
    // if it does.
    const ListedCompound compound = window_.compoundat(index);
    show(compound, c.ishowprop, c.ishowpic);
    window_.enablelist(true);
    window_.focuslist();
    clicking_ = false;
    runqueued();
}

Failure FormulaSearch::show(const ListedCompound& compound, bool ishowprop, bool ishowpic) {
    return showGif(compound, ishowprop, ishowpic, window_, services_.images);
}

void FormulaSearch::runqueued() {
    if (again_ && !running_ && !clicking_) run();
}

Fetched FormulaSearch::fetchresultpage(const Query& query, bool iforcenew, FetchReport& report) {
    const std::string resultfile = cachepath(services_.scachedir, resultpagename(query));
    const std::string url = server::searchurl(query);
    TransferResult answer;
    const Fetched page = cachedfetch(
        resultfile, iforcenew, [&] { return services_.pages.getHTMLpage(url, "", &answer); },
        keepas(resultfile));
    if (page.body.empty() && answer.fault != Fault::none && answer.fault != Fault::notstarted &&
        answer.fault != Fault::stopped) {
        report.resultpage = answer.reason;
    }
    if (answer.fault == Fault::refused) report.refused = true;
    if (answer.fault == Fault::offline) report.offline = true;
    if (page.fellback && answer.fault != Fault::stopped) {
        ++report.cachedcopies;
        report.cachedwhy = answer.reason;
    }
    notestore(report, page.stored);
    return page;
}

void FormulaSearch::dosearch(const SearchChoices& c) {
    SearchWindow& w = window_;
    report_ = {};
    searching_ = true;
    w.setenables(false);
    const Query query = classifyquery(c.formula);
    const std::string filter = trimblanks(c.filter);
    const std::string problem = querymessage(query);
    if (!problem.empty()) w.messages().message(problem);
    // With no server named, nothing is asked of any: the user is asked for one first.
    if (!problem.empty() || (!services_.offline && server::placeholder() && !w.askforhost())) {
        searching_ = false;
        w.setenables(true);
        return;
    }
    // The compound files of a search by name or CAS number are named by its search key, as a
    // formula's are by the formula.
    const std::string smw = searchkey(query);
    const std::string propertyfield(fields::propertyfield(c.swhat));
    const std::string fileext = propertyfield.empty() ? "" : "thermo";

    w.clearlist();
    listedinkelvin_ = c.iskelvin;
    w.clearpanel();
    services_.images.picture.clear();

    FetchReport report;
    if (services_.politeness) services_.politeness->newsearch();
    const Fetched page = fetchresultpage(query, c.iforcenew, report);
    const ResultPage result = readresultpage(page.body);
    report.listedonly = result.listedonly;
    const std::string fieldlist = fields::searchlist(propertyfield);
    const EntryChoices choices{c.isortalpha, c.isortprop, c.iskelvin};
    CompoundContext context{services_.scachedir, services_.pages, w.messages(), w};
    std::uniform_real_distribution<double> draw(0.0, 1.0);
    int listed = 0;
    int position = 0; // in the page's list

    for (const ResultItem& item : result.items) {
        if (!searching_ || stopping_) break;
        // A refusal ends the search's fetching. What was listed stays; with "Go to NIST Every
        // Time" on, the cached copies are still listed, as when the server fails otherwise.
        if (services_.politeness && services_.politeness->refused()) {
            report.refused = true;
            if (!c.iforcenew) break;
        }
        countup(position);
        const std::string name = displayname(item.name);
        if (filter.empty() || name.find(filter) != std::string::npos) {
            countup(listed);
            const std::string cap =
                std::to_string(listed) + "/" + std::to_string(result.total) + ": ";
            w.fetching(position, int(result.items.size()), name);
            const std::string record =
                getdata(smw, item.id, fieldlist, fileext, cap, c.iforcenew, context);
            if (!noteoutcome(context.outcome, name, c.iforcenew, report)) break;
            const ListedCompound compound =
                listcompound(record, item.id, c.swhat, name, choices, draw(random_));
            const std::size_t at = w.additem(compound);
            // A cached search adds its entries without highlighting each one.
            if (!page.fromcache) w.selectitem(at);
            notestore(report, show(compound, c.ishowprop, c.ishowpic));
        }
        w.events().doevents();
    }

    // STOP leaves the window idle at once: no closing pause, and none left of one under way.
    if (!page.fromcache) {
        constexpr long long stepms = 100;
        for (long long ms = std::llround(services_.searchpause * 1000); ms > 0 && !stopping_;
             ms -= stepms) {
            w.events().sleep(static_cast<int>(std::min(ms, stepms)));
        }
    }
    finish(query, report, !page.body.empty() && !result.items.empty());
}

bool FormulaSearch::noteoutcome(const PageOutcome& outcome, const std::string& name, bool iforcenew,
                                FetchReport& report) {
    const Fault fault = outcome.answer.fault;
    notestore(report, outcome.stored);
    // A compound stopped in transfer is not listed: its values were never had.
    if (fault == Fault::stopped) return outcome.fellback;
    if (outcome.fellback) {
        ++report.cachedcopies;
        report.cachedwhy = outcome.answer.reason;
    } else if (outcome.fetched && fault != Fault::none && fault != Fault::notstarted) {
        report.pages.push_back({name, faultwords(fault, outcome.answer.status)});
        if (fault == Fault::refused) report.refused = true;
        if (fault == Fault::offline) report.offline = true;
        if (fault == Fault::refused && !iforcenew) return false;
    }
    return true;
}

void FormulaSearch::finish(const Query& query, const FetchReport& report, bool foundany) {
    SearchWindow& w = window_;
    searching_ = false;
    w.setenables(true);
    if (w.listcount() > 0) {
        w.selectitem(0);
        showentry(0);
    } else {
        w.clearpanel();
        w.focuslist();
        // The empty list says why once the message is closed.
        if (!report.resultpage.empty() && !report.offline) {
            w.setlistnote("No answer from " + std::string(server::host()) + ": " +
                          report.resultpage);
        } else if (!foundany && report.resultpage.empty() && !stopping_) {
            w.setlistnote("Nothing was found for " + query.text + ".");
        }
    }
    report_ = report;
    const std::string text = searchmessage(report, query.text, services_.scachedir);
    if (!text.empty()) w.messages().message(text);
}

} // namespace kestrix
