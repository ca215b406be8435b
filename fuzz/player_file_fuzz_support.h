#pragma once
// What the fuzz targets of the framework's saved player data share: a player-data
// folder in the workspace, emptied after every input (damaged files are set aside
// there), a game's profile and profile manager as a game derives them, and the check
// that whatever was read saves, reads back and saves again to the same bytes.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "engine/kernel/FileBinary.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "fuzz/file_fuzz_support.h"
#include "platform/WinPaths.h"

namespace fuzzing {

class FuzzProfile : public GameFramework::ProfileBase {
public:
    FuzzProfile(int mode, const std::wstring& text, const std::wstring& folder) : ProfileBase(folder, "MVPRF", 109) {
        Open(mode, text);
    }

protected:
    // The game's field: one more number after the framework's part.
    void WriteBody(Vantor::FileBinary& file) override {
        ProfileBase::WriteBody(file);
        file.Write(&coins_, sizeof(coins_), 1);
    }
    void ReadBody(Vantor::FileBinary& file) override {
        ProfileBase::ReadBody(file);
        file.Read(&coins_, sizeof(coins_), 1);
    }

private:
    std::uint16_t coins_ = 0;
};

class FuzzProfileManager : public GameFramework::ProfileManagerBase {
public:
    explicit FuzzProfileManager(const std::wstring& folder) : ProfileManagerBase(nullptr, folder, "TBPMF", 100) {
        LoadAll();
    }

protected:
    GameFramework::ProfileBase* CreateProfile(int mode, const std::wstring& text) override {
        return new FuzzProfile(mode, text, GetFolder());
    }
};

struct PlayerDataWorkspace : Workspace {
    PlayerDataWorkspace() {
        CreateFolder("user/profiles");
        OpenFileManager();
    }

    std::wstring Folder() const { return platform::ToWindowsPath(HostPath("user")); }

    std::string ReadFile(const std::string& relative) const {
        std::ifstream file(HostPath(relative), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

    // Saves, reads the saved file back and saves again: both saves must succeed and
    // write the same bytes.
    void ExpectStableSave(const std::string& relative, const std::function<bool()>& saveLoaded,
                          const std::function<bool()>& reloadAndSave) const {
        if (!saveLoaded()) std::abort();
        const std::string saved = ReadFile(relative);
        if (!reloadAndSave() || ReadFile(relative) != saved) std::abort();
    }

    // Removes every file of the player-data folder and empties the log.
    void Reset() const {
        std::filesystem::remove_all(HostPath("user"));
        CreateFolder("user/profiles");
        ClearLog();
    }
};

}  // namespace fuzzing
