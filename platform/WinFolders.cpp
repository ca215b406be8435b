#include "platform/WinFolders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
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

std::optional<std::string> SessionFolder() {
    const std::optional<std::string> userData =
        UserDataOverride().empty() ? XdgDataFolder() : ToHostPath(UserDataOverride());
    // FNV-1a of the folder's path keeps the name short enough for socket addresses.
    std::string normal = std::filesystem::path(userData.value_or("")).lexically_normal().string();
    while (normal.size() > 1 && normal.back() == '/') normal.pop_back();
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : normal) hash = (hash ^ c) * 1099511628211ull;
    char name[17];
    std::snprintf(name, sizeof(name), "%016llx", static_cast<unsigned long long>(hash));
    const char* temporary = std::getenv("TMPDIR");
    const std::string user = std::string(temporary && *temporary == '/' ? temporary : "/tmp") + "/morvane-" +
                             std::to_string(getuid());
    // Only the user reaches the user's folder.
    mkdir(user.c_str(), 0700);
    struct stat status {};
    if (stat(user.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != getuid())
        return std::nullopt;
    const std::string folder = user + "/" + name;
    mkdir(folder.c_str(), 0700);
    if (stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return std::nullopt;
    return folder;
}

}  // namespace platform

namespace platform::seam {

void SetExecutablePath(const std::wstring& windowsPath) { ExecutableOverride() = windowsPath; }
void SetUserDataFolder(const std::wstring& windowsPath) { UserDataOverride() = windowsPath; }

}  // namespace platform::seam
