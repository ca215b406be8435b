// The screens' small helpers: plain player names, the fatal line for a control a
// layout lacks, and the error line for a control part that is missing.

#include <gtest/gtest.h>

#include <functional>

#include "engine/render/AnimationControl.h"

#include "engine/kernel/FatalError.h"
#include "game/screens/ControlParts.h"
#include "game/screens/GUIMenuWindow.h"
#include "game/screens/PlainName.h"
#include "game/screens/RequiredControls.h"
#include "tests/game/screens/ScreenTestBench.h"

namespace {

TEST(PlainNameTest, RemovesEachMarkUpCharacterAndKeepsTheRest) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"A{nn", L"Ann"}, {L"A}nn", L"Ann"}, {L"A|nn", L"Ann"}, {L"A%nn", L"Ann"},
        {L"{|}%", L""},    {L" Zoë [x] ", L" Zoë [x] "},
    };
    for (const auto& [name, plain] : cases) EXPECT_EQ(Morvane::PlainName(name), plain);
}

class ScreenHelpersTest : public screenstest::ScreenTestBench {
protected:
    void SetUp() override {
        ScreenTestBench::SetUp();
        WriteLayout("test.xml", R"(<window name="window_test">
            <window name="box" />
            <window name="modelled" model="frames" />
            <text_label name="label" font="common" />
            <button name="ok" />
          </window>)");
        MakeGame();
        AddFramesModel("frames", 3);
    }
    Morvane::GUIMenuWindow& Window() {
        return MakeWindow<Morvane::GUIMenuWindow>(audio_.get(), data_.get(), tools_.get(), menus_.get(), nullptr,
                                                  "window_test");
    }
};

TEST_F(ScreenHelpersTest, AMissingOrWrongKindOfRequiredControlEndsTheRunNamingLayoutAndControl) {
    const Morvane::GUIMenuWindow& window = Window();
    const Morvane::RequiredControls controls(window);
    EXPECT_EQ(&controls.Control("/label"), window.GetControl("window_test/label"));
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { controls.Button("/missing"); }, "Layout \"window_test\" lacks the button \"/missing\""},
        {[&] { controls.Button("/label"); }, "Layout \"window_test\" lacks the button \"/label\""},
        {[&] { controls.Text("/box"); }, "Layout \"window_test\" lacks the text control \"/box\""},
        {[&] { controls.EditBox("/ok"); }, "Layout \"window_test\" lacks the edit box \"/ok\""},
        {[&] { controls.Scroll("/ok"); }, "Layout \"window_test\" lacks the scroll bar \"/ok\""},
        {[&] { controls.Window("/ok"); }, "Layout \"window_test\" lacks the window control \"/ok\""},
    };
    for (const auto& [lookup, text] : cases) {
        TakeErrors();
        try {
            lookup();
            ADD_FAILURE() << text;
        } catch (const Vantor::FatalError& error) {
            EXPECT_EQ(error.GetText(), text);
        }
        EXPECT_TRUE(TakeErrors().empty()) << "no lookup error line before the fatal one";
    }
}

TEST_F(ScreenHelpersTest, AMissingPartOfAControlIsReportedOnceAndAnswersNull) {
    const Morvane::GUIMenuWindow& window = Window();
    const GUITools::GUIControl& box = *window.GetControl("window_test/box");
    TakeErrors();
    EXPECT_EQ(Morvane::ControlParts::Model(box), nullptr);
    EXPECT_EQ(Morvane::ControlParts::ModelAnimation(box), nullptr);
    EXPECT_EQ(Morvane::ControlParts::FirstStageAnimation(box), nullptr);
    EXPECT_EQ(TakeErrors(), (std::vector<std::string>{"Control \"window_test/box\" has no model",
                                                      "Control \"window_test/box\" has no model animation",
                                                      "Control \"window_test/box\" has no first texture stage"}));

    const GUITools::GUIControl& modelled = *window.GetControl("window_test/modelled");
    EXPECT_NE(Morvane::ControlParts::Model(modelled), nullptr);
    EXPECT_EQ(Morvane::ControlParts::ModelAnimation(modelled)->GetFrameCount(), 3u);
    EXPECT_TRUE(TakeErrors().empty());
}

}  // namespace
