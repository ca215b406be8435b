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

// The C run-time's buffer sizes of the parts of a path, terminator included.
constexpr int _MAX_DRIVE = 3;
constexpr int _MAX_DIR = 256;
constexpr int _MAX_FNAME = 256;
constexpr int _MAX_EXT = 256;

// Splits a path into drive ("X:" or empty), folder (up to and including the last
// backslash or slash), file name and extension (from the last point of the name on).
// Each part goes to its buffer when one is given, cut to the part's _MAX_ size - 1
// units; nothing of the path is looked up.
void _wsplitpath(const wchar_t* path, wchar_t* drive, wchar_t* dir, wchar_t* fname, wchar_t* ext);

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
