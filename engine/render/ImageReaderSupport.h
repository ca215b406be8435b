#pragma once
// Helpers shared by the picture readers (images and DDS files).

#include <cstdint>
#include <string>

#include "engine/kernel/StringHelpers.h"

namespace Vantor {

class FileBinary;

// Logs an error through the log when there is one.
void LogImageError(const std::string& text);
// The error texts of a broken and of an unsupported picture file.
std::string IncorrectFormatText(const std::wstring& path);
std::string UnsupportedFormatText(const std::wstring& path);
// Bytes from the stream's position to its end.
std::uint32_t BytesLeft(const FileBinary& stream);

}  // namespace Vantor
