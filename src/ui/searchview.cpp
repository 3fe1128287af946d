#include "ui/searchview.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>

#include "platform/textcodec.h"
#include "ui/form1.h"
#include "ui/linklabel.h"
#include "ui/listbox.h"

namespace kestrix {

namespace {
std::string bytes(const QString& text) {
    return text.toUtf8().toStdString();
}
} // namespace

SearchChoices SearchView::choices() const {
    const Form1& f = form_;
    return {f.Check1[showproperty]->isChecked(),
            f.Check1[showstructures]->isChecked(),
            f.Check1[sortbyproperty]->isChecked(),
            f.Check1[sortalphabetically]->isChecked(),
            f.optGotoNIST->isChecked(),
            bytes(f.Combo1->currentText()),
            f.Option1[kelvin]->isChecked(),
            bytes(f.txtMF->text()),
            bytes(f.txtSearch->text())};
}

void SearchView::setenables(bool tf) {
    form_.setenables(tf);
}

void SearchView::clearlist() {
    form_.List1->clearitems();
}

std::size_t SearchView::additem(const ListedCompound& compound) {
    return static_cast<std::size_t>(form_.List1->additem(compound));
}

std::size_t SearchView::listcount() const {
    return static_cast<std::size_t>(form_.List1->listcount());
}

const ListedCompound& SearchView::compoundat(std::size_t index) const {
    return form_.List1->compound(int(index));
}

void SearchView::selectitem(std::size_t index) {
    // Only the highlight: a changed row would otherwise count as the user's click.
    const QSignalBlocker quiet(form_.List1);
    form_.List1->setCurrentRow(int(index));
}

void SearchView::enablelist(bool tf) {
    form_.List1->setEnabled(tf);
}

void SearchView::focuslist() {
    form_.List1->setFocus();
}

void SearchView::clearpanel() {
    form_.Label2->clear();
    clearlinks();
}

void SearchView::fetching(int n, int total, const std::string&) {
    form_.List1->showprogress(n, total);
}

void SearchView::setlistnote(const std::string& text) {
    form_.List1->setnote(shown(text));
}

bool SearchView::askforhost() {
    return form_.askforhost();
}

// The one writer of the title bar.
void SearchView::setcaption(const std::string& text) {
    form_.setWindowTitle(shown(text));
}

void SearchView::restorecaption() {
    setcaption(form_.stitle);
}

void SearchView::setdatatext(const std::string& text) {
    form_.Label2->setPlainText(shown(text));
}

void SearchView::setlink(Link link, const std::string& caption, const std::string& tag) {
    LinkLabel* label = link == Link::details      ? form_.lblDetails
                       : link == Link::threed     ? form_.lbl3D
                       : link == Link::msds       ? form_.lblMSDS
                       : link == Link::chemfinder ? form_.lblChemFinder
                                                  : form_.Label6;
    label->setcaption(shown(caption));
    label->tag = tag;
}

void SearchView::emptylinkcaptions() {
    for (LinkLabel* label : {form_.lblDetails, form_.lbl3D, form_.lblMSDS, form_.lblChemFinder}) {
        label->setcaption({});
    }
}

void SearchView::clearlinks() {
    emptylinkcaptions();
    for (LinkLabel* label : {form_.lblDetails, form_.lbl3D, form_.lblMSDS, form_.lblChemFinder}) {
        label->tag.clear();
    }
}

} // namespace kestrix
