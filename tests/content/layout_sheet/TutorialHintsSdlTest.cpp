// The tutorial window over the built data set, as a player sees its hints: a text hint,
// arrows turned by 3.65 and 8.35 rad towards the room, and the right mouse button
// beside the cursor. Each frame is kept as "captures/tutorial_hint_<n>.png".

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/AudioManager.h"
#include "framework/Tutorial.h"
#include "game/GameData.h"
#include "game/ProfileManager.h"
#include "game/screens/GUITutorialWindow.h"
#include "gui_tools/GUIWindowControl.h"
#include "tests/content/layout_sheet/DataSetSdlTest.h"
#include "tests/game/screens/sdl/PictureChecks.h"

namespace {

constexpr float kFrameSeconds = 0.02f;

class TutorialHintsSdlTest : public datasettest::DataSetSdlTest {
protected:
    void SetUp() override {
        DataSetSdlTest::SetUp();
        data_ = std::make_unique<Morvane::GameData>();
        for (const wchar_t* list : {L"ui\\resources_basic.xml", L"ui\\resources_additional.xml"})
            data_->LoadResourceList(Vantor::FileManager::Instance()->GetDataPath(list), true);
        // Silent: the hint sound is the mixer's business.
        audio_ = std::make_unique<GameFramework::AudioManager>(1.0f, 1.0f, nullptr);
        profiles_ = std::make_unique<Morvane::ProfileManager>(nullptr, home_.root + L"\\user");
        tutorial_ = std::make_unique<GameFramework::Tutorial>(profiles_.get());
        window_ = std::make_unique<Morvane::GUITutorialWindow>(tutorial_.get(), audio_.get(), data_.get(),
                                                                tools_.get(), nullptr);
    }
    void TearDown() override {
        window_.reset();
        tutorial_.reset();
        profiles_.reset();
        audio_.reset();
        data_.reset();
        DataSetSdlTest::TearDown();
    }

    void Frames(float seconds) {
        for (float time = 0.0f; time < seconds; time += kFrameSeconds) {
            platform::seam::AdvanceVirtualTime(static_cast<std::uint64_t>(kFrameSeconds * 1e6f));
            Frame([&] {
                tutorial_->Update(kFrameSeconds);
                window_->Update();
            });
        }
    }
    // The hint shown until its fades have ended, then captured and ended.
    void ShowAndCapture(int hint, Vantor::Image& picture) {
        tutorial_->StartHint(hint, 0.0f);
        Frames(2.0f);
        Capture(picture, "tutorial_hint_" + std::to_string(hint));
        tutorial_->EndHint();
        Frames(2.0f);
    }
    // Pixels of the control's rectangle that are not the black screen.
    static int Drawn(const Vantor::Image& picture, const GUITools::GUIControl& control) {
        const Vantor::Vector2 place = control.GetPosition();
        const Vantor::Vector2 size = control.GetSize();
        return picturechecks::CountPixels(picture, static_cast<int>(place.x), static_cast<int>(place.y),
                                          static_cast<int>(size.x), static_cast<int>(size.y),
                                          [](const scenes::Rgb& pixel) { return pixel.red + pixel.green + pixel.blue > 60; });
    }
    static int Area(const GUITools::GUIControl& control) {
        return static_cast<int>(control.GetSize().x * control.GetSize().y);
    }

    std::unique_ptr<Morvane::GameData> data_;
    std::unique_ptr<GameFramework::AudioManager> audio_;
    std::unique_ptr<Morvane::ProfileManager> profiles_;
    std::unique_ptr<GameFramework::Tutorial> tutorial_;
    std::unique_ptr<Morvane::GUITutorialWindow> window_;
};

TEST_F(TutorialHintsSdlTest, EachHintShowsItsBoxAndItsArrowOrMouseButtons) {
    Vantor::Image text, cracker, coffee, deliver;
    ShowAndCapture(1, text);
    EXPECT_GT(Drawn(text, window_->GetTextBox()), Area(window_->GetTextBox()) / 2) << "the box";
    ShowAndCapture(2, cracker);
    EXPECT_GT(Drawn(cracker, window_->GetArrow()), Area(window_->GetArrow()) / 10) << "the arrow";
    EXPECT_GT(Drawn(cracker, window_->GetLeftButton()), Area(window_->GetLeftButton()) / 4) << "the left button";
    ShowAndCapture(11, coffee);
    EXPECT_GT(Drawn(coffee, window_->GetArrow()), Area(window_->GetArrow()) / 10) << "the arrow";
    ShowAndCapture(21, deliver);
    EXPECT_GT(Drawn(deliver, window_->GetRightButton()), Area(window_->GetRightButton()) / 4) << "the right button";
}

}  // namespace
