#include "engine/kernel/Registry.h"

#include "platform/WinRegistry.h"

namespace Vantor {

namespace {

constexpr DWORD kValueBufferBytes = 8192;  // 4096 UTF-16 units

}  // namespace

bool ReadRegistryString(const std::wstring& keyPath, const std::wstring& valueName, std::wstring& value) {
    return ReadRegistryStringFrom(3, keyPath, valueName, value) || ReadRegistryStringFrom(2, keyPath, valueName, value);
}

bool ReadRegistryStringFrom(int rootCode, const std::wstring& keyPath, const std::wstring& valueName,
                            std::wstring& value) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(GetRegistryRootKey(rootCode), keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    BYTE buffer[kValueBufferBytes];
    DWORD type = 0;
    DWORD size = sizeof(buffer);
    const LSTATUS status = RegQueryValueExW(key, valueName.c_str(), nullptr, &type, buffer, &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ) return false;
    // The text ends at its first 0 unit, or with the bytes the call returned when the
    // value was stored without one.
    std::wstring text;
    for (DWORD i = 0; i + 1 < size && i + 1 < sizeof(buffer); i += 2) {
        const wchar_t unit = static_cast<wchar_t>(buffer[i] | (buffer[i + 1] << 8));
        if (unit == 0) break;
        text += unit;
    }
    value = text;
    return true;
}

HKEY GetRegistryRootKey(int rootCode) {
    switch (rootCode) {
    case 0: return HKEY_CLASSES_ROOT;
    case 1: return HKEY_CURRENT_CONFIG;
    case 3: return HKEY_LOCAL_MACHINE;
    case 4: return HKEY_USERS;
    default: return HKEY_CURRENT_USER;
    }
}

}  // namespace Vantor
