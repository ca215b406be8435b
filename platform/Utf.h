#pragma once
// Conversions between the system's UTF-16 text (one code unit per wchar_t) and the
// UTF-8 that Linux wants for file names, window titles and dialogs.

#include <string>

namespace platform {

std::string Utf16ToUtf8(const std::wstring& text);
std::wstring Utf8ToUtf16(const std::string& text);

// Appends the UTF-8 form of one code point; returns false for a lone surrogate.
bool AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace platform
