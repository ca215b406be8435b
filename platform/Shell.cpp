#include "platform/Shell.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "platform/Backend.h"
#include "platform/Utf.h"
#include "platform/WinPaths.h"

extern char** environ;

namespace {

constexpr uintptr_t kStarted = 42;

std::vector<platform::seam::ShellRequest>& Requests() {
    static std::vector<platform::seam::ShellRequest> requests;
    return requests;
}

bool RecordsOnly() {
    static const bool recordOnly = [] {
        const char* setting = std::getenv("PLATFORM_SHELL");
        return setting && std::strcmp(setting, "record") == 0;
    }();
    return platform::IsHeadless() || recordOnly;
}

std::optional<std::string> ExistingFile(LPCWSTR file) {
    if (!file) return std::nullopt;
    std::optional<std::string> host = platform::ToHostPath(file);
    struct stat info {};
    if (!host || stat(host->c_str(), &info) != 0) return std::nullopt;
    return host;
}

// A short-lived shell starts xdg-open in the background and ends at once, so the
// program waits for nothing and leaves no child behind; 127 from the shell says that
// there is no xdg-open.
void StartOpener(const std::string& path) {
    const char* script = "command -v xdg-open >/dev/null 2>&1 || exit 127\n"
                         "xdg-open \"$1\" </dev/null >/dev/null 2>&1 &";
    const char* arguments[] = {"sh", "-c", script, "sh", path.c_str(), nullptr};
    pid_t shell = 0;
    int error = posix_spawn(&shell, "/bin/sh", nullptr, nullptr, const_cast<char**>(arguments), environ);
    if (error != 0) {
        std::fprintf(stderr, "ShellExecuteW: cannot start a shell to open %s: %s\n", path.c_str(), std::strerror(error));
        return;
    }
    int status = 0;
    if (waitpid(shell, &status, 0) == shell && WIFEXITED(status) && WEXITSTATUS(status) == 127)
        std::fprintf(stderr, "ShellExecuteW: there is no xdg-open to open %s\n", path.c_str());
}

std::wstring TextOf(LPCWSTR text) { return text ? text : L""; }

}  // namespace

HINSTANCE ShellExecuteW(HWND, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory,
                        INT showCommand) {
    Requests().push_back(
        {TextOf(operation), TextOf(file), TextOf(parameters), TextOf(directory), showCommand});
    if (TextOf(operation) != L"open") return reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(SE_ERR_NOASSOC));
    std::optional<std::string> host = ExistingFile(file);
    if (!host) return reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(SE_ERR_FNF));
    if (!RecordsOnly()) StartOpener(*host);
    return reinterpret_cast<HINSTANCE>(kStarted);
}

namespace platform::seam {

const std::vector<ShellRequest>& ShellRequests() { return Requests(); }
void ClearShellRequests() { Requests().clear(); }

}  // namespace platform::seam
