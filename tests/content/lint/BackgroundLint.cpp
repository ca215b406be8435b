#include "tests/content/lint/BackgroundLint.h"

#include "tests/content/lint/LintSupport.h"
#include "tools/XMLNode.h"
#include "tools/XMLValue.h"

namespace contentlint {

namespace {

std::string AttributeOf(const GameTools::XMLNode& element, const char* name) {
    const GameTools::XMLValue* value = element.GetAttribute(name, GameTools::XMLNode::kReportSilent);
    return value ? value->GetString() : std::string();
}

}  // namespace

bool BackgroundLint::IsBackground(const std::string& file) {
    const std::string lower = Lower(file), name = "background.xml";
    return lower == name || (lower.size() > name.size() && lower.compare(lower.size() - name.size() - 1, name.size() + 1,
                                                                         "\\" + name) == 0);
}

BackgroundLint::BackgroundLint(const Backgrounds& backgrounds, const KnownNames& names)
    : backgrounds_(backgrounds), names_(names) {}

std::vector<std::string> BackgroundLint::Run() const {
    std::vector<std::string> problems;
    for (const auto& background : backgrounds_) {
        const std::string& file = background.first;
        const GameTools::XMLNode* document = background.second;
        const std::string prefixAttribute = AttributeOf(*document, "resources_prefix");
        const std::string prefix = prefixAttribute.empty() ? std::string() : prefixAttribute + "/";
        for (const GameTools::XMLNode* layer : document->children) {
            const std::string name = AttributeOf(*layer, "name");
            const auto check = [&](const char* what, const std::string& resource, const std::set<std::string>& known) {
                if (!resource.empty() && !known.count(prefix + resource))
                    problems.push_back(file + ": layer \"" + name + "\": " + what + " \"" + prefix + resource +
                                       "\" is in no resource list");
            };
            if (layer->name == "model") check("model", name, names_.models);
            else if (layer->name == "particles") check("particle system", name, names_.particleSystems);
            else continue;
            check("shader", AttributeOf(*layer, "shader"), names_.shaders);
            check("model", AttributeOf(*layer, "animator_model"), names_.models);
        }
    }
    return problems;
}

}  // namespace contentlint
