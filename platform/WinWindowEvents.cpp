#include "platform/WinWindowEvents.h"

#include "platform/WinMessageQueue.h"
#include "platform/WinWindowActivation.h"
#include "platform/WinWindowRegistry.h"

namespace platform::win {

void SystemFocusChanged(HWND window, bool gained) {
    PostAction(window, [window, gained] {
        HWND topLevel = TopLevelOf(window);
        if (!topLevel) return;
        if (gained)
            Activate(topLevel);
        else
            Deactivate(topLevel, false);
    });
}

void SystemMinimize(HWND window) { Post(window, WM_SYSCOMMAND, SC_MINIMIZE, 0); }

void SystemRestore(HWND window) { Post(window, WM_SYSCOMMAND, SC_RESTORE, 0); }

void SystemClose(HWND window) { Post(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

void SystemPowerBroadcast(WPARAM event) {
    for (HWND topLevel : TopLevelWindows())
        PostAction(topLevel, [topLevel, event] { Send(topLevel, WM_POWERBROADCAST, event, 0); });
}

}  // namespace platform::win
