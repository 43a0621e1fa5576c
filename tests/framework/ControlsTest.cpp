#include <gtest/gtest.h>

#include <array>
#include <string>

#include "framework/ButtonControl.h"
#include "framework/CheckBox.h"
#include "framework/DescriptionReader.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/Panel.h"
#include "framework/Registration.h"
#include "framework/Resources.h"
#include "framework/TabbedNotebook.h"
#include "framework/UpDown.h"
#include "tests/support/PlatformFixture.h"

namespace {

// Counts the notifications a control gets after its properties change.
class TProbe : public TWinControl {
 public:
  using TWinControl::TWinControl;
  std::array<int, 6> counts{};  // font, colour, text, bounds, visible, enabled

 protected:
  void FontChanged() override {
    ++counts[0];
    TWinControl::FontChanged();
  }
  void ColorChanged() override {
    ++counts[1];
    TWinControl::ColorChanged();
  }
  void TextChanged() override { ++counts[2]; }
  void BoundsChanged() override {
    ++counts[3];
    TWinControl::BoundsChanged();
  }
  void VisibleChanged() override { ++counts[4]; }
  void EnabledChanged() override { ++counts[5]; }
};

class TControlsForm : public TForm {
 public:
  using TForm::TForm;
  void Read(const std::string& text) { TDescriptionReader::Read(this, text, "test.dfm"); }
};

class ControlsTest : public PlatformTest {
 protected:
  template <class T>
  T* Make(TWinControl* parent = nullptr) {
    auto* c = new T(owner.get());
    if (parent) c->SetParent(parent);
    return c;
  }
};

TEST_F(ControlsTest, WritingAPropertysOwnValueAgainChangesNothing) {
  auto* p = Make<TProbe>();
  auto* edit = Make<TEdit>();
  auto* check = Make<TCheckBox>();
  int changes = 0;
  edit->OnChange = check->OnClick = [&](TObject*) { ++changes; };
  const auto writeAll = [=] {
    p->SetBounds(1, 2, 30, 40);
    p->SetCaption("再生");
    p->SetColor(clBlack);
    p->Font()->SetHeight(-15);  // a description's negative height means the same as 15
    p->Font()->SetStyle(fsBold);
    p->SetVisible(false);
    p->SetEnabled(false);
    edit->SetText("1");
    check->SetChecked(true);
  };
  for (int pass = 0; pass < 2; ++pass) {
    writeAll();
    EXPECT_EQ(p->counts, (std::array<int, 6>{2, 1, 1, 1, 1, 1}));
    EXPECT_EQ(changes, 2);
  }
  EXPECT_EQ(p->Font()->Height(), 15);
  // A check box clicks on every change of Checked, whoever makes it.
  check->Toggle();
  EXPECT_EQ(changes, 3);
}

TEST_F(ControlsTest, FontAndColourFollowTheParentUntilTheControlsOwnAreSet) {
  auto* form = Make<TForm>();
  auto* panel = Make<TPanel>(form);
  auto* child = Make<TProbe>(panel);
  auto* label = Make<TLabel>(panel);
  form->Font()->SetHeight(20);
  form->SetColor(clBlack);
  EXPECT_EQ(child->Font()->Height(), 20);
  EXPECT_EQ(panel->Color(), clBtnFace);  // a panel keeps its own colour unless told otherwise
  panel->SetParentColor(true);
  EXPECT_EQ(label->Color(), clBlack);

  child->Font()->SetStyle(fsBold);
  label->SetColor(clRed);
  EXPECT_FALSE(child->ParentFont());
  EXPECT_FALSE(label->ParentColor());
  const int fontChanges = child->counts[0];
  form->Font()->SetHeight(9);
  form->SetColor(clWhite);
  EXPECT_EQ(panel->Font()->Height(), 9);
  EXPECT_EQ(child->Font()->Height(), 20);
  EXPECT_EQ(child->counts[0], fontChanges);
  EXPECT_EQ(label->Color(), clRed);

  child->SetParentFont(true);
  label->SetParentColor(true);
  EXPECT_EQ(child->Font()->Height(), 9);
  EXPECT_EQ(child->Font()->Style(), 0);
  EXPECT_EQ(label->Color(), clWhite);
}

TEST_F(ControlsTest, LabelSizesItselfToItsCaption) {
  struct Case {
    const char* caption;
    int height, width;
  };
  // Full-width characters are square, the others two thirds of the height, and the total is
  // rounded up so that the last character is never clipped.
  for (const Case c : {Case{"停止", 15, 30}, Case{"MODE", 13, 35}, Case{"ｷｬﾝｾﾙ", 12, 40}, Case{"CD 1", 12, 32}}) {
    SCOPED_TRACE(c.caption);
    auto* l = Make<TLabel>();
    l->Font()->SetHeight(c.height);
    l->SetCaption(c.caption);
    EXPECT_EQ(l->Width(), c.width);
    EXPECT_EQ(l->Height(), c.height);
  }
  auto* fixed = Make<TLabel>();
  fixed->SetAutoSize(false);
  fixed->SetBounds(0, 0, 100, 20);
  fixed->SetCaption("停止");
  EXPECT_EQ(fixed->Width(), 100);
}

TEST_F(ControlsTest, ADescriptionKeepsItsSizesAndPageIndexAndTiesTheUpDown) {
  RegisterFrameworkClasses();
  RegisterClass<TControlsForm>("TControlsForm");
  auto* form = Make<TControlsForm>();
  form->Read(R"(object Settings: TControlsForm
  object Title: TLabel
    Width = 100
    Height = 30
    Caption = '停止'
    Font.Height = -15
  end
  object Book: TTabbedNotebook
    PageIndex = 1
    object General: TTabPage
      object Apply: TButton
        Caption = '&Apply'
      end
    end
    object Drive: TTabPage
    end
  end
  object Count: TEdit
    Text = '3'
  end
  object Spin: TUpDown
    Associate = Count
    Max = 10
    Position = 7
  end
end
)");
  // The designer measured in another face: a label that sizes itself measures again once
  // the description is read, and again when its caption changes.
  auto* title = static_cast<TLabel*>(form->FindComponent("Title"));
  EXPECT_EQ(title->Width(), 30);
  EXPECT_EQ(title->Height(), 15);
  title->SetCaption("停止中");
  EXPECT_EQ(title->Width(), 45);

  auto* book = static_cast<TTabbedNotebook*>(form->FindComponent("Book"));
  ASSERT_EQ(book->PageCount(), 2);
  EXPECT_EQ(book->PageIndex(), 1);
  EXPECT_FALSE(book->Page(0)->Visible());
  EXPECT_TRUE(book->Page(1)->Visible());
  // A button on a page behind the front one takes no accelerator.
  form->Show();
  EXPECT_FALSE(form->CharPress(U'a', true));
  // Only the user's choice of a page is reported.
  int changes = 0;
  book->OnChange = [&](TObject*) { ++changes; };
  book->SetPageIndex(5);
  book->UserSelectPage(1);
  EXPECT_EQ(changes, 0);
  book->UserSelectPage(0);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(form->CharPress(U'a', true));

  EXPECT_EQ(static_cast<TEdit*>(form->FindComponent("Count"))->Text(), "7");
}

TEST_F(ControlsTest, AFormIsNotReadAsAControlOfAnotherClass) {
  RegisterFrameworkClasses();
  for (const std::string text :
       {"object F: TLabel\n  AutoSize = False\nend\n", "object F: TCheckBox\n  State = cbChecked\nend\n"}) {
    SCOPED_TRACE(text);
    auto* form = Make<TControlsForm>();
    EXPECT_THROW(form->Read(text), EReadError);
  }
}

TEST_F(ControlsTest, ClientAlignedPanelFollowsItsParentsClientArea) {
  auto* form = Make<TForm>();
  form->SetClientWidth(200);
  form->SetClientHeight(100);
  auto* panel = Make<TPanel>(form);
  auto* inner = Make<TPanel>(panel);
  panel->SetAlign(alClient);
  inner->SetAlign(alClient);
  form->SetClientWidth(320);
  form->SetClientHeight(150);
  EXPECT_EQ(panel->Width(), 320);
  EXPECT_EQ(panel->Height(), 150);
  EXPECT_EQ(inner->Width(), 320);
  EXPECT_EQ(inner->Height(), 150);
}

TEST_F(ControlsTest, UpDownAndItsEditFollowEachOther) {
  auto* edit = Make<TEdit>();
  auto* spin = Make<TUpDown>();
  int edits = 0;
  edit->OnChange = [&](TObject*) { ++edits; };
  spin->SetAssociate(edit);
  EXPECT_EQ(edit->Text(), "0");
  spin->SetPosition(42);
  EXPECT_EQ(edit->Text(), "42");

  edit->UserType("57");
  EXPECT_EQ(spin->Position(), 57);
  // Anything but a number within the range is left in the field as typed.
  for (const char* typed : {"150", "-1", "abc", ""}) {
    edit->UserType(typed);
    EXPECT_EQ(spin->Position(), 57);
    EXPECT_EQ(edit->Text(), typed);
  }
  EXPECT_EQ(edits, 7);  // the edit's own handler still runs

  spin->SetPosition(250);
  EXPECT_EQ(spin->Position(), 100);
  EXPECT_EQ(edit->Text(), "100");
  spin->SetEnabled(false);
  EXPECT_FALSE(edit->Enabled());
}

TEST_F(ControlsTest, UpDownStepsStopAtTheEndsUnlessTheyWrap) {
  struct Case {
    int from;
    bool wrap, up;
    int to;
  };
  for (const Case c : {Case{100, false, true, 100}, Case{0, false, false, 0}, Case{99, false, true, 100},
                       Case{100, true, true, 0}, Case{0, true, false, 100}}) {
    SCOPED_TRACE(std::to_string(c.from) + (c.up ? " up" : " down") + (c.wrap ? " wrapping" : ""));
    auto* edit = Make<TEdit>();
    auto* spin = Make<TUpDown>();
    spin->SetAssociate(edit);
    spin->SetWrap(c.wrap);
    spin->SetPosition(c.from);
    int clicks = 0;
    spin->OnClick = [&](TObject*) { ++clicks; };
    spin->Step(c.up);
    EXPECT_EQ(spin->Position(), c.to);
    EXPECT_EQ(edit->Text(), std::to_string(c.to));
    EXPECT_EQ(clicks, c.from == c.to ? 0 : 1);
  }
}

TEST_F(ControlsTest, StandardBitBtnKindsBringTheirRoleCaptionAndPicture) {
  RegisterEmbeddedResources();
  struct Case {
    TBitBtnKind kind;
    const char *caption, *shown;
    bool isDefault, isCancel;
  };
  for (const Case c : {Case{bkOK, "", "OK", true, false}, Case{bkCancel, "", "ｷｬﾝｾﾙ", false, true},
                       Case{bkCancel, "閉じる", "閉じる", false, true}}) {
    auto* b = Make<TBitBtn>();
    b->SetCaption(c.caption);
    b->SetKind(c.kind);
    EXPECT_EQ(b->Caption(), c.shown);
    EXPECT_EQ(b->Default(), c.isDefault);
    EXPECT_EQ(b->Cancel(), c.isCancel);
    EXPECT_FALSE(b->Glyph()->Empty());
  }
}

}  // namespace

namespace {

TEST_F(ControlsTest, ArrowKeysInTheFieldStepItsSpinControlWithinTheRange) {
  auto* edit = Make<TEdit>();
  auto* spin = Make<TUpDown>();
  spin->SetMax(100);
  spin->SetAssociate(edit);
  spin->SetPosition(99);
  EXPECT_TRUE(edit->UserKey(platform::ui::Key::Up));
  EXPECT_EQ(spin->Position(), 100);
  EXPECT_EQ(edit->Text(), "100");
  EXPECT_TRUE(edit->UserKey(platform::ui::Key::Up)) << "the key is the spin control's even at the end";
  EXPECT_EQ(spin->Position(), 100) << "no wrap-around";
  EXPECT_TRUE(edit->UserKey(platform::ui::Key::Down));
  EXPECT_EQ(edit->Text(), "99");
  EXPECT_FALSE(edit->UserKey(platform::ui::Key::Left));
  spin->SetArrowKeys(false);
  EXPECT_FALSE(edit->UserKey(platform::ui::Key::Up));
  spin->SetArrowKeys(true);
  spin->SetEnabled(false);
  EXPECT_FALSE(edit->UserKey(platform::ui::Key::Up));
  EXPECT_EQ(spin->Position(), 99);
}

}  // namespace

namespace {

TEST_F(ControlsTest, PushButtonAcceleratorsAreWholeCharactersAndIgnoreLetterCase) {
  auto* button = Make<TButton>();
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  const struct {
    const char* caption;
    char32_t typed;
    bool takes;
  } cases[] = {{"再生(&P)", U'p', true}, {"&再生", U'再', true}, {"&再生", U'生', false},
               {"&&再生&é", U'É', true}, {"A&&B", U'B', false},  {"", U'a', false}};
  for (const auto& c : cases) {
    button->SetCaption(c.caption);
    const int before = clicks;
    EXPECT_EQ(button->DialogChar(c.typed), c.takes) << c.caption;
    EXPECT_EQ(clicks - before, c.takes ? 1 : 0) << c.caption;
  }
}

}  // namespace
