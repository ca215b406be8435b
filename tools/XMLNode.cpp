#include "tools/XMLNode.h"

#include <algorithm>
#include <string_view>

#include "engine/kernel/FatalError.h"
#include "engine/kernel/MessageManager.h"
#include "platform/Crt.h"

namespace GameTools {

namespace {

// Whether the (possibly multibyte) character at `at` is graphic; `length` receives
// its byte count, 1 for a byte that starts no character.
bool IsGraphicAt(const std::string& text, std::size_t at, std::size_t& length) {
    wchar_t unit = 0;
    const int used = crt::mbtowc(&unit, text.data() + at, text.size() - at);
    length = used > 0 ? static_cast<std::size_t>(used) : 1;
    return used > 0 && crt::iswgraph(static_cast<wint_t>(unit)) != 0;
}

bool PassesFilter(const XMLNode& node, const std::vector<std::string>& names, const std::vector<std::string>& values) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        const XMLAttribute* attribute = node.FindAttribute(names[i]);
        if (!attribute || attribute->value.GetString() != values[i]) return false;
    }
    return true;
}

}  // namespace

// A new element has no parent and no children yet, so it is appended directly.
XMLNode::XMLNode(const std::string& name, XMLNode* parent) : name(name) {
    if (parent) parent->Append(this);
}

XMLNode::XMLNode(const std::string& name, const std::string& value, XMLNode* parent) : name(name) {
    this->value.SetString(value);
    if (parent) parent->Append(this);
}

XMLNode::~XMLNode() {
    if (parent) {
        // With the link cleared first, the parent only unlinks this element.
        XMLNode* oldParent = parent;
        parent = nullptr;
        oldParent->RemoveChild(this);
    }
    for (XMLAttribute* attribute : attributes) delete attribute;

    // The subtree is taken apart into one list, each element emptied before it is
    // deleted, so no destructor call nests inside another.
    std::vector<XMLNode*> pending;
    pending.swap(children);
    childIndex.clear();
    while (!pending.empty()) {
        XMLNode* node = pending.back();
        pending.pop_back();
        node->parent = nullptr;
        pending.insert(pending.end(), node->children.begin(), node->children.end());
        node->children.clear();
        node->childIndex.clear();
        delete node;
    }
}

XMLNode* XMLNode::AddNewChild() { return new XMLNode(std::string(), this); }

XMLNode* XMLNode::AddChild(XMLNode* child) {
    // An element cannot hold itself or its own ancestor (which has children).
    if (!child || child == this || (!child->children.empty() && IsSelfOrAncestor(child))) return nullptr;
    if (child->parent) {
        XMLNode* oldParent = child->parent;
        child->parent = nullptr;
        oldParent->RemoveChild(child);
    }
    Append(child);
    return child;
}

void XMLNode::Append(XMLNode* child) {
    children.push_back(child);
    childIndex.emplace(child->name, child);
    child->parent = this;
}

void XMLNode::RemoveChild(XMLNode* child) {
    if (!child) return;
    const auto listed = std::find(children.begin(), children.end(), child);
    if (listed == children.end()) return;
    EraseFromChildIndex(child);
    children.erase(listed);
    if (child->parent == this) {
        child->parent = nullptr;
        delete child;
    }
}

XMLNode* XMLNode::GetChild(const std::string& childName, int report) const {
    const auto first = childIndex.lower_bound(childName);
    if (first != childIndex.end() && first->first == childName) return first->second;
    ReportMissing(childName, report);
    return nullptr;
}

void XMLNode::GetChildren(std::vector<XMLNode*>& out) const { out = children; }

void XMLNode::GetChildren(const std::string& childName, std::vector<XMLNode*>& out) const {
    out.clear();
    const auto [first, last] = childIndex.equal_range(childName);
    for (auto it = first; it != last; ++it) out.push_back(it->second);
}

XMLAttribute* XMLNode::FindAttribute(const std::string& attributeName) const {
    const auto found = attributeIndex.find(attributeName);
    return found == attributeIndex.end() ? nullptr : found->second;
}

bool XMLNode::HasAttribute(const std::string& attributeName) const { return FindAttribute(attributeName) != nullptr; }

XMLValue* XMLNode::GetAttribute(const std::string& attributeName, int report) const {
    if (XMLAttribute* attribute = FindAttribute(attributeName)) return &attribute->value;
    ReportMissingAttribute(attributeName, report);
    return nullptr;
}

void XMLNode::SetAttribute(const std::string& attributeName, const std::wstring& text) {
    if (XMLAttribute* attribute = FindAttribute(attributeName)) {
        attribute->value.SetWideString(text);
        return;
    }
    auto* attribute = new XMLAttribute{attributeName, XMLValue(text)};
    attributes.push_back(attribute);
    attributeIndex.emplace(attributeName, attribute);
}

void XMLNode::ReportMissing(const std::string& childName, int report) const {
    Report("Failed to find \"" + GetPath() + "/" + childName + "\" node", report);
}

void XMLNode::ReportMissingAttribute(const std::string& attributeName, int report) const {
    Report("Failed to find \"" + attributeName + "\" attribute in \"" + GetPath() + "\" node", report);
}

std::string XMLNode::GetPath() const {
    std::vector<const std::string*> names;
    for (const XMLNode* node = this; node; node = node->parent)
        if (!node->name.empty()) names.push_back(&node->name);
    std::string path;
    for (auto it = names.rbegin(); it != names.rend(); ++it) path += "/" + **it;
    return path;
}

void XMLNode::Report(const std::string& text, int report) const {
    Vantor::MessageManager* log = Vantor::MessageManager::Instance();
    switch (report) {
        case kReportWarning:
            if (log) log->PrintWarning(text);
            break;
        case kReportError:
            if (log) log->PrintError(text);
            break;
        case kReportFatal:
            if (log) log->PrintFatalError(text);
            throw Vantor::FatalError(text);
        default:
            break;
    }
}

bool XMLNode::IsSelfOrAncestor(const XMLNode* node) const {
    for (const XMLNode* at = this; at; at = at->parent)
        if (at == node) return true;
    return false;
}

void XMLNode::EraseFromChildIndex(XMLNode* child) {
    const auto [first, last] = childIndex.equal_range(child->name);
    auto entry = std::find_if(first, last, [child](const auto& named) { return named.second == child; });
    // A caller may have renamed the child after linking it.
    if (entry == last)
        entry = std::find_if(childIndex.begin(), childIndex.end(), [child](const auto& named) { return named.second == child; });
    if (entry != childIndex.end()) childIndex.erase(entry);
}

XMLNode* XMLNode::FindNode(XMLNode* from, const std::string& path) {
    std::vector<XMLNode*> results;
    MatchPath(from, path, results);
    return results.empty() ? nullptr : results.front();
}

// Each step of the path is matched against the candidates of one element; a work
// list instead of recursion keeps long paths and deep trees off the call stack,
// and popping the candidates in order keeps the results in document order.
void XMLNode::MatchPath(XMLNode* node, const std::string& path, std::vector<XMLNode*>& results) {
    struct Step {
        XMLNode* node;
        std::string_view path;
    };
    constexpr auto npos = std::string_view::npos;
    std::vector<Step> pending{{node, path}};
    std::vector<std::string> names;
    std::vector<std::string> values;
    std::vector<XMLNode*> candidates;
    while (!pending.empty()) {
        const Step step = pending.back();
        pending.pop_back();
        if (!step.node) continue;
        if (step.path.empty()) {
            results.push_back(step.node);
            continue;
        }
        const std::size_t slash = step.path.find('/');
        const std::size_t open = step.path.find('[');
        const std::size_t close = step.path.find(']');
        // A filter may hold neither '/' nor ']'.
        if ((slash > open && slash <= close) || close < open) continue;

        const bool filtered = open < slash;
        names.clear();
        values.clear();
        if (filtered) {
            const std::size_t filterEnd = close == npos ? step.path.size() : close;
            if (!ParseFilter(std::string(step.path.substr(open + 1, filterEnd - open - 1)), names, values)) continue;
        }
        const std::string elementName(step.path.substr(0, std::min(open, slash)));
        const std::string_view rest = slash == npos ? std::string_view() : step.path.substr(slash + 1);
        if (elementName.empty() && !filtered) {
            pending.push_back({step.node, rest});
            continue;
        }
        if (elementName.empty())
            candidates = step.node->children;
        else
            step.node->GetChildren(elementName, candidates);
        for (auto it = candidates.rbegin(); it != candidates.rend(); ++it)
            if (PassesFilter(**it, names, values)) pending.push_back({*it, rest});
    }
}

bool XMLNode::ParseFilter(const std::string& text, std::vector<std::string>& names,
                          std::vector<std::string>& values) {
    names.clear();
    values.clear();
    enum class Expect { Name, Quote, Value } expect = Expect::Name;
    std::string name;
    std::string value;
    char quote = 0;
    for (std::size_t at = 0, length = 1; at < text.size(); at += length) {
        const char c = text[at];
        length = 1;
        switch (expect) {
            case Expect::Name:
                if (c == '=') {
                    if (name.empty()) return false;
                    expect = Expect::Quote;
                } else if (c == ',' || c == ';') {
                    if (!name.empty()) return false;
                } else if (IsGraphicAt(text, at, length)) {
                    name.append(text, at, length);
                }
                break;
            case Expect::Quote:
                if (!IsGraphicAt(text, at, length)) break;
                if (c != '"' && c != '\'') return false;
                quote = c;
                expect = Expect::Value;
                break;
            case Expect::Value:
                if (c == quote) {
                    names.push_back(name);
                    values.push_back(value);
                    name.clear();
                    value.clear();
                    expect = Expect::Name;
                } else {
                    value += c;
                }
                break;
        }
    }
    return expect == Expect::Name && name.empty();
}

}  // namespace GameTools
