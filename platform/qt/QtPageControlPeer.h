// A tabbed notebook: one page container per caption, each a parent for the controls of
// its page; the user's change of page is reported.
#pragma once

#include <memory>
#include <vector>

#include "platform/qt/QtControl.h"

namespace platform::qt {

class QtPageControlPeer : public QtControl, public ui::PageControlPeer {
 public:
  QtPageControlPeer(QWidget* parent, ui::PeerHandler* handler);
  ~QtPageControlPeer() override;

  // The font and colour of the tab captions; the pages' controls have their own.
  void SetFont(const ui::FontSpec& font) override;

  void SetPages(const std::vector<std::string>& captions) override;
  void SetActivePage(int index) override;
  ControlPeer* PageContainer(int index) override;

 private:
  std::vector<std::unique_ptr<QtControl>> pages_;
};

}  // namespace platform::qt
