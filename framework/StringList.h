// An ordered list of texts, unsorted, duplicates allowed.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/Component.h"

class TStringList : public TObject {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  // Reading or writing outside 0 .. Count-1 raises EStringListError with the message
  // "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています (%d)".
  const std::string& Strings(int index) const;
  void SetStrings(int index, const std::string& s);
  const std::string& operator[](int index) const { return Strings(index); }

  int Add(const std::string& s);
  void Insert(int index, const std::string& s);
  void Delete(int index);
  void Exchange(int a, int b);
  void Clear();
  // The first index holding exactly s, or -1.
  int IndexOf(const std::string& s) const;
  void Assign(const TStringList& other);

  const std::vector<std::string>& Items() const { return items_; }

  // Called after every change of the content (a list box shows its items through it).
  std::function<void()> OnChange;
  bool operator==(const TStringList& other) const { return items_ == other.items_; }

 private:
  void Check(int index) const;
  void Changed() {
    if (OnChange) OnChange();
  }
  std::vector<std::string> items_;
};
