#pragma once
// The window as the formula search and the compound panel see it: its flag, enabling, result
// list, data box, caption and link labels, and the desktop services it was given.

#include "search/seams.h"

namespace kestrix {

class Form1;

class SearchView : public SearchWindow {
  public:
    SearchView(Form1& form, MessageBoxes& messages, EventLoop& events)
        : form_(form), messages_(messages), events_(events) {}

    SearchChoices choices() const override;
    void setenables(bool tf) override;
    void clearlist() override;
    std::size_t additem(const ListedCompound& compound) override;
    std::size_t listcount() const override;
    const ListedCompound& compoundat(std::size_t index) const override;
    void selectitem(std::size_t index) override;
    void enablelist(bool tf) override;
    void focuslist() override;
    void clearpanel() override;
    MessageBoxes& messages() override { return messages_; }
    EventLoop& events() override { return events_; }

    void fetching(int n, int total, const std::string& name) override;
    void setlistnote(const std::string& text) override;
    bool askforhost() override;
    void setcaption(const std::string& text) override;
    void restorecaption() override;
    void setdatatext(const std::string& text) override;
    void setlink(Link link, const std::string& caption, const std::string& tag) override;
    void emptylinkcaptions() override;
    void clearlinks() override;

  private:
    Form1& form_;
    MessageBoxes& messages_;
    EventLoop& events_;
};

} // namespace kestrix
