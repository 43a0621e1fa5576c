#include "framework/Properties.h"

#include <algorithm>

#include "platform/system/Ascii.h"

namespace {

using platform::AsciiLower;

const char* KindName(TPropValue::Kind k) {
  switch (k) {
    case TPropValue::Integer: return "a number";
    case TPropValue::String: return "a text";
    case TPropValue::Boolean: return "True or False";
    case TPropValue::Ident: return "a name";
    case TPropValue::Set: return "a set";
    case TPropValue::Strings: return "a list of texts";
  }
  return "a value";
}

[[noreturn]] void Expected(const TPropValue& v, TPropValue::Kind want) {
  throw EReadError(std::string("expected ") + KindName(want) + ", found " + KindName(v.kind), v.line);
}

}  // namespace

std::string EReadError::Compose(const std::string& detail, int line, const std::string& source) {
  if (!source.empty()) return source + ":" + std::to_string(line) + ": " + detail;
  if (line > 0) return "line " + std::to_string(line) + ": " + detail;
  return detail;
}

long long AsInteger(const TPropValue& v) {
  if (v.kind != TPropValue::Integer) Expected(v, TPropValue::Integer);
  return v.integer;
}

const std::string& AsString(const TPropValue& v) {
  if (v.kind != TPropValue::String) Expected(v, TPropValue::String);
  return v.text;
}

bool AsBoolean(const TPropValue& v) {
  if (v.kind != TPropValue::Boolean) Expected(v, TPropValue::Boolean);
  return v.boolean;
}

const std::string& AsIdent(const TPropValue& v) {
  if (v.kind != TPropValue::Ident) Expected(v, TPropValue::Ident);
  return v.text;
}

const std::vector<std::string>& AsSet(const TPropValue& v) {
  if (v.kind != TPropValue::Set) Expected(v, TPropValue::Set);
  return v.items;
}

const std::vector<std::string>& AsStrings(const TPropValue& v) {
  if (v.kind != TPropValue::Strings) Expected(v, TPropValue::Strings);
  return v.items;
}

int AsEnum(const TPropValue& v, const std::vector<std::string>& names) {
  const std::string& name = AsIdent(v);
  for (std::size_t i = 0; i < names.size(); ++i)
    if (platform::EqualsNoCase(names[i], name)) return static_cast<int>(i);
  std::string list;
  for (const auto& n : names) list += (list.empty() ? "" : ", ") + n;
  throw EReadError("'" + name + "' is not one of " + list, v.line);
}

int AsSetBits(const TPropValue& v, const std::vector<std::string>& names) {
  int bits = 0;
  for (const auto& name : AsSet(v)) {
    TPropValue member;
    member.kind = TPropValue::Ident;
    member.text = name;
    member.line = v.line;
    bits |= 1 << AsEnum(member, names);
  }
  return bits;
}

TPropertyTable& TPropertyTable::Add(const std::string& name, Setter setter) {
  setters_[AsciiLower(name)] = std::move(setter);
  return *this;
}

const TPropertyTable::Setter* TPropertyTable::Find(const std::string& name) const {
  const std::string key = AsciiLower(name);
  for (const TPropertyTable* t = this; t != nullptr; t = t->base_) {
    auto it = t->setters_.find(key);
    if (it != t->setters_.end()) return &it->second;
  }
  return nullptr;
}

TClassRegistry& TClassRegistry::Instance() {
  static TClassRegistry registry;
  return registry;
}

void TClassRegistry::Register(const std::string& className, Factory create, const TPropertyTable* properties) {
  classes_[AsciiLower(className)] = Entry{std::move(create), properties};
}

const TClassRegistry::Entry* TClassRegistry::Find(const std::string& className) const {
  auto it = classes_.find(AsciiLower(className));
  return it == classes_.end() ? nullptr : &it->second;
}

std::function<void(TComponent* child, TComponent* container)> SetParentHook;

const THandlerTable& HandlersFor(TComponent* c) {
  for (TComponent* o = c; o != nullptr; o = o->Owner())
    if (auto* h = dynamic_cast<THandlerOwner*>(o)) return h->Handlers();
  static const THandlerTable none;
  return none;
}
