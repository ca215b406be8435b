#pragma once
// Inside the layer: messages posted to HWND_BROADCAST reach the top-level windows of
// the user's other processes too (those sharing the application-data folder). A process
// with top-level windows keeps an inbox, a datagram socket in the session folder
// (WinFolders.h), which its message pump empties into its windows' queues; a sender
// needs no window and no video, only the folder. Inboxes of ended processes are
// removed by the next sender.

#include "platform/WinUser.h"

namespace platform::win {

// Sends the message to every other process's inbox.
void BroadcastToOtherProcesses(UINT message, WPARAM wParam, LPARAM lParam);
// Part of every pump: opens the inbox while the process has top-level windows (and
// closes it when it has none), then posts what arrived to each top-level window.
void ReceiveBroadcasts();

}  // namespace platform::win
