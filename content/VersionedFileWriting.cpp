#include "content/VersionedFileWriting.h"

#include "engine/kernel/Error.h"
#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileManager.h"

namespace Content::VersionedFileWriting {

namespace {

constexpr std::size_t kMaxNameLength = 254;

}  // namespace

void PutTotalLength(Bytes& file) {
    const auto length = static_cast<std::uint32_t>(file.size());
    std::memcpy(file.data(), &length, sizeof(length));
}

void PutName(Bytes& out, const std::string& name, const std::string& what) {
    if (name.size() > kMaxNameLength) throw Vantor::Error(what + " longer than 254 characters: " + name);
    out.push_back(static_cast<std::uint8_t>(name.size() + 1));
    out.insert(out.end(), name.begin(), name.end());
    out.push_back(0);
}

void WriteFile(const std::wstring& path, const Bytes& bytes) {
    Vantor::FileManager::CreateFolders(Vantor::FileManager::GetAbsolutePath(path));
    Vantor::FileBinary file(path, 1);
    file.Write(bytes.data(), 1, static_cast<std::uint32_t>(bytes.size()));
}

}  // namespace Content::VersionedFileWriting
