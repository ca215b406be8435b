#pragma once
// Loads a built data folder the way the game does, with the whole engine on the
// headless backend: every font folder's font (its "font.xml" read as the font tool
// reads it) through the GUI font manager, every resource list queued into one data
// keeper and created with LoadAll, and every texture pack file a list names (the game's
// own house pack is read by the game data lint). Nothing of it may log an error or a
// warning. The lists are also checked on their own: every file a list names is present,
// and each resource key is defined once per kind over all lists. Over the loaded keeper
// every layout the code opens is built (LayoutLint) and the story's lines are fitted
// into their balloons (StoryLint).

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace GameTools {
class DataKeeper;
}

namespace contentlint {

class HeadlessLoad {
public:
    // The data folder's files and the resource lists among them: below the data folder,
    // backslashes, sorted.
    HeadlessLoad(std::filesystem::path dataFolder, const std::vector<std::string>& files,
                 const std::vector<std::string>& resourceLists);

    // "<file>: <problem>" lines; a problem of LoadAll, which cannot tell the list it
    // came from, is "resource lists: <logged text>" (the text names the resource).
    std::vector<std::string> Run();

    // After Run: the files the lists name, lower case (textures also without extension).
    const std::set<std::string>& GetNamedFiles() const { return namedFiles_; }
    // After Run: the keys the lists define, and the fonts that loaded without a problem.
    const std::set<std::string>& GetModelKeys() const { return modelKeys_; }
    const std::set<std::string>& GetShaderKeys() const { return shaderKeys_; }
    const std::set<std::string>& GetParticleSystemKeys() const { return particleSystemKeys_; }
    const std::set<std::string>& GetFonts() const { return fonts_; }

private:
    void LoadFonts();
    void LoadLists();
    // Queues the list and checks the entries it added to the keeper's queue.
    void QueueList(GameTools::DataKeeper& keeper, const std::string& list);
    void ReadTexturePacks();
    // Every error or warning logged since the last call becomes a problem of the file.
    bool CollectLogged(const std::string& file);
    void Problem(const std::string& file, const std::string& what);

    std::filesystem::path dataFolder_;
    const std::vector<std::string>& files_;
    const std::vector<std::string>& resourceLists_;
    std::vector<std::string> problems_;
    std::set<std::string> namedFiles_;
    std::set<std::string> modelKeys_;
    std::set<std::string> shaderKeys_;
    std::set<std::string> particleSystemKeys_;
    std::set<std::string> fonts_;
};

}  // namespace contentlint
