// Shared by the Qt peer tests: a handler that records what peers tell it, and a fixture
// with a backend and a shown form to put controls on.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/QtBackend.h"
#include "platform/qt/QtControl.h"
#include "platform/ui/Peers.h"

// Every call as one line of text, so a test can compare whole sequences.
class RecordingHandler : public platform::ui::PeerHandler {
 public:
  std::vector<std::string> calls;
  bool allowClose = true;
  bool takeKeys = false;  // PeerKey answers this
  int paints = 0;

  void PeerMouseDown(platform::ui::MouseButton b, platform::ui::ShiftState s, int x, int y) override;
  void PeerMouseMove(platform::ui::ShiftState s, int x, int y) override;
  void PeerMouseUp(platform::ui::MouseButton b, platform::ui::ShiftState s, int x, int y) override;
  void PeerDblClick(int x, int y) override;
  void PeerMouseLeave() override;
  void PeerClick() override;
  void PeerSelection(int itemIndex, const std::vector<bool>& selected) override;
  void PeerCheck(bool checked) override;
  void PeerText(const std::string& text) override;
  void PeerPosition(int position) override;
  void PeerPageChanged(int index) override;
  bool PeerKey(platform::ui::Key key, platform::ui::ShiftState s) override;
  bool PeerChar(char32_t ch, platform::ui::ShiftState s) override;
  bool PeerCloseRequest() override;
  void PeerMoved(int left, int top, int width, int height) override;
  void PeerPaint(HDC canvas) override;
};

class QtPeerTest : public ::testing::Test {
 protected:
  QtPeerTest();
  ~QtPeerTest() override;

  // Shows the form with a fixed client area of the given size and a plain grey face.
  void ShowForm(int width = 320, int height = 200);
  static QWidget* WidgetOf(platform::ui::ControlPeer* peer);
  static QWidget* WidgetOf(const std::unique_ptr<platform::ui::FormPeer>& peer) { return WidgetOf(peer.get()); }
  template <class P>
  static QWidget* WidgetOf(const std::unique_ptr<P>& peer) {
    return WidgetOf(static_cast<platform::ui::ControlPeer*>(peer.get()));
  }
  static QImage Grab(QWidget* w);
  static void ProcessEvents();

  platform::qt::QtBackend backend;
  RecordingHandler formHandler;
  RecordingHandler handler;  // for the control under test
  std::unique_ptr<platform::ui::FormPeer> form;
};

// Colours as the platform writes them (0x00BBGGRR).
constexpr platform::ui::Rgb kBlack = 0x000000;
constexpr platform::ui::Rgb kLime = 0x00FF00;
constexpr platform::ui::Rgb kRed = 0x0000FF;
constexpr platform::ui::Rgb kGrey = 0xC0C0C0;

::testing::AssertionResult HasColor(const QImage& image, int x, int y, QColor expected);
