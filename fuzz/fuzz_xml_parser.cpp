// Fuzzes the XML parser and the tree it builds. The input is read as a text file (any
// byte-order mark) in document mode and in holder mode; each tree is then checked to
// agree with itself (parent links, child and attribute lists against their indexes),
// every value is read with each number reader, and the lookups and path queries run
// with names from the tree and with paths and filters from the input.
//
// Input: one flag byte (bit 0: the UTF-8 locale state; bits 1-2: the report level of
// the lookups), then the file; bytes after the last 0x01 are not part of the file but
// queries, one per line.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "engine/kernel/FatalError.h"
#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/FileTextual.h"
#include "file_fuzz_support.h"
#include "platform/Crt.h"
#include "tools/XMLNode.h"
#include "tools/XMLParser.h"

namespace {

using GameTools::XMLNode;

void Check(bool condition) {
    if (!condition) std::abort();
}

constexpr std::size_t kReportedElements = 8;

// Every element of the tree, parents before children, without recursion.
std::vector<XMLNode*> Elements(XMLNode* root) {
    std::vector<XMLNode*> all{root};
    for (std::size_t i = 0; i < all.size(); ++i) all.insert(all.end(), all[i]->children.begin(), all[i]->children.end());
    return all;
}

void CheckLinks(const XMLNode& node) {
    Check(node.children.size() == node.childIndex.size());
    std::vector<XMLNode*> named;
    for (const XMLNode* child : node.children) {
        Check(child->parent == &node);
        node.GetChildren(child->name, named);
        std::vector<XMLNode*> expected;
        std::copy_if(node.children.begin(), node.children.end(), std::back_inserter(expected),
                     [child](const XMLNode* other) { return other->name == child->name; });
        Check(named == expected);
    }
    Check(node.attributes.size() == node.attributeIndex.size());
    for (const GameTools::XMLAttribute* attribute : node.attributes)
        Check(node.FindAttribute(attribute->name) == attribute);
}

// Every reader once; the results only need to be computed.
void ReadValue(const GameTools::XMLValue& value) {
    int ints[5] = {};
    float floats[5] = {};
    value.GetInts(ints, 5);
    value.GetFloats(floats, 5);
    const Vantor::Vector4 four = value.GetFloat4();
    const Vantor::Vector2 two = value.GetFloat2();
    const Vantor::Vector2i pair = value.GetInt2();
    volatile unsigned sink = static_cast<unsigned>(value.GetInt()) + value.GetBool() + static_cast<unsigned>(ints[4]) +
                             static_cast<unsigned>(pair.y) + (value.GetFloat() > 0) + (floats[4] > 0) + (four.w > 0) +
                             (two.y > 0) + static_cast<unsigned>(value.GetString().size() + value.GetWideString().size());
    (void)sink;
}

// A lookup that may report fatally.
template <class Lookup>
void Guarded(Lookup lookup) {
    try {
        lookup();
    } catch (const Vantor::FatalError&) {
    }
}

void Query(XMLNode* root, const std::vector<std::string>& queries, int report) {
    const std::vector<XMLNode*> all = Elements(root);
    const std::set<XMLNode*> members(all.begin(), all.end());
    std::vector<std::string> names;
    std::vector<std::string> values;
    std::vector<XMLNode*> matches;
    for (XMLNode* node : all) {
        CheckLinks(*node);
        ReadValue(node->value);
        for (const GameTools::XMLAttribute* attribute : node->attributes) ReadValue(attribute->value);
        for (const XMLNode* child : node->children) {
            Check(node->GetChild(child->name, report) != nullptr);
            // A name holding a bracket reads as a malformed path.
            if (child->name.find_first_of("[]") == std::string::npos)
                Check(XMLNode::FindNode(node, child->name) != nullptr);
        }
    }
    // Reports cost more than the lookups; a few elements show them.
    for (std::size_t i = 0; i < std::min<std::size_t>(all.size(), kReportedElements); ++i) {
        for (const std::string& query : queries) {
            Guarded([&] { all[i]->GetChild(query, report); });
            Guarded([&] { all[i]->GetAttribute(query, report); });
        }
    }
    for (const std::string& query : queries) {
        matches.clear();
        XMLNode::MatchPath(root, query, matches);
        for (XMLNode* match : matches) Check(members.count(match) == 1);
        Check(XMLNode::FindNode(root, query) == (matches.empty() ? nullptr : matches.front()));
        if (XMLNode::ParseFilter(query, names, values)) Check(names.size() == values.size());
    }
}

std::unique_ptr<Vantor::FileTextual> TextFile(const std::uint8_t* data, std::size_t size) {
    auto* stream = new Vantor::FileBinary(L"Z:\\fuzz\\input.xml", 0, 0, static_cast<std::uint32_t>(size), data, false);
    return std::make_unique<Vantor::FileTextual>(stream, Vantor::FileTextual::kRead, Vantor::TextEncoding::EightBit);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzzing::Workspace workspace;
    if (size < 1 || size > 0xFFFFFF) return 0;
    workspace.ClearLog();
    const std::uint8_t flags = data[0];
    crt::setlocale(LC_ALL, (flags & 1) ? "english" : "C");
    const int report = (flags >> 1) & 3;

    const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t split = std::min(rest.rfind('\x01'), rest.size());
    std::vector<std::string> queries;
    for (std::size_t start = split + 1; start <= rest.size();) {
        const std::size_t end = std::min(rest.find('\n', start), rest.size());
        queries.push_back(rest.substr(start, end - start));
        start = end + 1;
    }

    GameTools::XMLParser parser;
    XMLNode* document = nullptr;
    try {
        parser.ParseText(document, *TextFile(data + 1, split));
        Check(document != nullptr && document->parent == nullptr);
    } catch (const Vantor::FileError&) {
        Check(document == nullptr);
    }

    XMLNode holder;
    try {
        parser.Parse(&holder, *TextFile(data + 1, split));
    } catch (const Vantor::FileError&) {
    }
    Query(&holder, queries, report);
    if (document) {
        Query(document, queries, report);
        // The holder takes the document over and destroys it with its own tree.
        Check(holder.AddChild(document) == document && document->parent == &holder);
        CheckLinks(holder);
    }
    return 0;
}
