#include "engine/render/FrameFileFinder.h"

#include <vector>

#include "engine/kernel/FileManager.h"
#include "engine/kernel/StringHelpers.h"

namespace Vantor {

FrameFileFinder::FrameFileFinder(const FileManager& files, const std::wstring& framePathSample, bool listFolder)
    : files_(files), folder_(FileManager::GetFolder(framePathSample)) {
    if (!listFolder || folder_.empty()) return;
    std::vector<std::wstring> paths;
    FileManager::ListFilesOnDisk(FileManager::GetAbsolutePath(folder_), L"", false, paths);
    for (const std::wstring& path : paths) names_.insert(FileManager::GetFileName(path));
    listed_ = true;
}

bool FrameFileFinder::Exists(const std::wstring& path) const {
    if (!listed_ || FileManager::GetFolder(path) != folder_) return files_.Exists(path);
    return names_.count(ToLower(FileManager::GetFileName(path))) != 0 || files_.FindInPacks(path);
}

bool FrameFileFinder::Find(const std::wstring& framePath, std::wstring& colour, std::wstring& opacity) const {
    static const wchar_t* const kColourExtensions[] = {L".dds", L".jpg", L".tga", L".bmp", L".png"};
    static const wchar_t* const kOpacityExtensions[] = {L".jpg", L".tga", L".bmp"};

    colour = framePath;
    const wchar_t* found = nullptr;
    for (const wchar_t* extension : kColourExtensions) {
        if (Exists(framePath + extension)) {
            colour = framePath + extension;
            found = extension;
            break;
        }
    }
    if (found == nullptr) return false;
    if (std::wstring(found) != L".jpg" && std::wstring(found) != L".bmp") return true;
    for (const wchar_t* extension : kOpacityExtensions) {
        const std::wstring candidate = framePath + L"_alpha" + extension;
        if (Exists(candidate)) {
            opacity = candidate;
            break;
        }
    }
    return true;
}

}  // namespace Vantor
