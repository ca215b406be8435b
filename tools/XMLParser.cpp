#include "tools/XMLParser.h"

#include <memory>

#include "engine/kernel/FileError.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/FileTextual.h"
#include "tools/XMLNode.h"
#include "tools/XMLTreeBuilder.h"

namespace GameTools {

namespace {

// Through the file manager when there is one; tools that run without the engine
// read the disk file directly.
std::unique_ptr<Vantor::FileTextual> OpenForReading(const std::wstring& path) {
    if (const Vantor::FileManager* files = Vantor::FileManager::Instance())
        return std::unique_ptr<Vantor::FileTextual>(
            files->OpenTextFile(path, Vantor::FileTextual::kRead, Vantor::TextEncoding::EightBit, 0));
    return std::make_unique<Vantor::FileTextual>(path, Vantor::FileTextual::kRead, Vantor::TextEncoding::EightBit);
}

void RequireHolder(const XMLNode* holder) {
    if (!holder) throw Vantor::FileError("No element to read XML into");
}

}  // namespace

void XMLParser::ParseFile(XMLNode*& root, const std::wstring& path) {
    const std::unique_ptr<Vantor::FileTextual> file = OpenForReading(path);
    ParseText(root, *file);
}

void XMLParser::Load(XMLNode* holder, const std::wstring& path) {
    RequireHolder(holder);
    ParseFile(holder, path);
}

void XMLParser::Parse(XMLNode* holder, Vantor::FileTextual& file) {
    RequireHolder(holder);
    ParseText(holder, file);
}

void XMLParser::ParseText(XMLNode*& root, Vantor::FileTextual& file) {
    std::wstring text;
    file.ReadAll(text, false);
    const bool documentMode = root == nullptr;
    try {
        XMLTreeBuilder(root, text).Build();
    } catch (...) {
        if (documentMode) {
            delete root;
            root = nullptr;
        }
        throw;
    }
}

}  // namespace GameTools
