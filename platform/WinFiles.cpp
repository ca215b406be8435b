#include "platform/WinFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "platform/FailureInjection.h"
#include "platform/WinError.h"
#include "platform/WinPaths.h"

namespace {

class OpenFile : public platform::KernelObject {
public:
    // steadySize: the file's size when no one may change the file while it is open.
    // Such a file is read through a read-ahead block, as the system's file cache makes
    // small reads cheap on Windows, and its file pointer is kept here.
    OpenFile(int descriptor, bool canRead, bool canWrite, bool writeThrough, std::optional<std::uint64_t> steadySize)
        : descriptor_(descriptor), canRead_(canRead), canWrite_(canWrite), writeThrough_(writeThrough),
          steadySize_(steadySize) {}
    ~OpenFile() override {
        if (canWrite_ && writeThrough_) fdatasync(descriptor_);
        close(descriptor_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    int Descriptor() const { return descriptor_; }
    bool CanRead() const { return canRead_; }
    bool CanWrite() const { return canWrite_; }

    // Reads up to count bytes at the file pointer and moves the pointer past them.
    // The bytes read (0 at the end of the file), or -1 with errno set.
    ssize_t Read(char* data, std::size_t count) {
        if (!steadySize_) return ::read(descriptor_, data, count);
        if (pointer_ < blockStart_ || pointer_ >= blockStart_ + blockLength_) {
            const std::size_t capacity = BlockCapacity();
            if (count >= capacity) {  // straight to the caller
                const ssize_t got = ReadAt(data, count);
                if (got > 0) pointer_ += static_cast<std::uint64_t>(got);
                return got;
            }
            if (!block_) block_ = std::make_unique<char[]>(capacity);
            const ssize_t got = ReadAt(block_.get(), capacity);
            if (got <= 0) return got;
            blockStart_ = pointer_;
            blockLength_ = static_cast<std::size_t>(got);
        }
        const std::size_t moved = std::min<std::size_t>(count, blockStart_ + blockLength_ - pointer_);
        std::memcpy(data, block_.get() + (pointer_ - blockStart_), moved);
        pointer_ += moved;
        return static_cast<ssize_t>(moved);
    }

    // The file pointer, or -1 with errno set.
    std::int64_t Pointer() const {
        return steadySize_ ? static_cast<std::int64_t>(pointer_) : lseek(descriptor_, 0, SEEK_CUR);
    }
    bool MovePointer(std::int64_t target) {
        if (!steadySize_) return lseek(descriptor_, target, SEEK_SET) >= 0;
        pointer_ = static_cast<std::uint64_t>(target);
        return true;
    }
    // The size, or -1 with errno set.
    std::int64_t Size() const {
        if (steadySize_) return static_cast<std::int64_t>(*steadySize_);
        struct stat info;
        return fstat(descriptor_, &info) == 0 ? info.st_size : -1;
    }

private:
    static constexpr std::uint64_t kReadAheadBytes = 64 * 1024;

    std::size_t BlockCapacity() const {
        return static_cast<std::size_t>(std::clamp<std::uint64_t>(*steadySize_, 1, kReadAheadBytes));
    }
    ssize_t ReadAt(char* data, std::size_t count) const {
        return pread(descriptor_, data, count, static_cast<off_t>(pointer_));
    }

    int descriptor_;
    bool canRead_;
    bool canWrite_;
    bool writeThrough_;
    std::optional<std::uint64_t> steadySize_;
    std::uint64_t pointer_ = 0;
    std::unique_ptr<char[]> block_;
    std::uint64_t blockStart_ = 0;
    std::size_t blockLength_ = 0;
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

// Opens a file the disposition creates when it is missing; the last error tells
// whether it was there. -1 on failure, with the last error set.
int OpenToCreate(const std::string& host, int flags, bool reportsExisting) {
    struct stat before;
    const bool existed = stat(host.c_str(), &before) == 0;
    if (existed && S_ISDIR(before.st_mode)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return -1;
    }
    const int descriptor = open(host.c_str(), flags | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        const int error = errno;
        SetLastError(error == EEXIST ? ERROR_FILE_EXISTS : ErrorOfOpen(error, host));
        return -1;
    }
    SetLastError(reportsExisting && existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return descriptor;
}

// Opens a file that must exist, and gives its size. The path as written usually
// exists and is tried first: a file opened costs no look before it. Only when it is
// missing are the components matched without regard to case. -1 on failure, with the
// last error set.
int OpenExisting(const wchar_t* path, const std::string& exact, int flags, std::optional<std::uint64_t>& size) {
    std::string host = exact;
    int descriptor = open(host.c_str(), flags | O_CLOEXEC);
    int error = errno;
    if (descriptor < 0 && (error == ENOENT || error == ENOTDIR)) {
        host = platform::ToHostPath(path).value_or(exact);
        if (host != exact) {
            descriptor = open(host.c_str(), flags | O_CLOEXEC);
            error = errno;
        }
    }
    if (descriptor < 0) {
        SetLastError(ErrorOfOpen(error, host));
        return -1;
    }
    struct stat info;
    if (fstat(descriptor, &info) != 0 || S_ISDIR(info.st_mode)) {
        close(descriptor);
        SetLastError(ERROR_ACCESS_DENIED);
        return -1;
    }
    size = static_cast<std::uint64_t>(info.st_size);
    SetLastError(ERROR_SUCCESS);
    return descriptor;
}

OpenFile* FileOf(HANDLE handle) {
    OpenFile* file = platform::FindHandleOf<OpenFile>(handle);
    if (!file) SetLastError(ERROR_INVALID_HANDLE);
    return file;
}

}  // namespace

HANDLE CreateFileW(LPCWSTR path, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES, DWORD disposition,
                   DWORD flagsAndAttributes, HANDLE) {
    if (!path) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    if (platform::ShouldFail("CreateFileW")) {
        SetLastError(ERROR_GEN_FAILURE);
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

    const bool creates = (flags & O_CREAT) != 0;
    const std::optional<std::string> host = creates ? platform::ToHostPath(path) : platform::ToExactHostPath(path);
    if (!host) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    std::optional<std::uint64_t> size;
    const bool reportsExisting = disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS;
    const int descriptor = creates ? OpenToCreate(*host, flags, reportsExisting) : OpenExisting(path, *host, flags, size);
    if (descriptor < 0) return INVALID_HANDLE_VALUE;
    // Without FILE_SHARE_WRITE no one else may write the file while this handle is open.
    if (canWrite || (shareMode & FILE_SHARE_WRITE) != 0) size.reset();
    const bool writeThrough = (flagsAndAttributes & FILE_FLAG_WRITE_THROUGH) != 0;
    return platform::AddHandle(std::make_unique<OpenFile>(descriptor, canRead, canWrite, writeThrough, size));
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
        ssize_t n = file->Read(static_cast<char*>(buffer) + done, toRead - done);
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
        base = file->Pointer();
    } else if (moveMethod == FILE_END) {
        base = file->Size();
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
    if (!file->MovePointer(target)) {
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
    const std::int64_t size = file->Size();
    if (size < 0) {
        SetLastError(platform::ErrorFromErrno(errno));
        return INVALID_FILE_SIZE;
    }
    if (sizeHigh) *sizeHigh = static_cast<DWORD>(static_cast<std::uint64_t>(size) >> 32);
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
