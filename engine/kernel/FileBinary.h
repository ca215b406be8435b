#pragma once
// Random-access byte stream over a disk file, a memory block or an entry of a pack
// file, and the binary field encodings every reader and writer of the program uses:
// little-endian numbers, length-prefixed narrow and wide strings, string lists.
//
// Reads and writes without the out parameter are strict and throw FileError when
// fewer bytes than requested move; with it they report the bytes moved instead.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Vantor {

class EngineFile;

class FileBinary {
public:
    // The four forms callers use:
    // - a disk file for writing: writeMode non-zero, flushMode as wanted;
    // - a pack entry held in memory: memory, size, ownsMemory false;
    // - a pack entry read through the pack's file: sharedFile, size, baseOffset,
    //   cacheLimit;
    // - a disk file for reading: only cacheLimit.
    // Files and shared entries no larger than cacheLimit are read whole into memory at
    // opening. Owned memory must come from new std::uint8_t[]. A relative path is put
    // behind the file manager's base folder. Throws FileError "Failed to open "...
    explicit FileBinary(const std::wstring& path, int writeMode = 0, std::uint32_t cacheLimit = 0,
                        std::uint32_t size = 0, const std::uint8_t* memory = nullptr, bool ownsMemory = true,
                        EngineFile* sharedFile = nullptr, std::uint32_t baseOffset = 0, int flushMode = 0);
    virtual ~FileBinary();
    FileBinary(const FileBinary&) = delete;
    FileBinary& operator=(const FileBinary&) = delete;

    // Reads elementSize * count bytes, fewer at the end of the stream.
    void Read(void* destination, std::uint32_t elementSize, std::uint32_t count,
              std::uint32_t* bytesRead = nullptr);
    // Writes elementSize * count bytes; only on a stream opened for writing.
    void Write(const void* source, std::uint32_t elementSize, std::uint32_t count,
               std::uint32_t* bytesWritten = nullptr);
    // Pushes what was written to the disk; throws FileError "Failed to flush " + quoted
    // path + " file" when the system fails to. Streams not writing to a disk file have
    // nothing to flush.
    void Flush();
    // origin 0 from the start, 1 back from the end, 2 relative to the position. The
    // position is kept on a byte of the stream (0 to size - 1); false when it had to be
    // corrected.
    bool Seek(int origin, std::int32_t offset);

    std::uint32_t GetSize() const { return size_; }
    std::uint32_t GetPosition() const { return position_; }
    int IsWriting() const { return writeMode_; }
    // The whole content when it is held in memory, else null.
    const std::uint8_t* GetMemory() const { return memory_; }
    // The disk file read or written through, else null (content in memory).
    EngineFile* GetFile() const { return file_; }
    const std::wstring& GetPath() const { return path_; }

    // Narrow string: length byte n = length + 1, the characters, a 0 byte. The reader
    // stores at most capacity - 1 characters and always terminates the buffer; a
    // buffer of 255 holds any stored string.
    void ReadString(char* buffer, std::size_t capacity);
    template <std::size_t N>
    void ReadString(char (&buffer)[N]) { ReadString(buffer, N); }
    void WriteString(const std::string& text);

    // Wide string: length byte n = length + 1, then n little-endian UTF-16 units, the
    // last one 0. A buffer of 255 units holds any stored string.
    void ReadWideString(wchar_t* buffer, std::size_t capacity);
    template <std::size_t N>
    void ReadWideString(wchar_t (&buffer)[N]) { ReadWideString(buffer, N); }
    void WriteWideString(const std::wstring& text);

    // String list: u32 count, then count narrow strings. A count of 0 leaves the
    // vector as it was.
    void ReadStringList(std::vector<std::string>& list);
    void WriteStringList(const std::vector<std::string>& list);

private:
    std::uint32_t BytesLeft() const { return position_ < size_ ? size_ - position_ : 0; }
    std::uint32_t ReadLength();
    std::string QuotedPath() const;

    std::wstring path_;
    EngineFile* file_ = nullptr;
    int writeMode_;
    std::uint32_t size_ = 0;
    std::uint32_t position_ = 0;
    const std::uint8_t* memory_ = nullptr;
    bool ownsMemory_ = true;
    bool sharedFile_ = false;
    std::uint32_t baseOffset_ = 0;
};

}  // namespace Vantor
