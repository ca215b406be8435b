#pragma once
// Builds packs in the "VTPAK" layout that Vantor::PackFile reads: total length,
// magic, version, entry count, the names, one (offset, size) record per name, then
// the entries' bytes. The program itself only reads packs; this writer packs the
// game's data and makes packs for the tests.

#include <cstdint>
#include <string>
#include <vector>

namespace Content {

class PackWriter {
public:
    using Bytes = std::vector<std::uint8_t>;

    // Adds an entry. The name is the file's path relative to the data folder with
    // backslashes ("ui\cursor.xml"); at most 254 characters, else a Vantor::Error.
    void Add(const std::string& name, const Bytes& content);
    void Add(const std::string& name, const std::string& content);

    // The whole pack, entries in the order they were added.
    Bytes Build() const;
    // A program's bytes with the pack appended the way an executable carries it:
    // program, pack (L bytes), L as a little-endian u32, "APC".
    Bytes BuildAppended(const Bytes& program) const;

    // Writes bytes to a disk file (a ".pak" file or an executable with its pack).
    static void WriteFile(const std::wstring& path, const Bytes& bytes);

private:
    struct Entry {
        std::string name;
        Bytes content;
    };
    std::vector<Entry> entries_;
};

}  // namespace Content
