#pragma once
// Shared pieces of the file, pack and file-manager tests: Windows paths of temporary
// files, byte strings, and one log for the whole test program whose per-frame list
// the tests read.

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "engine/kernel/MessageManager.h"
#include "platform/WinPaths.h"

namespace filetest {

inline std::wstring WindowsPath(const std::filesystem::path& path) {
    return platform::ToWindowsPath(path.string());
}

inline std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int value : values) bytes.push_back(static_cast<char>(value));
    return bytes;
}

// The bytes of a UTF-16 text file: the byte-order mark, then the units.
inline std::string Utf16(const std::u16string& text, bool bigEndian) {
    std::string bytes = bigEndian ? Bytes({0xFE, 0xFF}) : Bytes({0xFF, 0xFE});
    for (char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

inline std::string ToString(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// Registered on first use and never deleted, so that no test leaves the holder
// pointing at a deleted log. Emptied by every call.
inline Vantor::MessageManager& FreshLog() {
    static Vantor::MessageManager* log = [] {
        auto* created = new Vantor::MessageManager(L"tests", false, false, L"", L"tests");
        Vantor::MessageManager::Instance(created);
        return created;
    }();
    Vantor::MessageManager::Instance(log);
    log->ClearMessages();
    return *log;
}

inline std::vector<std::string> LoggedTexts() {
    std::vector<std::string> texts;
    for (const Vantor::LogMessage* message : Vantor::MessageManager::Instance()->GetMessages())
        texts.push_back(message->text);
    return texts;
}

}  // namespace filetest
