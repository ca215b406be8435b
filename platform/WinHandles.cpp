#include "platform/WinHandles.h"

#include <map>

#include "platform/WinError.h"

namespace {

std::map<HANDLE, std::unique_ptr<platform::KernelObject>>& Table() {
    static std::map<HANDLE, std::unique_ptr<platform::KernelObject>> table;
    return table;
}

}  // namespace

namespace platform {

HANDLE AddHandle(std::unique_ptr<KernelObject> object) {
    HANDLE handle = object.get();
    Table()[handle] = std::move(object);
    return handle;
}

KernelObject* FindHandle(HANDLE handle) {
    auto it = Table().find(handle);
    return it == Table().end() ? nullptr : it->second.get();
}

}  // namespace platform

BOOL CloseHandle(HANDLE handle) {
    auto it = Table().find(handle);
    if (it == Table().end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    // Take the object out first: its destructor may not find itself in the table.
    std::unique_ptr<platform::KernelObject> object = std::move(it->second);
    Table().erase(it);
    object.reset();
    return TRUE;
}

namespace platform::seam {

size_t OpenHandleCount() { return Table().size(); }

}  // namespace platform::seam
