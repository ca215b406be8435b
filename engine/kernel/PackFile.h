#pragma once
// Reader of one "VTPAK" pack: a ".pak" file of the data folder or the pack appended
// to the executable. Answers, for a name relative to the data folder, whether the
// pack holds it, its size and where its bytes are (the pack's memory block, or an
// offset of the pack's open file). Names are matched without regard to case.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/kernel/PackDirectory.h"

namespace Vantor {

class EngineFile;
class FileBinary;

class PackFile {
public:
    static constexpr std::int32_t kVersion = 100;

    // Opens and checks the pack that starts at packOffset of the file. expectedLength
    // 0 means the pack runs to the end of the file. A file no larger than
    // cacheLimit is held in memory whole. On any problem logs it and throws an Error
    // with an empty text. Entries that point outside the pack are logged and left out.
    PackFile(const std::wstring& path, std::uint32_t packOffset, std::uint32_t expectedLength,
             std::uint32_t cacheLimit);
    virtual ~PackFile();
    PackFile(const PackFile&) = delete;
    PackFile& operator=(const PackFile&) = delete;

    void Close();

    // Logs "......" followed by one error line naming the pack and the reason.
    static void LogRefusal(const std::wstring& path, const std::string& reason);

    bool Contains(const std::wstring& name) const;
    bool GetSize(const std::wstring& name, std::uint32_t& size) const;
    // The stream parameters of an entry (see FileBinary's constructor): its bytes in
    // the pack's memory, or the pack's shared file and the entry's offset in it.
    bool Locate(const std::wstring& name, const std::uint8_t*& memory, bool& ownsMemory, EngineFile*& sharedFile,
                std::uint32_t& baseOffset) const;
    // Appends the names below a folder (relative to the data folder) that contain the
    // pattern ("*.*" or empty: every name), as stored: lower-case, with the folder.
    void ListFiles(const std::wstring& folder, const std::wstring& pattern, bool recursive,
                   std::vector<std::wstring>& files) const;

private:
    void Open(const std::wstring& path, std::uint32_t expectedLength, std::uint32_t cacheLimit);
    std::optional<PackFileEntry> Find(const std::wstring& name) const;

    std::uint32_t packOffset_;
    FileBinary* stream_ = nullptr;
    PackDirectory directory_;
};

}  // namespace Vantor
