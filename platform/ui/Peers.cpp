#include "platform/ui/Peers.h"

#include <map>

namespace platform::ui {

namespace {
Backend* g_backend = nullptr;

std::map<HWND, FormPeer*>& Associations() {
  static std::map<HWND, FormPeer*> map;
  return map;
}
}  // namespace

void AssociatePeer(HWND hWnd, FormPeer* peer) {
  if (peer) {
    Associations()[hWnd] = peer;
  } else {
    Associations().erase(hWnd);
  }
}

FormPeer* PeerOf(HWND hWnd) {
  auto it = Associations().find(hWnd);
  return it == Associations().end() ? nullptr : it->second;
}

Backend* CurrentBackend() { return g_backend; }

Backend* SetBackend(Backend* backend) {
  Backend* previous = g_backend;
  g_backend = backend;
  return previous;
}

}  // namespace platform::ui
