#pragma once
// The workspace of fuzz targets whose readers need the whole engine: the engine on the
// headless backend over the workspace, without a log file, with the data folder "data".

#include <memory>

#include "engine/kernel/Engine.h"
#include "engine/kernel/EngineSettings.h"
#include "fuzz/file_fuzz_support.h"
#include "platform/WinFolders.h"
#include "platform/WinPaths.h"

namespace fuzzing {

struct EngineWorkspace : Workspace {
    EngineWorkspace() {
        CreateFolder("data");
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
