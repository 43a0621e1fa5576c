#include "framework/DescriptionReader.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/Properties.h"

namespace {

// What the setters, Loaded and the parent hook did, in order.
std::vector<std::string> events;

class TReaderPanel : public TComponent {
 public:
  using TComponent::TComponent;
  std::map<std::string, TPropValue> values;  // by property, as last assigned
  TNotifyEvent onClick;

 protected:
  void Loaded() override { events.push_back("loaded " + Name()); }
};

class TReaderForm : public TReaderPanel, public THandlerOwner {
 public:
  using TReaderPanel::TReaderPanel;
  THandlerTable handlers;
  const THandlerTable& Handlers() const override { return handlers; }
};

void RegisterTestClasses() {
  static TPropertyTable panel = [] {
    TPropertyTable t;
    // Each setter notes what it set and whether the component was loading, converts the
    // value as a real setter would (which may raise), and keeps it.
    auto add = [&t](const std::string& name, std::function<void(TReaderPanel*, const TPropValue&)> convert) {
      Prop<TReaderPanel>(t, name, [name, convert](TReaderPanel* p, const TPropValue& v) {
        events.push_back(p->Name() + "." + name + (p->Loading() ? "" : " (not loading)"));
        convert(p, v);
        p->values[name] = v;
      });
    };
    add("Left", [](TReaderPanel*, const TPropValue& v) { AsInteger(v); });
    add("Caption", [](TReaderPanel*, const TPropValue& v) { AsString(v); });
    add("Items.Strings", [](TReaderPanel*, const TPropValue& v) { AsStrings(v); });
    add("Style", [](TReaderPanel*, const TPropValue& v) { AsSet(v); });
    add("Value", [](TReaderPanel*, const TPropValue&) {});
    add("OnClick", [](TReaderPanel* p, const TPropValue& v) { p->onClick = HandlersFor(p).Get<TNotifyEvent>(v); });
    add("Tag", [](TReaderPanel*, const TPropValue& v) {
      if (AsInteger(v) < 0) throw Exception("tag must not be negative");
    });
    return t;
  }();
  static TPropertyTable form(&panel);
  auto& registry = TClassRegistry::Instance();
  registry.Register(
      "TReaderPanel", [](TComponent* owner) { return new TReaderPanel(owner); }, &panel);
  registry.Register(
      "TReaderForm", [](TComponent* owner) { return new TReaderForm(owner); }, &form);
}

class DescriptionReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterTestClasses();
    events.clear();
    savedHook_ = SetParentHook;
    SetParentHook = [](TComponent* child, TComponent* container) {
      events.push_back("parent " + child->Name() + " in " + container->Name());
    };
  }
  void TearDown() override { SetParentHook = savedHook_; }

  const TPropValue& Value(const std::string& component, const std::string& property) {
    return static_cast<TReaderPanel*>(form->FindComponent(component))->values.at(property);
  }

  std::unique_ptr<TReaderForm> form = std::make_unique<TReaderForm>(nullptr);

 private:
  std::function<void(TComponent*, TComponent*)> savedHook_;
};

TEST_F(DescriptionReaderTest, BuildsTheTreeAssigningInFileOrderAndLoadsChildrenBeforeTheRoot) {
  int clicks = 0;
  form->handlers.Add<TNotifyEvent>("FormClick", [&clicks](TObject*) { ++clicks; });
  TDescriptionReader::Read(form.get(), R"(object Form1: TReaderForm
  // The deck's frame.
  Left = 208

  Caption = 'Deck'
  object Panel1: TReaderPanel
    Left = -12
    object List1: TReaderPanel
      Items.Strings = (
        'one'
        'two')
      Left = $FF
    end
    Caption = 'after child'
  end
  OnClick = FormClick
  object Panel2: TReaderPanel
  end
end
)",
                           "main.dfm");

  const std::vector<std::string> expected = {
      "Form1.Left",          "Form1.Caption", "parent Panel1 in Form1", "Panel1.Left",   "parent List1 in Panel1",
      "List1.Items.Strings", "List1.Left",    "Panel1.Caption",         "Form1.OnClick", "parent Panel2 in Form1",
      "loaded Panel1",       "loaded List1",  "loaded Panel2",          "loaded Form1"};
  EXPECT_EQ(events, expected);
  EXPECT_EQ(form->Name(), "Form1");
  ASSERT_EQ(form->ComponentCount(), 3);
  EXPECT_EQ(form->FindComponent("List1")->Owner(), form.get());
  EXPECT_EQ(form->values.at("Left").integer, 208);
  EXPECT_EQ(Value("Panel1", "Left").integer, -12);
  EXPECT_EQ(Value("Panel1", "Caption").text, "after child");
  EXPECT_EQ(Value("List1", "Left").integer, 255);
  EXPECT_EQ(Value("List1", "Left").line, 12);
  EXPECT_EQ(Value("List1", "Items.Strings").items, (std::vector<std::string>{"one", "two"}));
  EXPECT_FALSE(form->Loading() || form->FindComponent("List1")->Loading());
  ASSERT_TRUE(form->onClick);
  form->onClick(form.get());
  EXPECT_EQ(clicks, 1);
}

struct ValueCase {
  std::string written;
  TPropValue::Kind kind;
  long long integer = 0;
  std::string text = {};
  std::vector<std::string> items = {};
};

TEST_F(DescriptionReaderTest, ReadsEveryKindOfValue) {
  const std::vector<ValueCase> cases = {
      {"-12", TPropValue::Integer, -12},
      {"$FF", TPropValue::Integer, 255},
      {"-$10", TPropValue::Integer, -16},
      {"-9223372036854775808", TPropValue::Integer, -9223372036854775807LL - 1},
      {"'it''s'", TPropValue::String, 0, "it's"},
      {"''", TPropValue::String, 0, ""},
      {"'CDデッキ　「澄響」'", TPropValue::String, 0, "CDデッキ　「澄響」"},
      {"'abc'#12354'def'", TPropValue::String, 0, "abcあdef"},
      {"#$41#66", TPropValue::String, 0, "AB"},
      {"#55357#56832", TPropValue::String, 0, "\U0001F600"},
      {"'ab' +\n      'cd' +\n      #33", TPropValue::String, 0, "abcd!"},
      {"'x' // a remark", TPropValue::String, 0, "x"},
      {"tRUe", TPropValue::Boolean, 1},
      {"False", TPropValue::Boolean, 0},
      {"clBlack", TPropValue::Ident, 0, "clBlack"},
      {"[]", TPropValue::Set},
      {"[fsBold, fsUnderline]", TPropValue::Set, 0, "", {"fsBold", "fsUnderline"}},
      {"[fsBold,\n      fsItalic]", TPropValue::Set, 0, "", {"fsBold", "fsItalic"}},
      {"()", TPropValue::Strings},
      {"(\n      'a'\n\n      'b' + 'c')", TPropValue::Strings, 0, "", {"a", "bc"}},
  };
  for (const ValueCase& c : cases) {
    SCOPED_TRACE(c.written);
    form = std::make_unique<TReaderForm>(nullptr);
    TDescriptionReader::Read(
        form.get(), "object F: TReaderForm\n  object P: TReaderPanel\n    Value = " + c.written + "\n  end\nend",
        "v.dfm");
    const TPropValue& v = Value("P", "Value");
    EXPECT_EQ(v.kind, c.kind);
    EXPECT_EQ(v.line, 3);
    EXPECT_EQ(c.kind == TPropValue::Integer ? v.integer : 0, c.kind == TPropValue::Integer ? c.integer : 0);
    EXPECT_EQ(v.boolean, c.kind == TPropValue::Boolean && c.integer != 0);
    EXPECT_EQ(v.text, c.text);
    EXPECT_EQ(v.items, c.items);
  }
}

TEST_F(DescriptionReaderTest, ErrorsNameTheSourceAndTheLine) {
  const std::string head = "object F: TReaderForm\n";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Left = 1\n", "main.dfm:1: expected 'object', found 'Left'"},
      {"object F: TNope\nend\n", "main.dfm:1: unknown class 'TNope'"},
      {head + "  object X: TFoo\n  end\nend\n", "main.dfm:2: unknown class 'TFoo'"},
      {head + "  Colour = clRed\nend\n", "main.dfm:2: unknown property 'Colour' of TReaderForm"},
      {head + "\n  Left = 'ten'\nend\n", "main.dfm:3: bad value for Left: expected a number, found a text"},
      {head + "  Left = %12\nend\n", "main.dfm:2: bad value for Left: '%12'"},
      {head + "  Style = [fsBold, 3]\nend\n", "main.dfm:2: bad value for Style: '3'"},
      {head + "  OnClick = Missing\nend\n", "main.dfm:2: bad value for OnClick: no handler named 'Missing'"},
      {head + "  Tag = -1\nend\n", "main.dfm:2: bad value for Tag: tag must not be negative"},
      {head + "  object P: TReaderPanel\n    Left = 1\n", "main.dfm:2: missing 'end' of object 'P: TReaderPanel'"},
      {head + "  Left = 1\n  %%% junk\nend\n", "main.dfm:3: unexpected text '%%% junk'"},
      {head + "  Left = 1 Tag = 2\nend\n", "main.dfm:2: unexpected text 'Tag'"},
      {head + "  Caption = 'abc\nend\n", "main.dfm:2: unterminated string"},
      {head + "  Caption = #55357'x'\nend\n", "main.dfm:2: bad character code in string"},
      {head + "  Left 12\nend\n", "main.dfm:2: expected '=' after 'Left', found '12'"},
      {head + "  Left =\n  Tag = 2\nend\n", "main.dfm:2: missing value for Left"},
      {head + "  Items.Strings = (\n    'a'\n", "main.dfm:2: missing ')' in Items.Strings"},
      {head + "end\nend\n", "main.dfm:3: unexpected text after the last 'end': 'end'"},
      {head + "  object P: TReaderPanel\n  end\n  object p: TReaderPanel\n  end\nend\n",
       "main.dfm:4: a component named 'p' already exists"},
  };
  for (const auto& [text, message] : cases) {
    SCOPED_TRACE(text);
    form = std::make_unique<TReaderForm>(nullptr);
    try {
      TDescriptionReader::Read(form.get(), text, "main.dfm");
      ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), message);
    }
  }
}

// The place travels as data beside the words, so a caller need not read it out of the text;
// a setter's own error takes the line of the property it failed on, a text without a name
// is placed by its line alone.
TEST_F(DescriptionReaderTest, AReadErrorCarriesItsPlaceApartFromItsDetail) {
  struct Case {
    std::string text, source;
    int line;
    std::string detail, message;
  };
  const std::string head = "object F: TReaderForm\n";
  const std::vector<Case> cases = {
      {head + "\n\n  Left = 'ten'\nend\n", "main.dfm", 4, "bad value for Left: expected a number, found a text",
       "main.dfm:4: bad value for Left: expected a number, found a text"},
      {head + "  OnClick = Missing\nend\n", "", 2, "bad value for OnClick: no handler named 'Missing'",
       "line 2: bad value for OnClick: no handler named 'Missing'"},
      {head + "  %%%\nend\n", "", 2, "unexpected text '%%%'", "line 2: unexpected text '%%%'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    form = std::make_unique<TReaderForm>(nullptr);
    try {
      TDescriptionReader::Read(form.get(), c.text, c.source);
      ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Source(), c.source);
      EXPECT_EQ(e.Line(), c.line);
      EXPECT_EQ(e.Detail(), c.detail);
      EXPECT_EQ(e.Message(), c.message);
    }
  }
  EXPECT_EQ(EReadError("no picture named 'x'").Message(), "no picture named 'x'");
}

// The outer block's class decides the setters used on the window read into; a window that
// is not of that class must not be written through them as if it were.
TEST_F(DescriptionReaderTest, AWindowOfAnotherClassThanTheDescriptionsIsRefused) {
  TComponent plain(nullptr);
  try {
    TDescriptionReader::Read(&plain, "object F: TReaderPanel\n  Caption = 'x'\nend\n", "main.dfm");
    ADD_FAILURE() << "no error";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "main.dfm:2: bad value for Caption: 'F' has no property Caption of this class");
  }
  EXPECT_TRUE(events.empty());
}

TEST_F(DescriptionReaderTest, AFailedReadFreesWhatItMadeAndLoadsNothing) {
  new TComponent(form.get());  // made by the form's own code before reading
  const std::string text =
      "object F: TReaderForm\n  object P: TReaderPanel\n    object Q: TReaderPanel\n    end\n  end\n  object X: TFoo\n "
      " end\nend\n";
  EXPECT_THROW(TDescriptionReader::Read(form.get(), text, "main.dfm"), EReadError);
  EXPECT_EQ(form->ComponentCount(), 1);
  for (const std::string& e : events) EXPECT_EQ(e.rfind("loaded", 0), std::string::npos) << e;
}

}  // namespace
