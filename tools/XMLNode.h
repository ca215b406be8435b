#pragma once
// One element of a parsed XML tree: name, text, attributes and children in document
// order, each with an index by name. An element owns its attributes and children.
// An element with an empty name and no parent is a holder: it receives the top
// elements of one or more files and adds nothing to reported paths.
//
// Lookups take a report level that decides what a missing child or attribute
// causes: 0 nothing, 1 a warning, 2 an error line, 3 a fatal error (logged, then
// Vantor::FatalError is thrown); any other level is silent.
//
// The fields are public for readers; change the tree through the operations, which
// keep the lists, the indexes and the parent links in step.

#include <map>
#include <string>
#include <vector>

#include "tools/XMLAttribute.h"
#include "tools/XMLValue.h"

namespace GameTools {

class XMLNode {
public:
    static constexpr int kReportSilent = 0;
    static constexpr int kReportWarning = 1;
    static constexpr int kReportError = 2;
    static constexpr int kReportFatal = 3;

    // A holder: empty name and value, no parent.
    XMLNode() = default;
    // With a parent, the parent's AddChild links the new element as its last child.
    explicit XMLNode(const std::string& name, XMLNode* parent = nullptr);
    XMLNode(const std::string& name, const std::string& value, XMLNode* parent = nullptr);
    // Unlinks the element from its parent, then destroys its attributes and its whole
    // subtree (without recursing once per level, so any depth is safe).
    virtual ~XMLNode();
    XMLNode(const XMLNode&) = delete;
    XMLNode& operator=(const XMLNode&) = delete;

    // A new last child with empty name and value.
    XMLNode* AddNewChild();
    // Moves the child here from its old parent (without destroying it) and appends it.
    // Null, this element and its ancestors are refused: null is returned.
    XMLNode* AddChild(XMLNode* child);
    // Unlinks a child; it is destroyed when this element is its parent. Null and
    // elements that are not children are ignored.
    void RemoveChild(XMLNode* child);

    // The first child of the name in document order, or null after the report.
    XMLNode* GetChild(const std::string& childName, int report) const;
    // Empty `out`, then the children (of the name) in document order.
    void GetChildren(std::vector<XMLNode*>& out) const;
    void GetChildren(const std::string& childName, std::vector<XMLNode*>& out) const;

    // Never reported.
    XMLAttribute* FindAttribute(const std::string& attributeName) const;
    bool HasAttribute(const std::string& attributeName) const;
    // The attribute's value, or null after the report.
    XMLValue* GetAttribute(const std::string& attributeName, int report) const;
    // Replaces the value of an existing attribute or appends a new one.
    void SetAttribute(const std::string& attributeName, const std::wstring& text);

    // "Failed to find "<path>/<child>" node" at the report level.
    void ReportMissing(const std::string& childName, int report) const;
    // "Failed to find "<attribute>" attribute in "<path>" node" at the report level.
    void ReportMissingAttribute(const std::string& attributeName, int report) const;
    // "/" + the names from the outermost named ancestor down to this element, joined
    // by "/"; empty names are left out ("" for a holder).
    std::string GetPath() const;

    // The first element below `from` matching the path, or null. A path is steps
    // separated by "/": an element name, optionally followed by a filter of
    // attribute values such as [name='x', kind="y"]; a step with an empty name and a
    // filter takes every child. Malformed paths and filters match nothing.
    static XMLNode* FindNode(XMLNode* from, const std::string& path);
    // Appends every element below `node` that matches the path, depth first in
    // document order; an empty path matches the node itself.
    static void MatchPath(XMLNode* node, const std::string& path, std::vector<XMLNode*>& results);
    // Reads a filter's name = quoted value pairs (separated by ',', ';', blanks or
    // nothing) into the lists; false for a malformed filter.
    static bool ParseFilter(const std::string& text, std::vector<std::string>& names,
                            std::vector<std::string>& values);

    std::string name;
    XMLValue value;
    // Owned, in document order.
    std::vector<XMLAttribute*> attributes;
    std::map<std::string, XMLAttribute*> attributeIndex;
    // Owned, in document order; the index keeps children of one name in that order.
    std::vector<XMLNode*> children;
    std::multimap<std::string, XMLNode*> childIndex;
    // Not owned; null for a document element and for a holder.
    XMLNode* parent = nullptr;

private:
    void Report(const std::string& text, int report) const;
    bool IsSelfOrAncestor(const XMLNode* node) const;
    // Links an element without a parent as the last child.
    void Append(XMLNode* child);
    void EraseFromChildIndex(XMLNode* child);
};

}  // namespace GameTools
