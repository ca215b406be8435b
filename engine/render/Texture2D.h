#pragma once
// A texture the rest of the engine holds: its cache key, and a device surface that can
// be dropped (for instance on a device reset) and is made again on the next use.

#include <string>

namespace Vantor {

class Texture2D {
public:
    explicit Texture2D(const std::string& key) : key(key) {}
    virtual ~Texture2D() = default;
    Texture2D(const Texture2D&) = delete;
    Texture2D& operator=(const Texture2D&) = delete;

    // Releases the device surface; the texture keeps what it needs to make it again.
    virtual void ReleaseSurface() = 0;

    std::string key;
};

}  // namespace Vantor
