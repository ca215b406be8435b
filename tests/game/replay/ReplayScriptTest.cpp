// The script of a day's input: every action and target read from text, frames counted
// from the step before, written back so that it reads the same, and the lines the
// parser refuses, each named by its number.

#include "tests/game/replay/ReplayScript.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace replay {
namespace {

using Action = ReplayStep::Action;
using Kind = Target::Kind;

ReplayStep Step(unsigned frame, Action action, Kind kind, const std::string& name = "", unsigned place = 0,
                Vantor::Vector2 point = {}) {
    ReplayStep step;
    step.frame = frame;
    step.action = action;
    step.target.kind = kind;
    step.target.name = name;
    step.target.place = place;
    step.target.point = point;
    return step;
}

TEST(ReplayScriptTest, ReadsEveryActionAndTargetWithRelativeFrames) {
    const ReplayScript script = ReplayScript::Parse(R"(# the first customer
120 key SPACE

+30 click distributor cracker_waffle
  +4 right_click   customer at place 2
160 move point 400.5 -12
+0 click machine dustbin
)");
    ReplayStep key;
    key.frame = 120;
    key.action = Action::Key;
    key.key = "SPACE";
    EXPECT_EQ(script.GetSteps(), (std::vector<ReplayStep>{
                                     key,
                                     Step(150, Action::Click, Kind::Distributor, "cracker_waffle"),
                                     Step(154, Action::RightClick, Kind::Customer, "", 2),
                                     Step(160, Action::Move, Kind::Point, "", 0, {400.5f, -12.0f}),
                                     Step(160, Action::Click, Kind::Machine, "dustbin"),
                                 }))
        << script.ToText();
}

TEST(ReplayScriptTest, WrittenScriptReadsBackAsItWas) {
    ReplayScript script;
    script.Append(Step(3, Action::Click, Kind::Distributor, "jelly_red"));
    script.Append(Step(3, Action::Move, Kind::Point, "", 0, {0.1f, 599.99f}));
    script.Append(Step(40, Action::RightClick, Kind::Customer, "", 11));
    ReplayStep key;
    key.frame = 41;
    key.action = Action::Key;
    key.key = "ENTER";
    script.Append(key);

    EXPECT_EQ(script.ToText(), "3 click distributor jelly_red\n3 move point 0.1 599.99\n"
                               "40 right_click customer at place 11\n41 key ENTER\n");
    EXPECT_EQ(ReplayScript::Parse(script.ToText()), script);
    EXPECT_THROW(script.Append(Step(40, Action::Move, Kind::Point)), ScriptError);
}

TEST(ReplayScriptTest, RefusesUnreadableLinesNamingThem) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"x click machine dustbin", "line 1: bad frame \"x\""},
        {"+ click machine dustbin", "line 1: bad frame \"+\""},
        {"-3 click machine dustbin", "line 1: bad frame \"-3\""},
        {"1 click machine dustbin\n\n1 jump machine dustbin", "line 3: unknown action \"jump\""},
        {"1 click", "line 1: the target is missing"},
        {"1 click table 4", "line 1: unknown target \"table\""},
        {"1 click machine", "line 1: machine without a name"},
        {"1 click customer 2", "line 1: a customer is named \"customer at place <n>\""},
        {"1 click customer at place two", "line 1: a customer is named \"customer at place <n>\""},
        {"1 move point 3", "line 1: a point needs two numbers"},
        {"1 key", "line 1: key without a name"},
        {"1 click machine dustbin now", "line 1: unexpected \"now\""},
        {"9 key A\n8 key B", "line 2: the frame goes back"},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.text);
        try {
            ReplayScript::Parse(entry.text);
            ADD_FAILURE() << "read";
        } catch (const ScriptError& error) {
            EXPECT_STREQ(error.what(), entry.message);
        }
    }
}

}  // namespace
}  // namespace replay
