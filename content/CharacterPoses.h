#pragma once
// The story characters' poses: each pose names the character's SVG template below
// "art/ui/characters/" and the values that fill it (a raised hand or the arms down,
// where the eyes look, a content or a sad face). The portraits' pictures and the
// comic's panels are drawn from these.

#include <string>
#include <vector>

#include "content/SvgTemplate.h"

namespace Content {

class CharacterPoses {
public:
    struct Pose {
        std::string name;    // the portrait picture's name, "girl_hello"
        std::string source;  // "art/ui/characters/girl.svg"
        SvgTemplate::Parameters parameters;
    };

    static const std::vector<Pose>& All();
    // Throws Vantor::Error for a name that is no pose.
    static const Pose& Named(const std::string& name);
};

}  // namespace Content
