#pragma once
// Finds the picture files of a stage's frames: the colour file by the first extension
// that exists, and for JPEG and BMP pictures (which hold no opacity) an "_alpha"
// picture beside it. A stage of numbered files asks for thousands of names in one
// folder, so the finder can list that folder once and answer from the listing instead
// of asking the disk for every candidate.

#include <string>
#include <unordered_set>

namespace Vantor {

class FileManager;

class FrameFileFinder {
public:
    // With listFolder, the folder of framePathSample is listed once, on disk and in the
    // packs; paths in other folders are still asked of the file manager.
    FrameFileFinder(const FileManager& files, const std::wstring& framePathSample, bool listFolder);

    // Whether a colour file was found; without one the colour path is the frame path
    // itself and the opacity path is left alone.
    bool Find(const std::wstring& framePath, std::wstring& colour, std::wstring& opacity) const;

private:
    // Whether framePath + suffix exists, from the listing when the frame lies in the
    // listed folder (lowerName: its file name lower-cased).
    bool Exists(bool inFolder, const std::wstring& framePath, const std::wstring& lowerName,
                const std::wstring& suffix) const;

    const FileManager& files_;
    bool listed_ = false;
    std::wstring folder_;
    // Lower-case names of the listed folder's files (disk and pack lookups ignore case).
    std::unordered_set<std::wstring> names_;
};

}  // namespace Vantor
