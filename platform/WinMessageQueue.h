#pragma once
// Inside the layer: one message queue per thread. Posted messages, input messages and
// actions that stand for messages Windows would send (activation, system commands of
// the window manager, WM_SETCURSOR) wait in one queue in arrival order; PeekMessageW
// runs the actions it passes, so their window procedures are called on the window's
// own thread, inside its message loop.

#include <functional>
#include <string>
#include <vector>

#include "platform/WinUser.h"

namespace platform::win {

// Posts to the queue of the window's thread (of the calling thread for a null
// window). `text` rides on a key-down message until TranslateMessage turns it into
// character messages. Returns the message's number (MSG::lPrivate), 0 when the
// window does not exist.
DWORD Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam, std::wstring text = {});
// Runs `action` on the window's thread when its queue reaches it.
bool PostAction(HWND window, std::function<void()> action);
// Calls the window procedure at once. A window of another thread gets the message
// through its queue instead, and the answer is 0.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Adds typed text to the key-down message with this number, while it waits in a
// queue or for its translation; false when that message has gone.
bool AttachText(DWORD sequence, const std::wstring& text);
// Drops the waiting messages of a destroyed window.
void DiscardMessagesFor(HWND window);

// The calling thread's queue: the first message that passes the filter (after running
// the actions before it), removed when `remove` is set.
bool Take(MSG& message, HWND filterWindow, UINT filterMin, UINT filterMax, bool remove);
// The characters of the key-down message that Take removed last, handed out once and
// only for that message.
std::wstring TakeTranslation(const MSG& message);
// Puts messages at the front of the calling thread's queue, in the given order.
void PostAtFront(const std::vector<MSG>& messages);

void ClearQueues();

}  // namespace platform::win
