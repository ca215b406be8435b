#pragma once
// The test game's loader: the maker "Test Maker" and a game name of the test's choice.
// Its game is the test game at the installation folder, with the loader's restore
// message, unless a test makes another; it writes its shutdowns into the journal with
// the number of message boxes shown by then.

#include <functional>
#include <string>

#include "framework/GameLoaderBase.h"
#include "tests/framework/TestGame.h"

namespace frameworktest {

class TestGameLoader : public GameFramework::GameLoaderBase {
public:
    TestGameLoader(Journal& journal, const std::wstring& gameName = L"Test Game", std::int32_t version = 102);

    GameFramework::GameBase* CreateGame() override;
    void Shutdown() override;

    // Makes the game in CreateGame; the test game by default.
    std::function<GameFramework::GameBase*()> makeGame;

private:
    Journal& journal_;
};

}  // namespace frameworktest
