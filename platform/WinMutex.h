#pragma once
// kernel32 named mutexes, as far as a single-instance marker needs them. A named mutex
// belongs to the user: it is a lock file in the session folder (WinFolders.h) under an
// advisory lock. The first creator, in any process of the user, holds the lock; every
// later create of the name, in another process or in the same one, gets a handle and
// ERROR_ALREADY_EXISTS from GetLastError. Closing the creator's last handle releases the
// name, and so does the end of its process. Nobody waits on these mutexes.

#include "platform/WinFiles.h"
#include "platform/WinTypes.h"

// The security attributes and the initial ownership are not used: the creator owns the name.
// Null with ERROR_ACCESS_DENIED when the lock file cannot be had.
HANDLE CreateMutexW(LPSECURITY_ATTRIBUTES security, BOOL initialOwner, LPCWSTR name);
