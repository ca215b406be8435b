#pragma once
// The first object of the process and the last to go. It works out the installation
// settings before anything of the engine exists (registry key, version, installation
// folder, distributor), keeps the game to one running copy per user (a second copy asks
// the first to come to the front and ends), creates the game through the derived
// loader, runs frames until the game asks to exit, and turns an error that escapes all
// of this into a message box shown once the game is gone.

#include <cstdint>
#include <string>

#include "platform/WinTypes.h"

namespace GameFramework {

class GameBase;

class GameLoaderBase {
public:
    static constexpr const wchar_t* kFatalCaption = L"Fatal Error";
    static constexpr const wchar_t* kUnhandledText = L"Unhandled exception!";

    // Reads the installation settings; never fails. The previous instance, the command
    // line and the show flag are the entry point's, which the framework never reads.
    GameLoaderBase(HINSTANCE instance, HINSTANCE previousInstance, const std::string& commandLine, int showFlag,
                   const std::wstring& maker, const std::wstring& gameName, std::int32_t version);
    // Touches neither the game nor the mutex.
    virtual ~GameLoaderBase() = default;
    GameLoaderBase(const GameLoaderBase&) = delete;
    GameLoaderBase& operator=(const GameLoaderBase&) = delete;

    // True after a normal end; false when another copy runs or an error ended the run.
    virtual bool Run();
    // Makes the game object, stores it in game_ and returns it.
    virtual GameBase* CreateGame() = 0;
    // Deletes the game and closes the mutex, each when there is one.
    virtual void Shutdown();
    // Frames until the game asks to exit; at least one.
    virtual void MainLoop();

    // The game name without surrounding blanks, in lower case: the stem of the names of
    // the single-instance mutex and of the restore message.
    static std::wstring InstanceName(const std::wstring& gameName);

    HINSTANCE GetInstance() const { return instance_; }
    const std::wstring& GetMaker() const { return maker_; }
    const std::wstring& GetGameName() const { return gameName_; }
    std::int32_t GetVersion() const { return version_; }
    const std::wstring& GetRegistryKey() const { return registryKey_; }
    const std::wstring& GetInstallPath() const { return installPath_; }
    const std::wstring& GetDistributor() const { return distributor_; }
    std::uint32_t GetRestoreMessage() const { return restoreMessage_; }
    HANDLE GetMutex() const { return mutex_; }
    GameBase* GetGame() const { return game_; }

protected:
    HINSTANCE instance_;
    HANDLE mutex_ = nullptr;
    std::uint32_t restoreMessage_ = 0;
    std::wstring maker_;
    std::wstring gameName_;
    std::int32_t version_;
    std::wstring registryKey_;
    std::wstring installPath_;
    std::wstring distributor_;
    GameBase* game_ = nullptr;  // owned from CreateGame until Shutdown

private:
    // The registry's "Version" text, else the given version, as a number.
    void ReadVersion();
    // Beside the executable when the packs are there, else where the registry says.
    void ReadInstallPath();
    // Deletes what was made, then shows the text.
    void EndWithError(const std::wstring& text);
};

}  // namespace GameFramework
