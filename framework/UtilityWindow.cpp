#include "framework/UtilityWindow.h"

#include <utility>

HWND AllocateHWnd(TWndMethod method) {
  return CreateMessageWindow([method = std::move(method)](HWND, UINT msg, WPARAM w, LPARAM l) -> LRESULT {
    TMessage m{msg, w, l, 0};
    method(m);
    return m.Result;
  });
}

void DeallocateHWnd(HWND wnd) {
  if (wnd) DestroyWindow(wnd);
}
