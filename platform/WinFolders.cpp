#include "platform/WinFolders.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/FailureInjection.h"
#include "platform/WinError.h"

namespace {

std::wstring& ExecutableOverride() {
    static std::wstring path;
    return path;
}

std::wstring& UserDataOverride() {
    static std::wstring path;
    return path;
}

std::wstring ExecutablePath() {
    if (!ExecutableOverride().empty()) return ExecutableOverride();
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::wstring() : platform::ToWindowsPath(self.string());
}

std::optional<std::string> XdgDataFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return std::string(xdg);
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.local/share";
    return std::nullopt;
}

}  // namespace

DWORD GetModuleFileNameW(HMODULE, LPWSTR buffer, DWORD size) {
    std::wstring path = ExecutablePath();
    if (path.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return 0;
    }
    if (size == 0 || !buffer) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (path.size() >= size) {
        path.copy(buffer, size - 1);
        buffer[size - 1] = 0;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    path.copy(buffer, path.size());
    buffer[path.size()] = 0;
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(path.size());
}

HRESULT SHGetFolderPathW(HWND, int folder, HANDLE, DWORD, LPWSTR path) {
    if ((folder & ~CSIDL_FLAG_CREATE) != CSIDL_APPDATA || !path) return E_INVALIDARG;
    if (platform::ShouldFail("SHGetFolderPathW")) return E_FAIL;
    std::optional<std::string> host = platform::UserDataFolder((folder & CSIDL_FLAG_CREATE) != 0);
    if (!host) return E_FAIL;
    std::wstring windowsPath = platform::ToWindowsPath(*host);
    if (windowsPath.size() >= MAX_PATH) return E_FAIL;
    windowsPath.copy(path, windowsPath.size());
    path[windowsPath.size()] = 0;
    return S_OK;
}

namespace platform {

std::optional<std::string> UserDataFolder(bool create) {
    std::optional<std::string> host =
        UserDataOverride().empty() ? XdgDataFolder() : ToHostPath(UserDataOverride());
    if (!host) return std::nullopt;
    std::error_code error;
    if (create) std::filesystem::create_directories(*host, error);
    if (!std::filesystem::is_directory(*host, error)) return std::nullopt;
    return host;
}

}  // namespace platform

namespace platform::seam {

void SetExecutablePath(const std::wstring& windowsPath) { ExecutableOverride() = windowsPath; }
void SetUserDataFolder(const std::wstring& windowsPath) { UserDataOverride() = windowsPath; }

}  // namespace platform::seam
