#pragma once
// The data set make_data built for the test run, drawn by the whole engine through
// OpenGL under an X server: an engine whose data folder is the built one, a GUI of
// 800 x 600 units, the framework's two resource lists loaded into one keeper and the GUI
// tool manager. Frames run on the virtual clock, so timing does not depend on load.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "engine/gui/GUIManager.h"
#include "engine/kernel/Engine.h"
#include "engine/kernel/FileManager.h"
#include "engine/render/Image.h"
#include "engine/render/RenderSystem.h"
#include "gui_tools/GUIToolManager.h"
#include "platform/Clock.h"
#include "platform/WinPaths.h"
#include "tests/engine/kernel/EngineTestSupport.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"
#include "tools/DataKeeper.h"

namespace datasettest {

class DataSetSdlTest : public testing::Test {
protected:
    static constexpr float kScreenWidth = 800.0f, kScreenHeight = 600.0f;

    void SetUp() override {
        platform::seam::UseVirtualClock();
        const std::filesystem::path data = MORVANE_DATA_SET_FOLDER;
        ASSERT_TRUE(std::filesystem::is_directory(data)) << "make_data has not built " << data;
        Vantor::EngineSettings settings = home_.Settings(L"data set");
        settings.baseFolder = platform::ToWindowsPath(data.parent_path().string());
        engine_ = std::make_unique<Vantor::Engine>(settings);
        Vantor::GUIManager::Instance()->SetScreenSize(kScreenWidth, kScreenHeight);
        keeper_ = std::make_unique<GameTools::DataKeeper>();
        for (const wchar_t* list : {L"ui\\resources_basic.xml", L"ui\\resources_additional.xml"}) LoadList(list);
        tools_ = std::make_unique<GUITools::GUIToolManager>();
    }

    void TearDown() override {
        tools_.reset();
        keeper_.reset();
        engine_.reset();
    }

    // A resource list below the data folder, loaded at once.
    void LoadList(const wchar_t* list) const {
        keeper_->LoadResourceList(Vantor::FileManager::Instance()->GetDataPath(list), true);
    }

    // One whole frame in which the update runs.
    template <class UpdateFunction>
    void Frame(UpdateFunction update) {
        engine_->BeginFrame();
        update();
        engine_->EndFrame();
    }

    // The last frame's picture, also kept as "captures/<name>.png".
    static void Capture(Vantor::Image& picture, const std::string& name) {
        Vantor::RenderSystem::Instance()->CaptureScreen(picture);
        scenes::KeepCapture(picture, name);
    }

    enginetest::EngineFolder home_;
    std::unique_ptr<Vantor::Engine> engine_;
    std::unique_ptr<GameTools::DataKeeper> keeper_;
    std::unique_ptr<GUITools::GUIToolManager> tools_;
};

}  // namespace datasettest
