#include "content/SvgComposer.h"

#include <regex>

#include "content/CharacterPoses.h"
#include "content/SvgTemplate.h"
#include "engine/kernel/Error.h"

namespace Content {

namespace {

// The drawing inside the template's svg element.
std::string Drawing(const std::string& svg, const std::string& source) {
    const std::size_t root = svg.find("<svg");
    const std::size_t open = root == std::string::npos ? root : svg.find('>', root);
    const std::size_t close = svg.rfind("</svg>");
    if (open == std::string::npos || close == std::string::npos || close < open)
        throw Vantor::Error(source + ": no svg element");
    return svg.substr(open + 1, close - open - 1);
}

}  // namespace

std::string SvgComposer::Compose(const std::string& scene, const std::string& sceneName, const SourceReader& read) {
    static const std::regex kPart(
        R"re(<part pose="([a-z_]+)" x="(-?[0-9.]+)" y="(-?[0-9.]+)" scale="([0-9.]+)"\s*/>)re");
    std::string composed;
    std::size_t done = 0;
    for (std::size_t at = scene.find("<part"); at != std::string::npos; at = scene.find("<part", done)) {
        std::smatch match;
        const std::string rest = scene.substr(at);
        if (!std::regex_search(rest, match, kPart, std::regex_constants::match_continuous))
            throw Vantor::Error(sceneName + ": a part element is <part pose=\"...\" x=\"...\" y=\"...\" scale=\"...\"/>");
        const CharacterPoses::Pose* pose = nullptr;
        try {
            pose = &CharacterPoses::Named(match[1]);
        } catch (const Vantor::Error& error) {
            throw Vantor::Error(sceneName + ": " + error.GetText());
        }
        const std::string drawing = SvgTemplate::Fill(Drawing(read(pose->source), pose->source), pose->source,
                                                      pose->parameters);
        composed += scene.substr(done, at - done) + "<g transform=\"translate(" + match[2].str() + " " +
                    match[3].str() + ") scale(" + match[4].str() + ")\">" + drawing + "</g>";
        done = at + static_cast<std::size_t>(match.length(0));
    }
    return composed + scene.substr(done);
}

}  // namespace Content
