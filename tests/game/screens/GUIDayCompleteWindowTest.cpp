// The day's results: the day's number, the face, text and colour of each service
// rating, the colour of the customers served by their share, the three figures counted
// up one after the other to the looping cash register, and continuing before the
// counts have ended.

#include "game/screens/GUIDayCompleteWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/ShaderUser.h"
#include "game/Profile.h"
#include "game/ServiceColours.h"
#include "tests/game/screens/ResultScreens.h"
#include "tests/game/screens/ScreenTestBench.h"

namespace {

using GameFramework::WindowId;
using GameFramework::WindowResult;
using Morvane::GUIDayCompleteWindow;
using Morvane::ServiceColours;

void ExpectColour(const Vantor::Color& seen, const Vantor::Color& expected, const std::string& what) {
    EXPECT_TRUE(seen.x == expected.x && seen.y == expected.y && seen.z == expected.z && seen.w == expected.w)
        << what << ": (" << seen.x << ", " << seen.y << ", " << seen.z << ", " << seen.w << ")";
}

class GUIDayCompleteWindowTest : public screenstest::ScreenTestBench {
protected:
    void SetUp() override {
        ScreenTestBench::SetUp();
        WriteLayout("faders.xml", resultscreens::Faders());
        WriteLayout("day_complete.xml",
                    resultscreens::DayCompleteLayout(ButtonXml("button_0", {400, 20}, {150, 50}, "Continue")));
        WriteTexts(resultscreens::DayCompleteTexts());
        MakeGame();
        AddEffect(GUIDayCompleteWindow::kCountSound, true);
        resultscreens::AddFaceSheet(*data_);
        MakeProfiles({L"Ann"});
        window_ = &MakeWindow<GUIDayCompleteWindow>(audio_.get(), profiles_.get(), data_.get(), tools_.get(),
                                                    menus_.get(), nullptr);
    }

    Morvane::DayResult& Result() const { return profiles_->GetCurrent()->GetDayResult(); }
    // Opened from the start-of-day window, and the frame that grants the opening.
    void Open() {
        window_->Open(WindowId::StartGameLogic);
        Frame();
        ASSERT_TRUE(window_->IsShown());
    }
    void CloseAndWait() {
        window_->Close();
        RunFor(0.5f);
    }
    std::wstring Shown(const std::string& path) const {
        return ShownText(*window_->GetTextControl(std::string(GUIDayCompleteWindow::kLayout) + path));
    }
    const GUITools::GUITextControl& Text(const std::string& path) const {
        return *window_->GetTextControl(std::string(GUIDayCompleteWindow::kLayout) + path);
    }
    float FaceFrame() const {
        return window_->GetWindow("window_day_complete/window/smile")->GetShaderUser()->GetAnimationControl(0)
            ->GetPosition();
    }
    std::wstring Figures() const {
        return Shown("/window/food_sales") + L" " + Shown("/window/tips") + L" " + Shown("/window/total_sales");
    }
    bool CashRegisterPlays() const { return audio_->GetEffectState(GUIDayCompleteWindow::kCountSound) == 0; }

    GUIDayCompleteWindow* window_ = nullptr;
};

TEST_F(GUIDayCompleteWindowTest, EachServiceRatingShowsItsFaceTextAndColourAndOtherValuesChangeNothing) {
    profiles_->GetCurrent()->SetDay(4);
    const std::tuple<int, float, const wchar_t*, Vantor::Color> cases[] = {
        {0, 0.0f, L"Splendid", ServiceColours::kGood},
        {1, 16.0f, L"Good", ServiceColours::kFair},
        {3, 48.0f, L"Very unhappy", ServiceColours::kPoor},
        {7, 48.0f, L"Very unhappy", ServiceColours::kPoor},
        {-1, 48.0f, L"Very unhappy", ServiceColours::kPoor},
    };
    for (const auto& [rating, frame, text, colour] : cases) {
        Result().serviceRating = rating;
        Open();
        Frame();
        EXPECT_EQ(FaceFrame(), frame) << "rating " << rating;
        EXPECT_EQ(Shown("/window/service"), text) << "rating " << rating;
        ExpectColour(Text("/window/service").colour, colour, "rating " + std::to_string(rating));
        EXPECT_EQ(Shown("/title"), L"Day 4");
        CloseAndWait();
    }
}

TEST_F(GUIDayCompleteWindowTest, TheCustomersServedShowGreenOnlyWhenAllCameAndRedWhenNobodyCame) {
    const std::tuple<int, int, Vantor::Color> cases[] = {
        {10, 10, ServiceColours::kGood}, {7, 10, ServiceColours::kFair}, {6, 10, ServiceColours::kPoor},
        {0, 10, ServiceColours::kPoor},  {0, 0, ServiceColours::kPoor},
    };
    for (const auto& [served, come, colour] : cases) {
        Result().customersServed = served;
        Result().customersCome = come;
        Open();
        Frame();
        const std::string label = std::to_string(served) + " of " + std::to_string(come);
        ExpectColour(Text("/window/customers_served").colour, colour, label);
        EXPECT_EQ(Shown("/window/customers_served"), std::wstring(label.begin(), label.end()));
        CloseAndWait();
    }
}

TEST_F(GUIDayCompleteWindowTest, TheFiguresCountUpOneAfterTheOtherWhileTheCashRegisterPlays) {
    Result().foodSales = 120;
    Result().tips = 15;
    Open();
    EXPECT_EQ(Figures(), L"0 0 0");
    RunFor(0.8f);
    EXPECT_FALSE(CashRegisterPlays()) << "before the first count";
    RunFor(0.54f);
    Frame(0.011f);  // 1.351 s after opening
    EXPECT_EQ(Figures(), L"60 0 0");
    EXPECT_TRUE(CashRegisterPlays());
    RunFor(0.64f);  // 1.991 s
    EXPECT_EQ(Figures(), L"120 0 0");
    EXPECT_FALSE(CashRegisterPlays()) << "between two counts";
    RunFor(2.36f);  // 4.351 s
    EXPECT_EQ(Figures(), L"120 15 135");
    EXPECT_FALSE(CashRegisterPlays());
    int starts = 0;
    for (const std::string& effect : TakePlayedEffects()) starts += effect == GUIDayCompleteWindow::kCountSound;
    EXPECT_EQ(starts, 3) << "started once per count";
    EXPECT_EQ(window_->GetResult(), WindowResult::None);
}

TEST_F(GUIDayCompleteWindowTest, ContinuingWhileCountingShowsEveryFinalFigureAndStopsTheCashRegister) {
    Result().foodSales = 120;
    Result().tips = 15;
    Open();
    RunFor(1.2f);
    ASSERT_TRUE(CashRegisterPlays());
    ClickOn(*window_->GetButton("window_day_complete/window/button_0"));
    Frame();
    EXPECT_EQ(window_->GetResult(), WindowResult::GoToStart);
    EXPECT_EQ(Figures(), L"120 15 135") << "in the update that saw the click";
    EXPECT_FALSE(CashRegisterPlays());
}

}  // namespace
