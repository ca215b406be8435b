#pragma once
// Reading string values from the registry, as the game framework reads its
// installation key.

#include <string>

#include "platform/WinTypes.h"

namespace Vantor {

// The REG_SZ value from HKEY_LOCAL_MACHINE, else from HKEY_CURRENT_USER.
bool ReadRegistryString(const std::wstring& keyPath, const std::wstring& valueName, std::wstring& value);

// The REG_SZ value under one root (see GetRegistryRootKey). False for a missing key or
// value, a value of another type or a failed read; the value is then left alone.
bool ReadRegistryStringFrom(int rootCode, const std::wstring& keyPath, const std::wstring& valueName,
                            std::wstring& value);

// 0 HKEY_CLASSES_ROOT, 1 HKEY_CURRENT_CONFIG, 2 HKEY_CURRENT_USER, 3 HKEY_LOCAL_MACHINE,
// 4 HKEY_USERS, any other code HKEY_CURRENT_USER.
HKEY GetRegistryRootKey(int rootCode);

}  // namespace Vantor
