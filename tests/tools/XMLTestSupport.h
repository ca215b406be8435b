#pragma once
// Parsing XML held in a byte string (as the bytes of a file, any byte-order mark)
// and a readable dump of a tree for comparisons.

#include <cstdint>
#include <memory>
#include <string>

#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/FileTextual.h"
#include "engine/kernel/StringHelpers.h"
#include "tools/XMLNode.h"
#include "tools/XMLParser.h"

namespace xmltest {

// A text file over the bytes, which must outlive it.
inline std::unique_ptr<Vantor::FileTextual> TextFile(const std::string& bytes) {
    auto* stream = new Vantor::FileBinary(L"Z:\\test.xml", 0, 0, static_cast<std::uint32_t>(bytes.size()),
                                          reinterpret_cast<const std::uint8_t*>(bytes.data()), false);
    return std::make_unique<Vantor::FileTextual>(stream, Vantor::FileTextual::kRead,
                                                 Vantor::TextEncoding::EightBit);
}

// Document mode; a format error is thrown on.
inline std::unique_ptr<GameTools::XMLNode> ParseDocument(const std::string& bytes) {
    GameTools::XMLNode* root = nullptr;
    GameTools::XMLParser().ParseText(root, *TextFile(bytes));
    return std::unique_ptr<GameTools::XMLNode>(root);
}

// Holder mode into a fresh holder; a format error is thrown on.
inline std::unique_ptr<GameTools::XMLNode> ParseHeld(const std::string& bytes) {
    auto holder = std::make_unique<GameTools::XMLNode>();
    GameTools::XMLParser().Parse(holder.get(), *TextFile(bytes));
    return holder;
}

// The error text of a document-mode parse, "" when it succeeds. The root must come
// back null on an error.
inline std::string DocumentError(const std::string& bytes) {
    GameTools::XMLNode* root = nullptr;
    try {
        GameTools::XMLParser().ParseText(root, *TextFile(bytes));
    } catch (const Vantor::FileError& error) {
        return root ? "root kept after: " + error.GetText() : error.GetText();
    }
    delete root;
    return "";
}

// One line per element, indented by depth: name, attributes in order, text.
inline std::string Dump(const GameTools::XMLNode& node, int depth = 0) {
    std::string line = std::string(2 * depth, ' ') + "<" + node.name;
    for (const GameTools::XMLAttribute* attribute : node.attributes)
        line += " " + attribute->name + "=[" + Vantor::ToNarrow(attribute->value.GetWideString()) + "]";
    line += "> [" + Vantor::ToNarrow(node.value.GetWideString()) + "]\n";
    for (const GameTools::XMLNode* child : node.children) line += Dump(*child, depth + 1);
    return line;
}

}  // namespace xmltest
