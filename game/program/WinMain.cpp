// The program's entry point: the game runs only when its installation file "play.url"
// lies beside the executable, and that file is opened with the shell once the game
// has ended, if it is still there. The exit code is 1 on every path.

#include "platform/WinMain.h"

#include <cstdio>
#include <memory>
#include <string>

#include "game/program/GameLoader.h"
#include "platform/MessageBox.h"
#include "platform/Shell.h"
#include "platform/WinCrtFiles.h"
#include "platform/WinFolders.h"
#include "platform/WinUser.h"

namespace {

constexpr const wchar_t* kPlayFile = L"play.url";
constexpr const wchar_t* kCorruptText = L"Some files are corrupt. The game may not run. Please reinstall the game";
constexpr const wchar_t* kCorruptCaption = L"Error";
constexpr int kExitCode = 1;

// The executable's drive and folder, ending in a backslash.
std::wstring ExecutableFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    wchar_t drive[_MAX_DRIVE];
    wchar_t folder[_MAX_DIR];
    _wsplitpath(path, drive, folder, nullptr, nullptr);
    return std::wstring(drive) + folder;
}

bool CanRead(const std::wstring& path) {
    FILE* file = _wfopen(path.c_str(), L"rt");
    if (!file) return false;
    std::fclose(file);
    return true;
}

}  // namespace

int WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand) {
    auto loader = std::make_unique<Morvane::GameLoader>(instance, previousInstance, commandLine ? commandLine : "",
                                                        showCommand);
    const std::wstring playFile = ExecutableFolder() + kPlayFile;
    if (!CanRead(playFile)) {
        MessageBoxW(nullptr, kCorruptText, kCorruptCaption, MB_OK);
        return kExitCode;
    }
    // A second copy returns at once and still opens the file; an error has been shown.
    loader->Run();
    if (CanRead(playFile)) ShellExecuteW(nullptr, L"open", playFile.c_str(), nullptr, nullptr, SW_SHOW);
    return kExitCode;
}
