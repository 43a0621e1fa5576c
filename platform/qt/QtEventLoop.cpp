#include "platform/qt/QtEventLoop.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QTimer>
#include <algorithm>
#include <climits>

namespace platform::qt {

QtEventLoop::QtEventLoop() : context_(std::make_unique<QObject>()) { clock_.start(); }

QtEventLoop::~QtEventLoop() { Shutdown(); }

std::uint64_t QtEventLoop::Now() const { return static_cast<std::uint64_t>(clock_.elapsed()); }

EventLoop::TimerId QtEventLoop::AddTimer(std::uint32_t intervalMs, bool repeat, std::function<void()> fn) {
  // Ids only grow, so a stale id held by somebody never stops a newer timer.
  const TimerId id = nextId_++;
  auto* timer = new QTimer(context_.get());
  timer->setTimerType(Qt::PreciseTimer);
  timer->setSingleShot(!repeat);
  // A zero interval would fire on every pass of the loop, as the manual loop also refuses.
  timer->setInterval(static_cast<int>(std::clamp<std::uint32_t>(intervalMs, 1, INT_MAX)));
  QObject::connect(timer, &QTimer::timeout, context_.get(), [this, id] { Fire(id); });
  timers_.emplace(id, Timer{timer, repeat, std::make_shared<std::function<void()>>(std::move(fn))});
  timer->start();
  return id;
}

void QtEventLoop::Fire(TimerId id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return;
  // The callback may remove this timer (or others) while it runs; it keeps its own copy.
  auto fn = it->second.fn;
  if (!it->second.repeat) Drop(it);
  if (*fn) (*fn)();
}

void QtEventLoop::Drop(std::map<TimerId, Timer>::iterator it) {
  QTimer* timer = it->second.timer;
  timers_.erase(it);
  timer->stop();
  timer->disconnect();
  // The timer may be the one whose timeout is being delivered right now.
  timer->deleteLater();
}

void QtEventLoop::RemoveTimer(TimerId id) {
  auto it = timers_.find(id);
  if (it != timers_.end()) Drop(it);
}

void QtEventLoop::Post(std::function<void()> fn) {
  // Queued calls to one receiver are delivered in the order they were made.
  QMetaObject::invokeMethod(
      context_.get(),
      [fn = std::move(fn)] {
        if (fn) fn();
      },
      Qt::QueuedConnection);
}

int QtEventLoop::Run() {
  if (quitEarly_) {
    // Quit came before the loop ran (the program gave up while starting); QCoreApplication
    // would have ignored it.
    quitEarly_ = false;
    return earlyExitCode_;
  }
  ++running_;
  const int code = QCoreApplication::exec();
  --running_;
  return code;
}

void QtEventLoop::Quit(int exitCode) {
  if (running_ > 0) {
    QCoreApplication::exit(exitCode);
  } else {
    quitEarly_ = true;
    earlyExitCode_ = exitCode;
  }
}

void QtEventLoop::Shutdown() {
  while (!timers_.empty()) Drop(timers_.begin());
  // Timers waiting to be deleted go with their parent.
  const auto children = context_->children();
  for (QObject* child : children) delete child;
}

}  // namespace platform::qt
