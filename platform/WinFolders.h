#pragma once
// The executable's path (kernel32 GetModuleFileNameW) and the user's application-data
// folder (shell32 SHGetFolderPathW), both answered as "Z:\..." paths.
//
// The application-data folder is the XDG data folder: $XDG_DATA_HOME when it is an
// absolute path, else ~/.local/share.

#include <optional>
#include <string>

#include "platform/WinPaths.h"
#include "platform/WinTypes.h"

constexpr int CSIDL_APPDATA = 0x001A;
constexpr int CSIDL_FLAG_CREATE = 0x8000;
constexpr DWORD SHGFP_TYPE_CURRENT = 0;

// The full path of the executable (every module is the executable here). A buffer too
// small gets the path cut to size - 1 units and a terminator; the result is then size
// and the last error ERROR_INSUFFICIENT_BUFFER.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size);

// Only CSIDL_APPDATA, optionally with CSIDL_FLAG_CREATE, which creates the folder when
// it is missing. Writes at most MAX_PATH units. E_FAIL when the folder is missing (and
// not to be created) or cannot be had; failure injection name "SHGetFolderPathW".
HRESULT SHGetFolderPathW(HWND owner, int folder, HANDLE token, DWORD flags, LPWSTR path);

namespace platform {

// The Linux path of the application-data folder (override or XDG), created when asked;
// none when it cannot be had.
std::optional<std::string> UserDataFolder(bool create);
// Where the user's processes that share one application-data folder meet (named
// mutexes, broadcast inboxes): a private folder of the user in the temporary folder,
// named after the application-data folder so that tests with folders of their own
// never meet; created on demand, none when it cannot be had.
std::optional<std::string> SessionFolder();

}  // namespace platform

namespace platform::seam {

// Overrides, as Windows paths ("Z:\tmp\x\game.exe"); an empty text ends the override.
void SetExecutablePath(const std::wstring& windowsPath);
void SetUserDataFolder(const std::wstring& windowsPath);

}  // namespace platform::seam
