#pragma once
// A small layout for the introduction comic's tests: every control its script names,
// as plain windows (or with the attributes the test's look gives each), the balloon
// text fading in and out at twice the default speed, the page outside the comic that
// keeps the window's root up, and the texts of the balloons and the prompt.

#include <functional>
#include <string>
#include <vector>

#include "game/screens/IntroductionScript.h"

namespace comiclayout {

// The control's extra attributes by its name below the layout ("comics_paper").
using Look = std::function<std::string(const std::string&)>;

inline std::vector<std::string> ComicControls() {
    using Morvane::IntroductionScript;
    std::vector<std::string> names{IntroductionScript::kFirstBackground, IntroductionScript::kBalloonMouse};
    for (const std::string& name : IntroductionScript::NamedControls())
        if (name != names[0] && name != names[1]) names.push_back(name);
    for (std::string& name : names) name.erase(0, 1);
    return names;
}

// The layout without the control `left_out`.
inline std::string Layout(const Look& look = {}, const std::string& leftOut = "") {
    std::string body = R"(<window name="window_introduction"><window name="page" size="800 600" />)";
    for (const std::string& name : ComicControls()) {
        if (name == leftOut) continue;
        const std::string extra = look ? look(name) : std::string("size=\"800 600\"");
        body += "<window name=\"" + name + "\" " + extra + " />";
    }
    body += R"(<text_label name="comics_balloon_text" font="common" fader="balloon_text" multiline="1" )"
            R"(height="20" position="0 0" size="200 80" text="" /></window>)";
    return body;
}

// The faders' file.
inline std::string Faders() {
    return R"(<faders><fader name="balloon_text" show_speed="2" hide_speed="2" /></faders>)";
}

// The balloons read "Balloon 0" to "Balloon 7".
inline std::string Texts() {
    std::string balloons;
    for (int balloon = 0; balloon < 8; ++balloon)
        balloons += "<balloon_" + std::to_string(balloon) + " text=\"Balloon " + std::to_string(balloon) + "\" />";
    return "<introduction>" + balloons + R"(</introduction><common><hit_mouse_button text="Click to go on" /></common>)";
}

}  // namespace comiclayout
