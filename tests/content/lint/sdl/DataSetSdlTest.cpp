// The built data set drawn by the whole engine under an X server, as a player sees it:
// the café room with no machine bought and with all fifteen, its customers waiting with
// an order, and the house with nothing, some and everything built (each upgrade's
// layers shown exactly when it is built).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/Engine.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/BoundingBox.h"
#include "engine/render/Image.h"
#include "engine/render/Model.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderUser.h"
#include "game/Background.h"
#include "game/Food.h"
#include "game/GameData.h"
#include "game/HouseBackground.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "gui_tools/GUIBackgroundLayer.h"
#include "platform/Clock.h"
#include "platform/WinPaths.h"
#include "tests/engine/kernel/EngineSceneTestSupport.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"

namespace {

using scenes::PixelAt;
using scenes::Rgb;
namespace fs = std::filesystem;

const char* const kLists[] = {"background\\resources.xml", "house\\resources.xml",
                              "game_objects\\provisions_resources.xml", "game_objects\\room_resources.xml",
                              "game_objects\\customers_resources.xml"};

class DataSetSdlTest : public enginetest::EngineSceneTest {
protected:
    void SetUp() override {
        platform::seam::UseVirtualClock();
        EngineSceneTest::SetUp();
        const fs::path data = MORVANE_DATA_SET_FOLDER;
        ASSERT_TRUE(fs::is_directory(data)) << "make_data has not built " << data;
        Vantor::EngineSettings settings = home_.Settings();
        settings.baseFolder = platform::ToWindowsPath(data.parent_path().string());
        settings.dataFolder = Vantor::ToWide(data.filename().string());
        engine_ = std::make_unique<Vantor::Engine>(settings);
        Vantor::GUIManager::Instance()->SetScreenSize(800, 600);
        data_ = std::make_unique<Morvane::GameData>();
        for (const char* list : kLists) data_->LoadResourceList(L"data\\" + Vantor::ToWide(list), false);
        data_->LoadAll();
        profiles_ = std::make_unique<Morvane::ProfileManager>(nullptr, home_.root + L"\\user");
        profiles_->SelectProfile(profiles_->CreateProfileIfMissing(L"Anna"), false);
    }
    void TearDown() override {
        foods_.clear();
        house_.reset();
        background_.reset();
        for (auto window = windows_.rbegin(); window != windows_.rend(); ++window)
            Vantor::GUIManager::Instance()->DestroyWindow(*window);
        profiles_.reset();
        data_.reset();
        engine_.reset();
        EngineSceneTest::TearDown();
    }

    Vantor::GUIWindow* Show(const std::string& model, Vantor::Vector2 position = {0, 0}) {
        Vantor::GUIWindow* window = Vantor::GUIManager::Instance()->CreateWindow(
            Vantor::GUIWindow::kShown, position, {1, 1}, data_->GetModel(model), nullptr, room_);
        window->SetOrder(10 + static_cast<int>(windows_.size()));
        windows_.push_back(window);
        return window;
    }

    static Vantor::Vector2 Corner(const Vantor::Model* place) {
        return {place->GetBoundingBox().worldMin.x, place->GetBoundingBox().worldMin.y};
    }

    void ShowFood(const std::vector<std::string>& layers, Vantor::Vector2 position) {
        auto& food = foods_.emplace_back(std::make_unique<Morvane::Food>(data_.get(), room_));
        for (const std::string& layer : layers) food->AddIngredient(layer);
        food->SetPosition(position);
        food->GetRootWindow()->SetOrder(1000 + static_cast<int>(foods_.size()));
    }

    // The room as a day sets it up: the dustbin and the machines bought, the trays whose
    // ingredients they need with an item on each place, the clock, and customers.
    void ShowRoom(std::size_t bought) {
        std::vector<std::string> machines{"dustbin"};
        for (std::size_t i = 0; i < bought; ++i) machines.push_back(data_->GetCharacter().machineUpgrades[i]->name);
        background_ = std::make_unique<Morvane::Background>(data_.get(), nullptr, machines);
        // In front of the background, as the day's window is.
        room_ = Vantor::GUIManager::Instance()->CreateEmptyWindow(Vantor::GUIWindow::kShown, nullptr);
        room_->SetOrder(1000);
        windows_.push_back(room_);
        for (const std::string& machine : machines) Show("room/automatic_machines/" + machine + "/lower");
        for (const auto& distributor : data_->GetDistributors()) {
            const bool cake = distributor->name.find("cracker") == 0 || distributor->name.find("jelly") == 0;
            if (!cake && bought < 15) continue;
            const std::string key = "room/distributors/" + distributor->name + "/";
            Show(key + "lower");
            for (int slot = 0; data_->HasModel(key + "input_" + std::to_string(slot)); ++slot)
                ShowFood({distributor->ingredient}, Corner(data_->GetModel(key + "input_" + std::to_string(slot))));
        }
        Show("room/clock/model");
        const char* const types[] = {"regular", "student", "child", "tourist"};
        for (unsigned place = 0; place < data_->GetCustomerPlaceCount(); ++place) {
            const std::string key = "customers/models/0" + std::to_string(place) + "/";
            Vantor::GUIWindow* customer = Show(key + "customer");
            customer->SetShader(data_->GetShaderUser(std::string("customers/shaders/") + types[place]));
            customer->GetModel()->GetAnimationControl()->SetPositionToEnd();
            const Vantor::Vector2 balloon = Corner(data_->GetModel(key + "balloon"));
            Show("customers/balloon/model", balloon);
            ShowFood({"cracker_waffle", "jelly_green", "cracker_chocolate"},
                     balloon + Corner(data_->GetModel("customers/balloon/place_00/cake")));
            if (bought == 15) {
                ShowFood({"coffee_cup", "coffee_mocha", "cream"}, balloon + Corner(data_->GetModel("customers/balloon/place_01/coffee")));
                ShowFood({"ice_cream_cone", "ice_cream_strawberry"}, balloon + Corner(data_->GetModel("customers/balloon/place_02/ice_cream")));
            }
            Show("customers/balloon/smile", balloon);
            Show("customers/balloon/smile_progress", balloon);
        }
    }

    void Capture(const std::string& name, Vantor::Image& picture) {
        platform::seam::AdvanceVirtualTime(100000);
        engine_->BeginFrame();
        if (background_) background_->Update();
        if (house_) house_->Update();
        for (auto& food : foods_) food->Update();
        engine_->EndFrame();
        Vantor::RenderSystem::Instance()->CaptureScreen(picture);
        scenes::KeepCapture(picture, name);
    }

    static bool Near(Rgb seen, Rgb colour) {
        return std::abs(seen.red - colour.red) < 40 && std::abs(seen.green - colour.green) < 40 &&
               std::abs(seen.blue - colour.blue) < 40;
    }

    std::unique_ptr<Vantor::Engine> engine_;
    std::unique_ptr<Morvane::GameData> data_;
    std::unique_ptr<Morvane::ProfileManager> profiles_;
    std::unique_ptr<Morvane::Background> background_;
    std::unique_ptr<Morvane::HouseBackground> house_;
    std::vector<std::unique_ptr<Morvane::Food>> foods_;
    std::vector<Vantor::GUIWindow*> windows_;  // parents first
    Vantor::GUIWindow* room_ = nullptr;
};

// The chalk board's slate where the coffee machine will stand, the machine's body when
// it does.
const Rgb kSlate{77, 91, 102};

TEST_F(DataSetSdlTest, TheRoomWithoutMachinesShowsTheDecorations) {
    ShowRoom(0);
    Vantor::Image picture;
    Capture("room_0_machines", picture);
    EXPECT_TRUE(Near(PixelAt(picture, 545, 560), kSlate)) << scenes::Describe(PixelAt(picture, 545, 560));
}

TEST_F(DataSetSdlTest, TheRoomWithEveryMachineHidesTheDecorations) {
    ShowRoom(15);
    Vantor::Image picture;
    Capture("room_15_machines", picture);
    EXPECT_FALSE(Near(PixelAt(picture, 545, 560), kSlate)) << scenes::Describe(PixelAt(picture, 545, 560));
}

TEST_F(DataSetSdlTest, TheHouseShowsWhatIsBuilt) {
    const std::vector<std::vector<std::string>> stages{
        {}, {"walls", "door", "fence"},
        {"walls", "door", "windows", "roof", "chimney", "porch", "balcony", "fence", "garden", "flowers"}};
    const char* const names[] = {"house_nothing_built", "house_some_built", "house_all_built"};
    // The walls' middle, left of the door: the plot's slate foundation below shows
    // through until the walls stand.
    std::vector<Rgb> walls;
    for (std::size_t stage = 0; stage < stages.size(); ++stage) {
        Morvane::Profile* profile = profiles_->GetCurrent();
        for (const std::string& upgrade : stages[stage])
            if (!profile->IsHouseUpgradeBuilt(upgrade)) profile->AddHouseUpgrade(upgrade);
        house_ = std::make_unique<Morvane::HouseBackground>(profiles_.get(), data_.get(), nullptr);
        house_->Show(true, false, 1.0f);
        for (const GUITools::GUIBackgroundLayer* layer : house_->GetUpgradeLayers()) {
            const bool built = std::any_of(stages[stage].begin(), stages[stage].end(), [&](const std::string& upgrade) {
                return layer->GetName().find(upgrade) != std::string::npos;
            });
            EXPECT_EQ(built, layer->enabled) << names[stage] << ": " << layer->GetName();
        }
        Vantor::Image picture;
        Capture(names[stage], picture);
        walls.push_back(PixelAt(picture, 330, 200));
        house_.reset();
    }
    EXPECT_FALSE(Near(walls[0], {246, 231, 200})) << scenes::Describe(walls[0]);
    EXPECT_TRUE(Near(walls[1], {246, 231, 200})) << scenes::Describe(walls[1]);
}

}  // namespace
