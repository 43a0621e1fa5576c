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
