// The application object: its title (the task-bar text), its main form, the message loop,
// and the general error report that every escaped exception reaches.
#pragma once

#include <exception>
#include <string>

#include "framework/Component.h"
#include "framework/Form.h"

class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& v);
  TForm* MainForm() const { return mainForm_; }
  void SetMainForm(TForm* f);

  const std::string& HelpFile() const { return helpFile_; }
  void SetHelpFile(const std::string& v) { helpFile_ = v; }

  // Makes a form owned by the application and runs its OnCreate; the first form made
  // becomes the main form. The reference is set before OnCreate runs, so the form's own
  // handlers can already reach it through its program-wide variable.
  template <class T>
  void CreateForm(T*& reference) {
    T* form = new T(this);
    reference = form;
    if (!mainForm_) SetMainForm(form);
    HandleExceptions([form] { form->DoCreate(); });
  }

  // Shows the main form and serves messages until it closes.
  int Run();
  void Terminate();
  bool Terminated() const { return terminated_; }

  // The general error report: a message box with the error icon, the message (with a full
  // stop added when it lacks one) and the title as its caption.
  void ShowException(const std::exception& e);
  void HandleException(std::exception_ptr e);
  // Runs fn, reporting what it lets escape.
  template <class F>
  void HandleExceptions(F&& fn) {
    try {
      fn();
    } catch (...) {
      HandleException(std::current_exception());
    }
  }

 private:
  std::string title_;
  std::string helpFile_;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
};

// The one application of the program, set while it exists.
extern TApplication* Application;
