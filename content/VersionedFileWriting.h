#pragma once
// What the writers of the engine's versioned binary files (models, particle systems,
// shaders) share: the head of total length, five-letter magic and version, numbers
// stored little-endian, length-prefixed names, and writing the file below the base
// folder.

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace Content::VersionedFileWriting {

using Bytes = std::vector<std::uint8_t>;

template <typename Value>
void Put(Bytes& out, Value value) {
    static_assert(std::endian::native == std::endian::little, "the file's numbers are little-endian");
    const std::size_t at = out.size();
    out.resize(at + sizeof(Value));
    std::memcpy(out.data() + at, &value, sizeof(Value));
}

// Room for the total length (PutTotalLength fills it in), the magic and the version.
template <typename Version>
void PutHead(Bytes& out, const std::string& magic, Version version) {
    Put(out, std::uint32_t{0});
    for (char c : magic) out.push_back(static_cast<std::uint8_t>(c));
    Put(out, version);
}

// The file's size at its start, once every field is in.
void PutTotalLength(Bytes& file);

// One length byte counting the terminator, the characters, a 0 byte. A name longer
// than 254 characters throws Vantor::Error "<what> longer than 254 characters: <name>".
void PutName(Bytes& out, const std::string& name, const std::string& what);

// Writes the file, creating its folders; a relative path lies below the base folder.
void WriteFile(const std::wstring& path, const Bytes& bytes);

}  // namespace Content::VersionedFileWriting
