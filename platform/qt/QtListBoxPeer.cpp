#include "platform/qt/QtListBoxPeer.h"

#include <QApplication>
#include <QItemSelection>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>

#include "platform/qt/QtConversions.h"

namespace platform::qt {

namespace {

// Draws rows the way the original list box does: a flat highlight across the whole cell,
// text two pixels in, and the focus rectangle around the caret row.
class RowDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  int rowHeight = 0;  // 0: the height of the font

  int RowHeightFor(const QFontMetrics& fm) const { return rowHeight > 0 ? rowHeight : fm.height(); }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QFontMetrics& fm = option.fontMetrics;
    return QSize(fm.horizontalAdvance(index.data().toString()) + 4, RowHeightFor(fm));
  }

  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const bool enabled = option.state.testFlag(QStyle::State_Enabled);
    const QPalette& pal = option.palette;
    // The selection keeps its colour when the list loses the focus, as it does natively.
    if (selected) p->fillRect(option.rect, pal.color(QPalette::Active, QPalette::Highlight));
    const QPalette::ColorGroup group = enabled ? QPalette::Active : QPalette::Disabled;
    p->save();
    p->setPen(pal.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    p->setFont(option.font);
    p->drawText(option.rect.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                index.data().toString());
    p->restore();
    if (option.state.testFlag(QStyle::State_HasFocus)) {
      QStyleOptionFocusRect focus;
      focus.QStyleOption::operator=(option);
      focus.backgroundColor = pal.color(selected ? QPalette::Highlight : QPalette::Base);
      const QWidget* w = option.widget;
      (w ? w->style() : QApplication::style())->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, p, w);
    }
  }
};

class ListWidget : public QListWidget, public PeerLink {
 public:
  explicit ListWidget(QWidget* parent) : QListWidget(parent), delegate_(new RowDelegate(this)) {
    setItemDelegate(delegate_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFlow(QListView::TopToBottom);
    setResizeMode(QListView::Adjust);
    setSpacing(0);
  }

  int columns = 1;

  void SetRowHeight(int height) {
    delegate_->rowHeight = height;
    UpdateLayout();
  }

  // Several columns fill top to bottom, then the next column, each a share of the width.
  // As in the native list, a sideways scroll bar appears only when the items need more
  // columns than are in view, and then takes its height from the rows.
  void UpdateLayout() {
    const int rowHeight = delegate_->RowHeightFor(fontMetrics());
    if (columns > 1) {
      const QRect inner = contentsRect();
      const int rows = std::max(1, inner.height() / std::max(1, rowHeight));
      const int needed = (count() + rows - 1) / rows;
      setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      setHorizontalScrollBarPolicy(needed > columns ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
      setWrapping(true);
      setGridSize(QSize(std::max(1, inner.width() / columns), rowHeight));
      // Qt starts a new column when a row would reach the last pixel of the view rather
      // than pass it, so a column that fits exactly would lose its last row; one pixel
      // more of view, hidden under the edge, keeps it.
      setViewportMargins(0, 0, 0, -1);
      if (QWidget* bar = horizontalScrollBar()->parentWidget()) bar->raise();
    } else {
      setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
      setViewportMargins(0, 0, 0, 0);
      setWrapping(false);
      setGridSize(QSize());
    }
    // Laid out at once, so that a paint or a question about where a row lies never sees
    // the old layout.
    doItemsLayout();
  }

  // The selection as the program last set it or the user last left it.
  void Remember() { last_ = Snapshot(); }

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QListWidget::resizeEvent(e);
    if (columns > 1) UpdateLayout();
  }

  void mousePressEvent(QMouseEvent* e) override {
    // Only the left button selects, as in the native list box.
    if (e->button() != Qt::LeftButton) return;
    QListWidget::mousePressEvent(e);
    // A click on a row is a click even when it picks the row already selected.
    Report(indexAt(e->position().toPoint()).isValid());
  }

  void mouseMoveEvent(QMouseEvent* e) override {
    QListWidget::mouseMoveEvent(e);
    if (e->buttons().testFlag(Qt::LeftButton)) Report(false);
  }

  void mouseReleaseEvent(QMouseEvent* e) override {
    QListWidget::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton) Report(false);
  }

  void mouseDoubleClickEvent(QMouseEvent* e) override {
    if (e->button() != Qt::LeftButton) return;
    QListWidget::mouseDoubleClickEvent(e);
    const QPoint p = e->position().toPoint();
    Notify([&](ui::PeerHandler& h) { h.PeerDblClick(p.x(), p.y()); });
  }

  void keyPressEvent(QKeyEvent* e) override {
    QListWidget::keyPressEvent(e);
    Report(false);
  }

 private:
  struct State {
    int current = -1;
    std::vector<bool> selected;
    bool operator==(const State&) const = default;
  };

  State Snapshot() const {
    State s;
    const int n = count();
    s.selected.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) s.selected[static_cast<std::size_t>(i)] = item(i)->isSelected();
    s.current = currentRow();
    if (selectionMode() == QAbstractItemView::SingleSelection) {
      // A single-choice list's index is its selected row; the caret alone counts for nothing.
      auto it = std::find(s.selected.begin(), s.selected.end(), true);
      s.current = it == s.selected.end() ? -1 : static_cast<int>(it - s.selected.begin());
    }
    return s;
  }

  // Tells the control about a selection the user made, then that the user clicked.
  void Report(bool always) {
    State now = Snapshot();
    if (!always && now == last_) return;
    last_ = now;
    Notify([&](ui::PeerHandler& h) { h.PeerSelection(now.current, now.selected); });
    Notify([](ui::PeerHandler& h) { h.PeerClick(); });
  }

  RowDelegate* delegate_;
  State last_;
};

}  // namespace

QtListBoxPeer::QtListBoxPeer(QWidget* parent, ui::PeerHandler* handler)
    : QtControl(new ListWidget(parent), handler, Kind::Windowed) {}

void QtListBoxPeer::SetFont(const ui::FontSpec& font) {
  QtControl::SetFont(font);
  if (auto* w = As<ListWidget>()) w->UpdateLayout();
}

void QtListBoxPeer::SetBackground(ui::Rgb color, bool) {
  auto* w = Widget();
  if (!w) return;
  QPalette p = w->palette();
  p.setColor(QPalette::Base, ToQColor(color));
  p.setColor(QPalette::Window, ToQColor(color));
  w->setPalette(p);
}

void QtListBoxPeer::SetItems(const std::vector<std::string>& items) {
  auto* w = As<ListWidget>();
  if (!w) return;
  QStringList list;
  list.reserve(static_cast<qsizetype>(items.size()));
  for (const auto& s : items) list.append(ToQString(s));
  w->clear();
  w->addItems(list);
  w->UpdateLayout();
  w->Remember();
}

void QtListBoxPeer::SetSelection(int itemIndex, const std::vector<bool>& selected) {
  auto* w = As<ListWidget>();
  if (!w) return;
  // The program's own changes are not the user's: the widget reports only what input does,
  // so nothing here reaches the handler.
  auto* model = w->model();
  QItemSelection selection;
  const int n = w->count();
  for (int i = 0; i < n && static_cast<std::size_t>(i) < selected.size(); ++i)
    if (selected[static_cast<std::size_t>(i)]) selection.select(model->index(i, 0), model->index(i, 0));
  auto* sm = w->selectionModel();
  if (itemIndex >= 0 && itemIndex < n) {
    sm->setCurrentIndex(model->index(itemIndex, 0), QItemSelectionModel::NoUpdate);
    w->scrollToItem(w->item(itemIndex));
  } else {
    sm->clearCurrentIndex();
  }
  sm->select(selection, QItemSelectionModel::ClearAndSelect);
  w->Remember();
}

void QtListBoxPeer::SetColumns(int columns) {
  auto* w = As<ListWidget>();
  if (!w) return;
  w->columns = std::max(1, columns);
  w->UpdateLayout();
}

void QtListBoxPeer::SetItemHeight(int height) {
  if (auto* w = As<ListWidget>()) w->SetRowHeight(std::max(0, height));
}

void QtListBoxPeer::SetSelectionMode(ui::ListSelection mode) {
  auto* w = As<ListWidget>();
  if (!w) return;
  switch (mode) {
    case ui::ListSelection::Single: w->setSelectionMode(QAbstractItemView::SingleSelection); break;
    case ui::ListSelection::Multi: w->setSelectionMode(QAbstractItemView::MultiSelection); break;
    case ui::ListSelection::Extended: w->setSelectionMode(QAbstractItemView::ExtendedSelection); break;
  }
  w->Remember();
}

void QtListBoxPeer::SetBorder(bool border) {
  auto* w = As<ListWidget>();
  if (!w) return;
  // The native list's sunken two-pixel edge; the style's own panel is all but invisible on
  // the button face the list boxes stand on.
  w->setFrameStyle(border ? (QFrame::WinPanel | QFrame::Sunken) : QFrame::NoFrame);
  w->UpdateLayout();
}

}  // namespace platform::qt
