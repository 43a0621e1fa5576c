// Published properties and the class registry that the window-description reader works
// through. Each class lists its properties in a table of setters (inheriting its base
// class's table), so a description assigns them through the class's own setters, in file
// order, exactly as code would.
#pragma once

#include <any>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/Exceptions.h"

// A property value as a description writes it.
struct TPropValue {
  enum Kind { Integer, String, Boolean, Ident, Set, Strings };
  Kind kind = Integer;
  long long integer = 0;
  std::string text;  // String and Ident
  bool boolean = false;
  std::vector<std::string> items;  // Set and Strings
  int line = 0;                    // where the value stands, for error messages
};

// A description that cannot be read, or a value that does not fit its property. The place
// is kept as data: the file (empty when unnamed) and the line (0 when unknown), which the
// message names in front of the detail ("main.dfm:3: ...", or "line 3: ..." in an unnamed
// text).
class EReadError : public Exception {
 public:
  explicit EReadError(const std::string& detail, int line = 0, const std::string& source = {})
      : Exception(Compose(detail, line, source)), detail_(detail), source_(source), line_(line) {}

  const std::string& Detail() const { return detail_; }
  const std::string& Source() const { return source_; }
  int Line() const { return line_; }

 private:
  static std::string Compose(const std::string& detail, int line, const std::string& source);

  std::string detail_;
  std::string source_;
  int line_;
};

// Conversions for setters; each raises EReadError naming what it expected.
long long AsInteger(const TPropValue& v);
const std::string& AsString(const TPropValue& v);
bool AsBoolean(const TPropValue& v);
const std::string& AsIdent(const TPropValue& v);
const std::vector<std::string>& AsSet(const TPropValue& v);
const std::vector<std::string>& AsStrings(const TPropValue& v);
// An identifier that must be one of the names given; returns its index.
int AsEnum(const TPropValue& v, const std::vector<std::string>& names);
// A set whose members must be among the names given; returns bit 1 << index for each.
int AsSetBits(const TPropValue& v, const std::vector<std::string>& names);

class TPropertyTable {
 public:
  using Setter = std::function<void(TComponent* target, const TPropValue& value)>;

  explicit TPropertyTable(const TPropertyTable* base = nullptr) : base_(base) {}

  // Names are matched without regard to case; dotted names address sub-objects
  // ("Font.Height", "Items.Strings").
  TPropertyTable& Add(const std::string& name, Setter setter);
  const Setter* Find(const std::string& name) const;

 private:
  const TPropertyTable* base_;
  std::map<std::string, Setter> setters_;  // keyed in lower case
};

// Typed helper: Prop<TLabel>(table, "Caption", [](TLabel* l, const TPropValue& v) {...}).
// The outer block of a description names a class of its own, whose setters then reach the
// window it is read into; a window of another class is refused rather than written as one.
template <class T>
void Prop(TPropertyTable& table, const std::string& name, std::function<void(T*, const TPropValue&)> set) {
  table.Add(name, [set = std::move(set), name](TComponent* c, const TPropValue& v) {
    T* target = dynamic_cast<T*>(c);
    if (target == nullptr) throw EReadError("'" + c->Name() + "' has no property " + name + " of this class");
    set(target, v);
  });
}

// Makes components by class name.
class TClassRegistry {
 public:
  using Factory = std::function<TComponent*(TComponent* owner)>;
  struct Entry {
    Factory create;
    const TPropertyTable* properties;
  };

  static TClassRegistry& Instance();
  void Register(const std::string& className, Factory create, const TPropertyTable* properties);
  const Entry* Find(const std::string& className) const;

 private:
  std::map<std::string, Entry> classes_;
};

// Handlers of a window, by name, for the event properties of its description. A handler is
// stored as the event type it serves (TNotifyEvent and the like); the event's setter asks
// for that type and a handler of another type is an error.
class THandlerTable {
 public:
  template <class Event>
  void Add(const std::string& name, Event handler) {
    handlers_[name] = std::move(handler);
  }
  template <class Event>
  Event Get(const TPropValue& v) const {
    const std::string& name = AsIdent(v);
    auto it = handlers_.find(name);
    if (it == handlers_.end()) throw EReadError("no handler named '" + name + "'", v.line);
    if (const Event* e = std::any_cast<Event>(&it->second)) return *e;
    throw EReadError("handler '" + name + "' does not fit this event", v.line);
  }

 private:
  std::map<std::string, std::any> handlers_;
};

// Components that own handlers (forms) make them known to the reader through this.
class THandlerOwner {
 public:
  virtual ~THandlerOwner() = default;
  virtual const THandlerTable& Handlers() const = 0;
};

// The handler table of the root of the description a component is being read into.
const THandlerTable& HandlersFor(TComponent* c);

// Installed by the control layer: makes a component read from a nested block a child of the
// component whose block encloses it. The reader knows nothing of controls, so it leaves the
// decision (and the handling of components that are not controls) to this hook; while it is
// empty, nesting only decides ownership, which is always the root's.
extern std::function<void(TComponent* child, TComponent* container)> SetParentHook;
