#pragma once
// Checks a built data folder the way the game will use it: every file read by the
// engine's reader for its kind (XML by the game's parser, fonts by their glyph files),
// the text table's keys each defined once, picture sides powers of two up to 1024, every material
// stage's texture found by the engine's lookup, sounds at 22050 Hz (the game's own sounds
// are checked further by SoundLint), a material beside
// every model and particle system; then the whole folder loaded as the game loads it
// (HeadlessLoad) and every name the window templates and backgrounds give resolved
// (TemplateLint, BackgroundLint); no
// file that nothing names (licence notices aside) and the whole folder under its size
// limit. Each problem is one line naming the file.
//
// While the single files are read, the lint's own log and file manager (over the
// folder's parent) are the engine's instances; the load makes an engine of its own.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace GameTools {
class XMLNode;
}

namespace Vantor {
class FileManager;
class MessageManager;
}

namespace contentlint {

class DataLint {
public:
    static constexpr std::uint64_t kMaxBytes = 60ull * 1024 * 1024;
    // Paths (relative to the data folder, backslashes, lower case, no extension for
    // textures) that the code itself opens.
    static const std::set<std::string>& FixedReferences();

    // The log and file manager the engine's readers reach, for the checks of single
    // files. The file manager logs while it is made, so the log is the engine's
    // instance first.
    class Engine {
    public:
        explicit Engine(const std::filesystem::path& dataFolder);
        ~Engine();
        Engine(const Engine&) = delete;
        Engine& operator=(const Engine&) = delete;

    private:
        std::unique_ptr<Vantor::MessageManager> log_;
        std::unique_ptr<Vantor::FileManager> files_;
    };

    explicit DataLint(std::filesystem::path dataFolder, std::uint64_t maxBytes = kMaxBytes);
    ~DataLint();

    // "<file>: <problem>" lines; empty when the folder is sound.
    std::vector<std::string> Run();

private:
    void CheckFile(const std::string& file);
    void CheckPicture(const std::string& file);
    void CheckMaterial(const std::string& file);
    void CheckModel(const std::string& file);
    void CheckParticles(const std::string& file);
    void CheckSound(const std::string& file);
    void CheckFont(const std::string& file);
    void CheckXml(const std::string& file);
    void CollectTextKeys(const std::string& file, const GameTools::XMLNode& table);
    void LoadAndCheckNames();
    void CheckReferences();
    // Runs a read, turning a thrown error and every error or warning logged meanwhile
    // into problems of the file.
    void Read(const std::string& file, const std::function<void()>& read);
    void Problem(const std::string& file, const std::string& what);

    std::filesystem::path dataFolder_;
    std::uint64_t maxBytes_;
    std::vector<std::string> files_;      // relative, backslashes, sorted
    std::set<std::string> referenced_;    // lower case
    std::vector<std::string> problems_;
    std::vector<std::string> resourceLists_;  // sorted
    std::vector<std::pair<std::string, std::unique_ptr<GameTools::XMLNode>>> templates_;
    std::vector<std::pair<std::string, std::unique_ptr<GameTools::XMLNode>>> backgrounds_;
    std::map<std::string, std::string> textKeys_;  // key, source
};

}  // namespace contentlint
