#include "platform/qt/QtBackend.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QSessionManager>
#include <algorithm>

#include "platform/qt/QtButtonPeer.h"
#include "platform/qt/QtCheckBoxPeer.h"
#include "platform/qt/QtConversions.h"
#include "platform/qt/QtCustomPeer.h"
#include "platform/qt/QtEditPeer.h"
#include "platform/qt/QtFormPeer.h"
#include "platform/qt/QtImagePeer.h"
#include "platform/qt/QtLabelPeer.h"
#include "platform/qt/QtListBoxPeer.h"
#include "platform/qt/QtPageControlPeer.h"
#include "platform/qt/QtPanelPeer.h"
#include "platform/qt/QtUpDownPeer.h"
#include "platform/ui/Windows.h"

namespace platform::qt {

namespace {

QMessageBox::Icon IconFor(UINT type) {
  switch (type & 0xF0) {
    case MB_ICONERROR: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONWARNING: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

}  // namespace

QtBackend::QtBackend() : context_(std::make_unique<QObject>()) {
#if QT_CONFIG(sessionmanager)
  if (qGuiApp) {
    QObject::connect(qGuiApp, &QGuiApplication::commitDataRequest, context_.get(), [this](QSessionManager& manager) {
      if (!SessionMayEnd() && manager.allowsInteraction()) manager.cancel();
    });
  }
#endif
}

QtBackend::~QtBackend() {
  // Forms that outlive the backend must not report to it any more.
  for (QtFormPeer* f : forms_) f->ForgetBackend();
}

std::unique_ptr<ui::FormPeer> QtBackend::CreateForm(ui::PeerHandler* handler) {
  return std::make_unique<QtFormPeer>(this, handler);
}

std::unique_ptr<ui::LabelPeer> QtBackend::CreateLabel(ui::ControlPeer* parent, ui::PeerHandler* handler) {
  return std::make_unique<QtLabelPeer>(QtControl::ClientOf(parent), handler);
}

std::unique_ptr<ui::ListBoxPeer> QtBackend::CreateListBox(ui::ControlPeer* parent, ui::PeerHandler* handler) {
  return std::make_unique<QtListBoxPeer>(QtControl::ClientOf(parent), handler);
}

std::unique_ptr<ui::ButtonPeer> QtBackend::CreateButton(ui::ControlPeer* parent, ui::PeerHandler* handler) {
  return std::make_unique<QtButtonPeer>(QtControl::ClientOf(parent), handler);
}

std::unique_ptr<ui::CheckBoxPeer> QtBackend::CreateCheckBox(ui::ControlPeer* parent, ui::PeerHandler* handler) {
  return std::make_unique<QtCheckBoxPeer>(QtControl::ClientOf(parent), handler);
}

std::unique_ptr<ui::EditPeer> QtBackend::CreateEdit(ui::ControlPeer* parent, ui::PeerHandler* handler) {
  return std::make_unique<QtEditPeer>(QtControl::ClientOf(parent), handler);
}

std::unique_ptr<ui::UpDownPeer> QtBackend::CreateUpDown(ui::ControlPeer* parent, ui::PeerHandler* handler) {
  return std::make_unique<QtUpDownPeer>(QtControl::ClientOf(parent), handler);
}

std::unique_ptr<ui::PageControlPeer> QtBackend::CreatePageControl(ui::ControlPeer* parent, ui::PeerHandler* handler) {
  return std::make_unique<QtPageControlPeer>(QtControl::ClientOf(parent), handler);
}

std::unique_ptr<ui::PanelPeer> QtBackend::CreatePanel(ui::ControlPeer* parent, ui::PeerHandler* handler) {
  return std::make_unique<QtPanelPeer>(QtControl::ClientOf(parent), handler);
}

std::unique_ptr<ui::ImagePeer> QtBackend::CreateImage(ui::ControlPeer* parent, ui::PeerHandler* handler) {
  return std::make_unique<QtImagePeer>(QtControl::ClientOf(parent), handler);
}

std::unique_ptr<ui::CustomPeer> QtBackend::CreateCustom(ui::ControlPeer* parent, ui::PeerHandler* handler) {
  return std::make_unique<QtCustomPeer>(QtControl::ClientOf(parent), handler);
}

void QtBackend::SetApplicationTitle(const std::string& title) {
  // Not QGuiApplication::setApplicationDisplayName: Qt would append it to every caption.
  title_ = ToQString(title);
  if (main_) main_->SetIconName(title_);
}

void QtBackend::SetMainWindow(ui::FormPeer* form) {
  auto* next = dynamic_cast<QtFormPeer*>(form);
  if (next == main_) return;
  if (main_) main_->SetIconName(QString());
  main_ = next;
  if (main_) main_->SetIconName(title_);
}

int QtBackend::MessageBox(ui::FormPeer* owner, const std::string& text, const std::string& caption, UINT type) {
  auto* form = dynamic_cast<QtFormPeer*>(owner);
  QWidget* parent = form ? form->Widget() : nullptr;
  const bool okCancel = (type & 0x0F) == MB_OKCANCEL;
  QMessageBox box(IconFor(type), ToQString(caption), ToQString(text),
                  okCancel ? (QMessageBox::Ok | QMessageBox::Cancel) : QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Ok);
  // Esc (or the close box) answers Cancel where there is one and OK where there is not.
  box.setEscapeButton(okCancel ? QMessageBox::Cancel : QMessageBox::Ok);
  box.setWindowModality(Qt::ApplicationModal);
  const int answer = box.exec();
  return answer == QMessageBox::Cancel ? IDCANCEL : IDOK;
}

std::vector<std::array<int, 4>> QtBackend::Screens() {
  std::vector<std::array<int, 4>> out;
  for (const QScreen* s : QGuiApplication::screens()) {
    const QRect r = s->availableGeometry();
    out.push_back({r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
  }
  return out;
}

void QtBackend::FormCreated(QtFormPeer* form) { forms_.push_back(form); }

void QtBackend::FormDestroyed(QtFormPeer* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
  if (main_ == form) main_ = nullptr;
}

bool QtBackend::SessionMayEnd() {
  // The main window speaks for the program; without one, every visible window is asked.
  std::vector<QtFormPeer*> asked;
  if (main_) {
    asked.push_back(main_);
  } else {
    for (QtFormPeer* f : forms_)
      if (f->Widget() && f->Widget()->isVisible()) asked.push_back(f);
  }
  bool mayEnd = true;
  for (QtFormPeer* f : asked) {
    QPointer<QWidget> w = f->Widget();
    if (!w) continue;
    // The form closes itself (hides, or ends the program) when it agrees; a window still
    // showing afterwards refuses the end of the session.
    w->close();
    if (w && w->isVisible()) mayEnd = false;
  }
  return mayEnd;
}

}  // namespace platform::qt
