#include "platform/WinCrtFiles.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Utf.h"

namespace {

struct Search {
    std::vector<_wfinddata_t> entries;
    size_t next = 0;
};

std::map<intptr_t, Search>& Searches() {
    static std::map<intptr_t, Search> searches;
    return searches;
}

intptr_t& LastSearchId() {
    static intptr_t id = 0;
    return id;
}

std::optional<std::string> HostOrError(const wchar_t* path) {
    if (!path) {
        errno = EINVAL;
        return std::nullopt;
    }
    std::optional<std::string> host = platform::ToHostPath(path);
    if (!host) errno = ENOENT;
    return host;
}

// Wildcard match of folded names: '*' any run, '?' any one unit.
bool Matches(const std::wstring& pattern, const std::wstring& name) {
    size_t p = 0, n = 0, starP = std::wstring::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == L'?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == L'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::wstring::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') ++p;
    return p == pattern.size();
}

bool MatchesWindowsPattern(const std::wstring& pattern, const std::wstring& name) {
    std::wstring foldedPattern = platform::FoldCase(pattern);
    std::wstring foldedName = platform::FoldCase(name);
    if (Matches(foldedPattern, foldedName)) return true;
    // "x.*" also matches "x", as on Windows ("*.*" therefore matches everything).
    if (foldedPattern.size() >= 2 && foldedPattern.ends_with(L".*") && foldedName.find(L'.') == std::wstring::npos)
        return Matches(foldedPattern.substr(0, foldedPattern.size() - 2), foldedName);
    return false;
}

bool Describe(const std::string& hostPath, const std::wstring& name, _wfinddata_t& data) {
    if (name.size() >= MAX_PATH) return false;
    struct stat info;
    if (stat(hostPath.c_str(), &info) != 0) return false;
    data = {};
    data.attrib = S_ISDIR(info.st_mode) ? _A_SUBDIR : _A_ARCH;
    data.time_create = info.st_ctime;
    data.time_access = info.st_atime;
    data.time_write = info.st_mtime;
    data.size = S_ISDIR(info.st_mode) ? 0 : static_cast<uint32_t>(std::min<uint64_t>(info.st_size, UINT32_MAX));
    std::copy(name.begin(), name.end(), data.name);
    data.name[name.size()] = 0;
    return true;
}

std::vector<_wfinddata_t> ListMatches(const std::string& folder, const std::wstring& pattern) {
    struct Entry {
        std::string hostName;
        std::wstring name;
        std::wstring folded;
    };
    std::vector<_wfinddata_t> found;
    DIR* dir = opendir(folder.c_str());
    if (!dir) return found;
    std::vector<Entry> entries;
    while (dirent* entry = readdir(dir)) {
        std::string hostName = entry->d_name;
        if (hostName == "." || hostName == "..") continue;
        std::wstring name = platform::Utf8ToUtf16(hostName);
        entries.push_back({hostName, name, platform::FoldCase(name)});
    }
    closedir(dir);
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.folded != b.folded ? a.folded < b.folded : a.name < b.name;
    });
    entries.insert(entries.begin(), {Entry{".", L".", L"."}, Entry{"..", L"..", L".."}});
    for (const Entry& entry : entries) {
        _wfinddata_t data;
        if (MatchesWindowsPattern(pattern, entry.name) && Describe(folder + "/" + entry.hostName, entry.name, data))
            found.push_back(data);
    }
    return found;
}

}  // namespace

FILE* _wfopen(const wchar_t* path, const wchar_t* mode) {
    std::optional<std::string> host = HostOrError(path);
    if (!host || !mode) {
        if (!mode) errno = EINVAL;
        return nullptr;
    }
    std::string narrowMode;
    for (const wchar_t* m = mode; *m; ++m)
        if (*m != L't') narrowMode += static_cast<char>(*m);
    struct stat info;
    if (stat(host->c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        errno = EACCES;  // Windows refuses to open a folder as a stream
        return nullptr;
    }
    return std::fopen(host->c_str(), narrowMode.c_str());
}

int _waccess(const wchar_t* path, int mode) {
    if (mode != 0 && mode != 2 && mode != 4 && mode != 6) {
        errno = EINVAL;
        return -1;
    }
    std::optional<std::string> host = HostOrError(path);
    if (!host) return -1;
    int how = mode == 0 ? F_OK : ((mode & 2) ? W_OK : 0) | ((mode & 4) ? R_OK : 0);
    return access(host->c_str(), how) == 0 ? 0 : -1;
}

int _wremove(const wchar_t* path) {
    std::optional<std::string> host = HostOrError(path);
    if (!host) return -1;
    if (unlink(host->c_str()) == 0) return 0;
    if (errno == EISDIR) errno = EACCES;  // a folder is not a file for the Windows run-time
    return -1;
}

int _wrmdir(const wchar_t* path) {
    std::optional<std::string> host = HostOrError(path);
    if (!host) return -1;
    return rmdir(host->c_str()) == 0 ? 0 : -1;
}

intptr_t _wfindfirst(const wchar_t* pattern, _wfinddata_t* data) {
    if (!pattern || !data) {
        errno = EINVAL;
        return -1;
    }
    std::wstring spec = pattern;
    size_t separator = spec.find_last_of(L"\\/");
    std::wstring folder = separator == std::wstring::npos ? L"." : spec.substr(0, separator + 1);
    std::wstring namePattern = separator == std::wstring::npos ? spec : spec.substr(separator + 1);
    std::optional<std::string> host = platform::ToHostPath(folder);
    Search search;
    if (host && !namePattern.empty()) search.entries = ListMatches(*host, namePattern);
    if (search.entries.empty()) {
        errno = ENOENT;
        return -1;
    }
    *data = search.entries[0];
    search.next = 1;
    intptr_t id = ++LastSearchId();
    Searches()[id] = std::move(search);
    return id;
}

int _wfindnext(intptr_t handle, _wfinddata_t* data) {
    auto it = Searches().find(handle);
    if (it == Searches().end() || !data) {
        errno = EINVAL;
        return -1;
    }
    Search& search = it->second;
    if (search.next >= search.entries.size()) {
        errno = ENOENT;
        return -1;
    }
    *data = search.entries[search.next++];
    return 0;
}

int _findclose(intptr_t handle) {
    if (Searches().erase(handle) == 0) {
        errno = EINVAL;
        return -1;
    }
    return 0;
}
