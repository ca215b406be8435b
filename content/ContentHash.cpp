#include "content/ContentHash.h"

#include <cstdio>

namespace Content {

ContentHash& ContentHash::Add(std::string_view bytes) {
    for (unsigned char c : bytes) {
        value_ ^= c;
        value_ *= 0x100000001b3ull;
    }
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
