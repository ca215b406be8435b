#include "engine/render/ImageReaderSupport.h"

#include "engine/kernel/FileBinary.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"

namespace Vantor {

void LogImageError(const std::string& text) {
    if (MessageManager* log = MessageManager::Instance()) log->PrintError(text);
}

std::string IncorrectFormatText(const std::wstring& path) { return "Incorrect " + QuotedPath(path) + " file format"; }

std::string UnsupportedFormatText(const std::wstring& path) {
    return "Unsupported " + QuotedPath(path) + " file format";
}

std::uint32_t BytesLeft(const FileBinary& stream) {
    return stream.GetPosition() < stream.GetSize() ? stream.GetSize() - stream.GetPosition() : 0;
}

}  // namespace Vantor
