// A screen of text controls: about 5,000 characters of a font made by the font generator
// (DejaVu Sans, 12 pixels) in six multi-line controls of eight lines each, with mixed
// alignments and a style block in every line. Per frame each control updates (aligns its
// lines and queues their runs) and the GUI manager's pass places and batches them. The
// baseline batches the same characters with GUIFont::AddText at the places the controls
// computed; the ratio of the two is the figure to keep at or below 3. Also the cost of
// laying those texts out with auto font size from 20.
//   PLATFORM_BACKEND=headless build/.../gui_tools_bench

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/support/BenchBackend.h"
#include "bench/support/EngineBenchHome.h"
#include "bench/support/RandomWords.h"
#include "bench/support/TimeInTurns.h"
#include "content/FontGenerator.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/TextPrint.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/GUITextControl.h"
#include "gui_tools/GUITextTool.h"
#include "tools/DataKeeper.h"

namespace {

using GUITools::GUITextControl;
using Vantor::Vector2;

constexpr int kControlCount = 6;
constexpr int kLinesPerControl = 8;
constexpr float kLineWidth = 760.0f;
const char* const kHorizontal[] = {"left", "center", "right"};
const char* const kVertical[] = {"top", "middle", "bottom"};

// A text print as the baseline batches it: the font instance and the absolute start.
struct PlacedRun {
    Vantor::GUIWindow* window;
    int fontId;
    Vector2 start;
    Vantor::Color colour;
    std::wstring text;
};

class Scene {
public:
    Scene() {
        home_.StartEngine();
        Vantor::GUIManager::Instance()->SetScreenSize(800.0f, 600.0f);
        Content::FontGenerator::Write(L"data\\fonts\\common",
                                      {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 12, false, false});
        keeper_ = std::make_unique<GameTools::DataKeeper>();
        fonts_ = std::make_unique<GUITools::GUIFontTool>();
        texts_ = std::make_unique<GUITools::GUITextTool>();
        MakeControls();
        // The first frame lays the texts out; the second's prints are collected before
        // the frame's end draws them.
        home_.Frame([this] { UpdateControls(); });
        home_.Frame([this] {
            for (const auto& control : controls_) control->Update();
            CollectRuns();
        });
    }
    ~Scene() {
        controls_.clear();
        texts_.reset();
        fonts_.reset();
        keeper_.reset();
    }

    // What the GUI does for the controls' text in a frame.
    void UpdateControls() {
        for (const auto& control : controls_) control->Update();
        Vantor::GUIManager::Instance()->Update();
    }

    // The same characters batched at the places the controls computed.
    void BatchPlainly() {
        Vantor::GUIFontManager& fontManager = *Vantor::GUIManager::Instance()->GetFontManager();
        for (const PlacedRun& run : runs_)
            fontManager.GetFontInstance(run.fontId, *run.window)->AddText(run.start, 0.0f, run.colour, run.text);
        fontManager.ReleaseUnusedInstances();
    }

    // Every control laid out again from size 20, shrinking until its text fits.
    void LayOutWithAutoFontSize() {
        for (const auto& control : controls_) {
            control->fontSize = 20.0f;
            control->autoFontSize = true;
            control->Layout();
        }
    }

    std::size_t CharacterCount() const { return characters_; }

private:
    void MakeControls() {
        std::uint32_t seed = 1234;
        const float height = 600.0f / kControlCount;
        const Vantor::GUIFont& font = *fonts_->GetFont("common");
        // The controls hang on one window, each at a depth of its own by its order: one
        // batch of the font per control.
        Vantor::GUIWindow* root = Vantor::GUIManager::Instance()->CreateWindow(
            Vantor::GUIWindow::kShown, {0.0f, 0.0f}, {800.0f, 600.0f}, nullptr, nullptr, nullptr);
        for (int c = 0; c < kControlCount; ++c) {
            auto control = std::make_unique<GUITextControl>(keeper_.get(), fonts_.get(), texts_.get(), root,
                                                            GUITools::GUIControlDescription());
            control->SetOrder(c + 1);
            control->SetFont("common");
            control->SetPosition({20.0f, 600.0f - height * static_cast<float>(c + 1)});
            control->SetSize({kLineWidth, height});
            control->horizontalAlignment = kHorizontal[c % 3];
            control->verticalAlignment = kVertical[(c / 3 + c) % 3];
            control->multiline = true;
            std::wstring text;
            for (int l = 0; l < kLinesPerControl; ++l) {
                std::wstring line;
                Vector2 extent;
                for (std::wstring word = benchsupport::RandomWord(seed);; word = benchsupport::RandomWord(seed)) {
                    const std::wstring longer = line.empty() ? word : line + L' ' + word;
                    if (font.MeasureText(extent, longer, 0.0f, -1.0f).x > kLineWidth - 40.0f) break;
                    line = longer;
                }
                // One word near the middle of every line stands in a style block.
                const std::size_t blank = line.find(L' ', line.size() / 2);
                const std::size_t next = line.find(L' ', blank + 1);
                if (blank != std::wstring::npos && next != std::wstring::npos)
                    line = line.substr(0, blank + 1) + L"{rule color(1 0.3 0.2 1)} " +
                           line.substr(blank + 1, next - blank - 1) + L"}" + line.substr(next);
                text += (l == 0 ? L"" : L"|") + line;
            }
            control->SetLiteralText(text);
            control->Show(true, false);
            controls_.push_back(std::move(control));
        }
    }

    // The prints the controls queued in this frame, at their absolute places.
    void CollectRuns() {
        const Vantor::GUIFontManager& fontManager = *Vantor::GUIManager::Instance()->GetFontManager();
        for (const auto& control : controls_) {
            Vantor::GUIWindow& window = *control->GetWindow();
            for (int i = 0; i < window.GetPrintCount(); ++i) {
                const Vantor::TextPrint& print = window.GetTextPrint(i);
                runs_.push_back({&window, print.fontId,
                                 fontManager.PlaceText(0, print.fontId, window, print.position, 0.0f, print.text),
                                 print.colour, print.text});
                for (const wchar_t unit : print.text) characters_ += unit != L' ' ? 1 : 0;
            }
        }
    }

    benchsupport::EngineBenchHome home_;
    std::unique_ptr<GameTools::DataKeeper> keeper_;
    std::unique_ptr<GUITools::GUIFontTool> fonts_;
    std::unique_ptr<GUITools::GUITextTool> texts_;
    std::vector<std::unique_ptr<GUITextControl>> controls_;
    std::vector<PlacedRun> runs_;
    std::size_t characters_ = 0;
};

Scene& TheScene() {
    static Scene scene;
    return scene;
}

void BM_TextControlsFrame(benchmark::State& state) {
    if (!benchsupport::NeedsHeadless(state)) return;
    Scene& scene = TheScene();
    for (auto _ : state) scene.UpdateControls();
    state.counters["characters"] = static_cast<double>(scene.CharacterCount());
}
BENCHMARK(BM_TextControlsFrame)->Unit(benchmark::kMicrosecond);

void BM_PlainBatching(benchmark::State& state) {
    if (!benchsupport::NeedsHeadless(state)) return;
    Scene& scene = TheScene();
    for (auto _ : state) scene.BatchPlainly();
    state.counters["characters"] = static_cast<double>(scene.CharacterCount());
}
BENCHMARK(BM_PlainBatching)->Unit(benchmark::kMicrosecond);

// The two taken in turns, so that both see the same machine load; the ratio of their
// times is the figure to keep at or below 3.
void BM_ControlsToPlainRatio(benchmark::State& state) {
    if (!benchsupport::NeedsHeadless(state)) return;
    Scene& scene = TheScene();
    benchsupport::TimeInTurns(
        state, "controls_us", [&scene] { scene.UpdateControls(); }, "plain_us", [&scene] { scene.BatchPlainly(); });
    state.counters["characters"] = static_cast<double>(scene.CharacterCount());
}
BENCHMARK(BM_ControlsToPlainRatio)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

void BM_LayoutWithAutoFontSizeFrom20(benchmark::State& state) {
    if (!benchsupport::NeedsHeadless(state)) return;
    Scene& scene = TheScene();
    for (auto _ : state) scene.LayOutWithAutoFontSize();
    state.counters["characters"] = static_cast<double>(scene.CharacterCount());
}
BENCHMARK(BM_LayoutWithAutoFontSizeFrom20)->Unit(benchmark::kMillisecond);

}  // namespace
