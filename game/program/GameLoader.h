#pragma once
// The game's loader: the framework's loader with the maker, the game's name and the
// version, making the game object when the run begins.

#include <cstdint>
#include <string>

#include "framework/GameLoaderBase.h"

namespace Morvane {

class GameLoader : public GameFramework::GameLoaderBase {
public:
    static constexpr const wchar_t* kMaker = L"Dremlock";
    static constexpr const wchar_t* kGameName = L"Morvane";
    static constexpr std::int32_t kVersion = 102;

    // The entry point's four arguments; reads the installation settings.
    GameLoader(HINSTANCE instance, HINSTANCE previousInstance, const std::string& commandLine, int showCommand);

    // The game with the installation settings and the restore message; owned by the
    // base from here until its Shutdown.
    GameFramework::GameBase* CreateGame() override;
};

}  // namespace Morvane
