#include "game/program/GameLoader.h"

#include "game/Game.h"

namespace Morvane {

GameLoader::GameLoader(HINSTANCE instance, HINSTANCE previousInstance, const std::string& commandLine,
                       int showCommand)
    : GameLoaderBase(instance, previousInstance, commandLine, showCommand, kMaker, kGameName, kVersion) {}

GameFramework::GameBase* GameLoader::CreateGame() {
    game_ = new Game(maker_, gameName_, version_, registryKey_, installPath_, distributor_, restoreMessage_);
    return game_;
}

}  // namespace Morvane
