#pragma once
// The introduction comic's script: its steps in the order they run, each with its wait,
// its actions on the layout's controls and the step that follows. Step values are the
// numbers the comic's step counter takes; the table's order, not their numeric order,
// is the order of the story. Control names are written below the layout's name.

#include <optional>
#include <string>
#include <vector>

#include "engine/kernel/Vector2.h"

namespace Morvane {

class IntroductionScript {
public:
    // A control's fader, set before it shows; an offset left out keeps the layout's.
    struct Fade {
        float from;
        float to;
        float speed;
        std::optional<float> offset;
    };

    struct Balloon {
        std::string textKey;
        Vantor::Vector2 textPosition;
        Vantor::Vector2 textSize;
        Vantor::Vector2 mousePosition;
    };

    struct Action {
        enum class Kind {
            Show,     // with its show action, after the fade when there is one
            Remove,   // disabled: hidden at once, without transition
            Balloon,  // the picture, the balloon text and the balloon mouse, with the sound
            Blend,    // the control's material blends by alpha from now on
            Ending,   // the last panel and the first background fade out, the rest goes
            Finish,   // the comic reports Finished
        };
        Kind kind;
        std::string control;
        std::optional<Fade> fade;
        Balloon balloon;
    };

    struct Step {
        enum class Wait {
            NextFrame,
            AtLeast,    // the step's timer >= seconds
            MoreThan,   // the step's timer > seconds
            ClickWait,  // a press on the balloon picture `control`, after the click guard
            ClickPage,  // the page that waits for a press under the printed prompt
        };
        int step;
        Wait wait;
        float seconds;
        std::string control;
        std::vector<Action> actions;
        int next;
        bool clearsClicked;
    };

    // The comic's controls the script relies on beyond the ones its steps name.
    static constexpr const char* kFirstBackground = "/comics_background_0";
    static constexpr const char* kBalloonText = "/comics_balloon_text";
    static constexpr const char* kBalloonMouse = "/comics_mouse";
    static constexpr const char* kLastPanel = "/comics_frame_5_0_anim_0";

    static const std::vector<Step>& Steps();
    // Every control a step names, each once, in the order of first mention.
    static std::vector<std::string> NamedControls();
};

}  // namespace Morvane
