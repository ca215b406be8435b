#pragma once
// Windows paths on the Linux file system.
//
// The system builds Windows paths: backslashes (slashes work too), a drive letter or
// a leading backslash for absolute paths, letter case ignored. Here the drive "Z:\"
// is the root "/", and each component of a path is matched without regard to case
// when no entry has the exact name. Components that exist nowhere are kept as given
// (so a new file or folder gets the name it was created with) and end the matching:
// nothing below a missing folder can exist. "." and ".." are resolved on the text,
// as Windows does before it reaches the file system. Another drive letter or a
// network path ("\\server\...") names nothing here.

#include <optional>
#include <string>

#include "platform/WinTypes.h"

constexpr DWORD MAX_PATH = 260;

namespace platform {

// The Linux path of a Windows path; none for an empty path, a network path or a
// drive other than Z:. A relative path stays relative to the working folder.
std::optional<std::string> ToHostPath(const std::wstring& windowsPath);
// The same path with every component as written, without a look at the file system:
// what ToHostPath answers whenever that path exists.
std::optional<std::string> ToExactHostPath(const std::wstring& windowsPath);

// The Windows form of a Linux path: "/a/b" becomes "Z:\a\b".
std::wstring ToWindowsPath(const std::string& hostPath);

// The key under which two names are the same name for Windows (upper-cased units).
std::wstring FoldCase(const std::wstring& name);

}  // namespace platform
