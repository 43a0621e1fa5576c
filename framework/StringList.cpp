#include "framework/StringList.h"

#include <utility>

#include "framework/Exceptions.h"
#include "framework/SysUtils.h"

void TStringList::Check(int index) const {
  if (index < 0 || index >= Count()) throw EStringListError(Format("ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています (%d)", {index}));
}

const std::string& TStringList::Strings(int index) const {
  Check(index);
  return items_[static_cast<std::size_t>(index)];
}

void TStringList::SetStrings(int index, const std::string& s) {
  Check(index);
  items_[static_cast<std::size_t>(index)] = s;
  Changed();
}

int TStringList::Add(const std::string& s) {
  items_.push_back(s);
  Changed();
  return Count() - 1;
}

void TStringList::Insert(int index, const std::string& s) {
  // Inserting at Count appends; further out is an error.
  if (index != Count()) Check(index);
  items_.insert(items_.begin() + index, s);
  Changed();
}

void TStringList::Delete(int index) {
  Check(index);
  items_.erase(items_.begin() + index);
  Changed();
}

void TStringList::Exchange(int a, int b) {
  Check(a);
  Check(b);
  std::swap(items_[static_cast<std::size_t>(a)], items_[static_cast<std::size_t>(b)]);
  Changed();
}

int TStringList::IndexOf(const std::string& s) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[static_cast<std::size_t>(i)] == s) return i;
  return -1;
}

void TStringList::Assign(const TStringList& other) {
  if (&other == this) return;
  items_ = other.items_;
  Changed();
}

void TStringList::Clear() {
  items_.clear();
  Changed();
}
