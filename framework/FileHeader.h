#pragma once
// The 13-byte header at the start of the framework's and the game's own binary files:
// the total file length, a five-letter magic and a version. Each owner of a file kind
// keeps one header with that kind's magic and version and opens every file of the kind
// through it: Open, read or write the content, Close, delete the stream.

#include <cstddef>
#include <cstdint>
#include <string>

namespace Vantor {
class FileBinary;
}

namespace GameFramework {

class FileHeader {
public:
    static constexpr std::size_t kMagicLength = 5;
    static constexpr std::uint32_t kSize = 4 + kMagicLength + 4;

    // Keeps the first five letters of the magic; a shorter magic throws Vantor::Error.
    FileHeader(const std::string& magic, std::int32_t version);

    // A new stream owned by the caller, standing on the first byte after the header.
    // Writing (write not 0) creates the file, every write going straight to disk, and
    // writes the header with the length 0 until Close. Reading checks the length
    // against the file's size, the magic, and the version unless anyVersion is set;
    // then the version read goes to *versionRead when given. Failures throw
    // Vantor::FileError and leave no stream open.
    Vantor::FileBinary* Open(const std::wstring& path, int write, bool anyVersion = false,
                             std::uint32_t* versionRead = nullptr) const;
    // Rewrites the header of a stream opened for writing with its final length (the
    // position after the last write). Null and reading streams are left alone; the
    // stream is not deleted.
    void Close(Vantor::FileBinary* file) const;

private:
    void Write(Vantor::FileBinary& file, std::uint32_t length) const;
    void Read(Vantor::FileBinary& file, const std::wstring& path, bool anyVersion,
              std::uint32_t* versionRead) const;

    char magic_[kMagicLength];
    std::int32_t version_;
};

}  // namespace GameFramework
