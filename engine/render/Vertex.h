#pragma once
// The two vertex layouts of every model, tightly packed as the device reads them.

#include <cstdint>

#include "engine/kernel/Vector3.h"

namespace Vantor {

// Position, normal, texture coordinates: 32 bytes.
struct Vertex {
    float position[3];
    float normal[3];
    float u;
    float v;
};

// The same with a device colour (A<<24 | R<<16 | G<<8 | B) between normal and texture
// coordinates: 36 bytes.
struct ColouredVertex {
    float position[3];
    float normal[3];
    std::uint32_t colour;
    float u;
    float v;
};

static_assert(sizeof(Vertex) == 32, "the device reads 32-byte plain vertices");
static_assert(sizeof(ColouredVertex) == 36, "the device reads 36-byte coloured vertices");

// Writes the position and the normal of a vertex of either layout.
template <class Layout>
void PutPositionAndNormal(Layout& out, const Vector3& position, const Vector3& normal) {
    out.position[0] = position.x;
    out.position[1] = position.y;
    out.position[2] = position.z;
    out.normal[0] = normal.x;
    out.normal[1] = normal.y;
    out.normal[2] = normal.z;
}

}  // namespace Vantor
