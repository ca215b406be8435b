#pragma once
// kernel32 file calls over Linux file descriptors, with Windows paths (WinPaths.h).
//
// Each call sets the last error (WinError.h). Sharing modes are accepted and not
// enforced, but a file opened only for reading without FILE_SHARE_WRITE, which no one
// may write while it is open, keeps its size at opening for GetFileSize and is read
// through a read-ahead block (small reads cost no system call each). Write-through files are flushed (fdatasync) at FlushFileBuffers and when
// they are closed, not after every write. Failure injection names: "CreateFileW",
// "ReadFile", "WriteFile", "FlushFileBuffers", "MoveFileExW", "CreateDirectoryW" (the
// call fails with ERROR_GEN_FAILURE; an injected WriteFile writes nothing and answers
// FALSE, an injected MoveFileExW moves nothing).

#include "platform/WinHandles.h"
#include "platform/WinTypes.h"

// Never constructed here: callers pass null for both.
struct SECURITY_ATTRIBUTES;
struct OVERLAPPED;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;
using LPOVERLAPPED = OVERLAPPED*;

constexpr DWORD GENERIC_READ = 0x80000000u;
constexpr DWORD GENERIC_WRITE = 0x40000000u;

constexpr DWORD FILE_SHARE_READ = 0x1;
constexpr DWORD FILE_SHARE_WRITE = 0x2;
constexpr DWORD FILE_SHARE_DELETE = 0x4;

constexpr DWORD CREATE_NEW = 1;
constexpr DWORD CREATE_ALWAYS = 2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD OPEN_ALWAYS = 4;
constexpr DWORD TRUNCATE_EXISTING = 5;

constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD FILE_FLAG_WRITE_THROUGH = 0x80000000u;

constexpr DWORD FILE_BEGIN = 0;
constexpr DWORD FILE_CURRENT = 1;
constexpr DWORD FILE_END = 2;

constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFFu;
constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFFu;

// Dispositions with their Windows meanings: CREATE_ALWAYS and OPEN_ALWAYS set the last
// error to ERROR_ALREADY_EXISTS when the file was there (CREATE_ALWAYS truncates it);
// CREATE_NEW fails with ERROR_FILE_EXISTS; OPEN_EXISTING and TRUNCATE_EXISTING fail with
// ERROR_FILE_NOT_FOUND (ERROR_PATH_NOT_FOUND when the folder is missing). A folder
// cannot be opened (ERROR_ACCESS_DENIED). INVALID_HANDLE_VALUE on failure.
HANDLE CreateFileW(LPCWSTR path, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                   DWORD disposition, DWORD flagsAndAttributes, HANDLE templateFile);

// Reading at the end of the file succeeds with 0 bytes read.
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, DWORD* read, LPOVERLAPPED overlapped);
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, DWORD* written, LPOVERLAPPED overlapped);

// Without a high part the distance is a signed 32-bit value. Returns the new position's
// low 32 bits; INVALID_SET_FILE_POINTER with ERROR_NEGATIVE_SEEK before the start.
DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD moveMethod);
DWORD GetFileSize(HANDLE file, DWORD* sizeHigh);
BOOL FlushFileBuffers(HANDLE file);

constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x1;
constexpr DWORD MOVEFILE_WRITE_THROUGH = 0x8;

// Renames a file, atomically when it replaces another. Without MOVEFILE_REPLACE_EXISTING
// an existing target fails with ERROR_ALREADY_EXISTS; a folder is never replaced
// (ERROR_ACCESS_DENIED). MOVEFILE_WRITE_THROUGH returns only once the target's folder
// has reached the disk.
BOOL MoveFileExW(LPCWSTR existing, LPCWSTR target, DWORD flags);

// ERROR_ALREADY_EXISTS when the name exists, ERROR_PATH_NOT_FOUND when the parent does not.
BOOL CreateDirectoryW(LPCWSTR path, LPSECURITY_ATTRIBUTES security);
