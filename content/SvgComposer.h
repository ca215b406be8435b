#pragma once
// Places story characters in a scene: every element
//   <part pose="girl_hello" x="40" y="60" scale="0.5"/>
// of the scene's SVG becomes the pose's character template (CharacterPoses) filled
// with the pose's values, its drawing moved to (x, y) and scaled. The characters'
// templates are given by their source names, so that the caller reads them as sources.

#include <functional>
#include <string>

namespace Content {

class SvgComposer {
public:
    // The text of a source, by its name below the source folder.
    using SourceReader = std::function<std::string(const std::string& source)>;

    // Throws Vantor::Error naming the scene for a part element it cannot read or a pose
    // that does not exist.
    static std::string Compose(const std::string& scene, const std::string& sceneName, const SourceReader& read);
};

}  // namespace Content
