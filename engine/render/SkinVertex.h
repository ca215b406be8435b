#pragma once
// The bone weights of one vertex of a skinned model: up to four bones, each moving the
// vertex's rest position and normal, summed by weight.

#include <cstdint>

#include "engine/kernel/Vector3.h"

namespace Vantor {

struct SkinInfluence {
    std::uint16_t boneIndex = 0;
    float weight = 0.0f;
    // In the model's rest space.
    Vector3 position;
    Vector3 normal;
};

struct SkinVertex {
    static constexpr std::uint16_t kMaxInfluences = 4;

    // The first influenceCount entries are used.
    std::uint16_t influenceCount = 0;
    SkinInfluence influences[kMaxInfluences];
};

}  // namespace Vantor
