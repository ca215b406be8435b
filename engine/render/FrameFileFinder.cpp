#include "engine/render/FrameFileFinder.h"

#include <vector>

#include "engine/kernel/FileManager.h"
#include "engine/kernel/StringHelpers.h"

namespace Vantor {

FrameFileFinder::FrameFileFinder(const FileManager& files, bool listFolders)
    : files_(files), listFolders_(listFolders) {}

const FrameFileFinder::Names& FrameFileFinder::NamesIn(const std::wstring& folder) const {
    const auto [entry, added] = listings_.try_emplace(folder);
    if (added) {
        std::vector<std::wstring> paths;
        files_.ListFiles(folder, L"", false, paths);
        for (const std::wstring& path : paths) entry->second.insert(ToLower(FileManager::GetFileName(path)));
    }
    return entry->second;
}

bool FrameFileFinder::Exists(const Names* listing, const std::wstring& framePath, const std::wstring& lowerName,
                             const std::wstring& suffix) const {
    return listing != nullptr ? listing->count(lowerName + suffix) != 0 : files_.Exists(framePath + suffix);
}

bool FrameFileFinder::Find(const std::wstring& framePath, std::wstring& colour, std::wstring& opacity) const {
    static const wchar_t* const kColourExtensions[] = {L".dds", L".jpg", L".tga", L".bmp", L".png"};
    static const wchar_t* const kOpacityExtensions[] = {L".jpg", L".tga", L".bmp"};

    colour = framePath;
    const Names* listing = listFolders_ ? &NamesIn(FileManager::GetFolder(framePath)) : nullptr;
    const std::wstring lowerName = listing != nullptr ? ToLower(FileManager::GetFileName(framePath)) : std::wstring();
    const wchar_t* found = nullptr;
    for (const wchar_t* extension : kColourExtensions) {
        if (Exists(listing, framePath, lowerName, extension)) {
            colour = framePath + extension;
            found = extension;
            break;
        }
    }
    if (found == nullptr) return false;
    if (std::wstring(found) != L".jpg" && std::wstring(found) != L".bmp") return true;
    for (const wchar_t* extension : kOpacityExtensions) {
        const std::wstring suffix = std::wstring(L"_alpha") + extension;
        if (Exists(listing, framePath, lowerName, suffix)) {
            opacity = framePath + suffix;
            break;
        }
    }
    return true;
}

}  // namespace Vantor
