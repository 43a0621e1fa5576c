// The help viewer on Qt: a window of its own beside the program's, showing a help file
// rendered from its markup, with a button that closes it.
#pragma once

#include <QString>
#include <memory>
#include <string>

#include "platform/help/Help.h"
#include "platform/help/HelpText.h"

class QDialog;
class QObject;
class QTextBrowser;

namespace platform::qt {

class QtHelpViewer : public help::HelpViewer {
 public:
  // Deletes the window and the object that hears the program end, while Qt is still there.
  void Shutdown();
  // Needs the QApplication to exist; the window itself is made when first shown.
  QtHelpViewer();
  ~QtHelpViewer() override;
  QtHelpViewer(const QtHelpViewer&) = delete;
  QtHelpViewer& operator=(const QtHelpViewer&) = delete;

  void ShowContents(const std::string& title, const std::string& text) override;
  void ShowContentsBeside(const RECT& owner, const std::string& title, const std::string& text) override;
  void ReportMissingFile(HWND owner, const std::string& fileName) override;
  void Close() override;

  // For tests: the window and its text, or nullptr before help was first shown.
  QDialog* Window() const { return window_.get(); }
  QTextBrowser* Browser() const { return browser_; }

 private:
  void MakeWindow();
  // Widgets must go while Qt is still there; the program's end comes before the viewer's.
  void DropWindow();

  std::unique_ptr<QDialog> window_;
  QTextBrowser* browser_ = nullptr;  // owned by the window
  std::string shownText_;
  std::unique_ptr<QObject> context_;  // receives the end of the program
};

// The help text as the HTML a QTextBrowser shows: headings, paragraphs and bulleted lists,
// every piece of text escaped.
QString HelpHtml(const help::HelpDocument& document);

// Makes the viewer and puts it in force; the platform's InstallQtPlatform calls it.
void InstallQtHelpViewer();
// Lets go of the viewer's Qt objects while Qt still exists (the platform's shutdown calls it).
void UninstallQtHelpViewer();

}  // namespace platform::qt
