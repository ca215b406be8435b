// The meeting and the mechanic's first visit: the day in the title, the portraits'
// pictures through the conversation, four balloons clicked away in turn, and the end
// reported 1.2 s after both portraits start to fade out.

#include "game/screens/GUIConversationWindow.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/gui/GUIWindow.h"
#include "engine/kernel/FatalError.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ShaderUser.h"
#include "framework/WindowId.h"
#include "framework/WindowResult.h"
#include "game/Profile.h"
#include "game/screens/GUICharacterWindow.h"
#include "game/screens/GUIMechanicWindow.h"
#include "game/screens/GUIMeetingWindow.h"
#include "game/screens/GUITextBalloonWindow.h"
#include "gui_tools/GUITextControl.h"
#include "tests/game/screens/DialogueArt.h"
#include "tests/game/screens/ScreenTestBench.h"

namespace {

using GameFramework::WindowResult;
using Morvane::ConversationScript;
using Morvane::GUIConversationWindow;
using Morvane::GUITextBalloonWindow;

std::string Layout(const std::string& name) {
    return "<window name=\"window_" + name + "\">"
           "<text_label name=\"title\" font=\"common\" position=\"200 540\" size=\"400 40\" text=\"'Day %DAY%'\" />"
           "<window name=\"window\" model=\"frame\" position=\"100 100\" size=\"600 400\" />"
           "</window>";
}

class GUIConversationWindowTest : public screenstest::ScreenTestBench {
protected:
    void SetUp() override {
        ScreenTestBench::SetUp();
        WriteLayout("meeting.xml", Layout("meeting"));
        WriteLayout("mechanic.xml", Layout("mechanic"));
        WriteLayout("broken.xml", R"(<window name="window_broken"><window name="window" size="10 10" /></window>)");
        std::string texts = R"(<common><hit_mouse_button text="Click to go on" /></common>)";
        for (const ConversationScript* script : {&Morvane::GUIMeetingWindow::kScript, &Morvane::GUIMechanicWindow::kScript})
            for (const char* key : script->balloonKeys) texts += TextElement(key);
        WriteTexts(texts);
        MakeGame();
        MakeProfiles({L"Anna"});
        profiles_->GetCurrent()->SetDay(4);
        AddFramesModel("frame", 1);
        dialogueart::AddQuad(*data_, "characters/main_menu_npc", {480.0f, 60.0f}, {240.0f, 320.0f});
        dialogueart::AddQuad(*data_, "characters/main_menu_girl", {80.0f, 60.0f}, {240.0f, 320.0f});
        dialogueart::AddQuad(*data_, "characters/main_menu_balloon_right_small", {480.0f, 330.0f}, {260.0f, 160.0f});
        dialogueart::AddQuad(*data_, "characters/main_menu_balloon_left_small", {60.0f, 350.0f}, {260.0f, 160.0f});
        for (const char* picture : {"owner_hello", "owner_stand", "mechanic_hello", "mechanic_stand", "girl_hello",
                                    "girl_stand"})
            dialogueart::AddPicture(*data_, std::string("characters/") + picture, {200, 100, 50});
    }

    // "a/b" with the text "#a/b#".
    static std::string TextElement(const std::string& key) {
        const std::size_t slash = key.find('/');
        return "<" + key.substr(0, slash) + "><" + key.substr(slash + 1) + " text=\"#" + key + "#\" /></" +
               key.substr(0, slash) + ">";
    }
    static std::wstring Said(const GUITextBalloonWindow& balloon) {
        return balloon.GetLines().empty() ? L"" : balloon.GetLines()[0]->text;
    }
    static std::wstring Text(const char* key) { return L"#" + Vantor::ToWide(key) + L"#"; }
    // Waits until the balloon is past half alpha, clicks it away and waits for its fade-out.
    void ClickAway(const GUITextBalloonWindow& balloon) {
        ASSERT_TRUE(RunUntil([&] { return balloon.GetBalloonWindow()->GetAlpha() > 0.55f; }, 3.0f));
        ClickOn(*balloon.GetHintWindow());
        ASSERT_FALSE(balloon.shown);
    }
    bool Pictures(const Morvane::GUICharacterWindow& portrait, const std::string& picture) const {
        const Vantor::GUIWindow& front = *portrait.GetFrontWindow();
        return portrait.GetCurrent() == picture &&
               front.GetShaderUser()->GetShader() == data_->GetShaderUser("ui/characters/" + picture)->GetShader();
    }

    // The whole conversation of the window, checked step by step.
    void Converse(GUIConversationWindow& window, const ConversationScript& script) {
        window.Open(GameFramework::WindowId{1});
        ASSERT_TRUE(RunUntil([&] { return window.IsShown(); }));
        const std::wstring day = std::to_wstring(profiles_->GetCurrent()->GetDay() + 1);
        EXPECT_EQ(ShownText(*window.GetTextControl(std::string(script.layout) + "/title")), L"Day " + day);
        EXPECT_TRUE(Pictures(window.GetSpeaker(), script.speakerHello));
        EXPECT_TRUE(Pictures(window.GetGirl(), "girl_hello"));

        GUITextBalloonWindow& speaker = window.GetSpeakerBalloon();
        GUITextBalloonWindow& girl = window.GetGirlBalloon();
        Frame();
        EXPECT_EQ(Said(speaker), Text(script.balloonKeys[0]));
        RunFor(0.96f);
        EXPECT_FLOAT_EQ(speaker.GetBalloonWindow()->GetAlpha(), 0.0f) << "the first balloon waits a second";
        ClickAway(speaker);
        ASSERT_TRUE(RunUntil([&] { return girl.active; }, 1.0f));
        EXPECT_FALSE(speaker.active);
        EXPECT_EQ(Said(girl), Text(script.balloonKeys[1]));
        EXPECT_TRUE(Pictures(window.GetSpeaker(), script.speakerHello)) << "still";

        ClickAway(girl);
        ASSERT_TRUE(RunUntil([&] { return speaker.active; }, 1.0f));
        EXPECT_EQ(Said(speaker), Text(script.balloonKeys[2]));
        EXPECT_TRUE(Pictures(window.GetSpeaker(), script.speakerStand)) << "as the third balloon starts";
        EXPECT_TRUE(Pictures(window.GetGirl(), "girl_stand"));
        EXPECT_TRUE(window.GetSpeaker().GetBackWindow()->IsVisible()) << "cross-fading from the hello picture";

        ClickAway(speaker);
        ASSERT_TRUE(RunUntil([&] { return girl.active; }, 1.0f));
        EXPECT_EQ(Said(girl), Text(script.balloonKeys[3]));

        ClickAway(girl);
        ASSERT_TRUE(RunUntil([&] { return !girl.active; }, 1.0f));
        Frame();
        EXPECT_EQ(window.GetSpeaker().GetCurrent(), "") << "both fade out together";
        EXPECT_EQ(window.GetGirl().GetCurrent(), "");
        EXPECT_EQ(window.GetStep(), GUIConversationWindow::kLastStep);
        RunFor(1.16f);
        EXPECT_EQ(window.GetResult(), WindowResult::None);
        Frames(3);
        EXPECT_EQ(window.GetResult(), WindowResult::GoToStart);
        RunFor(0.5f);
        EXPECT_EQ(window.GetResult(), WindowResult::GoToStart) << "in every frame until closed";
        EXPECT_FALSE(window.GetSpeaker().GetFrontWindow()->IsVisible());
        EXPECT_FALSE(window.GetGirl().GetFrontWindow()->IsVisible());

        window.Close();
        ASSERT_TRUE(RunUntil([&] { return menus_->IsLockFree(); }));
    }
};

TEST_F(GUIConversationWindowTest, TheMeetingTakesFourClicksAndEndsOnePointTwoSecondsAfterTheLastBalloon) {
    auto& meeting = MakeWindow<Morvane::GUIMeetingWindow>(audio_.get(), profiles_.get(), data_.get(), tools_.get(),
                                                          menus_.get(), nullptr);
    Converse(meeting, Morvane::GUIMeetingWindow::kScript);
    EXPECT_TRUE(meeting.GetControl("window_meeting/window")->GetWindow()->GetModel()->GetFlags() &
                Vantor::ModelFlags::kCullClockwise);
}

TEST_F(GUIConversationWindowTest, TheMechanicSaysHisOwnLinesWithHisOwnPictures) {
    auto& mechanic = MakeWindow<Morvane::GUIMechanicWindow>(audio_.get(), profiles_.get(), data_.get(), tools_.get(),
                                                            menus_.get(), nullptr);
    Converse(mechanic, Morvane::GUIMechanicWindow::kScript);
}

TEST_F(GUIConversationWindowTest, ALayoutWithoutTheTitleStopsTheGame) {
    static constexpr ConversationScript kBroken{"window_broken", "owner_hello", "owner_stand", {"a/b", "a/b", "a/b", "a/b"}};
    EXPECT_THROW(GUIConversationWindow(audio_.get(), profiles_.get(), data_.get(), tools_.get(), menus_.get(), nullptr,
                                       kBroken),
                 Vantor::FatalError);
    EXPECT_EQ(Fatals().size(), 1u);
}

}  // namespace
