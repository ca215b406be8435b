#pragma once
// The style of one "{rule ...}" block of a text: what it changes of the text's colour,
// font, size and place, and where its characters were last drawn.

#include "engine/kernel/Vector2.h"
#include "engine/kernel/Vector4.h"

namespace GUITools {

struct GUITextRule {
    bool hasColour = false;
    Vantor::Color colour;
    bool hasFont = false;
    int fontId = 0;
    bool hasSize = false;
    // Multiplies the text's size.
    float sizeFactor = 1.0f;
    bool hasOffset = false;
    Vantor::Vector2 offset;
    // Where the block's characters began and ended when last drawn, in GUI units.
    Vantor::Vector2 runStart;
    Vantor::Vector2 runEnd;
};

}  // namespace GUITools
