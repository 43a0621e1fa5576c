// Tabbed pages: one page in front at a time, each page a container of controls.
#pragma once

#include <string>
#include <vector>

#include "framework/WinControl.h"

class TTabbedNotebook;

class TTabPage : public TWinControl {
 public:
  explicit TTabPage(TComponent* AOwner) : TWinControl(AOwner) {}
  platform::ui::ControlPeer* ContainerPeer() const override;
  int PageIndex() const;
  static TPropertyTable& Properties();

 protected:
  void TextChanged() override;
};

class TTabbedNotebook : public TWinControl {
 public:
  explicit TTabbedNotebook(TComponent* AOwner) : TWinControl(AOwner) {}

  int PageCount() const;
  TTabPage* Page(int index) const;
  int PageIndex() const { return pageIndex_; }
  void SetPageIndex(int v);
  TFont* TabFont() { return &tabFont_; }
  // The user picks a page by its tab.
  void UserSelectPage(int index);

  TNotifyEvent OnChange;

  platform::ui::PageControlPeer* PagePeer() const { return PeerAs<platform::ui::PageControlPeer>(); }
  void PagesChanged();

  static TPropertyTable& Properties();

 protected:
  std::unique_ptr<platform::ui::ControlPeer> MakePeer(platform::ui::Backend& b,
                                                      platform::ui::ControlPeer* parent) override {
    return b.CreatePageControl(parent, this);
  }
  void SyncPeer() override;
  void PeerPageChanged(int index) override;
  void Loaded() override;

 private:
  std::vector<std::string> Captions() const;
  int pageIndex_ = 0;
  TFont tabFont_;
};
