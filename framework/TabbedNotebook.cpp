#include "framework/TabbedNotebook.h"

#include "platform/messages/EventLoop.h"

platform::ui::ControlPeer* TTabPage::ContainerPeer() const {
  auto* book = dynamic_cast<TTabbedNotebook*>(Parent());
  if (!book || !book->PagePeer()) return nullptr;
  return book->PagePeer()->PageContainer(PageIndex());
}

int TTabPage::PageIndex() const {
  auto* book = dynamic_cast<TTabbedNotebook*>(Parent());
  if (!book) return -1;
  for (int i = 0; i < book->PageCount(); ++i)
    if (book->Page(i) == this) return i;
  return -1;
}

void TTabPage::TextChanged() {
  if (auto* book = dynamic_cast<TTabbedNotebook*>(Parent())) book->PagesChanged();
}

TPropertyTable& TTabPage::Properties() {
  static TPropertyTable t(&TWinControl::Properties());
  return t;
}

int TTabbedNotebook::PageCount() const {
  int n = 0;
  for (int i = 0; i < ControlCount(); ++i) n += dynamic_cast<TTabPage*>(Controls(i)) != nullptr;
  return n;
}

TTabPage* TTabbedNotebook::Page(int index) const {
  int n = 0;
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* p = dynamic_cast<TTabPage*>(Controls(i))) {
      if (n == index) return p;
      ++n;
    }
  return nullptr;
}

std::vector<std::string> TTabbedNotebook::Captions() const {
  std::vector<std::string> out;
  for (int i = 0; i < PageCount(); ++i) out.push_back(Page(i)->Caption());
  return out;
}

void TTabbedNotebook::PagesChanged() {
  if (auto* p = PagePeer()) {
    p->SetPages(Captions());
    p->SetActivePage(pageIndex_);
  }
}

void TTabbedNotebook::SyncPeer() {
  // The pages' containers must exist before the pages' children are made in them.
  PagesChanged();
  TWinControl::SyncPeer();
  PagePeer()->SetFont(tabFont_.AsFontSpec());
}

void TTabbedNotebook::SetPageIndex(int v) {
  // A description gives the index before the pages it refers to; Loaded applies it.
  if (Loading()) {
    pageIndex_ = v;
    return;
  }
  if (v < 0 || v >= PageCount() || v == pageIndex_) return;
  pageIndex_ = v;
  for (int i = 0; i < PageCount(); ++i) Page(i)->SetVisible(i == v);
  if (auto* p = PagePeer()) p->SetActivePage(v);
}

void TTabbedNotebook::Loaded() {
  const int wanted = pageIndex_ >= 0 && pageIndex_ < PageCount() ? pageIndex_ : 0;
  // Forget the stored index so that the pages are shown and hidden even when it is 0.
  pageIndex_ = -1;
  SetPageIndex(wanted);
  if (pageIndex_ < 0) pageIndex_ = 0;
}

void TTabbedNotebook::UserSelectPage(int index) {
  if (index == pageIndex_) return;
  SetPageIndex(index);
  if (OnChange) OnChange(this);
}

void TTabbedNotebook::PeerPageChanged(int index) {
  platform::DispatchSafely([&] { UserSelectPage(index); });
}

TPropertyTable& TTabbedNotebook::Properties() {
  static TPropertyTable t = [] {
    TPropertyTable p(&TWinControl::Properties());
    Prop<TTabbedNotebook>(p, "PageIndex", [](TTabbedNotebook* b, const TPropValue& v) {
      b->SetPageIndex(static_cast<int>(AsInteger(v)));
    });
    Prop<TTabbedNotebook>(p, "TabFont.Name",
                          [](TTabbedNotebook* b, const TPropValue& v) { b->TabFont()->SetName(AsString(v)); });
    Prop<TTabbedNotebook>(p, "TabFont.Height", [](TTabbedNotebook* b, const TPropValue& v) {
      b->TabFont()->SetHeight(static_cast<int>(AsInteger(v)));
    });
    Prop<TTabbedNotebook>(p, "TabFont.Color",
                          [](TTabbedNotebook* b, const TPropValue& v) { b->TabFont()->SetColor(AsColor(v)); });
    Prop<TTabbedNotebook>(p, "TabFont.Style",
                          [](TTabbedNotebook* b, const TPropValue& v) { b->TabFont()->SetStyle(AsFontStyles(v)); });
    p.Add("TabFont.Charset", [](TComponent*, const TPropValue&) {});
    return p;
  }();
  return t;
}
