#include "content/ContentHash.h"

#include <cstdio>
#include <cstring>

namespace Content {

namespace {

constexpr std::uint64_t kPrime = 0x100000001b3ull;

}  // namespace

// Eight bytes a step, each step folding the high half down so that every bit of the
// input reaches every bit of the value: sources of megabytes hash in a millisecond.
ContentHash& ContentHash::Add(std::string_view bytes) {
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        value_ = (value_ ^ word) * kPrime;
        value_ ^= value_ >> 32;
    }
    for (; i < bytes.size(); ++i) value_ = (value_ ^ static_cast<unsigned char>(bytes[i])) * kPrime;
    return *this;
}

ContentHash& ContentHash::Add(std::uint64_t value) {
    char bytes[8];
    for (int i = 0; i < 8; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return Add(std::string_view(bytes, 8));
}

std::string ContentHash::Hex() const {
    char text[17];
    std::snprintf(text, sizeof(text), "%016llx", static_cast<unsigned long long>(value_));
    return text;
}

}  // namespace Content
