// A hidden window for components that receive messages (timers, device notifications).
#pragma once

#include <functional>

#include "platform/messages/Messages.h"

struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};

using TWndMethod = std::function<void(TMessage& Message)>;

HWND AllocateHWnd(TWndMethod method);
void DeallocateHWnd(HWND wnd);
