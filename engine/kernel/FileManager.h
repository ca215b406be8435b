#pragma once
// The engine's file manager. It turns the paths used throughout the program into
// streams: game content below the data folder comes from loose files or, when none
// is there, from pack files (the pack appended to the executable first, then the
// data folder's ".pak" files in name order). Pack names are matched without regard
// to case.
//
// It also holds the base folder and the path rules and folder helpers that every
// subsystem uses; most of them need no instance, so they serve before the manager
// exists (the log, streams opened by an absolute path, the game framework's start-up).
//
// Paths are wide strings with backslashes. A path is absolute when it has at least two
// characters and begins with two backslashes or has a colon as its second character;
// every other path is relative to the base folder.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/kernel/GlobalPointerHolder.h"

namespace Vantor {

class EngineFile;
class FileBinary;
class FileTextual;
class PackFile;
enum class TextEncoding : int;

class FileManager : public GlobalPointerHolder<FileManager> {
public:
    static constexpr std::uint32_t kDefaultPackCacheLimit = 0x1000000;
    static constexpr std::uint32_t kTextCacheLimit = 0x100000;

    // An empty base folder means the executable's folder. With usePacks the pack
    // appended to the executable and the data folder's pack files are opened; packs up
    // to packCacheLimit bytes are held in memory. A pack that fails is logged and left out.
    explicit FileManager(const std::wstring& baseFolder, bool usePacks = false,
                         const std::wstring& dataFolderName = L"data",
                         std::uint32_t packCacheLimit = kDefaultPackCacheLimit);
    // Streams handed out over pack entries must be deleted before the manager.
    virtual ~FileManager();
    FileManager(const FileManager&) = delete;
    FileManager& operator=(const FileManager&) = delete;

    const std::wstring& GetBaseFolder() const { return baseFolder_; }
    // The data folder name lower-cased, with a backslash ("data\").
    const std::wstring& GetDataFolder() const { return dataFolder_; }

    // A new stream, owned by the caller. Writing creates the path's folders first and
    // never goes to a pack; reading takes the loose file when there is one, else the
    // pack entry. Throws FileError "Failed to open " + quoted path + " file".
    FileBinary* OpenFile(const std::wstring& path, bool write, std::uint32_t cacheLimit, int flushMode) const;
    // A text file over OpenFile (cache limit 1 MB); mode 0 reads, 1 writes.
    FileTextual* OpenTextFile(const std::wstring& path, int mode, TextEncoding encoding, int flushMode) const;
    // On disk or in a pack.
    bool Exists(const std::wstring& path) const;
    // Looks a path below the data folder up in the packs, in their order. Fills the
    // size when asked for it, and the stream parameters (see FileBinary) when memory is
    // asked for.
    bool FindInPacks(const std::wstring& path, std::uint32_t* size = nullptr, const std::uint8_t** memory = nullptr,
                     bool* ownsMemory = nullptr, EngineFile** sharedFile = nullptr,
                     std::uint32_t* baseOffset = nullptr) const;
    // The files below a folder on disk and, for a folder below the data folder, in the
    // packs; written like the folder given, sorted, each once.
    void ListFiles(const std::wstring& folder, const std::wstring& pattern, bool recursive,
                   std::vector<std::wstring>& files) const;

    // An absolute path kept; otherwise data folder + path.
    std::wstring GetDataPath(const std::wstring& path) const;
    // The path without a leading data folder (compared case-sensitively).
    std::wstring StripDataFolder(const std::wstring& path) const;

    static bool IsAbsolutePath(const std::wstring& path);
    // An absolute path unchanged; a relative one behind the base folder and a backslash.
    // Only a relative path needs the instance; without one the executable's folder
    // stands in for the base folder.
    static std::wstring GetAbsolutePath(const std::wstring& path);

    // The executable's path up to its last backslash.
    static std::wstring GetExecutableFolder();
    // The user's application-data folder, or the executable's folder when there is none.
    static std::wstring GetUserDataFolder();

    // The text before the last backslash; empty without one.
    static std::wstring GetFolder(const std::wstring& path);
    // The text after the last backslash; the whole path without one.
    static std::wstring GetFileName(const std::wstring& path);
    // The text after the last point anywhere in the path ('a.b\c' gives 'b\c').
    static std::wstring GetExtension(const std::wstring& path);
    // Replaces the text after the last point, removes it (with the point) for an empty
    // extension, or appends "." + extension when the path has no point.
    static void ChangeExtension(std::wstring& path, const std::wstring& extension);
    static bool HasExtension(const std::wstring& path, const std::wstring& extension);
    // folder + "\" + path with each ".." taking the folder before it away.
    static std::wstring CombinePath(const std::wstring& folder, const std::wstring& path);

    static bool ExistsOnDisk(const std::wstring& path);
    // Creates every folder named before the path's last backslash.
    static void CreateFolders(const std::wstring& path);
    // Deletes a file, or a folder with everything below it.
    static void DeletePath(const std::wstring& path);
    // Deletes a file; a folder or a missing path is left alone. False when nothing was
    // deleted.
    static bool DeleteFile(const std::wstring& path);
    // Renames a file within its disk and waits until the target's folder has reached
    // it. With replace an existing target file is replaced in one step, so the target
    // is at every moment either the old or the new file; without, an existing target
    // makes it fail. A folder is never replaced. False when nothing was renamed.
    static bool MoveFile(const std::wstring& source, const std::wstring& target, bool replace);
    // Appends folder + "\" + lower-cased name of each file whose lower-cased name holds
    // the pattern ("*.*" or empty: every file), walking sub-folders when recursive.
    static void ListFilesOnDisk(const std::wstring& folder, const std::wstring& pattern, bool recursive,
                                std::vector<std::wstring>& files);
    // Appends folder + "\" + lower-cased name of each sub-folder.
    static void ListSubFolders(const std::wstring& folder, std::vector<std::wstring>& folders);

private:
    std::wstring Absolute(const std::wstring& path) const;
    void OpenExecutablePack(std::uint32_t packCacheLimit);
    void OpenDataFolderPacks(std::uint32_t packCacheLimit);

    std::wstring baseFolder_;
    std::wstring dataFolder_;
    std::vector<PackFile*> packs_;
};

}  // namespace Vantor
