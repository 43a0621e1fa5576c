// The forms' keyboard on the system's windows, through the message loop as keys arrive:
// Enter and Esc reach the form from any control and no control uses them up, Alt with a
// character is the form's accelerator, a control keeps the keys it has a use for and the
// rest go to the form. With the framework's forms on top: Enter presses the default
// button, Esc the cancel button and Alt+letter the button its caption marks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/ButtonControl.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "platform/messages/EventLoop.h"
#include "platform/win32/Win32Backend.h"
#include "platform/win32/Win32ButtonPeer.h"
#include "platform/win32/Win32CustomPeer.h"
#include "platform/win32/Win32EditPeer.h"
#include "platform/win32/Win32EventLoop.h"
#include "platform/win32/Win32FormPeer.h"
#include "platform/win32/Win32Keys.h"

using namespace platform;
using namespace platform::win32;

namespace {

std::string NameOf(ui::Key key) {
  switch (key) {
    case ui::Key::Enter: return "Enter";
    case ui::Key::Escape: return "Escape";
    case ui::Key::Up: return "Up";
    case ui::Key::Down: return "Down";
    case ui::Key::Left: return "Left";
    case ui::Key::Right: return "Right";
    case ui::Key::Space: return "Space";
    case ui::Key::Tab: return "Tab";
    default: return "other";
  }
}

struct Keys : ui::PeerHandler {
  std::vector<std::string> log;
  bool take = true;  // what PeerKey and PeerChar answer
  bool PeerKey(ui::Key key, ui::ShiftState s) override {
    log.push_back("key " + NameOf(key) + (s.alt ? " alt" : ""));
    return take;
  }
  bool PeerChar(char32_t ch, ui::ShiftState s) override {
    log.push_back("char " + std::string(1, static_cast<char>(ch)) + (s.alt ? " alt" : ""));
    return take;
  }
  void PeerFocus(bool focused) override { log.push_back(focused ? "focus in" : "focus out"); }
};

// The key messages a window itself receives, counted from inside its window procedure.
class KeyWatch {
 public:
  explicit KeyWatch(HWND w) : window_(w) {
    SetPropW(w, L"PlumeKeyWatch", this);
    previous_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
  }
  ~KeyWatch() {
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    RemovePropW(window_, L"PlumeKeyWatch");
  }
  std::vector<UINT> seen;

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<KeyWatch*>(GetPropW(w, L"PlumeKeyWatch"));
    if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN || msg == WM_CHAR || msg == WM_SYSCHAR) self->seen.push_back(msg);
    return CallWindowProcW(self->previous_, w, msg, wParam, lParam);
  }
  HWND window_;
  WNDPROC previous_ = nullptr;
};

constexpr LPARAM kAlt = LPARAM{1} << 29;

class Win32KeysTest : public ::testing::Test {
 protected:
  Win32KeysTest() : previousLoop(SetEventLoop(&loop)) {
    form.SetBounds(50, 50, 300, 200);
    button.SetBounds(10, 10, 80, 24);
    edit.SetBounds(10, 40, 120, 22);
    drawn.SetBounds(10, 70, 40, 40);
  }
  ~Win32KeysTest() override { SetEventLoop(previousLoop); }

  // Posted, as the system queues what the keyboard does, and taken off the queue by the loop.
  void Post(HWND w, UINT msg, WPARAM wParam, LPARAM lParam = 1) {
    PostMessageW(w, msg, wParam, lParam);
    loop.RunPending();
  }

  Win32Backend backend;
  Win32EventLoop loop;
  EventLoop* previousLoop;
  Keys formKeys, controlKeys;
  Win32FormPeer form{&formKeys};
  Win32ButtonPeer button{form.Hwnd(), &controlKeys};
  Win32EditPeer edit{form.Hwnd(), &controlKeys};
  Win32CustomPeer drawn{form.Hwnd(), &controlKeys};
};

TEST_F(Win32KeysTest, EnterAndEscapeGoToTheFormFromAnyControlAndNoControlSeesThem) {
  KeyWatch inEdit(edit.Hwnd()), onButton(button.Hwnd());
  Post(edit.Hwnd(), WM_KEYDOWN, VK_RETURN);
  Post(button.Hwnd(), WM_KEYDOWN, VK_ESCAPE);
  Post(form.Hwnd(), WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(formKeys.log, (std::vector<std::string>{"key Enter", "key Escape", "key Enter"}));
  // Not even when the form has no button for them.
  formKeys.take = false;
  Post(edit.Hwnd(), WM_KEYDOWN, VK_ESCAPE);
  Post(button.Hwnd(), WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(formKeys.log.size(), 5u);
  EXPECT_TRUE(inEdit.seen.empty());
  EXPECT_TRUE(onButton.seen.empty());
  EXPECT_TRUE(controlKeys.log.empty()) << controlKeys.log.front();
}

TEST_F(Win32KeysTest, AltWithACharacterIsTheFormsAcceleratorWhereverTheFocusIs) {
  KeyWatch inEdit(edit.Hwnd());
  // The key as struck: the loop translates it into the character.
  Post(edit.Hwnd(), WM_SYSKEYDOWN, 'P', kAlt | 1);
  Post(edit.Hwnd(), WM_SYSCHAR, 's', kAlt | 1);
  EXPECT_EQ(formKeys.log, (std::vector<std::string>{"char p alt", "char s alt"}));
  EXPECT_EQ(inEdit.seen, (std::vector<UINT>{WM_SYSKEYDOWN})) << "the character went to the form alone";
  // An accelerator the form does not know goes on to the system as usual.
  formKeys.take = false;
  Post(edit.Hwnd(), WM_SYSCHAR, 'x', kAlt | 1);
  EXPECT_EQ(formKeys.log.back(), "char x alt");
  EXPECT_EQ(inEdit.seen.back(), static_cast<UINT>(WM_SYSCHAR));
}

TEST_F(Win32KeysTest, AControlKeepsTheKeysItUsesAndTheFormGetsTheRest) {
  KeyWatch inEdit(edit.Hwnd()), onButton(button.Hwnd());
  // Typing and arrows belong to the edit field; Space to the button, and so does the
  // character the loop makes of it.
  Post(edit.Hwnd(), WM_CHAR, 'a');
  Post(edit.Hwnd(), WM_KEYDOWN, VK_LEFT);
  Post(button.Hwnd(), WM_KEYDOWN, VK_SPACE);
  EXPECT_TRUE(formKeys.log.empty()) << formKeys.log.front();
  EXPECT_EQ(inEdit.seen, (std::vector<UINT>{WM_CHAR, WM_KEYDOWN}));
  // A button takes no characters and no arrows: a plain letter may press an accelerator.
  Post(button.Hwnd(), WM_CHAR, 'q');
  Post(button.Hwnd(), WM_KEYDOWN, VK_DOWN);
  // A drawn control takes no keys at all; nor does the form's own window.
  Post(drawn.Hwnd(), WM_KEYDOWN, VK_RIGHT);
  Post(form.Hwnd(), WM_CHAR, 'z');
  EXPECT_EQ(formKeys.log, (std::vector<std::string>{"char q", "key Down", "key Right", "char z"}));
  EXPECT_EQ(onButton.seen, (std::vector<UINT>{WM_KEYDOWN, WM_CHAR}))
      << "only Space reached the button, with its character";
  // Control characters and keys of no meaning to the framework stay where they were sent.
  formKeys.log.clear();
  Post(form.Hwnd(), WM_CHAR, '\b');
  Post(form.Hwnd(), WM_KEYDOWN, VK_F5);
  EXPECT_TRUE(formKeys.log.empty()) << formKeys.log.front();
}

TEST_F(Win32KeysTest, UpAndDownAreOfferedToTheEditFieldBeforeItStepsItself) {
  KeyWatch inEdit(edit.Hwnd());
  Post(edit.Hwnd(), WM_KEYDOWN, VK_UP);
  EXPECT_EQ(controlKeys.log, (std::vector<std::string>{"key Up"}));
  EXPECT_TRUE(inEdit.seen.empty()) << "the field's handler used it";
  controlKeys.take = false;
  Post(edit.Hwnd(), WM_KEYDOWN, VK_DOWN);
  EXPECT_EQ(controlKeys.log.back(), "key Down");
  EXPECT_EQ(inEdit.seen, (std::vector<UINT>{WM_KEYDOWN})) << "unused, it goes on to the field";
  EXPECT_TRUE(formKeys.log.empty()) << formKeys.log.front();
}

TEST_F(Win32KeysTest, TabMovesTheFocusAlongTheTabOrderRoundTheEndsAndShiftTabBack) {
  Keys fieldKeys;
  Win32EditPeer second{form.Hwnd(), &fieldKeys}, third{form.Hwnd(), nullptr};
  Win32ButtonPeer hidden{form.Hwnd(), nullptr}, noStop{form.Hwnd(), nullptr};
  second.SetBounds(150, 40, 100, 22);
  third.SetBounds(150, 70, 100, 22);
  hidden.SetBounds(150, 10, 40, 22);
  noStop.SetBounds(200, 10, 40, 22);
  hidden.SetVisible(false);
  noStop.SetTabStop(false);
  button.SetTabOrder(0);
  edit.SetTabOrder(1);
  second.SetTabOrder(1);  // given the same place later, it goes first
  hidden.SetTabOrder(0);
  noStop.SetTabOrder(0);
  // The third field has no order and comes last; the drawn control takes no focus.
  form.ShowWindow(true, true);
  std::vector<HWND> visited;
  Post(form.Hwnd(), WM_KEYDOWN, VK_TAB);
  for (int i = 0; i < 4; ++i) {
    visited.push_back(GetFocus());
    Post(GetFocus(), WM_KEYDOWN, VK_TAB);
  }
  EXPECT_EQ(visited, (std::vector<HWND>{button.Hwnd(), second.Hwnd(), edit.Hwnd(), third.Hwnd()}));
  EXPECT_EQ(GetFocus(), button.Hwnd()) << "round from the last to the first";
  // Shift+Tab, with Shift held as the keyboard state says.
  BYTE state[256] = {};
  GetKeyboardState(state);
  state[VK_SHIFT] = 0x80;
  SetKeyboardState(state);
  Post(button.Hwnd(), WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(GetFocus(), third.Hwnd());
  Post(third.Hwnd(), WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(GetFocus(), edit.Hwnd());
  state[VK_SHIFT] = 0;
  SetKeyboardState(state);
  EXPECT_TRUE(formKeys.log.empty()) << "Tab moved the focus: " << formKeys.log.front();
  // An edit field tells its handler when it gets and loses the focus.
  EXPECT_EQ(fieldKeys.log, (std::vector<std::string>{"focus in", "focus out"}));
}

TEST_F(Win32KeysTest, TabGoesToTheFormWhenNoControlTakesTheFocus) {
  for (Win32Control* c : std::vector<Win32Control*>{&button, &edit}) c->SetVisible(false);
  form.ShowWindow(true, true);
  Post(form.Hwnd(), WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(formKeys.log, (std::vector<std::string>{"key Tab"}));
}

TEST_F(Win32KeysTest, OnlyKeyMessagesForAFormsWindowsAreRouted) {
  MSG timer{form.Hwnd(), WM_TIMER, 1, 0, 0, {}};
  EXPECT_FALSE(RouteKey(timer));
  // A window that belongs to no form, and a disabled form, which has no keyboard.
  HWND stray = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  MSG elsewhere{stray, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
  EXPECT_FALSE(RouteKey(elsewhere));
  (::DestroyWindow)(stray);
  EnableWindow(form.Hwnd(), FALSE);
  MSG disabled{edit.Hwnd(), WM_KEYDOWN, VK_RETURN, 1, 0, {}};
  EXPECT_FALSE(RouteKey(disabled));
  EXPECT_TRUE(formKeys.log.empty()) << formKeys.log.front();
}

// The framework's forms on the system's windows.
class Win32FormKeysTest : public ::testing::Test {
 protected:
  Win32FormKeysTest() : previousBackend(ui::SetBackend(&backend)), previousLoop(SetEventLoop(&loop)) {
    form.SetBounds(40, 40, 300, 200);
    for (auto [button, caption] : {std::pair{ok, "OK"}, std::pair{cancel, "Cancel"}, std::pair{play, "&Play"}}) {
      button->SetParent(&form);
      button->SetCaption(caption);
      button->OnClick = [this, caption](TObject*) { pressed += std::string(caption) + ";"; };
    }
    ok->SetDefault(true);
    cancel->SetCancel(true);
    field->SetParent(&form);
    // Only a button in sight can be pressed.
    form.Show();
  }
  ~Win32FormKeysTest() override {
    SetEventLoop(previousLoop);
    ui::SetBackend(previousBackend);
  }

  HWND WindowOf(TWinControl* c) { return dynamic_cast<Win32Control*>(c->Peer())->Hwnd(); }
  void Post(HWND w, UINT msg, WPARAM wParam, LPARAM lParam = 1) {
    PostMessageW(w, msg, wParam, lParam);
    loop.RunPending();
  }

  Win32Backend backend;
  ui::Backend* previousBackend;
  Win32EventLoop loop;
  EventLoop* previousLoop;
  TForm form{nullptr};
  TButton* ok = new TButton(&form);
  TButton* cancel = new TButton(&form);
  TButton* play = new TButton(&form);
  TEdit* field = new TEdit(&form);
  std::string pressed;
};

TEST_F(Win32FormKeysTest, EnterEscapeAndAltLetterPressTheirButtonsFromTheEditField) {
  const HWND typing = WindowOf(field);
  Post(typing, WM_KEYDOWN, VK_RETURN);
  Post(typing, WM_KEYDOWN, VK_ESCAPE);
  Post(typing, WM_SYSKEYDOWN, 'P', kAlt | 1);
  EXPECT_EQ(pressed, "OK;Cancel;&Play;");
  // Typed without Alt, the letter is the field's text and presses nothing.
  pressed.clear();
  Post(typing, WM_CHAR, 'p');
  EXPECT_EQ(pressed, "");
  EXPECT_EQ(field->Text(), "p");
  // A disabled default button is not pressed.
  ok->SetEnabled(false);
  Post(typing, WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(pressed, "");
}

}  // namespace
