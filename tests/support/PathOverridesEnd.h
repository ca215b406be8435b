#pragma once
// Clears the executable-path and user-data-folder overrides when it goes, so that a test
// that sets them leaves the real paths to the next test.

#include "platform/WinFolders.h"

namespace testsupport {

struct PathOverridesEnd {
    PathOverridesEnd() = default;
    ~PathOverridesEnd() {
        platform::seam::SetExecutablePath(L"");
        platform::seam::SetUserDataFolder(L"");
    }
    PathOverridesEnd(const PathOverridesEnd&) = delete;
    PathOverridesEnd& operator=(const PathOverridesEnd&) = delete;
};

}  // namespace testsupport
