#include "content/XmlSource.h"

#include "engine/kernel/Error.h"
#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileTextual.h"
#include "tools/XMLNode.h"
#include "tools/XMLParser.h"

namespace Content {

namespace {

void CollectKeys(const GameTools::XMLNode& node, const std::string& prefix, const std::string& sourceName,
                 std::map<std::string, std::string>& keySources) {
    for (const GameTools::XMLNode* child : node.children) {
        const std::string key = prefix + child->name;
        if (child->HasAttribute("text")) {
            const auto [place, added] = keySources.emplace(key, sourceName);
            if (!added)
                throw Vantor::Error(sourceName + ": text key \"" + key + "\" is also defined in " + place->second);
        }
        CollectKeys(*child, key + "/", sourceName, keySources);
    }
}

}  // namespace

std::unique_ptr<GameTools::XMLNode> XmlSource::Parse(const std::string& text, const std::string& sourceName) {
    // The stream reads the caller's bytes in place; the text file deletes the stream.
    auto* stream = new Vantor::FileBinary(std::wstring(sourceName.begin(), sourceName.end()), 0, 0,
                                          static_cast<std::uint32_t>(text.size()),
                                          reinterpret_cast<const std::uint8_t*>(text.data()), false);
    Vantor::FileTextual file(stream, Vantor::FileTextual::kRead, Vantor::TextEncoding::EightBit);
    GameTools::XMLNode* root = nullptr;
    try {
        GameTools::XMLParser().ParseText(root, file);
    } catch (const Vantor::Error& error) {
        throw Vantor::Error(sourceName + ": " + error.GetText());
    }
    if (!root) throw Vantor::Error(sourceName + ": no document element");
    return std::unique_ptr<GameTools::XMLNode>(root);
}

void XmlSource::CollectTextKeys(const GameTools::XMLNode& texts, const std::string& sourceName,
                                std::map<std::string, std::string>& keySources) {
    CollectKeys(texts, "", sourceName, keySources);
}

}  // namespace Content
