#pragma once
// Checks that every resource a background file ("...\background.xml") names resolves:
// each "model" layer's model, each "particles" layer's particle system, and the shader
// and animator model a layer gives, all behind the file's "resources_prefix" and "/".
// A background answers a missing name with the keeper's empty default, so nothing else
// would notice.

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace GameTools {
class XMLNode;
}

namespace contentlint {

class BackgroundLint {
public:
    struct KnownNames {
        const std::set<std::string>& models;
        const std::set<std::string>& particleSystems;
        const std::set<std::string>& shaders;
    };
    // Each background file (below the data folder) with its document element.
    using Backgrounds = std::vector<std::pair<std::string, const GameTools::XMLNode*>>;

    static bool IsBackground(const std::string& file);

    BackgroundLint(const Backgrounds& backgrounds, const KnownNames& names);

    // "<file>: layer \"<name>\": <problem>" lines, in file and document order.
    std::vector<std::string> Run() const;

private:
    const Backgrounds& backgrounds_;
    KnownNames names_;
};

}  // namespace contentlint
