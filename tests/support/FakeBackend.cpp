#include "tests/support/FakeBackend.h"

#include <stdexcept>

#include "platform/ui/Windows.h"

using namespace platform::ui;

void FakePeer::MeasureText(const std::string& measured, int& width, int& height) {
  // A fixed metric, 6 pixels a byte and 12 a line, so that labels that size themselves get
  // sizes a test can work out by hand.
  width = 6 * static_cast<int>(measured.size());
  height = 12;
}

std::unique_ptr<FakePeer> FakeBackend::Made() {
  ++controlsMade;
  return std::make_unique<FakePeer>();
}

std::unique_ptr<FormPeer> FakeBackend::CreateForm(PeerHandler*) { return std::make_unique<FakePeer>(); }
std::unique_ptr<LabelPeer> FakeBackend::CreateLabel(ControlPeer*, PeerHandler*) { return Made(); }
std::unique_ptr<ListBoxPeer> FakeBackend::CreateListBox(ControlPeer*, PeerHandler*) { return Made(); }
std::unique_ptr<ButtonPeer> FakeBackend::CreateButton(ControlPeer*, PeerHandler*) { return Made(); }
std::unique_ptr<CheckBoxPeer> FakeBackend::CreateCheckBox(ControlPeer*, PeerHandler*) { return Made(); }
std::unique_ptr<EditPeer> FakeBackend::CreateEdit(ControlPeer*, PeerHandler*) { return Made(); }
std::unique_ptr<UpDownPeer> FakeBackend::CreateUpDown(ControlPeer*, PeerHandler*) { return Made(); }
std::unique_ptr<PageControlPeer> FakeBackend::CreatePageControl(ControlPeer*, PeerHandler*) { return Made(); }
std::unique_ptr<PanelPeer> FakeBackend::CreatePanel(ControlPeer*, PeerHandler*) { return Made(); }
std::unique_ptr<ImagePeer> FakeBackend::CreateImage(ControlPeer*, PeerHandler*) { return Made(); }
std::unique_ptr<CustomPeer> FakeBackend::CreateCustom(ControlPeer*, PeerHandler*) { return Made(); }

int FakeBackend::MessageBox(FormPeer*, const std::string&, const std::string&, UINT) { return IDOK; }

FakePeer& FakePeerOf(ControlPeer* peer) {
  auto* fake = dynamic_cast<FakePeer*>(peer);
  if (fake == nullptr) throw std::logic_error("the control has no peer of the fake backend");
  return *fake;
}
