#pragma once
// What the benchmarks that run the whole engine share: the engine in a private temporary
// folder (no file goes to the real home folder), windowed at 800 x 600 without vertical
// sync, removed with everything in it at the end, and an orthographic camera over its
// 800 x 600 picture (one unit a pixel, y up).

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/kernel/Config.h"
#include "engine/kernel/Engine.h"
#include "engine/kernel/EngineSettings.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "platform/WinFolders.h"
#include "platform/WinPaths.h"

namespace benchsupport {

class EngineBenchHome {
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;

    EngineBenchHome() {
        std::string pattern = (std::filesystem::temp_directory_path() / "morvane-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        folder_ = pattern;
        const std::wstring root = platform::ToWindowsPath(folder_.string());
        platform::seam::SetExecutablePath(root + L"\\bench.exe");
        platform::seam::SetUserDataFolder(root + L"\\user");
    }
    ~EngineBenchHome() {
        engine_.reset();
        platform::seam::SetExecutablePath(L"");
        platform::seam::SetUserDataFolder(L"");
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    EngineBenchHome(const EngineBenchHome&) = delete;
    EngineBenchHome& operator=(const EngineBenchHome&) = delete;

    // The folder the engine's data folder lies in.
    const std::filesystem::path& Folder() const { return folder_; }

    // Starts the engine over the folder; it lives until the home goes (or StopEngine).
    void StartEngine() {
        const std::wstring root = platform::ToWindowsPath(folder_.string());
        Vantor::EngineSettings settings;
        settings.title = L"Bench";
        settings.version = 100;
        settings.baseFolder = root;
        settings.configFolder = root;
        settings.configName = L"bench";
        settings.logFolder = root;
        settings.dataFolder = L"data";
        settings.usePacks = false;
        settings.displayMode = "800x600x32";
        settings.centreWindow = true;
        engine_ = std::make_unique<Vantor::Engine>(settings);
        Vantor::Config::Instance()->values.vsync = false;
    }
    void StopEngine() { engine_.reset(); }

    // The engine's whole frame around the caller's work: its start (window messages,
    // input), then its end (every manager's pass with the draw, presentation).
    template <typename Work>
    void Frame(Work work) {
        engine_->BeginFrame();
        work();
        engine_->EndFrame();
    }
    void Frame() {
        Frame([] {});
    }

    // A new orthographic camera over the picture, made by the camera manager.
    static Vantor::Camera* MakePictureCamera() {
        Vantor::Camera* camera = Vantor::CameraManager::Instance()->CreateCamera(Vantor::Camera::kOrthographic);
        camera->width = kWidth;
        camera->height = kHeight;
        camera->nearPlane = 500;
        camera->farPlane = -500;
        return camera;
    }

private:
    std::filesystem::path folder_;
    std::unique_ptr<Vantor::Engine> engine_;
};

}  // namespace benchsupport
