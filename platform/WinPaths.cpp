#include "platform/WinPaths.h"

#include <dirent.h>
#include <locale.h>
#include <sys/stat.h>

#include <algorithm>
#include <cwctype>
#include <string_view>
#include <vector>

#include "platform/Utf.h"

namespace {

locale_t UnicodeLocale() {
    static locale_t loc = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    return loc;
}

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

// The entry of `folder` whose name equals `name` without regard to case; the first
// in byte order when several do, so the choice never depends on the listing order.
std::optional<std::string> FindIgnoringCase(const std::string& folder, const std::wstring& name) {
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return std::nullopt;
    const std::wstring key = platform::FoldCase(name);
    std::optional<std::string> best;
    while (dirent* entry = readdir(dir)) {
        std::string candidate = entry->d_name;
        if (platform::FoldCase(platform::Utf8ToUtf16(candidate)) != key) continue;
        if (!best || candidate < *best) best = candidate;
    }
    closedir(dir);
    return best;
}

// Splits the part after the root into components, resolving "." and ".." on the text.
std::vector<std::wstring> Components(const std::wstring& rest, bool absolute) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = rest.find(L'\\', start);
        if (end == std::wstring::npos) end = rest.size();
        std::wstring part = rest.substr(start, end - start);
        start = end + 1;
        if (part.empty() || part == L".") continue;
        if (part == L"..") {
            if (!parts.empty() && parts.back() != L"..") parts.pop_back();
            else if (!absolute) parts.push_back(part);
            continue;
        }
        parts.push_back(part);
    }
    return parts;
}

struct SplitPath {
    std::string root;  // "/" for an absolute path, empty for a relative one
    std::vector<std::wstring> parts;
};

// The root and the components of a Windows path; none when it names nothing here.
std::optional<SplitPath> Split(const std::wstring& windowsPath) {
    if (windowsPath.empty()) return std::nullopt;
    std::wstring path = windowsPath;
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    if (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\') return std::nullopt;

    SplitPath split;
    std::wstring rest = path;
    if (path.size() >= 2 && path[1] == L':') {
        if (path[0] != L'Z' && path[0] != L'z') return std::nullopt;
        split.root = "/";
        rest = path.substr(2);
    } else if (path[0] == L'\\') {
        split.root = "/";
    }
    split.parts = Components(rest, !split.root.empty());
    return split;
}

// The host path with every component as written.
std::string ExactOf(const SplitPath& split) {
    std::string exact = split.root;
    for (const std::wstring& part : split.parts) exact = Join(exact, platform::Utf16ToUtf8(part));
    return exact.empty() ? "." : exact;
}

}  // namespace

namespace platform {

std::wstring FoldCase(const std::wstring& name) {
    std::wstring folded = name;
    for (wchar_t& unit : folded) {
        if (unit >= 0xD800 && unit <= 0xDFFF) continue;  // surrogate halves stay as they are
        unit = static_cast<wchar_t>(towupper_l(static_cast<wint_t>(unit), UnicodeLocale()));
    }
    return folded;
}

std::optional<std::string> ToExactHostPath(const std::wstring& windowsPath) {
    const std::optional<SplitPath> split = Split(windowsPath);
    if (!split) return std::nullopt;
    return ExactOf(*split);
}

std::optional<std::string> ToHostPath(const std::wstring& windowsPath) {
    const std::optional<SplitPath> split = Split(windowsPath);
    if (!split) return std::nullopt;
    // The path as written usually exists: one look at it spares a look at each folder.
    const std::string exact = ExactOf(*split);
    struct stat exactInfo;
    if (lstat(exact.c_str(), &exactInfo) == 0) return exact;

    std::string host = split->root;
    bool matching = true;
    for (const std::wstring& part : split->parts) {
        std::string name = Utf16ToUtf8(part);
        if (matching && part != L"..") {
            struct stat info;
            if (lstat(Join(host, name).c_str(), &info) != 0) {
                std::optional<std::string> found = FindIgnoringCase(host, part);
                if (found) name = *found;
                else matching = false;
            }
        }
        host = Join(host, name);
    }
    if (host.empty()) host = ".";
    return host;
}

std::wstring ToWindowsPath(const std::string& hostPath) {
    std::wstring path = Utf8ToUtf16(hostPath);
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    if (!path.empty() && path[0] == L'\\') path = L"Z:" + path;
    return path;
}

}  // namespace platform

namespace {

void CopyPart(std::wstring_view part, wchar_t* buffer, int size) {
    if (!buffer) return;
    size_t length = std::min(part.size(), static_cast<size_t>(size - 1));
    part.copy(buffer, length);
    buffer[length] = 0;
}

}  // namespace

void _wsplitpath(const wchar_t* path, wchar_t* drive, wchar_t* dir, wchar_t* fname, wchar_t* ext) {
    std::wstring_view rest = path ? path : L"";
    std::wstring_view drivePart;
    if (rest.size() >= 2 && rest[1] == L':') {
        drivePart = rest.substr(0, 2);
        rest.remove_prefix(2);
    }
    size_t folderEnd = rest.find_last_of(L"\\/");
    std::wstring_view folderPart = folderEnd == std::wstring_view::npos ? std::wstring_view() : rest.substr(0, folderEnd + 1);
    rest.remove_prefix(folderPart.size());
    size_t point = rest.find_last_of(L'.');
    std::wstring_view namePart = point == std::wstring_view::npos ? rest : rest.substr(0, point);
    CopyPart(drivePart, drive, _MAX_DRIVE);
    CopyPart(folderPart, dir, _MAX_DIR);
    CopyPart(namePart, fname, _MAX_FNAME);
    CopyPart(rest.substr(namePart.size()), ext, _MAX_EXT);
}
