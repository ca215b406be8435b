#pragma once
// advapi32 registry reads over a small text store.
//
// The store is the UTF-8 text file RegistryStorePath() in the user-data folder
// (WinFolders.h); without it every key is missing. It is read afresh by each
// RegOpenKeyExW, so a test can write it and then query. Its format:
//
//   ; a comment (also "#"); blank lines are ignored
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Maker\Game]
//   InstallPath=sz:Z:\games\game
//   Version=dword:102
//   Raw=hex(1):61,00,62,00
//
// A section names a key by its root and path; a key also exists when only keys below
// it are written. Each value line is a name, "=", a type and ":" and the data: "sz"
// text up to the end of the line (stored as UTF-16 with a terminating 0 unit), "dword"
// a decimal or 0x-prefixed number, "hex(T)" comma-separated bytes stored as they are
// under the type number T (so a string without terminator can be written). Key and
// value names are matched without regard to case. A malformed line is ignored.

#include <string>

#include "platform/WinTypes.h"

using LSTATUS = LONG;
using REGSAM = DWORD;
using PHKEY = HKEY*;

inline const HKEY HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000000u));
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000001u));
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000002u));
inline const HKEY HKEY_USERS = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000003u));
inline const HKEY HKEY_CURRENT_CONFIG = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000005u));

constexpr REGSAM KEY_READ = 0x20019;

constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_DWORD = 4;

// ERROR_FILE_NOT_FOUND for a key that is not in the store; ERROR_INVALID_HANDLE for an
// unknown parent. Failure injection name "RegOpenKeyExW".
LSTATUS RegOpenKeyExW(HKEY parent, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result);

// The value's type and bytes as stored. With a null data pointer only the size is
// given; a buffer too small gets ERROR_MORE_DATA and the needed size. Strings come back
// exactly as stored: a terminator is never added. A null name is the empty name.
// ERROR_FILE_NOT_FOUND for a missing value.
LSTATUS RegQueryValueExW(HKEY key, LPCWSTR valueName, DWORD* reserved, DWORD* type, BYTE* data, DWORD* dataSize);

LSTATUS RegCloseKey(HKEY key);

namespace platform {

// The Linux path of the store, or an empty text when there is no user-data folder.
std::string RegistryStorePath();

}  // namespace platform

namespace platform::seam {

// Keys opened and not yet closed.
size_t OpenRegistryKeyCount();

}  // namespace platform::seam
