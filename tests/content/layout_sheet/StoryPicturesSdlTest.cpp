// The story's pictures in the built data set as a player sees them: each page of the
// introduction comic with its last panels shown, each character's poses beside the
// balloons the dialogue windows put them with, and the final background. Each frame is
// kept in "captures/".

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderUser.h"
#include "gui_tools/GUIBackgroundBase.h"
#include "gui_tools/GUIBackgroundLayer.h"
#include "gui_tools/GUITextControl.h"
#include "gui_tools/GUITextTool.h"
#include "gui_tools/GUIWindowBase.h"
#include "tests/content/layout_sheet/DataSetSdlTest.h"

namespace {

using scenes::PixelAt;
using scenes::Rgb;

constexpr int kMostFrames = 3000;

int Difference(const Rgb& a, const Rgb& b) {
    return std::abs(a.red - b.red) + std::abs(a.green - b.green) + std::abs(a.blue - b.blue);
}

bool Bright(const Rgb& colour) { return colour.red + colour.green + colour.blue > 600; }

class StoryPicturesSdlTest : public datasettest::DataSetSdlTest {
protected:
    void TearDown() override {
        lines_.clear();
        for (Vantor::GUIWindow* window : windows_) Vantor::GUIManager::Instance()->DestroyWindow(window);
        DataSetSdlTest::TearDown();
    }

    // A shown window drawing the model, with the picture when one is named.
    void Place(const std::string& model, const std::string& picture) {
        windows_.push_back(Vantor::GUIManager::Instance()->CreateWindow(
            1, {0.0f, 0.0f}, {1.0f, 1.0f}, keeper_->GetModel("ui/characters/" + model), nullptr, nullptr));
        if (!picture.empty()) windows_.back()->SetShader(keeper_->GetShaderUser("ui/characters/" + picture));
        windows_.back()->SetOrder(picture.empty() ? 2 : 1);
    }

    // The line of the text table in the balloon font, laid out in the balloon's text area.
    void Say(const std::string& key, const Vantor::Vector2& position, const Vantor::Vector2& size) {
        GUITools::GUIControlDescription description;
        description.name = key;
        lines_.push_back(std::make_unique<GUITools::GUITextControl>(keeper_.get(), tools_->GetFontTool(),
                                                                    tools_->GetTextTool(), nullptr, description));
        GUITools::GUITextControl& line = *lines_.back();
        line.horizontalAlignment = line.verticalAlignment = "center";
        line.multiline = true;
        line.SetFont("common_2");
        line.SetPosition(position);
        line.SetSize(size);
        line.SetLiteralText(tools_->GetTextTool()->GetText(key));
        line.autoFontSize = true;
        line.Show(true, false);
    }

    void DrawFrames(int frames) {
        for (int frame = 0; frame < frames; ++frame)
            Frame([&] {
                for (const auto& line : lines_) line->Update();
            });
    }

    std::vector<Vantor::GUIWindow*> windows_;
    std::vector<std::unique_ptr<GUITools::GUITextControl>> lines_;
};

// The comic as its script leaves each page: the panels of the page in their last phase
// over the paper (the top and the bottom tier of pages 1 and 2 together), the first page
// being the desk with the letter.
TEST_F(StoryPicturesSdlTest, EveryComicPageShowsItsLastPanels) {
    LoadList(L"ui\\resources_introduction_comics.xml");
    GUITools::GUIWindowBase comic(keeper_.get(), tools_.get(), nullptr, "window_introduction");
    const std::string prefix = "window_introduction/";
    const std::vector<std::pair<std::string, std::vector<std::string>>> pages{
        {"comic_desk",
         {"comics_background_0", "comics_paper", "comics_photo", "comics_clip", "comics_text_0", "comics_text_1",
          "comics_text_2", "comics_accepted"}},
        {"comic_page_0",
         {"comics_background_1", "comics_frame_0_0_anim_1", "comics_frame_0_1_anim_1", "comics_frame_0_2_anim_1",
          "comics_frame_0_3_anim_1"}},
        {"comic_pages_1_and_2",
         {"comics_background_1", "comics_frame_1_0_anim_3", "comics_frame_1_2_anim_3", "comics_frame_1_3_anim_3",
          "comics_frame_2_0_anim_2", "comics_frame_2_1_anim_2", "comics_frame_2_2_anim_2", "comics_balloon_250_1"}},
        {"comic_page_3",
         {"comics_background_1", "comics_frame_2_0_anim_2", "comics_frame_2_1_anim_2", "comics_frame_2_2_anim_2",
          "comics_frame_3_0_anim_1", "comics_frame_3_1_anim_1", "comics_frame_3_2_anim_1",
          "comics_frame_3_3_anim_1", "comics_balloon_300"}},
        {"comic_page_4",
         {"comics_background_1", "comics_frame_4_0_anim_1", "comics_frame_4_1_anim_1", "comics_frame_4_2_anim_1",
          "comics_frame_4_3_anim_1", "comics_balloon_382"}},
        {"comic_page_5", {"comics_background_1", "comics_frame_5_0_anim_0", "comics_frame_5_1_anim_0"}},
        {"comic_page_5_opening", {"comics_background_1", "comics_frame_5_2_anim_0"}},
    };
    for (const auto& page : pages) {
        const std::string& capture = page.first;
        const std::vector<std::string>& shown = page.second;
        SCOPED_TRACE(capture);
        for (const auto& control : comic.GetControls()) {
            const std::string& full = control->GetName();
            const std::string name = full.rfind(prefix, 0) == 0 ? full.substr(prefix.size()) : full;
            comic.EnableControl(*control, name.find("comics") == std::string::npos ||
                                              std::find(shown.begin(), shown.end(), name) != shown.end());
        }
        comic.Show(true);
        const auto faded = [&] {
            return std::all_of(shown.begin(), shown.end(),
                               [&](const std::string& name) { return comic.GetControl(prefix + name)->GetFadeValue() > 0.999f; });
        };
        for (int frame = 0; frame < kMostFrames && !faded(); ++frame) Frame([&] { comic.Update(); });
        Frame([&] { comic.Update(); });
        Vantor::Image picture;
        Capture(picture, capture);
        // Every picture shown differs from the paper between the tiers somewhere near its centre.
        const Rgb paper = PixelAt(picture, 400, 300);
        for (const std::string& name : shown) {
            const GUITools::GUIControl& control = *comic.GetControl(prefix + name);
            const Vantor::Vector2 centre = control.GetPosition() + control.GetSize() * 0.5f;
            if (name == "comics_background_1" || name.find("text") != std::string::npos) continue;
            int differing = 0;
            for (int dx = -60; dx <= 60; dx += 15)
                for (int dy = -60; dy <= 60; dy += 15)
                    if (Difference(PixelAt(picture, int(centre.x) + dx, int(centre.y) + dy), paper) > 40) ++differing;
            EXPECT_GT(differing, 0) << name;
        }
        comic.Show(false);
        for (int frame = 0; frame < kMostFrames && comic.IsVisible(); ++frame) Frame([&] { comic.Update(); });
    }
    EXPECT_TRUE(enginetest::TakeErrors(*Vantor::MessageManager::Instance()).empty());
}

// Each pose in the portrait that shows it, beside the balloons of that dialogue window,
// each with a line of the story in its text area.
TEST_F(StoryPicturesSdlTest, EveryCharacterStandsBesideItsBalloons) {
    struct Balloon {
        const char* model;
        Vantor::Vector2 position, size;
        const char* key;
    };
    const Balloon leftSmall{"main_menu_balloon_left_small", {90, 390}, {207, 84}, "meeting/girl_how_fly"};
    const Balloon rightSmall{"main_menu_balloon_right_small", {508, 369}, {207, 84}, "meeting/owner_hello"};
    const Balloon rightBig{"main_menu_balloon_right_big", {462, 368}, {253, 104}, "start_game/owner_upgrade_0"};
    const Balloon mechanicSmall{"main_menu_balloon_right_small", {508, 369}, {207, 84}, "mechanic/mechanic_text_0"};
    const Balloon mechanicBig{"main_menu_balloon_right_big", {462, 368}, {253, 104}, "upgrade/mechanic_no_money"};
    const Balloon workerSmall{"build_balloon_left_small", {90, 390}, {207, 84}, "build/worker_build_done"};
    const Balloon workerBig{"build_balloon_left_big", {90, 390}, {253, 104}, "build/meeting_worker_build_1"};
    const Balloon girlSmall{"build_balloon_right_small", {508, 369}, {207, 84}, "build/girl_build_done"};
    const Balloon girlBig{"build_balloon_right_big", {462, 368}, {253, 104}, "build/worker_build_no_money"};
    const Balloon girlVeryBig{"build_balloon_right_very_big", {414, 368}, {303, 104}, "build/girl_build_all_done"};
    struct Scene {
        const char* capture;
        const char* leftPortrait;
        const char* leftPose;
        const char* rightPortrait;
        const char* rightPose;
        std::vector<Balloon> balloons;
    };
    const std::vector<Scene> scenes{
        {"characters_meeting", "main_menu_girl", "girl_hello", "main_menu_npc", "owner_hello", {leftSmall, rightSmall}},
        {"characters_hub", "main_menu_girl", "girl_stand", "main_menu_npc", "owner_look", {rightBig}},
        {"characters_hub_evening", "main_menu_girl", "girl_look", "main_menu_npc", "owner_stand", {leftSmall}},
        {"characters_mechanic", "main_menu_girl", "girl_stand", "main_menu_npc", "mechanic_hello", {mechanicSmall}},
        {"characters_upgrade", "main_menu_girl", "girl_miss", "main_menu_npc", "mechanic_stand", {mechanicBig}},
        {"characters_house_hello", "build_worker", "worker_hello", "build_girl", "girl_hello", {workerSmall, girlSmall}},
        {"characters_house_list", "build_worker", "worker_stand", "build_girl", "girl_stand", {workerBig, girlVeryBig}},
        {"characters_house_miss", "build_worker", "worker_miss", "build_girl", "girl_miss", {girlBig}},
        {"characters_house_built", "build_worker", "worker_look", "build_girl", "girl_look", {workerSmall}},
    };
    for (const Scene& scene : scenes) {
        SCOPED_TRACE(scene.capture);
        Place(scene.leftPortrait, scene.leftPose);
        Place(scene.rightPortrait, scene.rightPose);
        for (const Balloon& balloon : scene.balloons) {
            Place(balloon.model, "");
            Say(balloon.key, balloon.position, balloon.size);
        }
        DrawFrames(3);
        Vantor::Image picture;
        Capture(picture, scene.capture);
        // The portraits' faces stand at the screen's sides; the balloons are light behind their text.
        EXPECT_GT(Difference(PixelAt(picture, 100, 200), {0, 0, 0}), 100) << "left face";
        EXPECT_GT(Difference(PixelAt(picture, 700, 200), {0, 0, 0}), 100) << "right face";
        for (const Balloon& balloon : scene.balloons)
            EXPECT_TRUE(Bright(PixelAt(picture, int(balloon.position.x) + 4, int(balloon.position.y) + 4))) << balloon.model;
        lines_.clear();
        for (Vantor::GUIWindow* window : windows_) Vantor::GUIManager::Instance()->DestroyWindow(window);
        windows_.clear();
    }
    EXPECT_TRUE(enginetest::TakeErrors(*Vantor::MessageManager::Instance()).empty());
}

TEST_F(StoryPicturesSdlTest, TheFinalBackgroundShowsTheHarbourWithTheBalloonFlyingOff) {
    LoadList(L"final\\resources.xml");
    GUITools::GUIBackgroundBase background(keeper_.get(), nullptr, L"data\\final\\background.xml");
    background.CreateBasicLayers();
    background.CreateAdditionalLayers();
    ASSERT_EQ(background.layers.size(), 3u);
    background.Show(true, true, 2.0f);
    for (int frame = 0; frame < kMostFrames && background.layers.front()->GetFadeValue() < 1.0f; ++frame)
        Frame([&] { background.Update(); });
    Frame([&] { background.Update(); });
    Vantor::Image picture;
    Capture(picture, "final_background");
    // The sun over the sea is warm; the sea below it is cool.
    const Rgb sun = PixelAt(picture, 560, 250), sea = PixelAt(picture, 600, 150);
    EXPECT_GT(sun.red, sun.blue + 60);
    EXPECT_GT(sea.blue, sea.red);
    EXPECT_TRUE(enginetest::TakeErrors(*Vantor::MessageManager::Instance()).empty());
}

}  // namespace
