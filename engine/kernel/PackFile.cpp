#include "engine/kernel/PackFile.h"

#include "engine/kernel/Error.h"
#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"

namespace Vantor {

namespace {

std::string LookupKey(const std::wstring& name) {
    std::string key = ToNarrow(name);
    MakeLower(key);
    return key;
}

std::int32_t ReadInt(FileBinary& stream) {
    std::int32_t value = 0;
    stream.Read(&value, 4, 1);
    return value;
}

}  // namespace

PackFile::PackFile(const std::wstring& path, std::uint32_t packOffset, std::uint32_t expectedLength,
                   std::uint32_t cacheLimit)
    : packOffset_(packOffset) {
    MessageManager* log = MessageManager::Instance();
    log->PrintMessage("...Pack file " + ToNarrow(path) + " found...");
    try {
        Open(path, expectedLength, cacheLimit);
    } catch (const FileError& error) {
        LogRefusal(path, error.GetText());
        Close();
        throw Error("");
    }
}

void PackFile::LogRefusal(const std::wstring& path, const std::string& reason) {
    // Entries of a refused pack later fail one by one; this line says which pack and why.
    MessageManager* log = MessageManager::Instance();
    log->SetLineBreaks(false);
    log->PrintMessage("......");
    log->PrintError("Pack file " + QuotedPath(path) + " refused: " + reason);
    log->SetLineBreaks(true);
}

PackFile::~PackFile() {
    Close();
}

void PackFile::Close() {
    delete stream_;
    stream_ = nullptr;
    directory_.Clear();
}

void PackFile::Open(const std::wstring& path, std::uint32_t expectedLength, std::uint32_t cacheLimit) {
    stream_ = new FileBinary(path, 0, cacheLimit);
    const std::uint32_t fileSize = stream_->GetSize();
    // The pack must lie inside the file; a seek would only clamp.
    if (packOffset_ >= fileSize) throw FileError("Incorrect pack file format");
    const std::uint32_t available = fileSize - packOffset_;
    stream_->Seek(0, static_cast<std::int32_t>(packOffset_));

    const std::int32_t totalLength = ReadInt(*stream_);
    char magic[5];
    for (char& c : magic) stream_->Read(&c, 1, 1);
    const std::int32_t version = ReadInt(*stream_);

    const std::uint32_t wantedLength = expectedLength != 0 ? expectedLength : available;
    if (std::string(magic, 5) != "VTPAK" || static_cast<std::uint32_t>(totalLength) != wantedLength ||
        wantedLength > available)
        throw FileError("Incorrect pack file format");
    if (version != kVersion)
        throw FileError("Incorrect pack file version, current is " + ToString(static_cast<int>(kVersion), 0));

    std::uint32_t count = 0;
    stream_->Read(&count, 4, 1);
    MessageManager::Instance()->PrintMessage("......It contains " + ToString(static_cast<unsigned int>(count), 0) +
                                             " files...");

    // No reservation from the stored count: a corrupt count runs out of bytes first.
    std::vector<std::string> names;
    for (std::uint32_t i = 0; i < count; ++i) {
        char buffer[256];
        stream_->ReadString(buffer);
        names.emplace_back(buffer);
        MakeLower(names.back());
    }
    std::vector<PackFileEntry> records;
    for (std::uint32_t i = 0; i < count; ++i) {
        PackFileEntry entry;
        entry.offset = ReadInt(*stream_);
        entry.size = ReadInt(*stream_);
        records.push_back(entry);
    }

    for (std::uint32_t i = 0; i < count; ++i) {
        const PackFileEntry& entry = records[i];
        const bool inside = entry.offset >= 0 && entry.size >= 0 &&
                            std::int64_t{entry.offset} + entry.size <= std::int64_t{totalLength};
        if (!inside) {
            MessageManager::Instance()->PrintError("Pack entry \"" + names[i] + "\" lies outside the pack file \"" +
                                                   ToNarrow(path) + "\"");
            continue;
        }
        directory_.Add(names[i], entry);
    }
}

std::optional<PackFileEntry> PackFile::Find(const std::wstring& name) const {
    return directory_.Find(LookupKey(name));
}

bool PackFile::Contains(const std::wstring& name) const {
    return Find(name).has_value();
}

bool PackFile::GetSize(const std::wstring& name, std::uint32_t& size) const {
    const std::optional<PackFileEntry> entry = Find(name);
    if (!entry) return false;
    size = static_cast<std::uint32_t>(entry->size);
    return true;
}

bool PackFile::Locate(const std::wstring& name, const std::uint8_t*& memory, bool& ownsMemory,
                      EngineFile*& sharedFile, std::uint32_t& baseOffset) const {
    const std::optional<PackFileEntry> entry = Find(name);
    if (!entry) return false;
    ownsMemory = false;
    const std::uint32_t offset = packOffset_ + static_cast<std::uint32_t>(entry->offset);
    if (stream_->GetMemory() != nullptr) {
        memory = stream_->GetMemory() + offset;
    } else {
        memory = nullptr;
        sharedFile = stream_->GetFile();
        baseOffset = offset;
    }
    return true;
}

void PackFile::ListFiles(const std::wstring& folder, const std::wstring& pattern, bool recursive,
                         std::vector<std::wstring>& files) const {
    std::string prefix = ToNarrow(folder);
    MakeLower(prefix);
    if (!prefix.empty() && prefix.back() != '\\') prefix += '\\';
    std::string part = ToNarrow(pattern);
    MakeLower(part);
    if (part == "*.*") part.clear();

    directory_.ForEachName([&](std::string_view name) {
        if (name.substr(0, prefix.size()) != prefix) return;
        const std::string_view rest = name.substr(prefix.size());
        if (!recursive && rest.find('\\') != std::string_view::npos) return;
        if (part.empty() || rest.find(part) != std::string_view::npos) files.push_back(ToWide(std::string(name)));
    });
}

}  // namespace Vantor
