#pragma once
// The program's one XML reader: reads a whole text file (8-bit, UTF-16 or UTF-8, by
// its byte-order mark) and builds a tree of XMLNode elements in one pass.
//
// A null root asks for document mode: the file's one top element comes back as the
// root, owned by the caller. A holder element receives every top element of the
// file as a child instead. Syntax errors throw Vantor::FileError "XML format error
// at line <n>: code <k>"; a partial document is destroyed (the root stays null),
// while a holder keeps the elements attached so far. Errors of opening or reading
// the file are passed on unchanged.

#include <string>

namespace Vantor {
class FileTextual;
}

namespace GameTools {

class XMLNode;

class XMLParser {
public:
    XMLParser() = default;
    virtual ~XMLParser() = default;

    // Opens the path through the file manager (loose file or pack entry).
    void ParseFile(XMLNode*& root, const std::wstring& path);
    // ParseFile into a holder, which must not be null.
    void Load(XMLNode* holder, const std::wstring& path);
    // Parses a text file the caller opened and keeps owning into a holder.
    void Parse(XMLNode* holder, Vantor::FileTextual& file);
    // Reads the rest of the file and parses it in the mode the root chooses.
    void ParseText(XMLNode*& root, Vantor::FileTextual& file);
};

}  // namespace GameTools
