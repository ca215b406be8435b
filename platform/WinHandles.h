#pragma once
// kernel32 handles. Every object behind a HANDLE (an open file now; a mutex or an
// event later) derives from KernelObject and lives in one table, so that CloseHandle
// can close any of them and a stale or foreign handle is refused instead of followed.

#include <memory>

#include "platform/WinTypes.h"

namespace platform {

class KernelObject {
public:
    virtual ~KernelObject() = default;
};

// Takes ownership and returns the object's handle.
HANDLE AddHandle(std::unique_ptr<KernelObject> object);

// The live object behind a handle, or null for an unknown handle or one of another kind.
KernelObject* FindHandle(HANDLE handle);

template <class T>
T* FindHandleOf(HANDLE handle) {
    return dynamic_cast<T*>(FindHandle(handle));
}

}  // namespace platform

// Destroys the object; FALSE with ERROR_INVALID_HANDLE for a handle that is not open.
BOOL CloseHandle(HANDLE handle);

namespace platform::seam {

// Number of handles not yet closed, for tests that check nothing leaks.
size_t OpenHandleCount();

}  // namespace platform::seam
