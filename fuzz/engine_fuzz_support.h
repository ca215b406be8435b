#pragma once
// The whole engine on the headless backend over a fuzz workspace, for the targets whose
// readers need the engine's managers: no log file, no packs, the smallest window.

#include <memory>
#include <string>

#include "engine/kernel/Engine.h"
#include "engine/kernel/EngineSettings.h"
#include "fuzz/file_fuzz_support.h"
#include "platform/WinFolders.h"
#include "platform/WinPaths.h"

namespace fuzzing {

class EngineWorkspace : public Workspace {
public:
    // The folder (below the workspace) is made before the engine starts.
    explicit EngineWorkspace(const std::string& dataFolder) {
        CreateFolder(dataFolder);
        const std::wstring root = platform::ToWindowsPath(HostPath());
        platform::seam::SetExecutablePath(root + L"\\game.exe");
        platform::seam::SetUserDataFolder(root + L"\\user");
        Vantor::EngineSettings settings;
        settings.title = L"Fuzz";
        settings.baseFolder = root;
        settings.configFolder = root;
        settings.configName = L"fuzz";
        settings.logEnabled = false;
        settings.dataFolder = L"data";
        settings.usePacks = false;
        settings.displayMode = "640x480x32";
        engine = std::make_unique<Vantor::Engine>(settings);
    }

    std::unique_ptr<Vantor::Engine> engine;
};

}  // namespace fuzzing
