#pragma once
// Finds the picture files of a stage's frames: the colour file by the first extension
// that exists, and for JPEG and BMP pictures (which hold no opacity) an "_alpha"
// picture beside it. A stage of numbered files asks for thousands of names, so the
// finder can list each folder the frames lie in once and answer from the listings
// instead of asking the disk for every candidate. The frame number takes the last
// characters of the path, so a short name puts the frames in a folder above its own.

#include <string>
#include <unordered_map>
#include <unordered_set>

namespace Vantor {

class FileManager;

class FrameFileFinder {
public:
    // With listFolders, each folder a frame lies in is listed once, on disk and in the
    // packs; without, every candidate is asked of the file manager.
    FrameFileFinder(const FileManager& files, bool listFolders);

    // Whether a colour file was found; without one the colour path is the frame path
    // itself and the opacity path is left alone.
    bool Find(const std::wstring& framePath, std::wstring& colour, std::wstring& opacity) const;

private:
    using Names = std::unordered_set<std::wstring>;

    // Lower-case names of the folder's files (disk and pack lookups ignore case),
    // listed on the first question about the folder.
    const Names& NamesIn(const std::wstring& folder) const;
    // Whether framePath + suffix exists, from the listing of the frame's folder when
    // there is one (lowerName: the frame's file name lower-cased).
    bool Exists(const Names* listing, const std::wstring& framePath, const std::wstring& lowerName,
                const std::wstring& suffix) const;

    const FileManager& files_;
    const bool listFolders_;
    mutable std::unordered_map<std::wstring, Names> listings_;
};

}  // namespace Vantor
