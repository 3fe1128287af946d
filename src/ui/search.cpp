// The formula search and the tabulation, as the window runs them.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "compound/getdata.h"
#include "core/entry.h"
#include "core/fields.h"
#include "core/names.h"
#include "core/resultpage.h"
#include "core/text.h"
#include "tabulate/tabulate.h"
#include "ui/form1.h"
#include "ui/listbox.h"
#include "ui/services.h"
#include "web/cache.h"
#include "web/server.h"

namespace kestrix {

namespace {

constexpr const char* unsafeformula = "A molecular formula cannot contain \"/\" or \"\\\".";

std::string bytes(const QString& text) {
    return text.toUtf8().toStdString();
}

bool haspathseparator(const std::string& text) {
    return text.find_first_of("/\\") != std::string::npos;
}

} // namespace

void Form1::Command1_Click() {
    if (isearching) {
        isearching = 0;
        return;
    }
    dosearch(checkedbox(0), checkedbox(1), checkedbox(2), checkedbox(3), optGotoNIST->isChecked(),
             bytes(Combo1->currentText()), Option1[0]->isChecked());
}

void Form1::dosearch(bool ishowprop, bool ishowpic, bool isortprop, bool isortalpha, bool iforcenew,
                     const std::string& swhat, bool iskelvin) {
    setenables(false);
    const std::string formula = trimblanks(bytes(txtMF->text()));
    const std::string filter = trimblanks(bytes(txtSearch->text()));
    if (formula.empty()) {
        messages().message("First enter a molecular formula, such as \"C5H12\".");
        setenables(true);
        return;
    }
    // The formula names cache files; a path separator would put them outside the cache.
    if (haspathseparator(formula)) {
        messages().message(unsafeformula);
        setenables(true);
        return;
    }

    std::string propertyfield;
    if (swhat == "BP") propertyfield = fields::boilingpoint;
    if (swhat == "MP") propertyfield = fields::meltingpoint;
    const std::string fileext = swhat == "BP" || swhat == "MP" ? "thermo" : "";
    const std::string url = server::formulaurl(formula);

    List1->clearitems();
    Label2->clear();
    Picture1->clear();

    const auto resultfile =
        cachepath(scachedir, formula + "-" + std::string(server::searchoptions) + ".htm");
    std::string page;
    bool fromcache = false;
    if (resultfile && fileexists(*resultfile) && !iforcenew) {
        page = loadfromfile(*resultfile);
        fromcache = !page.empty();
    }
    if (!fromcache) {
        page = getHTMLpage(url, "");
        // A failed fetch must not replace a good cached page with nothing.
        if (resultfile && !page.empty()) puttofile(page, *resultfile);
    }

    const ResultPage result = readresultpage(std::move(page));
    const std::string fieldlist = fields::searchlist(propertyfield);
    const EntryChoices choices{isortalpha, isortprop, iskelvin};
    CompoundContext context{scachedir, *fetcher_, messages(), *this};
    std::uniform_real_distribution<double> draw(0.0, 1.0);
    int listed = 0;

    for (const ResultItem& item : result.items) {
        if (!isearching) break;
        const std::string name = displayname(item.name);
        if (filter.empty() || name.find(filter) != std::string::npos) {
            if (listed < 32767) ++listed;
            const std::string cap =
                std::to_string(listed) + "/" + std::to_string(result.total) + ": ";
            const std::string record =
                getdata(formula, item.id, fieldlist, fileext, cap, iforcenew, context);
            const std::string entry =
                buildentry(record, item.id, swhat, name, choices, draw(random_));
            const int position = List1->additem(entry);
            if (!fromcache) List1->setCurrentRow(position);
            showGif(entry, ishowprop, ishowpic, Option1[0]->isChecked(), scachedir, *this);
        }
        events_->doevents();
    }

    if (!fromcache) wait(searchpause_);
    setenables(true);
    if (List1->count() > 0) {
        if (List1->currentRow() == 0) {
            List1_Click();
        } else {
            List1->setCurrentRow(0);
        }
    }
    List1->setFocus();
}

void Form1::tabulatedata(bool isexcel) {
    const std::string fieldlist = tabulationfieldlist(
        optTemp->isChecked(), OptPhaseChange->isChecked(), optGasHS->isChecked());
    const Tabulation tables = tabulate(List1->entries(), fieldlist, server::threedprefix());
    const std::string name = bytes(txtMF->text());
    if (haspathseparator(name)) {
        messages().message(unsafeformula);
        return;
    }
    const std::string file = name + (isexcel ? ".csv" : ".htm");
    std::string error = "Bad file name: " + file;
    const auto path = cachepath(scachedir, file);
    if (!path || !puttofile(isexcel ? tables.csv : tables.html, *path, 0, &error)) {
        messages().message(error);
        return;
    }
    opener_->open(*path);
}

} // namespace kestrix
