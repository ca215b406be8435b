// A GUI of 1,000 elements made through the engine's GUI manager: 40 panels (windows with
// a textured quad) holding 24 elements each (windows, buttons with a four-frame image,
// check boxes with an eight-frame image), a third of those hidden, every fourth shown
// button printing its label each frame.
//
// On the headless backend (PLATFORM_BACKEND=headless): the CPU time of the GUI's work in
// a frame (the labels queued, the input pass, the update) against the model manager's
// draw pass (update, sort, draw) of the same quads and texts, taken in turns in the same
// run; the ratio of the two is to stay at most 1.
// On the sdl backend under an X server: frames per second of the engine's whole frame
// with that GUI.
//   PLATFORM_BACKEND=sdl SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1280x1024x24" build/.../gui_bench

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/support/BenchBackend.h"
#include "bench/support/EngineBenchHome.h"
#include "bench/support/TimeInTurns.h"
#include "content/FontGenerator.h"
#include "content/PictureEncoder.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/TextAlignment.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderStage.h"
#include "tests/engine/gui/CellSheet.h"

namespace {

using Vantor::GUIManager;
using Vantor::GUIWindow;
using Vantor::Vector2;

constexpr int kPanelColumns = 8;
constexpr int kPanelRows = 5;
constexpr int kElementColumns = 6;
constexpr int kElementRows = 4;
constexpr float kPanelWidth = 100.0f;
constexpr float kPanelHeight = 120.0f;
constexpr float kCell = 16.0f;
constexpr Vantor::Color kLabelColour{1.0f, 1.0f, 1.0f, 1.0f};

// An image sheet of that many frames below the data folder.
void WriteSheet(const std::filesystem::path& folder, const std::string& name, int frames) {
    std::vector<Vantor::Color> cells;
    for (int frame = 0; frame < frames; ++frame)
        cells.emplace_back(0.2f + 0.1f * static_cast<float>(frame), 0.8f - 0.1f * static_cast<float>(frame), 0.5f, 1.0f);
    const Content::PictureEncoder::Bytes tga = guitest::CellSheetTga(cells);
    const std::filesystem::path path = folder / "data" / "ui" / (name + ".tga");
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(tga.data()),
                                                static_cast<std::streamsize>(tga.size()));
}

class Scene {
public:
    Scene() {
        WriteSheet(home_.Folder(), "panel", 1);
        WriteSheet(home_.Folder(), "button", 4);
        WriteSheet(home_.Folder(), "check_box", 8);
        home_.StartEngine();
        gui_ = GUIManager::Instance();
        gui_->SetScreenSize(benchsupport::EngineBenchHome::kWidth, benchsupport::EngineBenchHome::kHeight);
        Content::FontGenerator::Write(L"data\\fonts\\common",
                                      {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 12, false, false});
        const Vantor::ShaderDescriptor fontMaterial(true, false, "fonts\\common\\font", true);
        gui_->GetFontManager()->LoadFont(0, &fontMaterial, L"data\\fonts\\common\\font.fnt")->SetSize(12.0f);
        MakeElements();
        Frame();
    }

    // The GUI's work of a frame: the labels queued, the input pass and the update.
    void RouteAndUpdate() {
        QueueLabels();
        gui_->ProcessInput();
        gui_->Update();
    }

    static void DrawPass() { Vantor::ModelManager::Instance()->Render(); }

    // The engine's whole frame, which runs the GUI's passes itself; the labels are
    // queued between its halves as the game does.
    void Frame() {
        home_.Frame([this] { QueueLabels(); });
    }

    int ElementCount() const { return elementCount_; }
    std::uint32_t ModelCount() const { return Vantor::ModelManager::Instance()->GetModelCount(); }

private:
    void QueueLabels() {
        constexpr int kCentred = Vantor::TextAlignment::kCentreHorizontally | Vantor::TextAlignment::kCentreVertically;
        for (std::size_t i = 0; i < labelled_.size(); ++i)
            labelled_[i]->PrintText(kCentred, 0, Vector2(0, 0), kLabelColour, labels_[i], 0.0f, -1.0f);
    }

    void MakeElements() {
        const Vantor::ShaderDescriptor panel(true, false, "ui/panel", true);
        const Vantor::ShaderDescriptor button(true, false, Vantor::ShaderStage::kGridSheet, 4, 1, 4, 0.0f, "ui/button",
                                              true);
        const Vantor::ShaderDescriptor checkBox(true, false, Vantor::ShaderStage::kGridSheet, 8, 1, 8, 0.0f,
                                                "ui/check_box", true);
        for (int row = 0; row < kPanelRows; ++row) {
            for (int column = 0; column < kPanelColumns; ++column) {
                GUIWindow* parent =
                    gui_->CreateWindow(GUIWindow::kShown, Vector2(column * kPanelWidth, row * kPanelHeight),
                                       Vector2(kPanelWidth - 4.0f, kPanelHeight - 4.0f), nullptr, &panel, nullptr);
                ++elementCount_;
                for (int e = 0; e < kElementColumns * kElementRows; ++e) {
                    const Vector2 position(4.0f + (e % kElementColumns) * kCell, 4.0f + (e / kElementColumns) * 28.0f);
                    const Vector2 size(kCell - 2.0f, 24.0f);
                    const std::uint32_t flags = e % 3 == 2 ? 0u : GUIWindow::kShown;
                    GUIWindow* element = nullptr;
                    switch (e % 3) {
                    case 0:
                        element = gui_->CreateButton(flags, position, size, nullptr, &button, parent);
                        if (e % 4 == 0) {
                            labelled_.push_back(element);
                            labels_.push_back(L"Item " + std::to_wstring(elementCount_));
                        }
                        break;
                    case 1:
                        element = gui_->CreateCheckBox(flags, position, size, nullptr, &checkBox, parent);
                        break;
                    default:
                        element = gui_->CreateWindow(flags, position, size, nullptr, &panel, parent);
                        break;
                    }
                    element->SetOrder(e + 1);
                    ++elementCount_;
                }
            }
        }
    }

    benchsupport::EngineBenchHome home_;
    GUIManager* gui_ = nullptr;
    std::vector<GUIWindow*> labelled_;
    std::vector<std::wstring> labels_;
    int elementCount_ = 0;
};

Scene& TheScene() {
    static Scene scene;
    return scene;
}

void ReportSize(benchmark::State& state, const Scene& scene) {
    state.counters["elements"] = scene.ElementCount();
    state.counters["models"] = scene.ModelCount();
}

void BM_GUIInputAndUpdateHeadless(benchmark::State& state) {
    if (!benchsupport::NeedsHeadless(state)) return;
    Scene& scene = TheScene();
    for (auto _ : state) scene.RouteAndUpdate();
    ReportSize(state, scene);
}
BENCHMARK(BM_GUIInputAndUpdateHeadless)->Unit(benchmark::kMicrosecond);

void BM_ModelDrawPassHeadless(benchmark::State& state) {
    if (!benchsupport::NeedsHeadless(state)) return;
    Scene& scene = TheScene();
    for (auto _ : state) Scene::DrawPass();
    ReportSize(state, scene);
}
BENCHMARK(BM_ModelDrawPassHeadless)->Unit(benchmark::kMicrosecond);

// The two taken in turns, so that both see the same machine load; the ratio of their
// times is the figure to keep at or below 1.
void BM_GUIToDrawPassRatioHeadless(benchmark::State& state) {
    if (!benchsupport::NeedsHeadless(state)) return;
    Scene& scene = TheScene();
    benchsupport::TimeInTurns(state, "gui_us", [&scene] { scene.RouteAndUpdate(); }, "draw_us", &Scene::DrawPass);
    ReportSize(state, scene);
}
BENCHMARK(BM_GUIToDrawPassRatioHeadless)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

void BM_EngineFrameWithGUISdl(benchmark::State& state) {
    if (!benchsupport::NeedsSdl(state)) return;
    Scene& scene = TheScene();
    for (auto _ : state) scene.Frame();
    benchsupport::ReportFramesPerSecond(state);
    ReportSize(state, scene);
}
BENCHMARK(BM_EngineFrameWithGUISdl)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

}  // namespace
