#include "framework/FileHeader.h"

#include <bit>
#include <cstring>
#include <memory>

#include "engine/kernel/Error.h"
#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/StringHelpers.h"

namespace GameFramework {

namespace {

static_assert(std::endian::native == std::endian::little, "the header's numbers are little-endian");

// Every write goes straight through to the disk; nothing is copied into memory.
constexpr std::uint32_t kCacheLimit = 0;
constexpr int kFlushMode = 1;

std::string Quoted(const std::wstring& path) { return "\"" + Vantor::ToNarrow(path) + "\""; }

std::string Decimal(std::uint32_t value) { return Vantor::ToString(static_cast<unsigned int>(value), 0); }

}  // namespace

FileHeader::FileHeader(const std::string& magic, std::int32_t version) : version_(version) {
    if (magic.size() < kMagicLength) throw Vantor::Error("File header magic \"" + magic + "\" is shorter than 5 letters");
    std::memcpy(magic_, magic.data(), kMagicLength);
}

Vantor::FileBinary* FileHeader::Open(const std::wstring& path, int write, bool anyVersion,
                                     std::uint32_t* versionRead) const {
    // Owned until it is handed out, so that a failure below deletes it.
    std::unique_ptr<Vantor::FileBinary> file(
        Vantor::FileManager::Instance()->OpenFile(path, write != 0, kCacheLimit, kFlushMode));
    if (write != 0)
        Write(*file, file->GetPosition());
    else
        Read(*file, path, anyVersion, versionRead);
    return file.release();
}

void FileHeader::Close(Vantor::FileBinary* file) const {
    if (file == nullptr || file->IsWriting() == 0) return;
    // The content was written front to back, so the position is the file's size.
    const std::uint32_t length = file->GetPosition();
    file->Seek(0, 0);
    Write(*file, length);
}

void FileHeader::Write(Vantor::FileBinary& file, std::uint32_t length) const {
    file.Write(&length, sizeof(length), 1);
    for (char letter : magic_) file.Write(&letter, 1, 1);
    file.Write(&version_, sizeof(version_), 1);
}

void FileHeader::Read(Vantor::FileBinary& file, const std::wstring& path, bool anyVersion,
                      std::uint32_t* versionRead) const {
    std::uint32_t length = 0;
    file.Read(&length, sizeof(length), 1);
    char magic[kMagicLength];
    for (char& letter : magic) file.Read(&letter, 1, 1);
    std::uint32_t version = 0;
    file.Read(&version, sizeof(version), 1);

    if (std::memcmp(magic, magic_, kMagicLength) != 0 || length != file.GetSize())
        throw Vantor::FileError("Incorrect + " + Quoted(path) + " file format");
    if (anyVersion) {
        if (versionRead != nullptr) *versionRead = version;
        return;
    }
    if (version != static_cast<std::uint32_t>(version_))
        throw Vantor::FileError("Incorrect " + Quoted(path) + " format version (" + Decimal(version) +
                                "), current is " + Decimal(static_cast<std::uint32_t>(version_)));
}

}  // namespace GameFramework
