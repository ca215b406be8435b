#pragma once
// The fields the framework's own files share beyond the stream's encodings: player
// names, which may be longer than a stored string, and record counts, which a damaged
// file may overstate.

#include <cstdint>
#include <string>

namespace Vantor {
class FileBinary;
}

namespace GameFramework {

class PlayerFileFields {
public:
    // A stored wide string holds at most this many UTF-16 units.
    static constexpr std::size_t kMaxNameLength = 254;

    // Writes the name cut to the longest text a stored string holds (never between the
    // two units of a surrogate pair), so that a long name cannot fail a save.
    static void WriteName(Vantor::FileBinary& file, const std::wstring& name);
    static std::wstring ReadName(Vantor::FileBinary& file);
    // Reads a 32-bit count of records of at least recordSize bytes each; a count that
    // the bytes left cannot hold throws Vantor::FileError.
    static std::uint32_t ReadCount(Vantor::FileBinary& file, std::uint32_t recordSize);
};

}  // namespace GameFramework
