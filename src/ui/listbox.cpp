#include "ui/listbox.h"

#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QStyledItemDelegate>
#include <algorithm>
#include <utility>

#include "core/text.h"
#include "platform/textcodec.h"

namespace kestrix {

namespace {

class TabStopDelegate : public QStyledItemDelegate {
  public:
    explicit TabStopDelegate(ListBox* list) : QStyledItemDelegate(list), list_(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem background = option;
        initStyleOption(&background, index);
        background.text.clear();
        option.widget->style()->drawControl(QStyle::CE_ItemViewItem, &background, painter,
                                            option.widget);
        painter->save();
        const bool selected = option.state & QStyle::State_Selected;
        painter->setPen(option.palette.color(
            option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled,
            selected ? QPalette::HighlightedText : QPalette::Text));
        const ListedCompound& compound = list_->compound(index.row());
        // The sort key and the identifier lie left of the visible part: they only push the
        // property and the name to their tab stops, and are never drawn.
        const QStringList fields{shown(compound.sortkey), shown(compound.id),
                                 shown(propertycolumn(compound)), shown(compound.name)};
        const std::vector<int> xs = list_->fieldpositions(fields.join(QLatin1Char('\t')));
        for (qsizetype i : {2, 3}) {
            QRect cell = option.rect;
            cell.setLeft(option.rect.left() + 2 + xs[static_cast<std::size_t>(i)]);
            painter->drawText(cell, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                              fields[i]);
        }
        painter->restore();
    }

  private:
    ListBox* list_;
};

} // namespace

ListBox::ListBox(QWidget* parent)
    : QListWidget(parent), note_(new QLabel(viewport())), progress_(new QProgressBar(this)) {
    setItemDelegate(new TabStopDelegate(this));
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    note_->setObjectName(QStringLiteral("List1Note"));
    note_->setWordWrap(true);
    note_->setAlignment(Qt::AlignCenter);
    note_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    note_->setAccessibleName(QStringLiteral("Why the list is empty"));
    // The palette's colour for text that stands in for content, in light and dark themes.
    QPalette muted = note_->palette();
    muted.setColor(QPalette::WindowText, muted.color(QPalette::PlaceholderText));
    note_->setPalette(muted);
    note_->hide();
    progress_->setObjectName(QStringLiteral("List1Progress"));
    progress_->setAccessibleName(QStringLiteral("Search progress"));
    progress_->setFormat(QStringLiteral("%v of %m"));
    progress_->setTextVisible(true);
    progress_->setFocusPolicy(Qt::NoFocus);
    progress_->hide();
}

void ListBox::setnote(const QString& text) {
    note_->setText(text);
    note_->setVisible(!text.isEmpty() && entries_.size() == 0);
    setAccessibleDescription(text);
    placeoverlays();
}

QString ListBox::note() const {
    return note_->isHidden() ? QString() : note_->text();
}

void ListBox::showprogress(int n, int total) {
    progress_->setRange(0, std::max(total, 1));
    progress_->setValue(std::clamp(n, 0, std::max(total, 1)));
    if (progress_->isHidden()) {
        placeoverlays();
        progress_->show();
        progress_->raise();
    }
}

void ListBox::hideprogress() {
    progress_->hide();
}

QRect ListBox::visiblepart() const {
    QRect part = rect();
    // Left of the parent's edge nothing shows.
    if (x() < 0) part.setLeft(-x());
    return part.adjusted(frameWidth(), frameWidth(), -frameWidth(), -frameWidth());
}

void ListBox::placeoverlays() {
    const QRect part = visiblepart();
    const int height = progress_->sizeHint().height();
    progress_->setGeometry(part.left(), part.bottom() + 1 - height, part.width(), height);
    // The note in the viewport's coordinates, over the visible part.
    const QRect view = QRect(viewport()->mapFrom(this, part.topLeft()), part.size());
    note_->setGeometry(view.adjusted(8, 8, -8, -8));
}

void ListBox::resizeEvent(QResizeEvent* event) {
    QListWidget::resizeEvent(event);
    placeoverlays();
}

void ListBox::moveEvent(QMoveEvent* event) {
    QListWidget::moveEvent(event);
    placeoverlays();
}

void ListBox::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        emit copyrequested();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void ListBox::mousePressEvent(QMouseEvent* event) {
    const int before = currentRow();
    QListWidget::mousePressEvent(event);
    const int at = indexAt(event->position().toPoint()).row();
    pressedcurrent_ = event->button() == Qt::LeftButton && at >= 0 && at == before;
}

void ListBox::mouseReleaseEvent(QMouseEvent* event) {
    QListWidget::mouseReleaseEvent(event);
    const int at = indexAt(event->position().toPoint()).row();
    if (std::exchange(pressedcurrent_, false) && at == currentRow()) emit currentclicked();
}

int ListBox::additem(const ListedCompound& compound) {
    const auto position = static_cast<int>(entries_.add(compound));
    // The item's own text is what the row says, for whoever reads it rather than sees it.
    insertItem(position, spokenrow(compound));
    note_->hide();
    return position;
}

void ListBox::clearitems() {
    entries_.clear();
    clear();
    setnote({});
}

QString spokenrow(const ListedCompound& compound) {
    const bool known = compound.value != "?";
    const QString unit =
        compound.iskelvin ? QStringLiteral("kelvin") : QStringLiteral("degrees Celsius");
    return shown(compound.name) + QStringLiteral(", ") + shown(compound.property) +
           QLatin1Char(' ') +
           (known ? shown(compound.value) + QLatin1Char(' ') + unit : QStringLiteral("unknown"));
}

double ListBox::dialogunit() const {
    // The columns were laid out for the design font, whose average character width is 9/16 of
    // its height; a wider fallback font must not move them (the identifier would show, or the
    // names slide under the panel that hides the property column).
    return QFontInfo(font()).pixelSize() * 9.0 / 16.0 / 4.0;
}

void ListBox::settabstops(std::vector<int> stops) {
    tabstops_ = std::move(stops);
    viewport()->update();
}

std::vector<int> ListBox::fieldpositions(const QString& text) const {
    const QFontMetrics metrics(font());
    const double unit = dialogunit();
    std::vector<int> xs;
    int x = 0;
    const QStringList fields = text.split(QLatin1Char('\t'));
    for (qsizetype i = 0; i < fields.size(); ++i) {
        xs.push_back(x);
        const int end = x + metrics.horizontalAdvance(fields[i]);
        // The next stop right of the text; past the last stop, every 32 dialog units.
        int next = -1;
        for (int stop : tabstops_) {
            const int px = static_cast<int>(stop * unit);
            if (px > end) {
                next = px;
                break;
            }
        }
        if (next < 0) {
            constexpr int defaultstop = 32; // dialog units between the list's default stops
            const int step = std::max(1, static_cast<int>(defaultstop * unit));
            next = (end / step + 1) * step;
        }
        x = next;
    }
    return xs;
}

void settab(ListBox* l, const std::string& ptstring) {
    constexpr std::size_t moststops = 21;
    std::vector<int> stops;
    std::string copy = ptstring;
    while (!copy.empty() && stops.size() < moststops) {
        const auto stop = parsestringforinteger(copy, ",");
        if (!stop) break;
        stops.push_back(*stop);
    }
    l->settabstops(std::move(stops));
}

} // namespace kestrix
