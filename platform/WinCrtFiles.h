#pragma once
// The Windows C run-time's wide file calls, with Windows paths (WinPaths.h).
//
// _wfopen accepts the text-mode letter "t" and, as nothing the system writes through
// these streams contains a line break, does no line-end translation. _wremove removes
// files only, never folders; _wrmdir removes empty folders. The find calls list ".",
// "..", then the folder's entries sorted without regard to case, each tested against
// the pattern's last component ("*" and "?" wildcards, case ignored, "*.*" and a
// trailing ".*" also matching names without a point).

#include <cstdint>
#include <cstdio>

#include "platform/WinPaths.h"

constexpr unsigned _A_NORMAL = 0x00;
constexpr unsigned _A_RDONLY = 0x01;
constexpr unsigned _A_SUBDIR = 0x10;
constexpr unsigned _A_ARCH = 0x20;

struct _wfinddata_t {
    unsigned attrib;
    int64_t time_create;
    int64_t time_access;
    int64_t time_write;
    uint32_t size;
    wchar_t name[MAX_PATH];
};

FILE* _wfopen(const wchar_t* path, const wchar_t* mode);

// Mode 0 existence, 2 write, 4 read, 6 both; 0 when allowed, else -1 with errno set.
int _waccess(const wchar_t* path, int mode);

// 0 when the file was removed, else -1 with errno set.
int _wremove(const wchar_t* path);
// 0 when the empty folder was removed, else -1 with errno set (ENOTEMPTY when it holds
// anything).
int _wrmdir(const wchar_t* path);

// A search handle, or -1 with errno ENOENT when nothing matches.
intptr_t _wfindfirst(const wchar_t* pattern, _wfinddata_t* data);
// 0 with the next entry, or -1 with errno ENOENT after the last one.
int _wfindnext(intptr_t handle, _wfinddata_t* data);
int _findclose(intptr_t handle);
