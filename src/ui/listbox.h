#pragma once
// The result list: a list box of listed compounds kept in list order, painting each one's
// property column and name at the tab stops those fall on (in dialog units, a quarter of the
// design font's average character width) after the hidden sort key and identifier.

#include <QListWidget>
#include <string>

class QLabel;
class QProgressBar;
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

    // A line of text in the area of the empty list, saying why it is empty; gone with the next
    // entry or clearitems.
    void setnote(const QString& text);
    QString note() const;
    // A bar across the list's bottom edge: the n-th of total compounds is being read. Hidden
    // until shown, and again by hideprogress.
    void showprogress(int n, int total);
    void hideprogress();
    QProgressBar* progress() const { return progress_; }

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
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // The part of the list the window shows: its left lies beyond the client's edge, under the
    // hidden sort key and identifier.
    QRect visiblepart() const;
    void placeoverlays();

    SortedEntries entries_;
    QLabel* note_;
    QProgressBar* progress_;
    bool pressedcurrent_ = false;
    std::vector<int> tabstops_;
};

// A row as a screen reader reads it: name, property, value and unit ("pentane, BP 309.2
// kelvin"; "BP unknown" for no value).
QString spokenrow(const ListedCompound& compound);

// Sets the list's tab stops from a text of numbers separated by ",": at most 21, ending early
// at a number outside the 16-bit range.
void settab(ListBox* l, const std::string& ptstring);

} // namespace kestrix
