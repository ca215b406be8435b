#include "tests/framework/TestGameLoader.h"

#include "platform/MessageBox.h"

namespace frameworktest {

TestGameLoader::TestGameLoader(Journal& journal, const std::wstring& gameName, std::int32_t version)
    : GameLoaderBase(nullptr, nullptr, "", 1, L"Test Maker", gameName, version), journal_(journal) {
    makeGame = [this] {
        TestGameOptions options;
        options.restoreMessage = restoreMessage_;
        return new TestGame(journal_, installPath_, options);
    };
}

GameFramework::GameBase* TestGameLoader::CreateGame() {
    journal_.push_back("create game");
    game_ = makeGame();
    return game_;
}

void TestGameLoader::Shutdown() {
    journal_.push_back("shutdown, game " + std::string(game_ ? "there" : "none") + ", boxes " +
                       std::to_string(platform::seam::ShownMessageBoxes().size()));
    GameLoaderBase::Shutdown();
}

}  // namespace frameworktest
