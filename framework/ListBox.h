// A list of texts in one or more columns with single, multiple or extended selection.
// A selection the user makes (mouse or keys) raises OnClick; one the program makes does not.
#pragma once

#include <vector>

#include "framework/StringList.h"
#include "framework/WinControl.h"

enum TBorderStyle { bsNoneBorder, bsSingleBorder };

class TListBox : public TWinControl {
 public:
  explicit TListBox(TComponent* AOwner);
  ~TListBox() override;

  TStringList* Items() { return &items_; }
  // -1 when nothing is selected.
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int v);
  bool Selected(int index) const;
  void SetSelected(int index, bool v);
  int SelCount() const;
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool v);
  bool ExtendedSelect() const { return extendedSelect_; }
  void SetExtendedSelect(bool v);
  int Columns() const { return columns_; }
  void SetColumns(int v);
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int v);
  bool Border() const { return border_; }
  void SetBorder(bool v);

  // The user's acts, as the native control reports them (tests call them directly).
  void UserSelect(int index, bool shift = false, bool ctrl = false);
  void UserKey(platform::ui::Key key);

  static TPropertyTable& Properties();

 protected:
  std::unique_ptr<platform::ui::ControlPeer> MakePeer(platform::ui::Backend& b,
                                                      platform::ui::ControlPeer* parent) override;
  void SyncPeer() override;
  void PeerSelection(int itemIndex, const std::vector<bool>& selected) override;

 private:
  void ItemsChanged();
  void SendSelection();
  int RowsPerColumn() const;

  TStringList items_;
  std::vector<bool> selected_;
  int itemIndex_ = -1;
  int anchor_ = -1;
  bool multiSelect_ = false;
  bool extendedSelect_ = true;
  int columns_ = 0;
  int itemHeight_ = 13;
  bool border_ = true;
};
