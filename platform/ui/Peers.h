// The native side of the framework's controls. A control of the framework is a model that
// works without any window system; when a backend is installed, each control also has a
// peer, a native widget that mirrors it. The framework talks to peers only through these
// interfaces, and peers report the user's actions back through a PeerHandler, so nothing
// above the platform ever sees the toolkit that draws the windows.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/WinTypes.h"

namespace platform::ui {

// Colours are 0x00BBGGRR, system colours already resolved.
using Rgb = std::uint32_t;

struct FontSpec {
  std::string name;  // the face as the window description names it
  int height = 12;   // character height in pixels
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  Rgb color = 0;
  bool operator==(const FontSpec&) const = default;
};

// A picture in memory: width × height pixels, 0xAARRGGBB, rows from the top.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  bool Empty() const { return width <= 0 || height <= 0; }
};

enum class MouseButton { Left, Right, Middle };

struct ShiftState {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  bool left = false;         // the left button is held
  bool doubleClick = false;  // the press is the second of a double click
};

enum class Key { Enter, Escape, Up, Down, Left, Right, Home, End, PageUp, PageDown, Space, Tab, Other };

// What a peer tells the control it mirrors. Every call comes from the event loop.
class PeerHandler {
 public:
  virtual ~PeerHandler() = default;
  virtual void PeerMouseDown(MouseButton, ShiftState, int /*x*/, int /*y*/) {}
  virtual void PeerMouseMove(ShiftState, int /*x*/, int /*y*/) {}
  virtual void PeerMouseUp(MouseButton, ShiftState, int /*x*/, int /*y*/) {}
  virtual void PeerDblClick(int /*x*/, int /*y*/) {}
  virtual void PeerMouseLeave() {}
  // A button, check box or list box was activated by the user (mouse or keyboard).
  virtual void PeerClick() {}
  // The user changed a list box's selection: the focused row and every row's selection.
  virtual void PeerSelection(int /*itemIndex*/, const std::vector<bool>& /*selected*/) {}
  virtual void PeerCheck(bool /*checked*/) {}
  virtual void PeerText(const std::string& /*text*/) {}
  virtual void PeerPosition(int /*position*/) {}  // up-down spinner
  virtual void PeerPageChanged(int /*index*/) {}
  virtual void PeerFocus(bool /*focused*/) {}
  // Forms: a key that no control used (Enter, Esc, a character for the accelerators).
  // Returns true when the form consumed it.
  virtual bool PeerKey(Key, ShiftState) { return false; }
  virtual bool PeerChar(char32_t /*ch*/, ShiftState) { return false; }
  // Forms: the user or the system asks to close; false keeps the window open.
  virtual bool PeerCloseRequest() { return true; }
  // Forms: the window was moved or resized by the user or the window manager (outer
  // frame, screen pixels).
  virtual void PeerMoved(int /*left*/, int /*top*/, int /*width*/, int /*height*/) {}
  // Custom-drawn controls: paint yourself through this device context of platform/gdi,
  // which lives for this one paint.
  virtual void PeerPaint(HDC /*dc*/) {}
};

class ControlPeer {
 public:
  virtual ~ControlPeer() = default;
  // Position relative to the parent's client area (forms: the outer frame on screen).
  virtual void SetBounds(int left, int top, int width, int height) = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual void SetHint(const std::string& hint) = 0;
  virtual void SetFont(const FontSpec& font) = 0;
  // The background colour; not opaque leaves the parent showing through.
  virtual void SetBackground(Rgb color, bool opaque) = 0;
  virtual void Invalidate() = 0;  // repaint when the loop next gets to it
  virtual void Repaint() = 0;     // repaint now
  virtual void SetFocus() = 0;
  virtual void SetTabOrder(int order) = 0;
  virtual void SetTabStop(bool stop) = 0;
  virtual void RaiseToTop() = 0;
  // The control's name, so that tools outside the program can tell the widgets apart.
  virtual void SetName(const std::string& /*name*/) {}
};

enum class Alignment { Left, Right, Center };

class LabelPeer : public virtual ControlPeer {
 public:
  virtual void SetAlignment(Alignment a) = 0;
  virtual void SetWordWrap(bool wrap) = 0;
  // The size the text needs in the current font, for labels that size themselves.
  virtual void MeasureText(const std::string& text, int& width, int& height) = 0;
};

enum class ListSelection { Single, Multi, Extended };

class ListBoxPeer : public virtual ControlPeer {
 public:
  virtual void SetItems(const std::vector<std::string>& items) = 0;
  // Selection set by the program; peers do not report it back as the user's.
  virtual void SetSelection(int itemIndex, const std::vector<bool>& selected) = 0;
  virtual void SetColumns(int columns) = 0;
  virtual void SetItemHeight(int height) = 0;
  virtual void SetSelectionMode(ListSelection mode) = 0;
  virtual void SetBorder(bool border) = 0;
};

enum class GlyphLayout { Left, Right, Top, Bottom };

class ButtonPeer : public virtual ControlPeer {
 public:
  // glyph holds numGlyphs images side by side (normal, then disabled); the bottom-left
  // pixel's colour is transparent. An empty image removes the picture.
  virtual void SetGlyph(const Image& glyph, int numGlyphs) = 0;
  virtual void SetLayout(GlyphLayout layout, int margin, int spacing) = 0;
  virtual void SetFocusable(bool focusable) = 0;
  virtual void SetDefault(bool isDefault) = 0;
};

class CheckBoxPeer : public virtual ControlPeer {
 public:
  virtual void SetChecked(bool checked) = 0;
};

class EditPeer : public virtual ControlPeer {
 public:
  virtual void SetReadOnly(bool readOnly) = 0;
};

class UpDownPeer : public virtual ControlPeer {
 public:
  virtual void SetRange(int min, int max, int increment, bool wrap) = 0;
  virtual void SetPosition(int position) = 0;
};

class PageControlPeer : public virtual ControlPeer {
 public:
  virtual void SetPages(const std::vector<std::string>& captions) = 0;
  virtual void SetActivePage(int index) = 0;
  // The container that holds the controls of one page.
  virtual ControlPeer* PageContainer(int index) = 0;
};

enum class Bevel { None, Lowered, Raised };

class PanelPeer : public virtual ControlPeer {
 public:
  virtual void SetBevel(Bevel outer, Bevel inner, int width) = 0;
};

class ImagePeer : public virtual ControlPeer {
 public:
  virtual void SetPicture(const Image& picture) = 0;
  virtual void SetStretch(bool stretch) = 0;
};

// A control that draws itself (PeerPaint) and takes the mouse only where it says.
class CustomPeer : public virtual ControlPeer {};

enum class BorderStyle { None, Single, Sizeable, Dialog, ToolWindow, SizeToolWin };

struct BorderIcons {
  bool systemMenu = true;
  bool minimize = true;
  bool maximize = true;
  bool operator==(const BorderIcons&) const = default;
};

class FormPeer : public virtual ControlPeer {
 public:
  virtual void SetBorder(BorderStyle style, BorderIcons icons) = 0;
  // Fixes the client area; the outer size follows from the frame.
  virtual void SetClientSize(int width, int height) = 0;
  // The frame's thickness around the client area: left, top, right, bottom.
  virtual void FrameMargins(int& left, int& top, int& right, int& bottom) = 0;
  virtual void SetIcon(const Image& icon) = 0;
  virtual void ShowWindow(bool visible, bool activate) = 0;
  virtual void BringToFront() = 0;
  // 0 normal, 1 minimised, 2 maximised.
  virtual void SetWindowState(int /*state*/) {}
  // The system's own top-level window, where the backend's windows are the system's (on
  // Windows): the form then goes by it, and placement calls reach the system. nullptr
  // elsewhere, where a form keeps a message window of the platform as its handle.
  virtual HWND SystemWindow() const { return nullptr; }
};

class Backend {
 public:
  virtual ~Backend() = default;
  virtual std::unique_ptr<FormPeer> CreateForm(PeerHandler* handler) = 0;
  // Children are made inside a parent peer (a form, a panel or a page container).
  virtual std::unique_ptr<LabelPeer> CreateLabel(ControlPeer* parent, PeerHandler* handler) = 0;
  virtual std::unique_ptr<ListBoxPeer> CreateListBox(ControlPeer* parent, PeerHandler* handler) = 0;
  virtual std::unique_ptr<ButtonPeer> CreateButton(ControlPeer* parent, PeerHandler* handler) = 0;
  virtual std::unique_ptr<CheckBoxPeer> CreateCheckBox(ControlPeer* parent, PeerHandler* handler) = 0;
  virtual std::unique_ptr<EditPeer> CreateEdit(ControlPeer* parent, PeerHandler* handler) = 0;
  virtual std::unique_ptr<UpDownPeer> CreateUpDown(ControlPeer* parent, PeerHandler* handler) = 0;
  virtual std::unique_ptr<PageControlPeer> CreatePageControl(ControlPeer* parent, PeerHandler* handler) = 0;
  virtual std::unique_ptr<PanelPeer> CreatePanel(ControlPeer* parent, PeerHandler* handler) = 0;
  virtual std::unique_ptr<ImagePeer> CreateImage(ControlPeer* parent, PeerHandler* handler) = 0;
  virtual std::unique_ptr<CustomPeer> CreateCustom(ControlPeer* parent, PeerHandler* handler) = 0;

  // The application's title, shown by the task bar apart from the main window's caption.
  virtual void SetApplicationTitle(const std::string& title) = 0;
  virtual void SetMainWindow(FormPeer* form) = 0;
  // A modal message box over the owner (may be null); returns the button pressed (IDOK ...).
  virtual int MessageBox(FormPeer* owner, const std::string& text, const std::string& caption, UINT type) = 0;
  // The work areas of the screens, left, top, right, bottom.
  virtual std::vector<std::array<int, 4>> Screens() = 0;
};

// Forms tie their window handle to their peer, so that calls made with the handle (a
// message box's owner) reach the native window.
void AssociatePeer(HWND hWnd, FormPeer* peer);
FormPeer* PeerOf(HWND hWnd);

// The backend in force; nullptr when the program runs headless (tests).
Backend* CurrentBackend();
Backend* SetBackend(Backend* backend);

}  // namespace platform::ui
