#include "platform/WinRegistry.h"

#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <vector>

#include "platform/FailureInjection.h"
#include "platform/Utf.h"
#include "platform/WinError.h"
#include "platform/WinFolders.h"
#include "platform/WinPaths.h"

namespace {

struct Value {
    DWORD type;
    std::vector<BYTE> bytes;
};

// Values of one key by folded name.
using Values = std::map<std::wstring, Value>;

struct OpenKey {
    std::wstring path;  // folded full path, root name first
    Values values;
};

std::map<HKEY, std::unique_ptr<OpenKey>>& OpenKeys() {
    static std::map<HKEY, std::unique_ptr<OpenKey>> keys;
    return keys;
}

std::optional<std::wstring> RootName(HKEY key) {
    if (key == HKEY_CLASSES_ROOT) return L"HKEY_CLASSES_ROOT";
    if (key == HKEY_CURRENT_USER) return L"HKEY_CURRENT_USER";
    if (key == HKEY_LOCAL_MACHINE) return L"HKEY_LOCAL_MACHINE";
    if (key == HKEY_USERS) return L"HKEY_USERS";
    if (key == HKEY_CURRENT_CONFIG) return L"HKEY_CURRENT_CONFIG";
    return std::nullopt;
}

std::string Trim(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// A key path in the form the store is searched by: folded, without doubled or
// surrounding backslashes.
std::wstring KeyPath(const std::wstring& path) {
    std::wstring clean;
    for (wchar_t c : path) {
        if (c == L'\\' && (clean.empty() || clean.back() == L'\\')) continue;
        clean += c;
    }
    if (!clean.empty() && clean.back() == L'\\') clean.pop_back();
    return platform::FoldCase(clean);
}

std::optional<Value> ParseValue(const std::string& typed) {
    size_t colon = typed.find(':');
    if (colon == std::string::npos) return std::nullopt;
    std::string type = typed.substr(0, colon);
    std::string data = typed.substr(colon + 1);
    if (type == "sz") {
        std::wstring text = platform::Utf8ToUtf16(data);
        Value value{REG_SZ, {}};
        for (wchar_t unit : text) {
            value.bytes.push_back(static_cast<BYTE>(unit & 0xFF));
            value.bytes.push_back(static_cast<BYTE>((unit >> 8) & 0xFF));
        }
        value.bytes.insert(value.bytes.end(), {0, 0});
        return value;
    }
    if (type == "dword") {
        const std::string digits = Trim(data);
        char* end = nullptr;
        unsigned long long number = std::strtoull(digits.c_str(), &end, 0);
        if (digits.empty() || *end != 0 || number > 0xFFFFFFFFull) return std::nullopt;
        Value value{REG_DWORD, {}};
        for (int shift = 0; shift < 32; shift += 8) value.bytes.push_back(static_cast<BYTE>(number >> shift));
        return value;
    }
    if (type.starts_with("hex(") && type.ends_with(")")) {
        char* end = nullptr;
        std::string code = type.substr(4, type.size() - 5);
        unsigned long typeCode = std::strtoul(code.c_str(), &end, 0);
        if (code.empty() || *end != 0) return std::nullopt;
        Value value{static_cast<DWORD>(typeCode), {}};
        std::stringstream bytes(data);
        std::string item;
        while (std::getline(bytes, item, ',')) {
            item = Trim(item);
            if (item.empty()) continue;
            unsigned long byte = std::strtoul(item.c_str(), &end, 16);
            if (*end != 0 || byte > 0xFF) return std::nullopt;
            value.bytes.push_back(static_cast<BYTE>(byte));
        }
        return value;
    }
    return std::nullopt;
}

// The store's keys by folded path. Every key above a written one exists too.
std::map<std::wstring, Values> LoadStore() {
    std::map<std::wstring, Values> keys;
    std::string path = platform::RegistryStorePath();
    if (path.empty()) return keys;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    Values* current = nullptr;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#') continue;
        if (trimmed.front() == '[' && trimmed.back() == ']') {
            std::wstring key = KeyPath(platform::Utf8ToUtf16(trimmed.substr(1, trimmed.size() - 2)));
            for (size_t at = key.find(L'\\'); at != std::wstring::npos; at = key.find(L'\\', at + 1))
                keys.try_emplace(key.substr(0, at));
            current = &keys[key];
            continue;
        }
        size_t equals = line.find('=');
        if (!current || equals == std::string::npos) continue;
        std::optional<Value> value = ParseValue(line.substr(equals + 1));
        if (value) (*current)[platform::FoldCase(platform::Utf8ToUtf16(Trim(line.substr(0, equals))))] = *value;
    }
    return keys;
}

std::optional<std::wstring> PathOf(HKEY key) {
    if (std::optional<std::wstring> root = RootName(key)) return platform::FoldCase(*root);
    auto it = OpenKeys().find(key);
    if (it == OpenKeys().end()) return std::nullopt;
    return it->second->path;
}

}  // namespace

LSTATUS RegOpenKeyExW(HKEY parent, LPCWSTR subKey, DWORD, REGSAM, PHKEY result) {
    if (!result) return static_cast<LSTATUS>(ERROR_INVALID_PARAMETER);
    *result = nullptr;
    std::optional<std::wstring> parentPath = PathOf(parent);
    if (!parentPath) return static_cast<LSTATUS>(ERROR_INVALID_HANDLE);
    if (platform::ShouldFail("RegOpenKeyExW")) return static_cast<LSTATUS>(ERROR_ACCESS_DENIED);
    std::wstring path = KeyPath(*parentPath + L"\\" + (subKey ? subKey : L""));
    std::map<std::wstring, Values> store = LoadStore();
    auto found = store.find(path);
    const bool isRoot = path.find(L'\\') == std::wstring::npos;
    if (found == store.end() && !isRoot) return static_cast<LSTATUS>(ERROR_FILE_NOT_FOUND);
    auto key = std::make_unique<OpenKey>();
    key->path = path;
    if (found != store.end()) key->values = std::move(found->second);
    HKEY handle = reinterpret_cast<HKEY>(key.get());
    OpenKeys()[handle] = std::move(key);
    *result = handle;
    return static_cast<LSTATUS>(ERROR_SUCCESS);
}

LSTATUS RegQueryValueExW(HKEY key, LPCWSTR valueName, DWORD*, DWORD* type, BYTE* data, DWORD* dataSize) {
    auto it = OpenKeys().find(key);
    if (it == OpenKeys().end()) {
        // The predefined roots hold values too; look them up without keeping a key open.
        HKEY opened = nullptr;
        if (!RootName(key)) return static_cast<LSTATUS>(ERROR_INVALID_HANDLE);
        LSTATUS status = RegOpenKeyExW(key, nullptr, 0, KEY_READ, &opened);
        if (status != static_cast<LSTATUS>(ERROR_SUCCESS)) return status;
        status = RegQueryValueExW(opened, valueName, nullptr, type, data, dataSize);
        RegCloseKey(opened);
        return status;
    }
    if (data && !dataSize) return static_cast<LSTATUS>(ERROR_INVALID_PARAMETER);
    const Values& values = it->second->values;
    auto value = values.find(platform::FoldCase(valueName ? valueName : L""));
    if (value == values.end()) return static_cast<LSTATUS>(ERROR_FILE_NOT_FOUND);
    const std::vector<BYTE>& bytes = value->second.bytes;
    if (type) *type = value->second.type;
    if (!dataSize) return static_cast<LSTATUS>(ERROR_SUCCESS);
    const DWORD needed = static_cast<DWORD>(bytes.size());
    if (data && *dataSize < needed) {
        *dataSize = needed;
        return static_cast<LSTATUS>(ERROR_MORE_DATA);
    }
    if (data) std::copy(bytes.begin(), bytes.end(), data);
    *dataSize = needed;
    return static_cast<LSTATUS>(ERROR_SUCCESS);
}

LSTATUS RegCloseKey(HKEY key) {
    if (RootName(key)) return static_cast<LSTATUS>(ERROR_SUCCESS);
    return static_cast<LSTATUS>(OpenKeys().erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE);
}

namespace platform {

std::string RegistryStorePath() {
    std::optional<std::string> folder = UserDataFolder(false);
    return folder ? *folder + "/morvane-registry.txt" : std::string();
}

}  // namespace platform

namespace platform::seam {

size_t OpenRegistryKeyCount() { return OpenKeys().size(); }

}  // namespace platform::seam
