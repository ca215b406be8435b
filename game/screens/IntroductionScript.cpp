#include "game/screens/IntroductionScript.h"

#include <algorithm>
#include <initializer_list>

namespace Morvane {

namespace {

using Action = IntroductionScript::Action;
using Kind = IntroductionScript::Action::Kind;
using Step = IntroductionScript::Step;
using Wait = IntroductionScript::Step::Wait;

struct Panel {
    int page;
    int panel;
    int phase;
};

std::string PanelName(const Panel& panel) {
    return "/comics_frame_" + std::to_string(panel.page) + "_" + std::to_string(panel.panel) + "_anim_" +
           std::to_string(panel.phase);
}

Action Show(const std::string& control) { return {Kind::Show, control, std::nullopt, {}}; }
Action Show(const Panel& panel) { return Show(PanelName(panel)); }
Action Fade(const Panel& panel, float from, float to, float offset) {
    return {Kind::Show, PanelName(panel), IntroductionScript::Fade{from, to, 1.0f, offset}, {}};
}
Action Remove(const Panel& panel) { return {Kind::Remove, PanelName(panel), std::nullopt, {}}; }
Action Balloon(const std::string& picture, int text, Vantor::Vector2 textPosition, Vantor::Vector2 textSize,
               Vantor::Vector2 mousePosition) {
    return {Kind::Balloon,
            picture,
            std::nullopt,
            {"introduction/balloon_" + std::to_string(text), textPosition, textSize, mousePosition}};
}

// The panels' pictures go from one phase to the next: the old ones removed, the new shown.
std::vector<Action> Turn(std::initializer_list<Panel> removed, std::initializer_list<Panel> shown) {
    std::vector<Action> actions;
    for (const Panel& panel : removed) actions.push_back(Remove(panel));
    for (const Panel& panel : shown) actions.push_back(Show(panel));
    return actions;
}

// Every panel of the page at the phase.
std::vector<Action> ShowPage(int page, int phase) {
    std::vector<Action> actions;
    for (int panel = 0; panel < 4; ++panel) actions.push_back(Show(Panel{page, panel, phase}));
    return actions;
}

// Every panel of the page from the phase to the next.
std::vector<Action> TurnPage(int page, int phase) {
    std::vector<Action> actions;
    for (int panel = 0; panel < 4; ++panel) actions.push_back(Remove(Panel{page, panel, phase}));
    const std::vector<Action> shown = ShowPage(page, phase + 1);
    actions.insert(actions.end(), shown.begin(), shown.end());
    return actions;
}

Step Timed(int step, Wait wait, float seconds, std::vector<Action> actions, int next) {
    return {step, wait, seconds, "", std::move(actions), next, false};
}
Step AfterClick(int step, const std::string& balloon, std::vector<Action> actions, int next) {
    return {step, Wait::ClickWait, 0.0f, balloon, std::move(actions), next, false};
}

std::vector<Step> MakeSteps() {
    const Vantor::Vector2 wideText{252.0f, 105.0f};
    return {
        Timed(1, Wait::NextFrame, 0.0f, {}, 2),
        Timed(2, Wait::AtLeast, 1.0f, {Show("/comics_paper"), Show("/comics_photo"), Show("/comics_clip")}, 3),
        Timed(3, Wait::AtLeast, 3.5f, {Show("/comics_text_0")}, 4),
        Timed(4, Wait::AtLeast, 0.5f, {Show("/comics_text_1")}, 5),
        Timed(5, Wait::AtLeast, 1.0f, {Show("/comics_text_2")}, 6),
        {6, Wait::AtLeast, 5.5f, "", {Show("/comics_accepted")}, 7, true},
        {7,
         Wait::ClickPage,
         0.0f,
         "",
         {{Kind::Show, "/comics_background_1", IntroductionScript::Fade{0.0f, 1.0f, 1.0f, std::nullopt}, {}}},
         8,
         false},
        Timed(8, Wait::AtLeast, 2.0f, ShowPage(0, 0), 9),
        Timed(9, Wait::AtLeast, 6.0f, TurnPage(0, 0), 10),
        Timed(10, Wait::NextFrame, 0.0f,
              {Show(Panel{1, 0, 0}), Show(Panel{1, 3, 0}), Fade({1, 1, 0}, 1.0f, 0.0f, 2.5f),
               Fade({1, 2, 0}, 0.0f, 1.0f, 2.5f)},
              11),
        Timed(11, Wait::AtLeast, 4.5f,
              {Balloon("/comics_balloon_160", 0, {209.0f, 401.0f}, {207.0f, 85.0f}, {178.0f, 375.0f})}, 12),
        AfterClick(12, "/comics_balloon_160",
                   Turn({{1, 0, 0}, {1, 1, 0}, {1, 2, 0}, {1, 3, 0}},
                        {{1, 0, 1}, {1, 2, 1}, {1, 3, 1}, {2, 0, 0}, {2, 1, 0}, {2, 2, 0}}),
                   13),
        Timed(13, Wait::AtLeast, 0.8f,
              {Balloon("/comics_balloon_175_1", 1, {335.0f, 394.0f}, wideText, {306.0f, 364.0f})}, 14),
        AfterClick(14, "/comics_balloon_175_1",
                   {Balloon("/comics_balloon_175_0", 2, {161.0f, 243.0f}, {206.0f, 86.0f}, {132.0f, 211.0f})}, 15),
        AfterClick(15, "/comics_balloon_175_0",
                   {Balloon("/comics_balloon_175_1", 3, {335.0f, 394.0f}, wideText, {306.0f, 366.0f})}, 16),
        AfterClick(16, "/comics_balloon_175_1",
                   Turn({{1, 0, 1}, {1, 2, 1}, {1, 3, 1}, {2, 0, 0}, {2, 1, 0}, {2, 2, 0}},
                        {{1, 0, 2}, {1, 2, 2}, {1, 3, 2}, {2, 0, 1}, {2, 1, 1}, {2, 2, 1}}),
                   17),
        Timed(17, Wait::AtLeast, 4.0f,
              {Balloon("/comics_balloon_250_0", 4, {219.0f, 423.0f}, {254.0f, 105.0f}, {456.0f, 398.0f})}, 18),
        AfterClick(18, "/comics_balloon_250_0",
                   {Balloon("/comics_balloon_250_1", 5, {539.0f, 235.0f}, {206.0f, 85.0f}, {509.0f, 204.0f})}, 20),
        AfterClick(20, "/comics_balloon_250_1",
                   Turn({{1, 0, 2}, {1, 2, 2}, {1, 3, 2}, {2, 0, 1}, {2, 1, 1}, {2, 2, 1}},
                        {{1, 0, 3}, {1, 2, 3}, {1, 3, 3}, {2, 0, 2}, {2, 1, 2}, {2, 2, 2}}),
                   21),
        Timed(21, Wait::NextFrame, 0.0f, {Show(Panel{3, 0, 0}), Show(Panel{3, 3, 0}), Fade({3, 1, 0}, 0.0f, 1.0f, 0.9f)},
              22),
        Timed(22, Wait::MoreThan, 2.8f,
              {Balloon("/comics_balloon_300", 6, {356.0f, 469.0f}, {208.0f, 85.0f}, {549.0f, 443.0f})}, 19),
        AfterClick(19, "/comics_balloon_300",
                   Turn({{3, 0, 0}, {3, 1, 0}, {3, 3, 0}}, {{3, 0, 1}, {3, 1, 1}, {3, 2, 1}, {3, 3, 1}}), 23),
        Timed(23, Wait::NextFrame, 0.0f, ShowPage(4, 0), 24),
        Timed(24, Wait::MoreThan, 4.5f,
              {Balloon("/comics_balloon_382", 7, {268.0f, 392.0f}, {215.0f, 94.0f}, {240.0f, 368.0f})}, 25),
        AfterClick(25, "/comics_balloon_382", TurnPage(4, 0), 26),
        Timed(26, Wait::NextFrame, 0.0f,
              {Show(Panel{5, 0, 0}), Show(Panel{5, 1, 0}), {Kind::Blend, PanelName({5, 2, 0}), std::nullopt, {}},
               Fade({5, 2, 0}, 1.0f, 0.0f, 9.5f)},
              27),
        Timed(27, Wait::MoreThan, 12.5f, {{Kind::Ending, "", std::nullopt, {}}}, 28),
        Timed(28, Wait::AtLeast, 3.1f, {}, 29),
        Timed(29, Wait::NextFrame, 0.0f, {{Kind::Finish, "", std::nullopt, {}}}, 0),
    };
}

}  // namespace

const std::vector<Step>& IntroductionScript::Steps() {
    static const std::vector<Step> steps = MakeSteps();
    return steps;
}

std::vector<std::string> IntroductionScript::NamedControls() {
    std::vector<std::string> names;
    const auto add = [&names](const std::string& name) {
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    };
    for (const Step& step : Steps()) {
        add(step.control);
        for (const Action& action : step.actions) add(action.control);
    }
    return names;
}

}  // namespace Morvane
