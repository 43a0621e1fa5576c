#include "framework/ListBox.h"

#include <algorithm>

#include "platform/messages/EventLoop.h"

using platform::ui::Key;

TListBox::TListBox(TComponent* AOwner) : TWinControl(AOwner) {
  SetColor(clWindow);
  items_.OnChange = [this] { ItemsChanged(); };
}

TListBox::~TListBox() { items_.OnChange = nullptr; }

std::unique_ptr<platform::ui::ControlPeer> TListBox::MakePeer(platform::ui::Backend& b,
                                                              platform::ui::ControlPeer* parent) {
  return b.CreateListBox(parent, this);
}

void TListBox::SyncPeer() {
  TWinControl::SyncPeer();
  auto* p = PeerAs<platform::ui::ListBoxPeer>();
  p->SetBorder(border_);
  p->SetColumns(columns_);
  p->SetItemHeight(itemHeight_);
  p->SetSelectionMode(!multiSelect_     ? platform::ui::ListSelection::Single
                      : extendedSelect_ ? platform::ui::ListSelection::Extended
                                        : platform::ui::ListSelection::Multi);
  p->SetItems(items_.Items());
  SendSelection();
}

void TListBox::ItemsChanged() {
  // A change of the items loses the selection, as the native list does.
  selected_.assign(static_cast<std::size_t>(items_.Count()), false);
  itemIndex_ = -1;
  anchor_ = -1;
  if (auto* p = PeerAs<platform::ui::ListBoxPeer>()) {
    p->SetItems(items_.Items());
    SendSelection();
  }
}

void TListBox::SendSelection() {
  if (auto* p = PeerAs<platform::ui::ListBoxPeer>()) p->SetSelection(itemIndex_, selected_);
}

void TListBox::SetItemIndex(int v) {
  if (v < -1 || v >= items_.Count()) v = -1;
  if (v == itemIndex_ && (v < 0 || selected_[static_cast<std::size_t>(v)])) return;
  itemIndex_ = v;
  if (!multiSelect_) std::fill(selected_.begin(), selected_.end(), false);
  if (v >= 0) selected_[static_cast<std::size_t>(v)] = true;
  anchor_ = v;
  SendSelection();
}

bool TListBox::Selected(int index) const {
  if (index < 0 || index >= static_cast<int>(selected_.size())) return false;
  return selected_[static_cast<std::size_t>(index)];
}

void TListBox::SetSelected(int index, bool v) {
  if (index < 0 || index >= static_cast<int>(selected_.size()) || Selected(index) == v) return;
  if (!multiSelect_) {
    SetItemIndex(v ? index : -1);
    return;
  }
  selected_[static_cast<std::size_t>(index)] = v;
  SendSelection();
}

int TListBox::SelCount() const {
  return multiSelect_ ? static_cast<int>(std::count(selected_.begin(), selected_.end(), true)) : -1;
}

void TListBox::SetMultiSelect(bool v) {
  if (v == multiSelect_) return;
  multiSelect_ = v;
  if (peer_) SyncPeer();
}

void TListBox::SetExtendedSelect(bool v) {
  if (v == extendedSelect_) return;
  extendedSelect_ = v;
  if (peer_) SyncPeer();
}

void TListBox::SetColumns(int v) {
  if (v == columns_) return;
  columns_ = v;
  if (auto* p = PeerAs<platform::ui::ListBoxPeer>()) p->SetColumns(v);
}

void TListBox::SetItemHeight(int v) {
  if (v == itemHeight_ || v <= 0) return;
  itemHeight_ = v;
  if (auto* p = PeerAs<platform::ui::ListBoxPeer>()) p->SetItemHeight(v);
}

void TListBox::SetBorder(bool v) {
  if (v == border_) return;
  border_ = v;
  if (auto* p = PeerAs<platform::ui::ListBoxPeer>()) p->SetBorder(v);
}

void TListBox::UserSelect(int index, bool shift, bool ctrl) {
  if (index < 0 || index >= items_.Count()) return;
  if (multiSelect_ && extendedSelect_ && shift && anchor_ >= 0) {
    if (!ctrl) std::fill(selected_.begin(), selected_.end(), false);
    const int lo = std::min(anchor_, index), hi = std::max(anchor_, index);
    for (int i = lo; i <= hi; ++i) selected_[static_cast<std::size_t>(i)] = true;
    itemIndex_ = index;
  } else if (multiSelect_ && (ctrl || !extendedSelect_)) {
    selected_[static_cast<std::size_t>(index)] = !selected_[static_cast<std::size_t>(index)];
    itemIndex_ = index;
    anchor_ = index;
  } else {
    std::fill(selected_.begin(), selected_.end(), false);
    selected_[static_cast<std::size_t>(index)] = true;
    itemIndex_ = index;
    anchor_ = index;
  }
  SendSelection();
  Click();
}

int TListBox::RowsPerColumn() const {
  const int rows = (Height() - (border_ ? 4 : 0)) / std::max(1, itemHeight_);
  return std::max(1, rows);
}

void TListBox::UserKey(Key key) {
  const int n = items_.Count();
  if (n == 0) return;
  int i = itemIndex_;
  const int step = columns_ > 0 ? RowsPerColumn() : 1;
  switch (key) {
    case Key::Up: i = i < 0 ? 0 : i - 1; break;
    case Key::Down: i = i < 0 ? 0 : i + 1; break;
    case Key::Left: i = i < 0 ? 0 : (columns_ > 0 ? i - step : i - 1); break;
    case Key::Right: i = i < 0 ? 0 : (columns_ > 0 ? i + step : i + 1); break;
    case Key::Home: i = 0; break;
    case Key::End: i = n - 1; break;
    default: return;
  }
  i = std::clamp(i, 0, n - 1);
  if (i == itemIndex_) return;
  UserSelect(i);
}

void TListBox::PeerSelection(int itemIndex, const std::vector<bool>& selected) {
  // The native control has already moved; the model follows and PeerClick reports it.
  if (selected.size() == selected_.size()) selected_ = selected;
  itemIndex_ = itemIndex;
  if (itemIndex >= 0 && !(multiSelect_ && extendedSelect_)) anchor_ = itemIndex;
}

TPropertyTable& TListBox::Properties() {
  static TPropertyTable t = [] {
    TPropertyTable p(&TWinControl::Properties());
    Prop<TListBox>(p, "Items.Strings", [](TListBox* l, const TPropValue& v) {
      l->Items()->Clear();
      for (const auto& s : AsStrings(v)) l->Items()->Add(s);
    });
    Prop<TListBox>(p, "MultiSelect", [](TListBox* l, const TPropValue& v) { l->SetMultiSelect(AsBoolean(v)); });
    Prop<TListBox>(p, "ExtendedSelect", [](TListBox* l, const TPropValue& v) { l->SetExtendedSelect(AsBoolean(v)); });
    Prop<TListBox>(p, "Columns",
                   [](TListBox* l, const TPropValue& v) { l->SetColumns(static_cast<int>(AsInteger(v))); });
    Prop<TListBox>(p, "ItemHeight",
                   [](TListBox* l, const TPropValue& v) { l->SetItemHeight(static_cast<int>(AsInteger(v))); });
    Prop<TListBox>(p, "BorderStyle", [](TListBox* l, const TPropValue& v) {
      l->SetBorder(AsEnum(v, {"bsNone", "bsSingle"}) == 1);
    });
    for (const char* ignored : {"IntegralHeight"}) p.Add(ignored, [](TComponent*, const TPropValue&) {});
    return p;
  }();
  return t;
}
