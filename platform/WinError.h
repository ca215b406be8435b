#pragma once
// kernel32's per-thread last-error code, and the ERROR_ codes the layer reports
// beyond the ones in WinTypes.h.

#include "platform/WinTypes.h"

constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_HANDLE_EOF = 38;
constexpr DWORD ERROR_FILE_EXISTS = 80;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_DISK_FULL = 112;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
constexpr DWORD ERROR_NEGATIVE_SEEK = 131;
constexpr DWORD ERROR_DIR_NOT_EMPTY = 145;
constexpr DWORD ERROR_FILENAME_EXCED_RANGE = 206;
constexpr DWORD ERROR_DIRECTORY = 267;
constexpr DWORD ERROR_GEN_FAILURE = 31;

DWORD GetLastError();
void SetLastError(DWORD code);

namespace platform {

// The Windows error code closest to a POSIX errno value.
DWORD ErrorFromErrno(int error);

}  // namespace platform
