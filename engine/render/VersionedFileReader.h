#pragma once
// What the readers of the engine's versioned binary files (models, particle systems,
// shaders) share: the head of total length, five-letter magic and version, numbers
// stored little-endian, and error texts that name the file as given.

#include <bit>
#include <cstdint>
#include <functional>
#include <string>

#include "engine/kernel/FileBinary.h"

namespace Vantor {

class VersionedFileReader {
protected:
    static constexpr std::size_t kMagicLength = 5;

    VersionedFileReader(FileBinary& file, const std::wstring& fileName) : file_(file), fileName_(fileName) {}

    // Opens the file (its name relative to the data folder; read whole into memory up to
    // cacheLimit bytes) and lets `read` read it. A FileError on the way is logged and
    // thrown as Error with the same text.
    static void ReadDataFile(const std::wstring& fileName, std::uint32_t cacheLimit,
                             const std::function<void(FileBinary&)>& read);

    // Reads the head: a total length that must be the file's size, the magic, and a
    // version that must be the current or the old one (kept in version_). Throws
    // FileError otherwise.
    void ReadHead(const char (&magic)[kMagicLength], std::int32_t version, std::int32_t oldVersion);

    template <typename Value>
    Value ReadValue() {
        static_assert(std::endian::native == std::endian::little, "the file's numbers are little-endian");
        Value value{};
        file_.Read(&value, sizeof(Value), 1);
        return value;
    }

    // "Incorrect "name" file format".
    std::string FormatErrorText() const;
    // Throws FileError with that text and the detail after a colon.
    [[noreturn]] void FormatError(const std::string& detail) const;

    FileBinary& file_;
    const std::wstring& fileName_;
    std::int32_t version_ = 0;
};

}  // namespace Vantor
