#pragma once
// XML sources of the data set read by the game's own parser before they are copied or
// merged, so that a document the game would refuse fails the build naming its source.

#include <map>
#include <memory>
#include <string>

namespace GameTools {
class XMLNode;
}

namespace Content {

class XmlSource {
public:
    // The document's top element. Throws Vantor::Error "<source>: <parser's text>".
    static std::unique_ptr<GameTools::XMLNode> Parse(const std::string& text, const std::string& sourceName);
    // The text table's keys ("common/back" for <common><back text=.../></common>):
    // every element with a "text" attribute below the document element, each recorded
    // with its source. Throws Vantor::Error naming both sources for a key defined twice.
    static void CollectTextKeys(const GameTools::XMLNode& texts, const std::string& sourceName,
                                std::map<std::string, std::string>& keySources);
};

}  // namespace Content
