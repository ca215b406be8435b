// A character portrait: the first picture held hidden and then faded in, a new picture
// cross-fading over the old one, the empty name fading the character out, and the
// names that change nothing.

#include "game/screens/GUICharacterWindow.h"

#include <gtest/gtest.h>

#include <memory>

#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderUser.h"
#include "tests/game/screens/DialogueArt.h"
#include "tests/game/screens/ScreenTestBench.h"

namespace {

using Morvane::GUICharacterWindow;

class GUICharacterWindowTest : public screenstest::ScreenTestBench {
protected:
    void SetUp() override {
        ScreenTestBench::SetUp();
        MakeGame();
        dialogueart::AddQuad(*data_, "characters/hero", {500.0f, 100.0f}, {200.0f, 300.0f});
        for (const char* picture : {"wave", "stand", "frown"})
            dialogueart::AddPicture(*data_, std::string("characters/") + picture, {200, 100, 50});
        portrait_ = std::make_unique<GUICharacterWindow>(data_.get(), nullptr, "hero");
        frameStep = [this] { portrait_->Update(); };
    }
    void TearDown() override {
        frameStep = nullptr;
        portrait_.reset();
        ScreenTestBench::TearDown();
    }

    // Whether the window is shown and carries the picture.
    bool Carries(const Vantor::GUIWindow* window, const std::string& picture) const {
        return window->IsVisible() && window->GetShaderUser()->GetShader() ==
                                          data_->GetShaderUser("ui/characters/" + picture)->GetShader();
    }
    float FrontAlpha() const { return portrait_->GetFrontWindow()->GetAlpha(); }
    float BackAlpha() const { return portrait_->GetBackWindow()->GetAlpha(); }

    std::unique_ptr<GUICharacterWindow> portrait_;
};

TEST_F(GUICharacterWindowTest, TheFirstPictureStaysHiddenForAboutPointFourTwoSecondsThenFadesInByOnePointTwoFive) {
    portrait_->SetCharacter("wave");
    EXPECT_TRUE(Carries(portrait_->GetFrontWindow(), "wave"));
    EXPECT_FALSE(portrait_->GetBackWindow()->IsVisible());
    EXPECT_EQ(portrait_->GetBackWindow()->GetOrder(), 2);
    EXPECT_EQ(portrait_->GetFrontWindow()->GetOrder(), 3);

    RunFor(0.4f);
    EXPECT_FLOAT_EQ(FrontAlpha(), 0.0f) << "still holding";
    RunFor(0.4f);
    EXPECT_NEAR(FrontAlpha(), 0.8f * 1.2f - 0.5f, 0.01f);
    RunFor(0.42f);
    EXPECT_LT(FrontAlpha(), 1.0f);
    RunFor(0.06f);
    EXPECT_FLOAT_EQ(FrontAlpha(), 1.0f);
    EXPECT_TRUE(Carries(portrait_->GetFrontWindow(), "wave"));
    EXPECT_FALSE(portrait_->GetBackWindow()->IsVisible());
}

TEST_F(GUICharacterWindowTest, TheSameNameAgainLetsTheRunningFadeGoOn) {
    portrait_->SetCharacter("wave");
    RunFor(0.7f);
    const float before = FrontAlpha();
    ASSERT_GT(before, 0.0f);
    portrait_->SetCharacter("wave");
    Frame();
    EXPECT_GT(FrontAlpha(), before);
}

TEST_F(GUICharacterWindowTest, TheEmptyNameOnAnEmptyPortraitDoesNothing) {
    portrait_->SetCharacter("");
    RunFor(1.0f);
    EXPECT_FALSE(portrait_->GetFrontWindow()->IsVisible());
    EXPECT_FALSE(portrait_->GetBackWindow()->IsVisible());
    EXPECT_EQ(portrait_->GetCurrent(), "");
}

TEST_F(GUICharacterWindowTest, AChangeHoldsTheOldPictureThenCrossFadesTheNewOneOverIt) {
    portrait_->SetCharacter("wave");
    RunFor(2.0f);
    portrait_->SetCharacter("stand");
    EXPECT_TRUE(Carries(portrait_->GetBackWindow(), "wave"));
    EXPECT_TRUE(Carries(portrait_->GetFrontWindow(), "stand"));

    RunFor(0.16f);
    EXPECT_FLOAT_EQ(FrontAlpha(), 0.0f) << "the old picture holds for 0.2 / 1.2 s";
    EXPECT_FLOAT_EQ(BackAlpha(), 1.0f);
    RunFor(0.5f);
    EXPECT_NEAR(FrontAlpha() + BackAlpha(), 1.0f, 0.0001f);
    EXPECT_GT(FrontAlpha(), 0.3f);
    RunFor(0.4f);
    EXPECT_FLOAT_EQ(FrontAlpha(), 1.0f);
    EXPECT_FALSE(portrait_->GetBackWindow()->IsVisible()) << "hidden once the new picture is in";
}

TEST_F(GUICharacterWindowTest, AChangeDuringACrossFadeShowsTheIncomingPictureAtFullAlphaBehindTheNewest) {
    portrait_->SetCharacter("wave");
    RunFor(2.0f);
    portrait_->SetCharacter("stand");
    RunFor(0.5f);
    ASSERT_GT(FrontAlpha(), 0.0f);
    ASSERT_LT(FrontAlpha(), 1.0f);

    portrait_->SetCharacter("frown");
    EXPECT_TRUE(Carries(portrait_->GetBackWindow(), "stand"));
    EXPECT_FLOAT_EQ(BackAlpha(), 1.0f);
    EXPECT_TRUE(Carries(portrait_->GetFrontWindow(), "frown"));
    EXPECT_FLOAT_EQ(FrontAlpha(), 0.0f);
    RunFor(0.16f);
    EXPECT_FLOAT_EQ(FrontAlpha(), 0.0f) << "the hold starts over";
    RunFor(0.9f);
    EXPECT_FLOAT_EQ(FrontAlpha(), 1.0f);
    EXPECT_FALSE(portrait_->GetBackWindow()->IsVisible());
}

TEST_F(GUICharacterWindowTest, TheEmptyNameFadesOutAndTheNextNameStartsAsAFirstPicture) {
    portrait_->SetCharacter("wave");
    RunFor(2.0f);
    portrait_->SetCharacter("");
    EXPECT_TRUE(Carries(portrait_->GetFrontWindow(), "wave"));
    EXPECT_FLOAT_EQ(FrontAlpha(), 1.0f);
    RunFor(0.34f);
    EXPECT_NEAR(FrontAlpha(), 0.5f, 0.02f) << "out over 1 / 1.5 s";
    RunFor(0.34f);
    EXPECT_FALSE(portrait_->GetFrontWindow()->IsVisible());
    EXPECT_EQ(portrait_->GetCurrent(), "");

    portrait_->SetCharacter("stand");
    EXPECT_FALSE(portrait_->GetBackWindow()->IsVisible());
    RunFor(0.4f);
    EXPECT_FLOAT_EQ(FrontAlpha(), 0.0f) << "held as a first picture";
    RunFor(0.9f);
    EXPECT_FLOAT_EQ(FrontAlpha(), 1.0f);
}

TEST_F(GUICharacterWindowTest, AMissingPictureFallsBackToTheDefaultMaterialWithItsErrorLine) {
    TakeErrors();
    portrait_->SetCharacter("nobody");
    const std::vector<std::string> errors = TakeErrors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("ui/characters/nobody"), std::string::npos) << errors[0];
    RunFor(1.5f);
    EXPECT_FLOAT_EQ(FrontAlpha(), 1.0f);
}

}  // namespace
