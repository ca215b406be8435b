#include "platform/WinFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <optional>
#include <string>

#include "platform/FailureInjection.h"
#include "platform/WinError.h"
#include "platform/WinPaths.h"

namespace {

class OpenFile : public platform::KernelObject {
public:
    OpenFile(int descriptor, bool canRead, bool canWrite, bool writeThrough)
        : descriptor_(descriptor), canRead_(canRead), canWrite_(canWrite), writeThrough_(writeThrough) {}
    ~OpenFile() override {
        if (canWrite_ && writeThrough_) fdatasync(descriptor_);
        close(descriptor_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    int Descriptor() const { return descriptor_; }
    bool CanRead() const { return canRead_; }
    bool CanWrite() const { return canWrite_; }

private:
    int descriptor_;
    bool canRead_;
    bool canWrite_;
    bool writeThrough_;
};

BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

std::string ParentFolder(const std::string& host) {
    std::string::size_type slash = host.rfind('/');
    return slash == std::string::npos ? "." : (slash == 0 ? "/" : host.substr(0, slash));
}

// ENOENT means a missing file when the folder exists, else a missing path.
DWORD MissingError(const std::string& host) {
    struct stat info;
    std::string parent = ParentFolder(host);
    return (stat(parent.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

DWORD ErrorOfOpen(int error, const std::string& host) {
    return error == ENOENT ? MissingError(host) : platform::ErrorFromErrno(error);
}

OpenFile* FileOf(HANDLE handle) {
    OpenFile* file = platform::FindHandleOf<OpenFile>(handle);
    if (!file) SetLastError(ERROR_INVALID_HANDLE);
    return file;
}

}  // namespace

HANDLE CreateFileW(LPCWSTR path, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD disposition,
                   DWORD flagsAndAttributes, HANDLE) {
    if (!path) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    if (platform::ShouldFail("CreateFileW")) {
        SetLastError(ERROR_GEN_FAILURE);
        return INVALID_HANDLE_VALUE;
    }
    std::optional<std::string> host = platform::ToHostPath(path);
    if (!host) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    const bool canRead = (access & GENERIC_READ) != 0;
    const bool canWrite = (access & GENERIC_WRITE) != 0;
    int flags = canRead && canWrite ? O_RDWR : canWrite ? O_WRONLY : O_RDONLY;
    switch (disposition) {
    case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS: flags |= O_CREAT | O_TRUNC; break;
    case OPEN_EXISTING: break;
    case OPEN_ALWAYS: flags |= O_CREAT; break;
    case TRUNCATE_EXISTING:
        if (!canWrite) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return INVALID_HANDLE_VALUE;
        }
        flags |= O_TRUNC;
        break;
    default: SetLastError(ERROR_INVALID_PARAMETER); return INVALID_HANDLE_VALUE;
    }

    struct stat before;
    const bool existed = stat(host->c_str(), &before) == 0;
    if (existed && S_ISDIR(before.st_mode)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    int descriptor = open(host->c_str(), flags | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        int error = errno;
        SetLastError(error == EEXIST ? ERROR_FILE_EXISTS : ErrorOfOpen(error, *host));
        return INVALID_HANDLE_VALUE;
    }
    const bool writeThrough = (flagsAndAttributes & FILE_FLAG_WRITE_THROUGH) != 0;
    HANDLE handle = platform::AddHandle(std::make_unique<OpenFile>(descriptor, canRead, canWrite, writeThrough));
    const bool reportsExisting = disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS;
    SetLastError(reportsExisting && existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

BOOL ReadFile(HANDLE handle, LPVOID buffer, DWORD toRead, DWORD* read, LPOVERLAPPED overlapped) {
    if (read) *read = 0;
    OpenFile* file = FileOf(handle);
    if (!file) return FALSE;
    if (overlapped || (!buffer && toRead > 0)) return Fail(ERROR_INVALID_PARAMETER);
    if (!file->CanRead()) return Fail(ERROR_ACCESS_DENIED);
    if (platform::ShouldFail("ReadFile")) return Fail(ERROR_GEN_FAILURE);
    DWORD done = 0;
    while (done < toRead) {
        ssize_t n = ::read(file->Descriptor(), static_cast<char*>(buffer) + done, toRead - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            if (read) *read = done;
            return Fail(platform::ErrorFromErrno(errno));
        }
        if (n == 0) break;
        done += static_cast<DWORD>(n);
    }
    if (read) *read = done;
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL WriteFile(HANDLE handle, LPCVOID buffer, DWORD toWrite, DWORD* written, LPOVERLAPPED overlapped) {
    if (written) *written = 0;
    OpenFile* file = FileOf(handle);
    if (!file) return FALSE;
    if (overlapped || (!buffer && toWrite > 0)) return Fail(ERROR_INVALID_PARAMETER);
    if (!file->CanWrite()) return Fail(ERROR_ACCESS_DENIED);
    if (platform::ShouldFail("WriteFile")) return Fail(ERROR_GEN_FAILURE);
    DWORD done = 0;
    while (done < toWrite) {
        ssize_t n = ::write(file->Descriptor(), static_cast<const char*>(buffer) + done, toWrite - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (written) *written = done;
            return Fail(n < 0 ? platform::ErrorFromErrno(errno) : ERROR_DISK_FULL);
        }
        done += static_cast<DWORD>(n);
    }
    if (written) *written = done;
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

DWORD SetFilePointer(HANDLE handle, LONG distance, LONG* distanceHigh, DWORD moveMethod) {
    OpenFile* file = FileOf(handle);
    if (!file) return INVALID_SET_FILE_POINTER;
    int64_t offset = distanceHigh ? static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(*distanceHigh)) << 32) |
                                                         static_cast<uint32_t>(distance))
                                  : distance;
    int64_t base = 0;
    if (moveMethod == FILE_CURRENT) {
        base = lseek(file->Descriptor(), 0, SEEK_CUR);
    } else if (moveMethod == FILE_END) {
        struct stat info;
        base = fstat(file->Descriptor(), &info) == 0 ? info.st_size : -1;
    } else if (moveMethod != FILE_BEGIN) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    if (base < 0) {
        SetLastError(platform::ErrorFromErrno(errno));
        return INVALID_SET_FILE_POINTER;
    }
    int64_t target = base + offset;
    if (target < 0) {
        SetLastError(ERROR_NEGATIVE_SEEK);
        return INVALID_SET_FILE_POINTER;
    }
    if (!distanceHigh && target > 0xFFFFFFFELL) {
        // The 32-bit form cannot report such a position.
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    if (lseek(file->Descriptor(), target, SEEK_SET) < 0) {
        SetLastError(platform::ErrorFromErrno(errno));
        return INVALID_SET_FILE_POINTER;
    }
    if (distanceHigh) *distanceHigh = static_cast<LONG>(target >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(target & 0xFFFFFFFF);
}

DWORD GetFileSize(HANDLE handle, DWORD* sizeHigh) {
    OpenFile* file = FileOf(handle);
    if (!file) return INVALID_FILE_SIZE;
    struct stat info;
    if (fstat(file->Descriptor(), &info) != 0) {
        SetLastError(platform::ErrorFromErrno(errno));
        return INVALID_FILE_SIZE;
    }
    uint64_t size = static_cast<uint64_t>(info.st_size);
    if (sizeHigh) *sizeHigh = static_cast<DWORD>(size >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(size & 0xFFFFFFFF);
}

BOOL FlushFileBuffers(HANDLE handle) {
    OpenFile* file = FileOf(handle);
    if (!file) return FALSE;
    if (!file->CanWrite()) return Fail(ERROR_ACCESS_DENIED);
    if (platform::ShouldFail("FlushFileBuffers")) return Fail(ERROR_GEN_FAILURE);
    if (fdatasync(file->Descriptor()) != 0) return Fail(platform::ErrorFromErrno(errno));
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL MoveFileExW(LPCWSTR existing, LPCWSTR target, DWORD flags) {
    if (!existing || !target) return Fail(ERROR_INVALID_PARAMETER);
    if (platform::ShouldFail("MoveFileExW")) return Fail(ERROR_GEN_FAILURE);
    std::optional<std::string> from = platform::ToHostPath(existing);
    std::optional<std::string> to = platform::ToHostPath(target);
    if (!from || !to) return Fail(ERROR_PATH_NOT_FOUND);
    struct stat info;
    if (stat(from->c_str(), &info) != 0) return Fail(ErrorOfOpen(errno, *from));
    if (stat(to->c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) return Fail(ERROR_ACCESS_DENIED);
        if (!(flags & MOVEFILE_REPLACE_EXISTING)) return Fail(ERROR_ALREADY_EXISTS);
    }
    if (rename(from->c_str(), to->c_str()) != 0) return Fail(ErrorOfOpen(errno, *to));
    if (flags & MOVEFILE_WRITE_THROUGH) {
        int descriptor = open(ParentFolder(*to).c_str(), O_RDONLY | O_DIRECTORY);
        if (descriptor < 0) return Fail(platform::ErrorFromErrno(errno));
        bool synced = fsync(descriptor) == 0;
        int error = errno;
        close(descriptor);
        if (!synced) return Fail(platform::ErrorFromErrno(error));
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL CreateDirectoryW(LPCWSTR path, LPSECURITY_ATTRIBUTES) {
    if (!path) return Fail(ERROR_INVALID_PARAMETER);
    if (platform::ShouldFail("CreateDirectoryW")) return Fail(ERROR_GEN_FAILURE);
    std::optional<std::string> host = platform::ToHostPath(path);
    if (!host) return Fail(ERROR_PATH_NOT_FOUND);
    if (mkdir(host->c_str(), 0777) != 0) {
        int error = errno;
        return Fail(error == ENOENT || error == ENOTDIR ? ERROR_PATH_NOT_FOUND : platform::ErrorFromErrno(error));
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}
