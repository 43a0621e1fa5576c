#include "platform/qt/QtPageControlPeer.h"

#include <QTabBar>
#include <QTabWidget>

#include "platform/qt/QtConversions.h"
#include "platform/qt/QtFonts.h"

namespace platform::qt {

namespace {

class TabWidget : public QTabWidget, public PeerLink {
 public:
  explicit TabWidget(QWidget* parent) : QTabWidget(parent) {
    connect(this, &QTabWidget::currentChanged, this, [this](int index) {
      if (programmatic > 0 || index < 0) return;
      Notify([index](ui::PeerHandler& h) { h.PeerPageChanged(index); });
    });
  }

  QTabBar* Bar() const { return tabBar(); }

  int programmatic = 0;  // the program is changing the pages; nothing to report
};

struct ProgrammaticChange {
  explicit ProgrammaticChange(TabWidget* w) : widget(w) { ++widget->programmatic; }
  ~ProgrammaticChange() { --widget->programmatic; }
  ProgrammaticChange(const ProgrammaticChange&) = delete;
  ProgrammaticChange& operator=(const ProgrammaticChange&) = delete;
  TabWidget* widget;
};

// A page shows the notebook's own colour (the button face), as the controls on it do;
// the style's lighter pane would leave a grey box around every check box.
class PageWidget : public QWidget, public PeerLink {
 public:
  PageWidget() { setAutoFillBackground(true); }
};

// A page: the tab widget places and shows it, so the framework's bounds and visibility
// for it change nothing.
class PageSheet : public QtControl {
 public:
  PageSheet() : QtControl(new PageWidget, nullptr, Kind::Page) {}
  void SetBounds(int, int, int, int) override {}
  void SetVisible(bool) override {}
};

}  // namespace

QtPageControlPeer::QtPageControlPeer(QWidget* parent, ui::PeerHandler* handler)
    : QtControl(new TabWidget(parent), handler, Kind::Windowed) {}

QtPageControlPeer::~QtPageControlPeer() {
  if (auto* w = As<TabWidget>()) {
    ProgrammaticChange change(w);
    pages_.clear();
  }
}

void QtPageControlPeer::SetFont(const ui::FontSpec& font) {
  auto* w = As<TabWidget>();
  if (!w) return;
  w->Bar()->setFont(MakeQFont(font));
  SetTextColor(w->Bar(), ToQColor(font.color));
}

void QtPageControlPeer::SetPages(const std::vector<std::string>& captions) {
  auto* w = As<TabWidget>();
  if (!w) return;
  ProgrammaticChange change(w);
  for (std::size_t i = 0; i < captions.size(); ++i) {
    const int index = static_cast<int>(i);
    if (i < pages_.size()) {
      w->setTabText(index, ToQString(captions[i]));
    } else {
      auto page = std::make_unique<PageSheet>();
      w->addTab(page->Widget(), ToQString(captions[i]));
      pages_.push_back(std::move(page));
    }
  }
  while (pages_.size() > captions.size()) {
    w->removeTab(static_cast<int>(pages_.size() - 1));
    pages_.pop_back();
  }
}

void QtPageControlPeer::SetActivePage(int index) {
  auto* w = As<TabWidget>();
  if (!w || index < 0 || index >= w->count()) return;
  ProgrammaticChange change(w);
  w->setCurrentIndex(index);
}

ui::ControlPeer* QtPageControlPeer::PageContainer(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= pages_.size()) return nullptr;
  return pages_[static_cast<std::size_t>(index)].get();
}

}  // namespace platform::qt
