#include "framework/Form.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "framework/Application.h"
#include "framework/ButtonControl.h"
#include "framework/DescriptionReader.h"
#include "framework/Resources.h"
#include "platform/messages/EventLoop.h"
#include "platform/messages/Messages.h"
#include "platform/system/ScopeExit.h"

using platform::ui::CurrentBackend;

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner) {
  SetVisible(false);
  if (auto* backend = CurrentBackend()) peer_ = backend->CreateForm(this);
  auto* formPeer = PeerAs<platform::ui::FormPeer>();
  // Where the backend's windows are the system's, the form goes by its real window and the
  // system answers for it (a close request comes through the peer); elsewhere it is a
  // message window of the platform, whose placement the form itself answers.
  handle_ = formPeer ? formPeer->SystemWindow() : nullptr;
  if (handle_ == nullptr) {
    handle_ = CreateMessageWindow([this](HWND, UINT msg, WPARAM, LPARAM) -> LRESULT {
      if (msg == WM_CLOSE) Close();
      return 0;
    });
    ownsHandle_ = true;
    RegisterPlacementProvider(handle_, this);
  }
  if (formPeer) {
    platform::ui::AssociatePeer(handle_, formPeer);
    SyncPeer();
  }
}

TForm::~TForm() {
  if (OnDestroy) OnDestroy(this);
  if (Application && Application->MainForm() == this) Application->SetMainForm(nullptr);
  platform::ui::AssociatePeer(handle_, nullptr);
  if (ownsHandle_) {
    UnregisterPlacementProvider(handle_);
    DestroyWindow(handle_);
  }
}

void TForm::ReadDescription(const std::string& resourceName) {
  const auto text = FindResource(resourceName);
  if (!text) throw EReadError("no window description '" + resourceName + "'");
  {
    reading_ = true;
    const platform::ScopeExit read([this] { reading_ = false; });
    TDescriptionReader::Read(this, std::string(*text), resourceName);
  }
  EnsureChildPeers();
}

void TForm::SyncPeer() {
  auto* fp = PeerAs<platform::ui::FormPeer>();
  fp->SetName(Name());
  ApplyBorder();
  fp->SetText(Caption());
  fp->SetFont(Font()->AsFontSpec());
  fp->SetBackground(ColorToRGB(Color()), true);
  fp->SetBounds(Left(), Top(), Width(), Height());
  fp->SetEnabled(Enabled());
  EnsureChildPeers();
  fp->ShowWindow(Visible(), Visible());
}

void TForm::ApplyBorder() {
  auto* fp = PeerAs<platform::ui::FormPeer>();
  if (!fp) return;
  platform::ui::BorderIcons icons;
  icons.systemMenu = borderIcons_ & biSystemMenu;
  icons.minimize = borderIcons_ & biMinimize;
  icons.maximize = borderIcons_ & biMaximize;
  fp->SetBorder(static_cast<platform::ui::BorderStyle>(borderStyle_), icons);
  UpdateFrame();
}

void TForm::UpdateFrame() {
  auto* fp = PeerAs<platform::ui::FormPeer>();
  if (!fp) return;
  const int cw = ClientWidth(), ch = ClientHeight();
  fp->FrameMargins(frameLeft_, frameTop_, frameRight_, frameBottom_);
  if (borderStyle_ == bsSingle || borderStyle_ == bsDialog || borderStyle_ == bsToolWindow || borderStyle_ == bsNone) {
    fp->SetClientSize(cw, ch);
  }
}

void TForm::SetBorderStyle(TFormBorderStyle v) {
  if (v == borderStyle_) return;
  borderStyle_ = v;
  ApplyBorder();
}

void TForm::SetBorderIcons(TBorderIcons v) {
  if (v == borderIcons_) return;
  borderIcons_ = v;
  ApplyBorder();
}

void TForm::SetClientWidth(int v) {
  if (auto* fp = PeerAs<platform::ui::FormPeer>()) fp->FrameMargins(frameLeft_, frameTop_, frameRight_, frameBottom_);
  SetBounds(Left(), Top(), v + frameLeft_ + frameRight_, Height());
  sizedByClient_ = true;
}

void TForm::SetClientHeight(int v) {
  if (auto* fp = PeerAs<platform::ui::FormPeer>()) fp->FrameMargins(frameLeft_, frameTop_, frameRight_, frameBottom_);
  SetBounds(Left(), Top(), Width(), v + frameTop_ + frameBottom_);
  sizedByClient_ = true;
}

void TForm::SetBounds(int left, int top, int width, int height) {
  sizedByClient_ = false;
  TWinControl::SetBounds(left, top, width, height);
  if (auto* fp = PeerAs<platform::ui::FormPeer>(); fp && (borderStyle_ == bsSingle || borderStyle_ == bsDialog ||
                                                          borderStyle_ == bsToolWindow || borderStyle_ == bsNone))
    fp->SetClientSize(ClientWidth(), ClientHeight());
}

void TForm::SetPosition(TPosition v) { position_ = v; }

void TForm::SetWindowState(TWindowState v) {
  if (v == windowState_) return;
  windowState_ = v;
  if (auto* fp = PeerAs<platform::ui::FormPeer>()) fp->SetWindowState(static_cast<int>(v));
}

void TForm::Show() {
  SetVisible(true);
  BringToFront();
}

void TForm::Hide() { SetVisible(false); }

void TForm::BringToFront() {
  if (auto* fp = PeerAs<platform::ui::FormPeer>()) fp->BringToFront();
}

void TForm::PrepareToShow() {
  if (shown_) return;
  shown_ = true;
  if (peersWhenShown_) EnsureChildPeers();
}

void TForm::VisibleChanged() {
  if (auto* fp = PeerAs<platform::ui::FormPeer>()) fp->ShowWindow(Visible(), Visible());
  if (Visible() && OnShow) OnShow(this);
  if (!Visible() && OnHide) OnHide(this);
}

bool TForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TForm::Close() {
  // A close request that arrives while one is being handled is the same request.
  if (closing_) return;
  closing_ = true;
  const platform::ScopeExit clearClosing([this] { closing_ = false; });
  if (!CloseQuery()) return;
  const bool isMain = Application && Application->MainForm() == this;
  TCloseAction action = isMain ? caFree : caHide;
  if (OnClose) OnClose(this, action);
  if (action == caNone) return;
  if (action == caMinimize) {
    SetWindowState(wsMinimized);
    return;
  }
  Hide();
  if (isMain) Application->Terminate();
}

void TForm::SetActiveControl(TWinControl* c) { activeControl_ = c; }

void TForm::ControlRemoved(TControl* c) {
  if (activeControl_ == c) activeControl_ = nullptr;
}

TButtonControl* TForm::FindButton(bool wantDefault) {
  for (int i = 0; i < ComponentCount(); ++i) {
    auto* b = dynamic_cast<TButtonControl*>(Components(i));
    if (!b || !(wantDefault ? b->Default() : b->Cancel())) continue;
    // A button on a hidden or disabled panel or page cannot be pressed either.
    bool pressable = true;
    for (TControl* c = b; c && c != this; c = c->Parent()) pressable = pressable && c->Visible() && c->Enabled();
    if (pressable) return b;
  }
  return nullptr;
}

bool TForm::KeyPress(platform::ui::Key key) {
  if (key != platform::ui::Key::Enter && key != platform::ui::Key::Escape) return false;
  TButtonControl* b = FindButton(key == platform::ui::Key::Enter);
  if (!b) return false;
  b->Click();
  return true;
}

bool TForm::OfferChar(TWinControl* parent, char32_t ch) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (!c->Visible()) continue;
    if (c->DialogChar(ch)) return true;
    if (auto* w = dynamic_cast<TWinControl*>(c); w && OfferChar(w, ch)) return true;
  }
  return false;
}

bool TForm::CharPress(char32_t ch, bool) { return OfferChar(this, ch); }

bool TForm::PeerKey(platform::ui::Key key, platform::ui::ShiftState) {
  bool used = false;
  platform::DispatchSafely([&] { used = KeyPress(key); });
  return used;
}

bool TForm::PeerChar(char32_t ch, platform::ui::ShiftState s) {
  bool used = false;
  platform::DispatchSafely([&] { used = CharPress(ch, s.alt); });
  return used;
}

bool TForm::PeerCloseRequest() {
  // The window stays as it is; Close decides whether it hides or the program ends.
  platform::DispatchSafely([&] { Close(); });
  return false;
}

void TForm::PeerMoved(int left, int top, int width, int height) {
  // The frame is known only once a window manager has framed the window, so it is asked
  // afresh: the outer size reported here must not be taken for the client area.
  auto* fp = PeerAs<platform::ui::FormPeer>();
  if (!fp) return;
  const int before[4] = {frameLeft_, frameTop_, frameRight_, frameBottom_};
  fp->FrameMargins(frameLeft_, frameTop_, frameRight_, frameBottom_);
  const bool frameChanged =
      before[0] != frameLeft_ || before[1] != frameTop_ || before[2] != frameRight_ || before[3] != frameBottom_;
  // Only a window in its normal state is resized so: a maximised or minimised one would be
  // taken out of its state by the resize, and keeps what the window manager made of it.
  if (frameChanged && outerSizePending_ && !sizedByClient_ && windowState_ == wsNormal) {
    outerSizePending_ = false;
    // The outer size was asked for (a stored placement) while the frame was still unknown,
    // so the client area was given all of it. Now that the frame is known the outer size
    // stays as asked and the client area gives the frame its room; otherwise every start
    // and close would add the frame to the stored size once more.
    TWinControl::SetBounds(left, top, Width(), Height());
    fp->SetClientSize(ClientWidth(), ClientHeight());
    return;
  }
  // A window sized by its client area keeps it; the frame only adds to the outer size.
  TWinControl::SetBounds(left, top, width, height);
}

void TForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}

void TForm::SetIcon(const platform::ui::Image& icon) {
  if (auto* fp = PeerAs<platform::ui::FormPeer>()) fp->SetIcon(icon);
}

void TForm::GetPlacement(WINDOWPLACEMENT& wp) {
  wp.flags = 0;
  wp.showCmd = windowState_ == wsMinimized   ? SW_SHOWMINIMIZED
               : windowState_ == wsMaximized ? SW_SHOWMAXIMIZED
                                             : SW_SHOWNORMAL;
  wp.ptMinPosition = POINT{-1, -1};
  wp.ptMaxPosition = POINT{-1, -1};
  const auto edge = [](int from, int extent) {
    return static_cast<LONG>(std::clamp<long long>(static_cast<long long>(from) + extent, INT32_MIN, INT32_MAX));
  };
  wp.rcNormalPosition = RECT{Left(), Top(), edge(Left(), Width()), edge(Top(), Height())};
}

void TForm::SetPlacement(const WINDOWPLACEMENT& wp) {
  const RECT& r = wp.rcNormalPosition;
  // The edges may be anything a file held; their differences are taken in 64 bits and no
  // size below nothing is passed on (SetWindowPlacement has already replaced such sizes).
  const auto extent = [](LONG from, LONG to) {
    return static_cast<int>(std::clamp<long long>(static_cast<long long>(to) - from, 0, INT_MAX));
  };
  const int width = extent(r.left, r.right), height = extent(r.top, r.bottom);
  // A placement of the size the window has (no stored size, or one it replaced) leaves a
  // window sized by its client area so: its frame may not be known yet.
  const bool keepClient = sizedByClient_ && width == Width() && height == Height();
  SetBounds(r.left, r.top, width, height);
  sizedByClient_ = keepClient;
  outerSizePending_ = !keepClient;
  switch (wp.showCmd) {
    case SW_HIDE: Hide(); break;
    case SW_SHOWMINIMIZED:
      SetWindowState(wsMinimized);
      SetVisible(true);
      break;
    case SW_SHOWMAXIMIZED:
      SetWindowState(wsMaximized);
      SetVisible(true);
      break;
    default:
      SetWindowState(wsNormal);
      SetVisible(true);
      break;
  }
}

TPropertyTable& TForm::Properties() {
  static TPropertyTable t = [] {
    TPropertyTable p(&TWinControl::Properties());
    Prop<TForm>(p, "BorderStyle", [](TForm* f, const TPropValue& v) {
      f->SetBorderStyle(static_cast<TFormBorderStyle>(
          AsEnum(v, {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"})));
    });
    Prop<TForm>(p, "BorderIcons", [](TForm* f, const TPropValue& v) {
      f->SetBorderIcons(AsSetBits(v, {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}));
    });
    Prop<TForm>(p, "ClientWidth",
                [](TForm* f, const TPropValue& v) { f->SetClientWidth(static_cast<int>(AsInteger(v))); });
    Prop<TForm>(p, "ClientHeight",
                [](TForm* f, const TPropValue& v) { f->SetClientHeight(static_cast<int>(AsInteger(v))); });
    Prop<TForm>(p, "Position", [](TForm* f, const TPropValue& v) {
      f->SetPosition(static_cast<TPosition>(
          AsEnum(v, {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter"})));
    });
    Prop<TForm>(p, "WindowState", [](TForm* f, const TPropValue& v) {
      f->SetWindowState(static_cast<TWindowState>(AsEnum(v, {"wsNormal", "wsMinimized", "wsMaximized"})));
    });
    // Stored by the designer; the layout is in pixels, so they change nothing here.
    for (const char* ignored : {"PixelsPerInch", "TextHeight", "Scaled", "KeyPreview", "OldCreateOrder"})
      p.Add(ignored, [](TComponent*, const TPropValue&) {});
    Prop<TForm>(p, "OnCreate", [](TForm* f, const TPropValue& v) { f->OnCreate = f->Handlers().Get<TNotifyEvent>(v); });
    Prop<TForm>(p, "OnShow", [](TForm* f, const TPropValue& v) { f->OnShow = f->Handlers().Get<TNotifyEvent>(v); });
    Prop<TForm>(p, "OnHide", [](TForm* f, const TPropValue& v) { f->OnHide = f->Handlers().Get<TNotifyEvent>(v); });
    Prop<TForm>(p, "OnDestroy",
                [](TForm* f, const TPropValue& v) { f->OnDestroy = f->Handlers().Get<TNotifyEvent>(v); });
    Prop<TForm>(p, "OnCloseQuery",
                [](TForm* f, const TPropValue& v) { f->OnCloseQuery = f->Handlers().Get<TCloseQueryEvent>(v); });
    Prop<TForm>(p, "OnClose", [](TForm* f, const TPropValue& v) { f->OnClose = f->Handlers().Get<TCloseEvent>(v); });
    return p;
  }();
  return t;
}
