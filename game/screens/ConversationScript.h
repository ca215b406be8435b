#pragma once
// What tells one scripted conversation of two characters from another: the window's
// layout, the speaker's two pictures and the text keys of the four balloons, spoken in
// turn by the speaker and the girl.

namespace Morvane {

struct ConversationScript {
    const char* layout;
    const char* speakerHello;
    const char* speakerStand;
    // Speaker, girl, speaker, girl.
    const char* balloonKeys[4];
};

}  // namespace Morvane
