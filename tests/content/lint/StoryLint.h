#pragma once
// Checks the story's texts over a loaded data set, as the dialogue windows use them:
// every key the story's code names is in the text table (the first step of each
// dialogue event, one line per house upgrade, the comic's balloons, the credits), and
// every line fits the text area of the balloon the window puts it in, in the balloon
// font at the size automatic font sizing settles on, no smaller than kSmallestSize.
// Owner lines of the dialogues take the small balloon below kOwnerShortLimit
// characters, the big one from there on; the girl's always take the small shape. The
// characters' portrait models, pose pictures and balloon models are among the loaded keys.

#include <set>
#include <string>
#include <vector>

#include "engine/kernel/Vector2.h"

namespace GameTools {
class DataKeeper;
}

namespace GUITools {
class GUIToolManager;
}

namespace contentlint {

class StoryLint {
public:
    static constexpr float kSmallestSize = 13.0f;
    static constexpr std::size_t kOwnerShortLimit = 42;

    // Needs a running engine whose data folder the keeper loaded.
    StoryLint(GameTools::DataKeeper& keeper, const std::set<std::string>& modelKeys,
              const std::set<std::string>& shaderKeys);

    // "texts\texts.xml: <problem>" lines.
    std::vector<std::string> Run();

private:
    struct Line {
        std::string key;
        Vantor::Vector2 area;
        bool multiline = true;
        // Parameter name and the widest value the code fills in ("" for none).
        std::wstring parameter = L"";
        std::wstring value = L"";
        // Text appended after the key's own (the build list's cost).
        std::string suffixKey = "";
    };

    void CheckDialogues(const std::string& prefix, const std::vector<std::string>& events);
    void Require(const std::string& key);
    void Fit(const Line& line);
    std::vector<std::string> ChildNames(const std::wstring& file, const std::string& element) const;
    void Problem(const std::string& what);

    void CheckCharacters();

    GameTools::DataKeeper& keeper_;
    const std::set<std::string>& modelKeys_;
    const std::set<std::string>& shaderKeys_;
    GUITools::GUIToolManager* tools_ = nullptr;
    std::vector<std::string> problems_;
};

}  // namespace contentlint
