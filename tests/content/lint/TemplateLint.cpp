#include "tests/content/lint/TemplateLint.h"

#include "tools/XMLNode.h"
#include "tools/XMLValue.h"

namespace contentlint {

namespace {

constexpr const char* kFaderList = "faders";
// Names of the layout layer's models and shaders are keys below this prefix.
const std::string kKeyPrefix = "ui/";

std::string AttributeText(const GameTools::XMLNode& element, const char* attribute) {
    const GameTools::XMLValue* value = element.GetAttribute(attribute, 0);
    return value ? value->GetString() : std::string();
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

// A piece of a text's mark-up without its case tag: the last "[...]" and every other
// occurrence of it.
std::string WithoutCaseTag(std::string piece) {
    const std::size_t open = piece.rfind('['), close = piece.rfind(']');
    if (open == std::string::npos || close == std::string::npos || open > close) return piece;
    const std::string tag = piece.substr(open, close - open + 1);
    for (std::size_t at = piece.find(tag); at != std::string::npos; at = piece.find(tag)) piece.erase(at, tag.size());
    return piece;
}

}  // namespace

const std::vector<TemplateLint::NameAttribute>& TemplateLint::NameAttributes() {
    static const std::vector<NameAttribute> attributes{
        {"model", Kind::Model},
        {"animator_model", Kind::Model},
        {"toddler_model", Kind::Model},
        {"increase_button_model", Kind::Model},
        {"decrease_button_model", Kind::Model},
        {"shader", Kind::Shader},
        {"toddler_shader", Kind::Shader},
        {"increase_button_shader", Kind::Shader},
        {"decrease_button_shader", Kind::Shader},
        {"fader", Kind::Fader},
        {"font", Kind::Font},
        {"text", Kind::Text},
        {"template", Kind::Template},
    };
    return attributes;
}

TemplateLint::TemplateLint(const Templates& templates, const KnownNames& names) : templates_(templates), names_(names) {
    for (const auto& [file, top] : templates_) {
        topElements_.insert(AttributeText(*top, "name"));
        if (top->name != kFaderList) continue;
        for (const GameTools::XMLNode* fader : top->children)
            if (fader->name == "fader") faders_.insert(AttributeText(*fader, "name"));
    }
}

std::vector<std::string> TemplateLint::Run() const {
    std::vector<std::string> problems;
    for (const auto& [file, top] : templates_)
        if (top->name != kFaderList) CheckElement(file, *top, "", problems);
    return problems;
}

void TemplateLint::CheckElement(const std::string& file, const GameTools::XMLNode& element,
                                const std::string& parentPath, std::vector<std::string>& problems) const {
    const std::string name = AttributeText(element, "name");
    const std::string path = (parentPath.empty() ? "" : parentPath + "/") + (name.empty() ? element.name : name);
    for (const NameAttribute& attribute : NameAttributes()) {
        const std::string value = AttributeText(element, attribute.attribute);
        if (value.empty()) continue;
        const std::string problem = Unresolved(attribute.kind, value);
        if (!problem.empty()) problems.push_back(file + ": " + path + ": " + problem);
    }
    for (const GameTools::XMLNode* child : element.children) CheckElement(file, *child, path, problems);
}

std::string TemplateLint::Unresolved(Kind kind, const std::string& name) const {
    const std::string key = kKeyPrefix + name;
    switch (kind) {
    case Kind::Model:
        return names_.models.count(key) ? "" : "model \"" + key + "\" is in no resource list";
    case Kind::Shader:
        return names_.shaders.count(key) ? "" : "shader \"" + key + "\" is in no resource list";
    case Kind::Fader:
        return faders_.count(name) ? "" : "fader \"" + name + "\" is in no fader list";
    case Kind::Font:
        return names_.fonts.count(name) ? "" : "font \"" + name + "\" did not load";
    case Kind::Text:
        return UnresolvedTextKeys(name);
    case Kind::Template:
        return topElements_.count(name) ? "" : "template \"" + name + "\" is no top element";
    }
    return "";
}

// The mark-up's pieces are separated by "+" (also between quotes); a piece in quotes is
// a literal, any other piece a key of the text table.
std::string TemplateLint::UnresolvedTextKeys(const std::string& markup) const {
    std::string missing;
    std::size_t start = 0;
    while (start <= markup.size()) {
        std::size_t end = markup.find('+', start);
        if (end == std::string::npos) end = markup.size();
        const std::string piece = WithoutCaseTag(markup.substr(start, end - start));
        const bool literal = !piece.empty() && IsQuote(piece.front()) && IsQuote(piece.back());
        if (!piece.empty() && !literal && !names_.textKeys.count(piece))
            missing += (missing.empty() ? "text key \"" : ", \"") + piece + "\"";
        start = end + 1;
    }
    return missing.empty() ? "" : missing + " not in the text table";
}

}  // namespace contentlint
