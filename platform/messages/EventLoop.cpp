#include "platform/messages/EventLoop.h"

#include "platform/messages/ManualEventLoop.h"

namespace platform {

namespace {
EventLoop* g_loop = nullptr;

EventLoop& StandIn() {
  static ManualEventLoop loop;
  return loop;
}
}  // namespace

EventLoop& CurrentEventLoop() { return g_loop ? *g_loop : StandIn(); }

EventLoop* SetEventLoop(EventLoop* loop) {
  EventLoop* previous = g_loop;
  g_loop = loop;
  return previous;
}

}  // namespace platform

namespace platform {

namespace {
std::function<void(std::exception_ptr)>& ExceptionHandler() {
  static std::function<void(std::exception_ptr)> handler;
  return handler;
}
}  // namespace

void SetExceptionHandler(std::function<void(std::exception_ptr)> handler) { ExceptionHandler() = std::move(handler); }

void DispatchSafely(const std::function<void()>& fn) {
  if (!ExceptionHandler()) {
    fn();
    return;
  }
  try {
    fn();
  } catch (...) {
    ExceptionHandler()(std::current_exception());
  }
}

}  // namespace platform
