#pragma once
// The result list: a list box of listed compounds kept in list order, painting each one's
// property column and name at the tab stops those fall on (in dialog units, a quarter of the
// design font's average character width) after the hidden sort key and identifier.

#include <QListWidget>
#include <string>
#include <vector>

#include "core/sortedentries.h"

namespace kestrix {

class ListBox : public QListWidget {
    Q_OBJECT
  public:
    explicit ListBox(QWidget* parent = nullptr);

    // Inserts at the compound's place in list order; returns that position.
    int additem(const ListedCompound& compound);
    void clearitems();
    int listcount() const { return static_cast<int>(entries_.size()); }
    const ListedCompound& compound(int index) const {
        return entries_.at(static_cast<std::size_t>(index));
    }
    const std::vector<ListedCompound>& compounds() const { return entries_.entries(); }

    // Tab stops in dialog units; none means the default stops.
    void settabstops(std::vector<int> stops);
    const std::vector<int>& tabstops() const { return tabstops_; }
    // One horizontal dialog unit in pixels.
    double dialogunit() const;
    // The x position, in pixels from the list's left edge, at which each field of text starts.
    std::vector<int> fieldpositions(const QString& text) const;

  signals:
    // The user clicked the entry that was current already: no row changed, yet it was clicked.
    void currentclicked();
    // The user asked to copy the list (Ctrl+C).
    void copyrequested();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    SortedEntries entries_;
    bool pressedcurrent_ = false;
    std::vector<int> tabstops_;
};

// Sets the list's tab stops from a text of numbers separated by ",": at most 21, ending early
// at a number outside the 16-bit range.
void settab(ListBox* l, const std::string& ptstring);

} // namespace kestrix
