#pragma once
// A 64-bit hash in the manner of FNV-1a: the data builder's fingerprint of sources,
// parameters and outputs, and the seed it derives from a product's path. Stable across
// machines and runs, unlike std::hash (the words are read little-endian).

#include <cstdint>
#include <string>
#include <string_view>

namespace Content {

class ContentHash {
public:
    ContentHash& Add(std::string_view bytes);
    ContentHash& Add(std::uint64_t value);
    std::uint64_t Value() const { return value_; }
    // Sixteen lower-case hexadecimal digits.
    std::string Hex() const;

    static std::uint64_t Of(std::string_view bytes) { return ContentHash().Add(bytes).Value(); }

private:
    std::uint64_t value_ = 0xcbf29ce484222325ull;
};

}  // namespace Content
