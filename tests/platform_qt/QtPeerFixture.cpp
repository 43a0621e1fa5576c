#include "tests/platform_qt/QtPeerFixture.h"

#include <QTest>

using platform::ui::MouseButton;
using platform::ui::ShiftState;

namespace {

std::string Describe(MouseButton b, ShiftState s) {
  std::string out = b == MouseButton::Left ? "L" : b == MouseButton::Right ? "R" : "M";
  if (s.shift) out += " shift";
  if (s.ctrl) out += " ctrl";
  if (s.alt) out += " alt";
  if (s.left) out += " held";
  return out;
}

const char* KeyName(platform::ui::Key k) {
  switch (k) {
    case platform::ui::Key::Enter: return "Enter";
    case platform::ui::Key::Escape: return "Escape";
    case platform::ui::Key::Up: return "Up";
    case platform::ui::Key::Down: return "Down";
    default: return "Other";
  }
}

}  // namespace

void RecordingHandler::PeerMouseDown(MouseButton b, ShiftState s, int x, int y) {
  calls.push_back("MouseDown " + Describe(b, s) + " " + std::to_string(x) + "," + std::to_string(y));
}
void RecordingHandler::PeerMouseMove(ShiftState s, int x, int y) {
  calls.push_back("MouseMove" + std::string(s.left ? " held" : "") + " " + std::to_string(x) + "," + std::to_string(y));
}
void RecordingHandler::PeerMouseUp(MouseButton b, ShiftState s, int x, int y) {
  calls.push_back("MouseUp " + Describe(b, s) + " " + std::to_string(x) + "," + std::to_string(y));
}
void RecordingHandler::PeerDblClick(int x, int y) {
  calls.push_back("DblClick " + std::to_string(x) + "," + std::to_string(y));
}
void RecordingHandler::PeerMouseLeave() { calls.push_back("Leave"); }
void RecordingHandler::PeerClick() { calls.push_back("Click"); }
void RecordingHandler::PeerSelection(int itemIndex, const std::vector<bool>& selected) {
  std::string flags;
  for (bool b : selected) flags += b ? '1' : '0';
  calls.push_back("Selection " + std::to_string(itemIndex) + " " + flags);
}
void RecordingHandler::PeerCheck(bool checked) { calls.push_back(checked ? "Check 1" : "Check 0"); }
void RecordingHandler::PeerText(const std::string& text) { calls.push_back("Text " + text); }
void RecordingHandler::PeerPosition(int position) { calls.push_back("Position " + std::to_string(position)); }
void RecordingHandler::PeerPageChanged(int index) { calls.push_back("Page " + std::to_string(index)); }
bool RecordingHandler::PeerKey(platform::ui::Key key, ShiftState s) {
  calls.push_back(std::string("Key ") + KeyName(key) + (s.alt ? " alt" : ""));
  return takeKeys;
}
bool RecordingHandler::PeerChar(char32_t ch, ShiftState s) {
  calls.push_back(std::string("Char ") + static_cast<char>(ch) + (s.alt ? " alt" : ""));
  return true;
}
bool RecordingHandler::PeerCloseRequest() {
  calls.push_back("CloseRequest");
  return allowClose;
}
void RecordingHandler::PeerMoved(int left, int top, int width, int height) {
  calls.push_back("Moved " + std::to_string(left) + "," + std::to_string(top) + " " + std::to_string(width) + "x" +
                  std::to_string(height));
}
void RecordingHandler::PeerPaint(HDC) { ++paints; }

QtPeerTest::QtPeerTest() : form(backend.CreateForm(&formHandler)) {}

QtPeerTest::~QtPeerTest() {
  form.reset();
  ProcessEvents();
}

void QtPeerTest::ShowForm(int width, int height) {
  form->SetBorder(platform::ui::BorderStyle::Single, platform::ui::BorderIcons{});
  form->SetBackground(kGrey, true);
  form->SetBounds(40, 40, width, height);
  form->ShowWindow(true, true);
  EXPECT_TRUE(QTest::qWaitForWindowExposed(WidgetOf(form)));
  formHandler.calls.clear();
}

QWidget* QtPeerTest::WidgetOf(platform::ui::ControlPeer* peer) {
  auto* c = dynamic_cast<platform::qt::QtControl*>(peer);
  return c ? c->Widget() : nullptr;
}

QImage QtPeerTest::Grab(QWidget* w) { return w->grab().toImage().convertToFormat(QImage::Format_RGB32); }

void QtPeerTest::ProcessEvents() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

::testing::AssertionResult HasColor(const QImage& image, int x, int y, QColor expected) {
  const QColor got = image.pixelColor(x, y);
  if (got.rgb() == expected.rgb()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << got.name().toStdString() << ", not "
                                       << expected.name().toStdString();
}
