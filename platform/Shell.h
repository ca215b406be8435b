#pragma once
// shell32 ShellExecuteW, for the one verb the system uses: "open" a file with the
// program the desktop chooses for it. The sdl backend hands the file to xdg-open,
// started apart from the program and not waited for; the headless backend launches
// nothing. Both record every request. A program whose environment holds
// PLATFORM_SHELL=record (every test program sets it for itself and what it starts)
// records without launching on the sdl backend too.

#include <string>
#include <vector>

#include "platform/WinTypes.h"

// Results up to 32 are errors.
constexpr INT SE_ERR_FNF = 2;
constexpr INT SE_ERR_NOASSOC = 31;

// The file is a Windows path. Success (a value above 32) once the file exists and the
// opener was started; a verb other than "open" has no association. An opener that
// cannot be started is logged on standard error and not reported: the request was
// made.
HINSTANCE ShellExecuteW(HWND owner, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory,
                        INT showCommand);

namespace platform::seam {

struct ShellRequest {
    std::wstring operation;
    std::wstring file;
    std::wstring parameters;
    std::wstring directory;
    INT showCommand;
};

// Every ShellExecuteW call since the last clear.
const std::vector<ShellRequest>& ShellRequests();
void ClearShellRequests();

}  // namespace platform::seam
