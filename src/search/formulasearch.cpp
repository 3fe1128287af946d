#include "search/formulasearch.h"

#include <chrono>

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

FormulaSearch::FormulaSearch(SearchWindow& window, SearchServices services)
    : window_(window), services_(std::move(services)),
      random_(static_cast<unsigned>(std::chrono::system_clock::now().time_since_epoch().count())) {}

void FormulaSearch::Command1_Click() {
    if (window_.searching()) {
        window_.stop();
        return;
    }
    if (!running_) run();
}

void FormulaSearch::searchtriggered() {
    if (!running_) {
        run();
        return;
    }
    if (window_.searching()) window_.stop();
    again_ = true;
}

void FormulaSearch::run() {
    running_ = true;
    do {
        again_ = false;
        dosearch(window_.choices());
    } while (again_);
    running_ = false;
}

void FormulaSearch::dosearch(const SearchChoices& c) {
    SearchWindow& w = window_;
    w.setenables(false);
    const std::string formula = trimblanks(c.formula);
    const std::string filter = trimblanks(c.filter);
    if (formula.empty() || haspathseparator(formula)) {
        w.messages().message(
            std::string(formula.empty() ? emptyformulamessage : unsafeformulamessage));
        w.setenables(true);
        return;
    }

    std::string propertyfield;
    if (c.swhat == "BP") propertyfield = fields::boilingpoint;
    if (c.swhat == "MP") propertyfield = fields::meltingpoint;
    const std::string fileext = propertyfield.empty() ? "" : "thermo";
    const std::string url = server::formulaurl(formula);

    w.clearlist();
    listedinkelvin_ = c.iskelvin;
    w.cleardatatext();
    services_.images.picture.clear();

    FetchReport report;
    if (services_.politeness) services_.politeness->newsearch([&w] { return !w.searching(); });
    const auto resultfile = cachepath(services_.scachedir, resultpagename(formula));
    TransferResult answer;
    const Fetched page = cachedfetch(
        resultfile.value_or(""), c.iforcenew,
        [&] { return services_.pages.getHTMLpage(url, "", &answer); }, keepas(resultfile));
    if (page.body.empty() && !answer.succeeded && !answer.told) report.resultpage = answer.reason;
    if (answer.refused) report.refused = true;
    if (page.fellback) {
        ++report.cachedcopies;
        report.cachedwhy = answer.reason;
    }

    const ResultPage result = readresultpage(page.body);
    const std::string fieldlist = fields::searchlist(propertyfield);
    const EntryChoices choices{c.isortalpha, c.isortprop, c.iskelvin};
    TransferResult compoundanswer;
    CompoundContext context{services_.scachedir, services_.pages, w.messages(), w, &report,
                            &compoundanswer};
    std::uniform_real_distribution<double> draw(0.0, 1.0);
    int listed = 0;

    for (const ResultItem& item : result.items) {
        if (!w.searching()) break;
        // A refusal ends the search's fetching; what was listed stays.
        if (report.refused || (services_.politeness && services_.politeness->refused())) {
            report.refused = true;
            break;
        }
        const std::string name = displayname(item.name);
        if (filter.empty() || name.find(filter) != std::string::npos) {
            countup(listed);
            const std::string cap =
                std::to_string(listed) + "/" + std::to_string(result.total) + ": ";
            compoundanswer = {};
            const std::string record =
                getdata(formula, item.id, fieldlist, fileext, cap, c.iforcenew, context);
            if (compoundanswer.refused) {
                report.refused = true;
                report.refusedfor.push_back(name);
                break;
            }
            if (compoundanswer.askedtowait) report.waitedfor.push_back(name);
            const std::string entry =
                buildentry(record, item.id, c.swhat, name, choices, draw(random_));
            const std::size_t position = w.additem(entry);
            // A cached search adds its entries without highlighting each one.
            if (!page.fromcache) w.selectitem(position);
            showGif(entry, c.ishowprop, c.ishowpic, c.iskelvin, w, services_.images);
        }
        w.events().doevents();
    }

    if (!page.fromcache) wait(services_.searchpause, w.events());
    w.setenables(true);
    if (w.listcount() > 0) w.selectitem(0);
    w.focuslist();
    if (const std::string text = searchmessage(report, formula); !text.empty()) {
        w.messages().message(text);
    }
}

} // namespace kestrix
