#include "engine/kernel/FileBinary.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>

#include "engine/kernel/EngineFile.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/StringHelpers.h"

namespace Vantor {

namespace {

constexpr std::size_t kMaxStringLength = 254;

// Reads `size` bytes from `offset` of a file into a new block, checking that every
// byte arrived.
std::unique_ptr<std::uint8_t[]> ReadBlock(EngineFile& file, std::uint32_t offset, std::uint32_t size,
                                          const std::string& quotedPath) {
    auto block = std::make_unique<std::uint8_t[]>(size);
    std::uint32_t got = 0;
    if (file.Seek(0, static_cast<std::int32_t>(offset)) == static_cast<int>(offset))
        file.Read(block.get(), size, &got);
    if (got != size)
        throw FileError("Failed to read " + ToString(static_cast<unsigned int>(size), 0) + " bytes from " +
                        quotedPath + " file");
    return block;
}

}  // namespace

FileBinary::FileBinary(const std::wstring& path, int writeMode, std::uint32_t cacheLimit, std::uint32_t size,
                       const std::uint8_t* memory, bool ownsMemory, EngineFile* sharedFile,
                       std::uint32_t baseOffset, int flushMode)
    : path_(path), writeMode_(writeMode) {
    auto openDisk = [&](int accessMode, int diskFlushMode) {
        try {
            return std::make_unique<EngineFile>(FileManager::GetAbsolutePath(path_), accessMode, diskFlushMode);
        } catch (const EngineFile::OpenFailure&) {
            throw FileError("Failed to open " + QuotedPath() + " file");
        }
    };

    if (writeMode_ != 0) {
        file_ = openDisk(2, flushMode).release();
    } else if (memory != nullptr) {
        memory_ = memory;
        size_ = size;
        ownsMemory_ = ownsMemory;
        sharedFile_ = true;
    } else if (sharedFile != nullptr) {
        sharedFile_ = true;
        size_ = size;
        baseOffset_ = baseOffset;
        if (size_ <= cacheLimit)
            memory_ = ReadBlock(*sharedFile, baseOffset_, size_, QuotedPath()).release();
        else
            file_ = sharedFile;
    } else {
        std::unique_ptr<EngineFile> file = openDisk(0, 0);
        size_ = file->GetSize();
        if (size_ <= cacheLimit)
            memory_ = ReadBlock(*file, 0, size_, QuotedPath()).release();
        else
            file_ = file.release();
    }
}

FileBinary::~FileBinary() {
    if (ownsMemory_) delete[] memory_;
    if (!sharedFile_) delete file_;
}

void FileBinary::Read(void* destination, std::uint32_t elementSize, std::uint32_t count,
                      std::uint32_t* bytesRead) {
    if (elementSize == 0 || count == 0) {
        if (bytesRead != nullptr) *bytesRead = 0;
        return;
    }
    const std::uint64_t requested = std::uint64_t{elementSize} * count;
    std::uint32_t moved = static_cast<std::uint32_t>(std::min<std::uint64_t>(requested, BytesLeft()));
    if (moved > 0) {
        if (file_ != nullptr) {
            if (sharedFile_) {
                const int wanted = static_cast<int>(baseOffset_ + position_);
                if (file_->Tell() != wanted) file_->Seek(0, wanted);
            }
            std::uint32_t got = 0;
            file_->Read(destination, moved, &got);
            moved = got;
        } else {
            std::memcpy(destination, memory_ + position_, moved);
        }
    }
    position_ += moved;

    if (bytesRead != nullptr) {
        *bytesRead = moved;
        return;
    }
    if (moved < requested)
        throw FileError("Failed to read " + ToString(static_cast<unsigned int>(count), 0) + " bytes from " +
                        QuotedPath() + " file");
}

void FileBinary::Write(const void* source, std::uint32_t elementSize, std::uint32_t count,
                       std::uint32_t* bytesWritten) {
    if (elementSize == 0 || count == 0) {
        if (bytesWritten != nullptr) *bytesWritten = 0;
        return;
    }
    const std::uint64_t requested = std::uint64_t{elementSize} * count;
    std::uint32_t moved = 0;
    // A reading stream has nothing to write to: the write simply moves no bytes.
    if (writeMode_ != 0 && file_ != nullptr && requested <= std::numeric_limits<std::uint32_t>::max())
        file_->Write(source, static_cast<std::uint32_t>(requested), &moved);
    position_ += moved;
    size_ = std::max(size_, position_);

    if (bytesWritten != nullptr) {
        *bytesWritten = moved;
        return;
    }
    if (moved < requested)
        throw FileError("Failed to write " + ToString(static_cast<unsigned int>(count), 0) + " bytes from " +
                        QuotedPath() + " file");
}

void FileBinary::Flush() {
    if (writeMode_ == 0 || file_ == nullptr) return;
    if (!file_->Flush()) throw FileError("Failed to flush " + QuotedPath() + " file");
}

bool FileBinary::Seek(int origin, std::int32_t offset) {
    bool inside = true;
    std::int64_t position = position_;
    switch (origin) {
        case 0:
            position = offset;
            break;
        case 1:
            if (static_cast<std::int64_t>(size_) < offset) {
                position = 0;
                inside = false;
            } else {
                position = static_cast<std::int64_t>(size_) - offset;
            }
            break;
        case 2:
            position += offset;
            break;
        default:
            break;
    }
    if (position < 0) {
        position = 0;
        inside = false;
    }
    if (size_ > 0 && position > static_cast<std::int64_t>(size_) - 1) {
        position = size_ - 1;
        inside = false;
    }
    if (position > std::numeric_limits<std::uint32_t>::max()) {
        position = std::numeric_limits<std::uint32_t>::max();
        inside = false;
    }
    position_ = static_cast<std::uint32_t>(position);

    // A shared file is repositioned by the next read instead.
    if (file_ != nullptr && !sharedFile_) file_->Seek(0, static_cast<std::int32_t>(position_));
    return inside;
}

std::uint32_t FileBinary::ReadLength() {
    std::uint8_t length = 0;
    Read(&length, 1, 1);
    return length;
}

void FileBinary::ReadString(char* buffer, std::size_t capacity) {
    if (capacity > 0) buffer[0] = 0;
    const std::uint32_t stored = ReadLength();
    char bytes[255];
    Read(bytes, 1, stored);
    if (capacity == 0) return;
    // The stored terminator ends the text; a missing one is supplied.
    std::size_t length = std::find(bytes, bytes + stored, '\0') - bytes;
    length = std::min(length, capacity - 1);
    std::memcpy(buffer, bytes, length);
    buffer[length] = 0;
}

void FileBinary::WriteString(const std::string& text) {
    const std::size_t length = std::strlen(text.c_str());
    if (length > kMaxStringLength)
        throw FileError("Failed to write a text of " + ToString(static_cast<unsigned int>(length), 0) +
                        " characters to " + QuotedPath() + " file");
    std::uint8_t bytes[256];
    bytes[0] = static_cast<std::uint8_t>(length + 1);
    std::memcpy(bytes + 1, text.c_str(), length + 1);
    Write(bytes, 1, static_cast<std::uint32_t>(length + 2));
}

void FileBinary::ReadWideString(wchar_t* buffer, std::size_t capacity) {
    if (capacity > 0) buffer[0] = 0;
    const std::uint32_t stored = ReadLength();
    std::uint8_t bytes[2 * 255];
    Read(bytes, 2, stored);
    if (capacity == 0) return;
    std::size_t length = 0;
    while (length < stored && length + 1 < capacity) {
        const wchar_t unit = static_cast<wchar_t>(bytes[2 * length] | bytes[2 * length + 1] << 8);
        if (unit == 0) break;
        buffer[length++] = unit;
    }
    buffer[length] = 0;
}

void FileBinary::WriteWideString(const std::wstring& text) {
    const std::size_t length = std::wcslen(text.c_str());
    if (length > kMaxStringLength)
        throw FileError("Failed to write a text of " + ToString(static_cast<unsigned int>(length), 0) +
                        " characters to " + QuotedPath() + " file");
    std::uint8_t bytes[1 + 2 * 255];
    bytes[0] = static_cast<std::uint8_t>(length + 1);
    for (std::size_t i = 0; i <= length; ++i) {
        const std::uint16_t unit = static_cast<std::uint16_t>(text.c_str()[i]);
        bytes[1 + 2 * i] = static_cast<std::uint8_t>(unit);
        bytes[2 + 2 * i] = static_cast<std::uint8_t>(unit >> 8);
    }
    Write(bytes, 1, static_cast<std::uint32_t>(1 + 2 * (length + 1)));
}

void FileBinary::ReadStringList(std::vector<std::string>& list) {
    std::uint32_t count = 0;
    Read(&count, 4, 1);
    if (count == 0) return;
    // Every stored string takes at least its length byte: a larger count is corrupt.
    if (count > BytesLeft())
        throw FileError("Failed to read a list of " + ToString(static_cast<unsigned int>(count), 0) +
                        " strings from " + QuotedPath() + " file");
    std::vector<std::string> strings(count);
    for (std::string& text : strings) {
        char buffer[256];
        ReadString(buffer);
        text = buffer;
    }
    list = std::move(strings);
}

void FileBinary::WriteStringList(const std::vector<std::string>& list) {
    const std::uint32_t count = static_cast<std::uint32_t>(list.size());
    Write(&count, 4, 1);
    for (const std::string& text : list) WriteString(text);
}

std::string FileBinary::QuotedPath() const {
    return "\"" + ToNarrow(path_) + "\"";
}

}  // namespace Vantor
