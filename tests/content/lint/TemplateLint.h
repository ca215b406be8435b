#pragma once
// Checks that every name a window template gives resolves: models and shaders (the
// control's own, its animator's, a slider's thumb and a scroll bar's buttons) to keys
// "ui/<name>" of the resource lists, faders to a "fader" of a "faders" list, fonts to
// a font that loaded, the keys of a text's mark-up to the text table, and templates to
// a top element of that name. The game itself answers a missing name silently or with
// a default, so nothing else would notice.

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace GameTools {
class XMLNode;
}

namespace contentlint {

class TemplateLint {
public:
    struct KnownNames {
        std::set<std::string> models;   // resource keys
        std::set<std::string> shaders;  // resource keys
        std::set<std::string> fonts;
        std::set<std::string> textKeys;
    };
    // Each template file (below the data folder) with its top element.
    using Templates = std::vector<std::pair<std::string, const GameTools::XMLNode*>>;

    TemplateLint(const Templates& templates, const KnownNames& names);

    // "<file>: <control path>: <problem>" lines, in file and document order.
    std::vector<std::string> Run() const;

private:
    enum class Kind { Model, Shader, Fader, Font, Text, Template };
    struct NameAttribute {
        const char* attribute;
        Kind kind;
    };
    static const std::vector<NameAttribute>& NameAttributes();

    void CheckElement(const std::string& file, const GameTools::XMLNode& element, const std::string& parentPath,
                      std::vector<std::string>& problems) const;
    // What is wrong with the name, or an empty text when it resolves.
    std::string Unresolved(Kind kind, const std::string& name) const;
    std::string UnresolvedTextKeys(const std::string& markup) const;

    const Templates& templates_;
    const KnownNames& names_;
    std::set<std::string> topElements_;
    std::set<std::string> faders_;
};

}  // namespace contentlint
