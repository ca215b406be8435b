#pragma once
// A private home for the engine in tests: the executable, the user-data folder, the log
// ("log.html") and the configuration ("game.ini") all lie in a fresh temporary folder,
// and the platform's path seams point there while it lives, so no test touches the
// real home folder. Each test builds and destroys its own engine, or its own managers.

#include <string>

#include "engine/kernel/EngineSettings.h"
#include "engine/kernel/MessageManager.h"
#include "platform/WinFolders.h"
#include "platform/WinPaths.h"
#include "tests/support/TempFolder.h"

namespace enginetest {

class EngineFolder {
public:
    EngineFolder() {
        platform::seam::SetExecutablePath(root + L"\\game.exe");
        platform::seam::SetUserDataFolder(root + L"\\user");
    }
    ~EngineFolder() {
        platform::seam::SetExecutablePath(L"");
        platform::seam::SetUserDataFolder(L"");
    }
    EngineFolder(const EngineFolder&) = delete;
    EngineFolder& operator=(const EngineFolder&) = delete;

    // A logged, windowed, centred 800x600 engine that does not save its configuration.
    Vantor::EngineSettings Settings(const std::wstring& title = L"Test", int version = 102) const {
        Vantor::EngineSettings settings;
        settings.title = title;
        settings.version = version;
        settings.baseFolder = root;
        settings.configFolder = root;
        settings.configName = L"game";
        settings.logEnabled = true;
        settings.logFolder = root;
        settings.logName = L"log";
        settings.dataFolder = L"data";
        settings.usePacks = false;
        settings.displayMode = "800x600x32";
        settings.centreWindow = true;
        return settings;
    }

    std::string ReadLog() const { return folder.ReadFile("log.html"); }
    std::string ReadIni() const { return folder.ReadFile("game.ini"); }
    void WriteIni(const std::string& text) const { folder.WriteFile("game.ini", text); }

    testsupport::TempFolder folder;
    std::wstring root = platform::ToWindowsPath(folder.Path().string());
};

// Whether the log's list of this frame holds a message with exactly this text.
inline bool Logged(const std::string& text) {
    for (const Vantor::LogMessage* message : Vantor::MessageManager::Instance()->GetMessages())
        if (message->text == text) return true;
    return false;
}

}  // namespace enginetest
