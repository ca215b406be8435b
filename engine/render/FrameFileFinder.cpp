#include "engine/render/FrameFileFinder.h"

#include <vector>

#include "engine/kernel/FileManager.h"
#include "engine/kernel/StringHelpers.h"

namespace Vantor {

FrameFileFinder::FrameFileFinder(const FileManager& files, const std::wstring& framePathSample, bool listFolder)
    : files_(files), folder_(FileManager::GetFolder(framePathSample)) {
    if (!listFolder || folder_.empty()) return;
    std::vector<std::wstring> paths;
    files.ListFiles(folder_, L"", false, paths);
    for (const std::wstring& path : paths) names_.insert(ToLower(FileManager::GetFileName(path)));
    listed_ = true;
}

bool FrameFileFinder::Exists(bool inFolder, const std::wstring& framePath, const std::wstring& lowerName,
                             const std::wstring& suffix) const {
    return inFolder ? names_.count(lowerName + suffix) != 0 : files_.Exists(framePath + suffix);
}

bool FrameFileFinder::Find(const std::wstring& framePath, std::wstring& colour, std::wstring& opacity) const {
    static const wchar_t* const kColourExtensions[] = {L".dds", L".jpg", L".tga", L".bmp", L".png"};
    static const wchar_t* const kOpacityExtensions[] = {L".jpg", L".tga", L".bmp"};

    colour = framePath;
    // The listing answers only for paths in its own folder.
    const bool inFolder = listed_ && FileManager::GetFolder(framePath) == folder_;
    const std::wstring lowerName = inFolder ? ToLower(FileManager::GetFileName(framePath)) : std::wstring();
    const wchar_t* found = nullptr;
    for (const wchar_t* extension : kColourExtensions) {
        if (Exists(inFolder, framePath, lowerName, extension)) {
            colour = framePath + extension;
            found = extension;
            break;
        }
    }
    if (found == nullptr) return false;
    if (std::wstring(found) != L".jpg" && std::wstring(found) != L".bmp") return true;
    for (const wchar_t* extension : kOpacityExtensions) {
        const std::wstring suffix = std::wstring(L"_alpha") + extension;
        if (Exists(inFolder, framePath, lowerName, suffix)) {
            opacity = framePath + suffix;
            break;
        }
    }
    return true;
}

}  // namespace Vantor
