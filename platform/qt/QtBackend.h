// The windowing backend on Qt Widgets: makes the peers, shows message boxes, reports the
// screens and keeps the application's title on the main window's task-bar entry.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <vector>

#include "platform/ui/Peers.h"

namespace platform::qt {

class QtFormPeer;

class QtBackend : public ui::Backend {
 public:
  // Needs the QApplication to exist.
  QtBackend();
  ~QtBackend() override;
  QtBackend(const QtBackend&) = delete;
  QtBackend& operator=(const QtBackend&) = delete;

  std::unique_ptr<ui::FormPeer> CreateForm(ui::PeerHandler* handler) override;
  std::unique_ptr<ui::LabelPeer> CreateLabel(ui::ControlPeer* parent, ui::PeerHandler* handler) override;
  std::unique_ptr<ui::ListBoxPeer> CreateListBox(ui::ControlPeer* parent, ui::PeerHandler* handler) override;
  std::unique_ptr<ui::ButtonPeer> CreateButton(ui::ControlPeer* parent, ui::PeerHandler* handler) override;
  std::unique_ptr<ui::CheckBoxPeer> CreateCheckBox(ui::ControlPeer* parent, ui::PeerHandler* handler) override;
  std::unique_ptr<ui::EditPeer> CreateEdit(ui::ControlPeer* parent, ui::PeerHandler* handler) override;
  std::unique_ptr<ui::UpDownPeer> CreateUpDown(ui::ControlPeer* parent, ui::PeerHandler* handler) override;
  std::unique_ptr<ui::PageControlPeer> CreatePageControl(ui::ControlPeer* parent, ui::PeerHandler* handler) override;
  std::unique_ptr<ui::PanelPeer> CreatePanel(ui::ControlPeer* parent, ui::PeerHandler* handler) override;
  std::unique_ptr<ui::ImagePeer> CreateImage(ui::ControlPeer* parent, ui::PeerHandler* handler) override;
  std::unique_ptr<ui::CustomPeer> CreateCustom(ui::ControlPeer* parent, ui::PeerHandler* handler) override;

  void SetApplicationTitle(const std::string& title) override;
  void SetMainWindow(ui::FormPeer* form) override;
  int MessageBox(ui::FormPeer* owner, const std::string& text, const std::string& caption, UINT type) override;
  std::vector<std::array<int, 4>> Screens() override;

  const QString& ApplicationTitle() const { return title_; }
  QtFormPeer* MainWindow() const { return main_; }

  // Forms tell the backend they come and go, so that it never holds a dangling one.
  void FormCreated(QtFormPeer* form);
  void FormDestroyed(QtFormPeer* form);

 private:
  // The session is ending: the windows are asked to close, as the user would.
  bool SessionMayEnd();

  QString title_;
  QtFormPeer* main_ = nullptr;
  std::vector<QtFormPeer*> forms_;
  // Receives the session manager's question; its end cuts the connection.
  std::unique_ptr<QObject> context_;
};

}  // namespace platform::qt
