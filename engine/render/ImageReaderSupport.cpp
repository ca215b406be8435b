#include "engine/render/ImageReaderSupport.h"

#include "engine/kernel/FileBinary.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"

namespace Vantor {

void LogImageError(const std::string& text) {
    if (MessageManager* log = MessageManager::Instance()) log->PrintError(text);
}

void LogImageWarning(const std::string& text) {
    if (MessageManager* log = MessageManager::Instance()) log->PrintWarning(text);
}

std::string IncorrectFormatText(const std::wstring& path) { return "Incorrect " + QuotedPath(path) + " file format"; }

std::string UnsupportedFormatText(const std::wstring& path) {
    return "Unsupported " + QuotedPath(path) + " file format";
}

std::string DecodeFailedText(const std::wstring& path, const std::string& libraryMessage) {
    return "Failed to decode " + QuotedPath(path) + " file: " + libraryMessage;
}

std::string DecodeWarningText(const std::wstring& path, const std::string& libraryMessage) {
    return "Decoding " + QuotedPath(path) + " file: " + libraryMessage;
}

std::uint32_t BytesLeft(const FileBinary& stream) {
    return stream.GetPosition() < stream.GetSize() ? stream.GetSize() - stream.GetPosition() : 0;
}

}  // namespace Vantor
