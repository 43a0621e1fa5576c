// A top-level window: border and caption buttons, a fixed or free client area, placement,
// showing and hiding, the close request, the default and cancel buttons, and the characters
// offered to its controls as accelerators. A derived form reads its window description in
// its constructor; the application runs OnCreate once the form is made.
#pragma once

#include <functional>
#include <string>

#include "framework/Properties.h"
#include "framework/WinControl.h"
#include "platform/ui/Windows.h"

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = int;
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;

class TButtonControl;

class TForm : public TWinControl, public THandlerOwner, public PlacementProvider {
 public:
  explicit TForm(TComponent* AOwner);
  ~TForm() override;

  HWND Handle() const { return handle_; }

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle v);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons v);
  int ClientWidth() const { return Width() - frameLeft_ - frameRight_; }
  // The frame's thickness at the left and top: where the client area starts.
  int FrameLeft() const { return frameLeft_; }
  int FrameTop() const { return frameTop_; }
  int ClientHeight() const { return Height() - frameTop_ - frameBottom_; }
  void SetClientWidth(int v);
  void SetClientHeight(int v);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition v);
  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState v);
  void SetBounds(int left, int top, int width, int height) override;

  // Shows the window and brings it to the front.
  void Show();
  void Hide();
  void BringToFront();
  // Asks the window to close: OnCloseQuery may refuse; then OnClose decides what closing
  // means (hiding, or for the main window, ending the program).
  void Close();
  bool CloseQuery();

  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* c);
  void ControlRemoved(TControl* c);

  // Keys that reached the form: Enter presses the default button, Esc the cancel
  // button, and a character is offered to the controls as an accelerator. True when used.
  bool KeyPress(platform::ui::Key key);
  bool CharPress(char32_t ch, bool alt);

  // The handlers a description can bind, by name.
  const THandlerTable& Handlers() const override { return handlers_; }

  void SetIcon(const platform::ui::Image& icon);

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnDestroy;
  TCloseQueryEvent OnCloseQuery;
  TCloseEvent OnClose;

  // Runs OnCreate; the application calls it once the form has been made.
  void DoCreate();

  void GetPlacement(WINDOWPLACEMENT& wp) override;
  void SetPlacement(const WINDOWPLACEMENT& wp) override;

  static TPropertyTable& Properties();

 protected:
  // Reads the form's description from the resources (e.g. "forms/main.dfm").
  void ReadDescription(const std::string& resourceName);
  // The component of the description with that name and class; raises when it is missing.
  template <class T>
  T* Bind(const std::string& name) {
    auto* c = dynamic_cast<T*>(FindComponent(name));
    if (!c) throw EReadError("the window description has no " + name + " of the expected class");
    return c;
  }
  THandlerTable handlers_;

  void SyncPeer() override;
  // A window that is seldom shown calls this before it reads its description: its controls
  // then get their peers when it is first shown, not when the program starts.
  void MakePeersWhenShown() { peersWhenShown_ = true; }
  // While the description is read, the controls wait for their peers: each is made once,
  // from the finished control, rather than told of every property as it is read.
  platform::ui::ControlPeer* ContainerPeer() const override {
    return reading_ || (peersWhenShown_ && !shown_) ? nullptr : peer_.get();
  }
  void PrepareToShow() override;
  void VisibleChanged() override;
  bool PeerKey(platform::ui::Key key, platform::ui::ShiftState s) override;
  bool PeerChar(char32_t ch, platform::ui::ShiftState s) override;
  bool PeerCloseRequest() override;
  void PeerMoved(int left, int top, int width, int height) override;

 private:
  void ApplyBorder();
  void UpdateFrame();
  TButtonControl* FindButton(bool wantDefault);
  bool OfferChar(TWinControl* parent, char32_t ch);

  HWND handle_ = nullptr;
  bool ownsHandle_ = false;  // a message window of ours, not the system's window
  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TPosition position_ = poDesigned;
  TWindowState windowState_ = wsNormal;
  TWinControl* activeControl_ = nullptr;
  int frameLeft_ = 0, frameTop_ = 0, frameRight_ = 0, frameBottom_ = 0;
  bool closing_ = false;
  bool reading_ = false;  // the description is being read
  bool peersWhenShown_ = false;
  bool shown_ = false;  // has been shown at least once
  // The size was last set as a client area (the window description's ClientWidth and
  // ClientHeight) rather than as an outer rectangle. When a window manager's frame becomes
  // known, such a window keeps its client area; one placed by its outer rectangle keeps that.
  bool sizedByClient_ = false;
  // An outer size from a stored placement, applied before the window manager's frame was
  // known: the first report of the frame corrects the client area once.
  bool outerSizePending_ = false;
};
