#pragma once
// Checks a built data folder the way the café day and the house use it: the whole set
// loaded through Morvane::GameData (every resource list of the game's loading order,
// then the definitions) without an error or a warning line; the names the day's code
// fixes present in the definitions; every key the day builds per ingredient, food
// group, distributor, machine, customer place, customer type and balloon place
// present; each machine's animation ranges inside its sheet; each recipe named when
// built layer by layer; the days with 0, 1, 5 and 15 machines set up on paper (every
// ingredient they need handed out, customers to serve, each type that comes able to
// order something); every house upgrade shown by its own layers, each placed and in the
// house pack; and the tutorial's arrows ending inside the element they point at.

#include <filesystem>
#include <string>
#include <vector>

namespace Morvane {
class GameData;
}

namespace contentlint {

class GameDataLint {
public:
    // The tutorial's arrow is drawn in a square window of this side, pointing along +x
    // with its tip at the middle of the right edge, and turned about the window's centre.
    static constexpr float kArrowWindow = 128.0f;

    explicit GameDataLint(std::filesystem::path dataFolder);

    // "<area>: <problem>" lines; empty when the data set is sound.
    std::vector<std::string> Run();

private:
    void CheckFixedNames(const Morvane::GameData& data);
    void CheckKeys(const Morvane::GameData& data);
    void CheckAnimationRanges(const Morvane::GameData& data);
    void CheckRecipes(const Morvane::GameData& data);
    void CheckDays(const Morvane::GameData& data);
    void CheckHouse(Morvane::GameData& data);
    void CheckTutorialArrows(const Morvane::GameData& data);
    void RequireModel(const Morvane::GameData& data, const std::string& key);
    void RequireShader(const Morvane::GameData& data, const std::string& key);
    void Problem(const std::string& area, const std::string& what);

    std::filesystem::path dataFolder_;
    std::vector<std::string> problems_;
};

}  // namespace contentlint
