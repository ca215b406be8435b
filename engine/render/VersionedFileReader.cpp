#include "engine/render/VersionedFileReader.h"

#include <cstring>
#include <memory>

#include "engine/kernel/FileError.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"

namespace Vantor {

void VersionedFileReader::ReadDataFile(const std::wstring& fileName, std::uint32_t cacheLimit,
                                       const std::function<void(FileBinary&)>& read) {
    try {
        const FileManager& files = *FileManager::Instance();
        const std::unique_ptr<FileBinary> file(files.OpenFile(files.GetDataPath(fileName), false, cacheLimit, 0));
        read(*file);
    } catch (const FileError& error) {
        if (MessageManager* log = MessageManager::Instance()) log->PrintError(error.GetText());
        throw Error(error.GetText());
    }
}

void VersionedFileReader::ReadHead(const char (&magic)[kMagicLength], std::int32_t version,
                                   std::int32_t oldVersion) {
    const std::uint32_t length = ReadValue<std::uint32_t>();
    char stored[kMagicLength];
    file_.Read(stored, 1, sizeof(stored));
    if (length != file_.GetSize() || std::memcmp(stored, magic, sizeof(stored)) != 0)
        throw FileError(FormatErrorText());
    version_ = ReadValue<std::int32_t>();
    if (version_ != version && version_ != oldVersion)
        throw FileError("Incorrect " + QuotedPath(fileName_) + " format version, current is " +
                        ToString(version, 0));
}

std::string VersionedFileReader::FormatErrorText() const {
    return "Incorrect " + QuotedPath(fileName_) + " file format";
}

void VersionedFileReader::FormatError(const std::string& detail) const {
    throw FileError(FormatErrorText() + ": " + detail);
}

}  // namespace Vantor
