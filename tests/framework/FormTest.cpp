#include "framework/Form.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/Application.h"
#include "framework/ButtonControl.h"
#include "framework/Exceptions.h"
#include "framework/Panel.h"
#include "framework/Timer.h"
#include "platform/messages/Messages.h"
#include "tests/support/PlatformFixture.h"
#include "tests/support/Recorders.h"

using platform::ui::Key;

namespace {

class FormTest : public PlatformTest {
 protected:
  void TearDown() override {
    // The application's forms and its error report go before the platform does.
    app.reset();
    PlatformTest::TearDown();
  }

  TButton* AddButton(const std::string& caption, TWinControl* parent = nullptr) {
    auto* b = new TButton(form);
    b->SetParent(parent ? parent : form);
    b->SetCaption(caption);
    b->OnClick = [this, caption](TObject*) { pressed += caption + ";"; };
    return b;
  }

  void MakeApplication() {
    app = std::make_unique<TApplication>();
    app->SetTitle("CDデッキ");
  }

  MessageBoxRecorder boxes;
  TForm* form = new TForm(owner.get());
  std::string pressed;
  std::unique_ptr<TApplication> app;
};

TEST_F(FormTest, EnterAndEscapePressTheDefaultAndCancelButtonsOnlyWhenTheyCanBePressed) {
  auto* ok = AddButton("OK");
  auto* cancel = AddButton("Cancel");
  ok->SetDefault(true);
  cancel->SetCancel(true);
  struct Case {
    bool visible, enabled, pressed;
  };
  for (const Case c : {Case{true, true, true}, Case{false, true, false}, Case{true, false, false}}) {
    for (TButton* b : {ok, cancel}) {
      b->SetVisible(c.visible);
      b->SetEnabled(c.enabled);
    }
    pressed.clear();
    EXPECT_EQ(form->KeyPress(Key::Enter), c.pressed);
    EXPECT_EQ(form->KeyPress(Key::Escape), c.pressed);
    EXPECT_EQ(pressed, c.pressed ? "OK;Cancel;" : "");
  }
  EXPECT_FALSE(form->KeyPress(Key::Space));

  // A default button on a hidden panel cannot be pressed either.
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  ok->SetParent(panel);
  ok->SetEnabled(true);
  panel->Hide();
  pressed.clear();
  EXPECT_FALSE(form->KeyPress(Key::Enter));
  panel->Show();
  EXPECT_TRUE(form->KeyPress(Key::Enter));
  EXPECT_EQ(pressed, "OK;");
}

TEST_F(FormTest, AcceleratorsPressTheButtonWhoseCaptionMarksTheCharacter) {
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  AddButton("&Open");
  AddButton("R&&D");
  AddButton("Save && &Quit", panel);
  AddButton("&Eject")->SetEnabled(false);
  form->Show();
  struct Case {
    char32_t ch;
    const char* pressed;
  };
  for (const Case c : {Case{U'o', "&Open;"}, Case{U'O', "&Open;"}, Case{U'q', "Save && &Quit;"}, Case{U'd', ""},
                       Case{U'&', ""}, Case{U'e', ""}, Case{U'p', ""}}) {
    pressed.clear();
    EXPECT_EQ(form->CharPress(c.ch, true), *c.pressed != '\0');
    EXPECT_EQ(pressed, c.pressed);
  }
}

TEST_F(FormTest, ClosingTheMainFormEndsTheApplicationAndAnotherFormOnlyHides) {
  MakeApplication();
  TForm *main = nullptr, *other = nullptr;
  app->CreateForm(main);
  app->CreateForm(other);
  EXPECT_EQ(app->MainForm(), main);
  TCloseAction offered = caNone;
  main->OnClose = [&](TObject*, TCloseAction& a) { offered = a; };
  main->Show();
  other->Show();
  other->Close();
  EXPECT_FALSE(other->Visible());
  EXPECT_FALSE(app->Terminated());
  main->Close();
  EXPECT_EQ(offered, caFree);
  EXPECT_FALSE(main->Visible());
  EXPECT_TRUE(app->Terminated());
}

TEST_F(FormTest, OnCloseQueryMayRefuseOrFailBeforeOnCloseDecides) {
  MakeApplication();
  int queries = 0;
  bool allow = false;
  TCloseAction action = caNone, offered = caMinimize;
  form->OnCloseQuery = [&](TObject*, bool& canClose) {
    if (++queries == 2 || queries == 3) throw Exception("まだ書き込み中です");
    canClose = allow;
  };
  form->OnClose = [&](TObject*, TCloseAction& a) { offered = std::exchange(a, action); };
  form->Show();
  form->Close();
  EXPECT_TRUE(form->Visible());
  // A failure goes to the caller; from the message loop, that is the application's report.
  EXPECT_THROW(form->Close(), Exception);
  EXPECT_TRUE(boxes.All().empty());
  PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
  loop.RunPosted();
  ASSERT_EQ(boxes.All().size(), 1u);
  EXPECT_EQ(boxes.All()[0].text, "まだ書き込み中です.");
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(offered, caMinimize);  // no refused or failed close reached OnClose

  allow = true;
  form->Close();
  EXPECT_EQ(offered, caHide);
  EXPECT_TRUE(form->Visible());  // OnClose said caNone
  action = caHide;
  form->Close();
  EXPECT_EQ(queries, 5);
  EXPECT_FALSE(form->Visible());
}

TEST_F(FormTest, PlacementReportsAndRestoresTheOuterRectangle) {
  auto placement = [this] {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    EXPECT_TRUE(GetWindowPlacement(form->Handle(), &wp));
    const RECT& r = wp.rcNormalPosition;
    return std::vector<long>{static_cast<long>(wp.showCmd), r.left, r.top, r.right, r.bottom};
  };
  form->SetBounds(10, 20, 300, 200);
  // A hidden window in its normal state reports itself as shown normally.
  EXPECT_EQ(placement(), (std::vector<long>{SW_SHOWNORMAL, 10, 20, 310, 220}));

  WINDOWPLACEMENT wp{sizeof(WINDOWPLACEMENT), 0, SW_SHOWNORMAL, {}, {}, RECT{100, 50, 600, 350}};
  ASSERT_TRUE(SetWindowPlacement(form->Handle(), &wp));
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(placement(), (std::vector<long>{SW_SHOWNORMAL, 100, 50, 600, 350}));
  wp.showCmd = SW_SHOWMINIMIZED;
  ASSERT_TRUE(SetWindowPlacement(form->Handle(), &wp));
  EXPECT_EQ(form->WindowState(), wsMinimized);
  EXPECT_EQ(placement(), (std::vector<long>{SW_SHOWMINIMIZED, 100, 50, 600, 350}));
}

TEST_F(FormTest, ErrorReportAddsAFullStopOnlyWhenMissingAndReceivesWhatTimersThrow) {
  MakeApplication();
  app->ShowException(Exception("ディスクが入っていません"));
  app->ShowException(Exception("Drive D: is busy."));
  app->HandleExceptions([] { throw 42; });
  auto* timer = new TTimer(owner.get());
  timer->SetInterval(100);
  int ticks = 0;
  timer->SetOnTimer([&](TObject*) {
    ++ticks;
    throw Exception("TOC を読めません");
  });
  EXPECT_NO_THROW(loop.Advance(250));
  EXPECT_EQ(ticks, 2);  // the timer goes on after a failure
  std::vector<std::string> texts;
  for (const auto& box : boxes.All()) {
    texts.push_back(box.text);
    EXPECT_EQ(box.caption, "CDデッキ");
    EXPECT_EQ(box.type, static_cast<UINT>(MB_OK | MB_ICONERROR));
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"ディスクが入っていません.", "Drive D: is busy.",
                                             "不明なエラーが発生しました.", "TOC を読めません.", "TOC を読めません."}));
}

}  // namespace
