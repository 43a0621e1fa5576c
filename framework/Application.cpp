#include "framework/Application.h"

#include "framework/Exceptions.h"
#include "platform/messages/EventLoop.h"
#include "platform/ui/Peers.h"
#include "platform/ui/Windows.h"

TApplication* Application = nullptr;

TApplication::TApplication() : TComponent(nullptr) {
  Application = this;
  platform::SetExceptionHandler([this](std::exception_ptr e) { HandleException(e); });
}

TApplication::~TApplication() {
  // The forms go first, while the error report and the title are still there.
  while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
  platform::SetExceptionHandler(nullptr);
  Application = nullptr;
}

void TApplication::SetTitle(const std::string& v) {
  if (v == title_) return;
  title_ = v;
  if (auto* backend = platform::ui::CurrentBackend()) backend->SetApplicationTitle(v);
}

void TApplication::SetMainForm(TForm* f) {
  mainForm_ = f;
  if (auto* backend = platform::ui::CurrentBackend())
    backend->SetMainWindow(f ? dynamic_cast<platform::ui::FormPeer*>(f->Peer()) : nullptr);
}

int TApplication::Run() {
  if (mainForm_ && !terminated_) mainForm_->Show();
  if (terminated_) return 0;
  return platform::CurrentEventLoop().Run();
}

void TApplication::Terminate() {
  terminated_ = true;
  platform::CurrentEventLoop().Quit(0);
}

void TApplication::ShowException(const std::exception& e) {
  std::string text = e.what();
  if (text.empty() || text.back() != '.') text += '.';
  MessageBoxA(mainForm_ ? mainForm_->Handle() : nullptr, text.c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
}

void TApplication::HandleException(std::exception_ptr e) {
  try {
    std::rethrow_exception(e);
  } catch (const std::exception& ex) {
    ShowException(ex);
  } catch (...) {
    ShowException(Exception("不明なエラーが発生しました"));
  }
}
