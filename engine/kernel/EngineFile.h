#pragma once
// A disk file behind a Win32 file handle: opened for reading or for writing, with
// optional write-through flushing. Vantor::FileBinary is its only user.

#include <cstdint>
#include <string>

#include "platform/WinTypes.h"

namespace Vantor {

class EngineFile {
public:
    // Thrown by the constructor when the file cannot be opened; FileBinary turns it
    // into its "Failed to open" FileError.
    struct OpenFailure {};

    // accessMode: 0 or 1 read an existing file, 2 or 3 create (or truncate) a file for
    // writing. flushMode: 0 plain; 1 write-through, flushed when the file is closed;
    // 2 write-through, flushed after every write.
    EngineFile(const std::wstring& path, int accessMode, int flushMode);
    virtual ~EngineFile();
    EngineFile(const EngineFile&) = delete;
    EngineFile& operator=(const EngineFile&) = delete;

    // The file pointer.
    int Tell() const;
    // origin 0 from the start, 1 from the end, 2 from the current place; any other
    // origin leaves the pointer. Returns the new file pointer.
    int Seek(int origin, std::int32_t offset);

    // One read or write call; the optional out parameter receives the bytes moved.
    void Read(void* data, std::uint32_t count, std::uint32_t* bytesRead = nullptr);
    void Write(const void* data, std::uint32_t count, std::uint32_t* bytesWritten = nullptr);
    // Pushes every write made so far to the disk; false when the system fails to.
    bool Flush();

    // Size at opening for reading, 0 for writing.
    std::uint32_t GetSize() const { return size_; }
    const std::wstring& GetPath() const { return path_; }

private:
    bool IsWriting() const { return accessMode_ >= 2; }

    std::wstring path_;
    int accessMode_;
    int flushMode_;
    std::uint32_t size_ = 0;
    HANDLE handle_ = nullptr;
    bool unflushed_ = false;  // writes since the last flush, which closing must flush
};

}  // namespace Vantor
