#pragma once
// What a control is built from: the template parser fills one per control, and the game
// builds its own for the text of its speech balloons. Frame numbers are -1 when not given.

#include <cstdint>
#include <string>

#include "engine/kernel/Vector2.h"

namespace GUITools {

struct GUIControlDescription {
    static constexpr std::int32_t kNoFrame = -1;

    // The control's full name.
    std::string name;
    // The GUI element's model, a resource below "ui/" (empty: none), and its frame range.
    std::string model;
    std::int32_t modelStartFrame = kNoFrame;
    std::int32_t modelEndFrame = kNoFrame;
    // The GUI element's material, a resource below "ui/" (empty: none).
    std::string shader;
    // Scale of the element's texture coordinates.
    Vantor::Vector2 uv{1.0f, 1.0f};
    // The model below "ui/" whose animation moves the control (empty: none), and its range.
    std::string animatorModel;
    std::int32_t animatorStartFrame = kNoFrame;
    std::int32_t animatorEndFrame = kNoFrame;
};

}  // namespace GUITools
