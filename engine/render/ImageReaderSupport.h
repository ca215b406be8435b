#pragma once
// Helpers shared by the picture readers (images and DDS files).

#include <cstdint>
#include <string>

#include "engine/kernel/StringHelpers.h"

namespace Vantor {

class FileBinary;

// Log an error or a warning through the log when there is one.
void LogImageError(const std::string& text);
void LogImageWarning(const std::string& text);
// The error texts of a broken and of an unsupported picture file.
std::string IncorrectFormatText(const std::wstring& path);
std::string UnsupportedFormatText(const std::wstring& path);
// The error text of a picture its library refused, with the library's own message.
std::string DecodeFailedText(const std::wstring& path, const std::string& libraryMessage);
// The warning text of a library's complaint about a picture it still decodes.
std::string DecodeWarningText(const std::wstring& path, const std::string& libraryMessage);
// Bytes from the stream's position to its end.
std::uint32_t BytesLeft(const FileBinary& stream);

}  // namespace Vantor
