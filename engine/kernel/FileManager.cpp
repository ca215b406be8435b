#include "engine/kernel/FileManager.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>

#include "engine/kernel/ContainerHelpers.h"
#include "engine/kernel/Error.h"
#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileTextual.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/PackFile.h"
#include "engine/kernel/StringHelpers.h"
#include "platform/WinCrtFiles.h"
#include "platform/WinFiles.h"
#include "platform/WinFolders.h"

namespace Vantor {

namespace {

std::wstring WithBackslash(const std::wstring& folder) {
    return (!folder.empty() && folder.back() == L'\\') ? folder : folder + L'\\';
}

// Calls `visit` with the lower-cased name and the folder flag of each entry of a folder,
// "." and ".." included, in the order the run-time returns them.
void WalkFolder(const std::wstring& folder, const std::function<void(const std::wstring&, bool)>& visit) {
    _wfinddata_t data;
    intptr_t search = _wfindfirst((folder + L"*.*").c_str(), &data);
    if (search == -1) return;
    do {
        visit(ToLower(std::wstring(data.name)), (data.attrib & _A_SUBDIR) != 0);
    } while (_wfindnext(search, &data) == 0);
    _findclose(search);
}

bool IsDotEntry(const std::wstring& name) { return name == L"." || name == L".."; }

}  // namespace


bool FileManager::IsAbsolutePath(const std::wstring& path) {
    return path.size() >= 2 && ((path[0] == L'\\' && path[1] == L'\\') || path[1] == L':');
}

std::wstring FileManager::GetAbsolutePath(const std::wstring& path) {
    if (IsAbsolutePath(path)) return path;
    const FileManager* manager = Instance();
    return (manager ? manager->baseFolder_ : GetExecutableFolder()) + L"\\" + path;
}

std::wstring FileManager::GetExecutableFolder() {
    wchar_t buffer[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    std::wstring path(buffer, length < MAX_PATH ? length : MAX_PATH - 1);
    size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(0, slash);
}

std::wstring FileManager::GetUserDataFolder() {
    wchar_t buffer[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, buffer) != S_OK)
        return GetExecutableFolder();
    return buffer;
}

std::wstring FileManager::GetFolder(const std::wstring& path) {
    size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring FileManager::GetFileName(const std::wstring& path) {
    size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring FileManager::GetExtension(const std::wstring& path) {
    size_t point = path.rfind(L'.');
    return point == std::wstring::npos ? std::wstring() : path.substr(point + 1);
}

void FileManager::ChangeExtension(std::wstring& path, const std::wstring& extension) {
    size_t point = path.rfind(L'.');
    if (point != std::wstring::npos) {
        path.erase(extension.empty() ? point : point + 1);
        path += extension;
    } else if (!extension.empty()) {
        path += L'.' + extension;
    }
}

bool FileManager::HasExtension(const std::wstring& path, const std::wstring& extension) {
    return ToLower(GetExtension(path)) == ToLower(extension);
}

std::wstring FileManager::CombinePath(const std::wstring& folder, const std::wstring& path) {
    std::wstring combined = path;
    if (!folder.empty() && !path.empty()) combined = WithBackslash(folder) + path;
    for (;;) {
        size_t up = combined.find(L"..");
        if (up == std::wstring::npos || up < 2) break;
        size_t slash = combined.rfind(L'\\', up - 2);
        if (slash != std::wstring::npos)
            combined.erase(slash, up + 2 - slash);  // "\folder\.."
        else
            combined.erase(0, up + 3);  // "folder\..\"; erase stops at the end of the text
    }
    return combined;
}

bool FileManager::ExistsOnDisk(const std::wstring& path) { return _waccess(path.c_str(), 0) == 0; }

void FileManager::CreateFolders(const std::wstring& path) {
    for (size_t i = 0; i < path.size(); ++i)
        if (path[i] == L'\\' && i > 0) CreateDirectoryW(path.substr(0, i).c_str(), nullptr);
}

void FileManager::DeletePath(const std::wstring& path) {
    // An empty path would name the root folder once a backslash is appended.
    if (path.empty() || _wremove(path.c_str()) == 0) return;
    std::vector<std::wstring> files;
    ListFilesOnDisk(path, L"", false, files);
    for (const std::wstring& file : files) _wremove(file.c_str());
    std::vector<std::wstring> folders;
    ListSubFolders(path, folders);
    for (const std::wstring& folder : folders) DeletePath(folder);
    _wrmdir(path.c_str());
}

bool FileManager::DeleteFile(const std::wstring& path) { return _wremove(path.c_str()) == 0; }

bool FileManager::MoveFile(const std::wstring& source, const std::wstring& target, bool replace) {
    DWORD flags = MOVEFILE_WRITE_THROUGH;
    if (replace) flags |= MOVEFILE_REPLACE_EXISTING;
    return MoveFileExW(source.c_str(), target.c_str(), flags) != FALSE;
}

void FileManager::ListFilesOnDisk(const std::wstring& folder, const std::wstring& pattern, bool recursive,
                                  std::vector<std::wstring>& files) {
    if (folder.empty()) return;  // would list the root folder
    const std::wstring prefix = WithBackslash(folder);
    std::wstring wanted = pattern;
    MakeLower(wanted);
    if (wanted == L"*.*") wanted.clear();
    WalkFolder(prefix, [&](const std::wstring& name, bool isFolder) {
        if (isFolder) {
            if (recursive && !IsDotEntry(name)) ListFilesOnDisk(prefix + name, wanted, true, files);
        } else if (wanted.empty() || name.find(wanted) != std::wstring::npos) {
            files.push_back(prefix + name);
        }
    });
}

void FileManager::ListSubFolders(const std::wstring& folder, std::vector<std::wstring>& folders) {
    if (folder.empty()) return;
    const std::wstring prefix = WithBackslash(folder);
    WalkFolder(prefix, [&](const std::wstring& name, bool isFolder) {
        if (isFolder && !IsDotEntry(name)) folders.push_back(prefix + name);
    });
}

// ---- Data access: loose files and packs ----

FileManager::FileManager(const std::wstring& baseFolder, bool usePacks, const std::wstring& dataFolderName,
                         std::uint32_t packCacheLimit)
    : baseFolder_(baseFolder.empty() ? GetExecutableFolder() : baseFolder),
      dataFolder_(ToLower(dataFolderName) + L"\\") {
    // A manager made only to resolve paths may exist before any log.
    if (MessageManager* log = MessageManager::Instance()) log->PrintMessage("Initialization of File Manager...");
    if (!usePacks) return;
    OpenExecutablePack(packCacheLimit);
    OpenDataFolderPacks(packCacheLimit);
}

FileManager::~FileManager() {
    DeleteAllAndClear(packs_);
}

// GetAbsolutePath's rule with this manager's base folder: the constructor runs before
// the engine registers the manager.
std::wstring FileManager::Absolute(const std::wstring& path) const {
    return IsAbsolutePath(path) ? path : baseFolder_ + L"\\" + path;
}

void FileManager::OpenExecutablePack(std::uint32_t packCacheLimit) {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    const std::wstring executable(buffer, std::min<DWORD>(length, MAX_PATH - 1));

    // The executable ends with the pack, its length L as a u32 and "APC".
    std::uint32_t packLength = 0;
    std::uint32_t fileSize = 0;
    try {
        FileBinary file(executable);
        fileSize = file.GetSize();
        if (fileSize < 7) return;
        char trailer[7];
        file.Seek(0, static_cast<std::int32_t>(fileSize - 7));
        file.Read(trailer, 1, 7);
        if (std::memcmp(trailer + 4, "APC", 3) != 0) return;
        std::memcpy(&packLength, trailer, 4);
    } catch (const Error&) {
        return;  // no readable executable, no pack of its own
    }
    if (packLength > fileSize - 7) {
        PackFile::LogRefusal(executable, "Incorrect pack file format");
        return;
    }
    try {
        packs_.push_back(new PackFile(executable, fileSize - 7 - packLength, packLength, packCacheLimit));
    } catch (const Error&) {
        // The pack reader logged why; the game runs without the executable's pack.
    }
}

void FileManager::OpenDataFolderPacks(std::uint32_t packCacheLimit) {
    std::vector<std::wstring> packFiles;
    ListFilesOnDisk(Absolute(dataFolder_), L".pak", false, packFiles);
    // Name order fixes which of two packs holding the same name answers.
    std::sort(packFiles.begin(), packFiles.end());
    for (const std::wstring& packFile : packFiles) {
        try {
            packs_.push_back(new PackFile(packFile, 0, 0, packCacheLimit));
        } catch (const Error&) {
            // Logged by the pack reader; skipped.
        }
    }
}

FileBinary* FileManager::OpenFile(const std::wstring& path, bool write, std::uint32_t cacheLimit,
                                  int flushMode) const {
    if (write) {
        CreateFolders(Absolute(path));
        return new FileBinary(path, 1, 0, 0, nullptr, true, nullptr, 0, flushMode);
    }
    std::uint32_t size = 0;
    const std::uint8_t* memory = nullptr;
    bool ownsMemory = true;
    EngineFile* sharedFile = nullptr;
    std::uint32_t baseOffset = 0;
    // Without packs the disk answers anyway: no look before the opening.
    if (!packs_.empty() && !ExistsOnDisk(Absolute(path)) &&
        FindInPacks(path, &size, &memory, &ownsMemory, &sharedFile, &baseOffset))
        return new FileBinary(path, 0, cacheLimit, size, memory, ownsMemory, sharedFile, baseOffset);
    return new FileBinary(path, 0, cacheLimit);
}

FileTextual* FileManager::OpenTextFile(const std::wstring& path, int mode, TextEncoding encoding,
                                       int flushMode) const {
    return new FileTextual(OpenFile(path, mode != 0, kTextCacheLimit, flushMode), mode, encoding);
}

bool FileManager::Exists(const std::wstring& path) const {
    return ExistsOnDisk(Absolute(path)) || FindInPacks(path);
}

bool FileManager::FindInPacks(const std::wstring& path, std::uint32_t* size, const std::uint8_t** memory,
                              bool* ownsMemory, EngineFile** sharedFile, std::uint32_t* baseOffset) const {
    std::wstring name = ToLower(path);
    ReplaceAll(name, L"\\\\", L"\\");
    // Only paths below the data folder, written relative to the base folder, are packed.
    if (name.compare(0, dataFolder_.size(), dataFolder_) != 0) return false;
    name.erase(0, dataFolder_.size());

    for (const PackFile* pack : packs_) {
        if (!pack->Contains(name)) continue;
        if (size != nullptr) pack->GetSize(name, *size);
        if (memory != nullptr) pack->Locate(name, *memory, *ownsMemory, *sharedFile, *baseOffset);
        return true;
    }
    return false;
}

void FileManager::ListFiles(const std::wstring& folder, const std::wstring& pattern, bool recursive,
                            std::vector<std::wstring>& files) const {
    std::vector<std::wstring> found;
    const std::wstring absolute = Absolute(folder);
    ListFilesOnDisk(absolute, pattern, recursive, found);
    // Written like the folder the caller gave.
    const std::size_t prefix = absolute.size() - folder.size();
    for (std::wstring& file : found) file.erase(0, prefix);

    if (folder.compare(0, dataFolder_.size(), dataFolder_) == 0) {
        const std::wstring inPack = folder.substr(dataFolder_.size());
        std::vector<std::wstring> packed;
        for (const PackFile* pack : packs_) pack->ListFiles(inPack, pattern, recursive, packed);
        for (const std::wstring& name : packed) found.push_back(dataFolder_ + name);
    }

    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    files = std::move(found);
}

std::wstring FileManager::GetDataPath(const std::wstring& path) const {
    return IsAbsolutePath(path) ? path : dataFolder_ + path;
}

std::wstring FileManager::StripDataFolder(const std::wstring& path) const {
    return path.compare(0, dataFolder_.size(), dataFolder_) == 0 ? path.substr(dataFolder_.size()) : path;
}

}  // namespace Vantor
