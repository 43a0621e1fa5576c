// The keyboard of the forms. The system hands a key to the window with the focus, mostly a
// control; the framework wants some keys at the form: Enter presses the default button,
// Esc the cancel button, Alt with a character the control whose caption marks it, and
// any other key a control has no use for goes to the form's key handler; Tab moves the
// focus along the form's tab order. The message loop
// gives each key message to RouteKey before translating and dispatching it.
#pragma once

#include "platform/WinTypes.h"
#include "platform/ui/Peers.h"

namespace platform::win32 {

// The framework's key for a virtual-key code; Key::Other for the rest.
ui::Key KeyOf(WPARAM virtualKey);

// Gives a key message (WM_KEYDOWN, WM_SYSKEYDOWN, WM_CHAR, WM_SYSCHAR) for a window of a
// form to the form's or the control's handler where the framework wants it. True when the
// message is used up and must not be translated or dispatched; false for every other
// message and for keys left to the window they were meant for.
bool RouteKey(const MSG& msg);

}  // namespace platform::win32
