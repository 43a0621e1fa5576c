#include "platform/qt/QtHelpViewer.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "platform/qt/QtConversions.h"
#include "platform/ui/Windows.h"

namespace platform::qt {

namespace {

QString Escaped(const std::string& text) { return ToQString(text).toHtmlEscaped(); }

// The help window's client area as it opens, and the smallest one still worth reading
// when it is made to fit beside the program's window.
constexpr QSize kHelpSize(560, 620);
constexpr QSize kSmallestHelpSize(360, 280);
// What a window manager's frame usually adds around the client area.
constexpr QSize kFrameAllowance(8, 30);

}  // namespace

QString HelpHtml(const help::HelpDocument& document) {
  using help::HelpBlockKind;
  QString html = QStringLiteral("<html><body>");
  bool inList = false;
  for (const help::HelpBlock& block : document.blocks) {
    const bool item = block.kind == HelpBlockKind::Bullet;
    if (item != inList) html += item ? QStringLiteral("<ul>") : QStringLiteral("</ul>");
    inList = item;
    switch (block.kind) {
      case HelpBlockKind::Title: html += QStringLiteral("<h1>%1</h1>").arg(Escaped(block.text)); break;
      case HelpBlockKind::Section: html += QStringLiteral("<h2>%1</h2>").arg(Escaped(block.text)); break;
      case HelpBlockKind::Paragraph: html += QStringLiteral("<p>%1</p>").arg(Escaped(block.text)); break;
      case HelpBlockKind::Bullet: html += QStringLiteral("<li>%1</li>").arg(Escaped(block.text)); break;
    }
  }
  if (inList) html += QStringLiteral("</ul>");
  html += QStringLiteral("</body></html>");
  return html;
}

QtHelpViewer::QtHelpViewer() : context_(std::make_unique<QObject>()) {
  if (qApp) QObject::connect(qApp, &QCoreApplication::aboutToQuit, context_.get(), [this] { DropWindow(); });
}

QtHelpViewer::~QtHelpViewer() {
  // A viewer that outlives Qt (a static one whose program never ran the loop) cannot
  // delete its widgets any more; the process is ending and takes them along.
  if (!QCoreApplication::instance()) {
    (void)window_.release();
    (void)context_.release();
  }
}

void QtHelpViewer::MakeWindow() {
  // A dialog for its keys (Esc closes it, Enter presses 閉じる), but a window of its own
  // with the usual frame, so it can stay open beside the deck while the user reads.
  window_ = std::make_unique<QDialog>(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
  window_->setObjectName(QStringLiteral("HelpViewer"));
  window_->setModal(false);
  window_->resize(kHelpSize);

  browser_ = new QTextBrowser(window_.get());
  browser_->setObjectName(QStringLiteral("HelpText"));
  browser_->setReadOnly(true);
  browser_->setOpenLinks(false);

  auto* close = new QPushButton(QStringLiteral("閉じる"), window_.get());
  close->setObjectName(QStringLiteral("HelpClose"));
  close->setDefault(true);
  QObject::connect(close, &QPushButton::clicked, window_.get(), &QDialog::hide);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(window_.get());
  layout->addWidget(browser_, 1);
  layout->addLayout(buttons);
}

void QtHelpViewer::DropWindow() {
  browser_ = nullptr;
  shownText_.clear();
  window_.reset();
}

void QtHelpViewer::ShowContents(const std::string& title, const std::string& text) {
  if (!qApp) return;  // the program's last moments, after Qt has gone
  if (!window_) MakeWindow();
  window_->setWindowTitle(ToQString(title.empty() ? help::HelpCaption() : title));
  // The same file again keeps the reader's place; another file starts at its top.
  if (text != shownText_) {
    browser_->setHtml(HelpHtml(help::ParseHelpText(text)));
    shownText_ = text;
  }
  if (window_->isMinimized()) window_->showNormal();
  window_->show();
  window_->raise();
  window_->activateWindow();
}

void QtHelpViewer::ShowContentsBeside(const RECT& owner, const std::string& title, const std::string& text) {
  if (!qApp) return;
  if (!window_) MakeWindow();
  // A window the user has open stays where it is; one that opens now comes up beside the
  // program's window, which it would otherwise cover, buttons and all.
  if (!window_->isVisible() || window_->isMinimized()) {
    // The frame, unknown until the window manager has framed the window, is allowed for
    // with the room a usual title bar and border take.
    const QRect frame = window_->frameGeometry(), client = window_->geometry();
    const int extraW = window_->isVisible() ? frame.width() - client.width() : kFrameAllowance.width();
    const int extraH = window_->isVisible() ? frame.height() - client.height() : kFrameAllowance.height();
    if (const auto place =
            PlaceBeside(owner, kHelpSize.width() + extraW, kHelpSize.height() + extraH,
                        kSmallestHelpSize.width() + extraW, kSmallestHelpSize.height() + extraH, ScreenRects())) {
      window_->move(place->left, place->top);
      window_->resize(place->right - place->left - extraW, place->bottom - place->top - extraH);
    }
  }
  ShowContents(title, text);
}

void QtHelpViewer::ReportMissingFile(HWND owner, const std::string& fileName) {
  MessageBoxA(owner, help::MissingHelpFileText(fileName).c_str(), help::HelpCaption().c_str(), MB_OK | MB_ICONWARNING);
}

void QtHelpViewer::Close() {
  if (window_) window_->hide();
}

namespace {
QtHelpViewer* g_viewer = nullptr;
}

void QtHelpViewer::Shutdown() {
  window_.reset();
  context_.reset();
}

void InstallQtHelpViewer() {
  static QtHelpViewer viewer;
  g_viewer = &viewer;
  help::SetHelpViewer(&viewer);
}

void UninstallQtHelpViewer() {
  if (!g_viewer) return;
  help::SetHelpViewer(nullptr);
  g_viewer->Shutdown();
}

}  // namespace platform::qt
