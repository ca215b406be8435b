#include "engine/render/Light.h"

#include <cmath>
#include <limits>

namespace Vantor {

// The square root of the largest float: the longest range a device accepts.
Light::Light(std::int32_t index) : range(std::sqrt(std::numeric_limits<float>::max())), index_(index) {}

}  // namespace Vantor
