// A full screen of text: about 5,000 characters of a font made by the font generator
// (DejaVu Sans, 12 pixels), in 48 lines over six windows at six depths (children of one
// root by their order), printed, placed and batched every frame: each window queues its
// lines (the first centred, the others at their positions), every window's update places
// them and puts them into the batch of its depth, and the font manager closes the
// batches.
//
// On the headless backend (PLATFORM_BACKEND=headless): the CPU time of that GUI work
// per frame, against a plain loop that writes the same glyph quads (positions, colour,
// texture coordinates) into an array, and the ratio of the two, to stay at most 2.
// On the sdl backend under an X server: frames per second of the engine's whole frame
// with the text drawn.
//   PLATFORM_BACKEND=sdl SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1280x1024x24" build/.../gui_bench

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
#include "engine/gui/GUIWindow.h"
#include "engine/gui/TextAlignment.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/Vertex.h"
#include "engine/render/VertexBuffer.h"

namespace {

using Vantor::Vector2;

constexpr float kWidth = benchsupport::EngineBenchHome::kWidth;
constexpr float kHeight = benchsupport::EngineBenchHome::kHeight;
constexpr int kWindowCount = 6;
constexpr int kLinesPerWindow = 8;
constexpr float kLineWidth = 770.0f;
constexpr Vantor::Color kColour{1.0f, 0.9f, 0.6f, 1.0f};

// One printed line: its text, the alignment and position it is printed with, and where
// the font manager starts it.
struct Line {
    std::wstring text;
    int alignment = 0;
    Vector2 position;
    Vector2 start;
};

class Scene {
public:
    Scene() {
        home_.StartEngine();
        Content::FontGenerator::Write(L"data\\fonts\\common",
                                      {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 12, false, false});
        camera_ = benchsupport::EngineBenchHome::MakePictureCamera();
        fonts_ = std::make_unique<Vantor::GUIFontManager>(camera_);
        const Vantor::ShaderDescriptor material(true, false, "fonts\\common\\font", true);
        font_ = fonts_->LoadFont(0, &material, L"data\\fonts\\common\\font.fnt");
        font_->SetSize(12.5f);
        font_->SetSpaceSize(0.3f);

        MakeWindowsAndLines();
        Frame();
    }
    ~Scene() {
        windows_.clear();
        root_.reset();
        fonts_.reset();
    }

    // What the GUI does for the text in a frame.
    void PrintPlaceAndBatch() {
        for (int w = 0; w < kWindowCount; ++w)
            for (const Line& line : lines_[w])
                windows_[w]->PrintText(line.alignment, 0, line.position, kColour, line.text, 0.0f, -1.0f);
        root_->Update();
        for (const auto& window : windows_) window->Update();
        fonts_->ReleaseUnusedInstances();
    }

    // The engine's whole frame with the GUI's text work between its halves.
    void Frame() {
        home_.Frame([this] { PrintPlaceAndBatch(); });
    }

    // The same glyph quads written plainly into an array.
    void WritePlainQuads() {
        Vantor::ColouredVertex* vertex = plainQuads_.data();
        const float size = font_->GetSize();
        const float space = size * font_->GetSpaceSize();
        for (const auto& window : lines_) {
            for (const Line& line : window) {
                Vector2 pen = line.start;
                for (const wchar_t unit : line.text) {
                    const Vantor::Glyph* glyph = font_->FindGlyph(static_cast<std::uint32_t>(unit));
                    if (!glyph) {
                        pen.x += space;
                        continue;
                    }
                    const float right = pen.x + size * glyph->width;
                    const float top = pen.y + size;
                    *vertex++ = {{pen.x, top, 0}, {0, 0, 1}, packedColour_, glyph->x, glyph->y + glyph->h};
                    *vertex++ = {{pen.x, pen.y, 0}, {0, 0, 1}, packedColour_, glyph->x, glyph->y};
                    *vertex++ = {{right, top, 0}, {0, 0, 1}, packedColour_, glyph->x + glyph->w, glyph->y + glyph->h};
                    *vertex++ = {{right, pen.y, 0}, {0, 0, 1}, packedColour_, glyph->x + glyph->w, glyph->y};
                    pen.x = right;
                }
            }
        }
        benchmark::DoNotOptimize(plainQuads_.data());
        benchmark::ClobberMemory();
    }

    std::size_t CharacterCount() const { return characters_; }

private:
    void MakeWindowsAndLines() {
        root_ = std::make_unique<Vantor::GUIWindow>(fonts_.get(), camera_, Vantor::GUIWindow::kShown, Vector2(0, 0),
                                                    Vector2(kWidth, kHeight), nullptr, nullptr, nullptr);
        const float lineHeight = font_->GetSize();
        const float windowHeight = lineHeight * kLinesPerWindow;
        std::uint32_t seed = 1234;
        for (int w = 0; w < kWindowCount; ++w) {
            auto window = std::make_unique<Vantor::GUIWindow>(
                fonts_.get(), camera_, Vantor::GUIWindow::kShown, Vector2(0, kHeight - windowHeight * (w + 1)),
                Vector2(kWidth, windowHeight), nullptr, nullptr, root_.get());
            window->SetOrder(w + 1);
            lines_.emplace_back();
            for (int l = 0; l < kLinesPerWindow; ++l) {
                Line line;
                Vector2 extent;
                for (std::wstring word = benchsupport::RandomWord(seed);; word = benchsupport::RandomWord(seed)) {
                    const std::wstring longer = line.text.empty() ? word : line.text + L' ' + word;
                    if (font_->MeasureText(extent, longer, 0.0f, -1.0f).x > kLineWidth) break;
                    line.text = longer;
                }
                // The first line of each window is its centred title.
                line.alignment = l == 0 ? Vantor::TextAlignment::kCentreHorizontally | Vantor::TextAlignment::kTop : 0;
                line.position.Set(10.0f, windowHeight - lineHeight * static_cast<float>(l + 1));
                line.start = fonts_->PlaceText(line.alignment, 0, *window, line.position, 0.0f, line.text);
                for (const wchar_t unit : line.text) characters_ += font_->HasCharacter(unit) ? 1 : 0;
                lines_.back().push_back(line);
            }
            windows_.push_back(std::move(window));
        }
        plainQuads_.resize(characters_ * 4);
        packedColour_ = Vantor::PackColor(kColour);
    }

    benchsupport::EngineBenchHome home_;
    Vantor::Camera* camera_ = nullptr;
    std::unique_ptr<Vantor::GUIFontManager> fonts_;
    Vantor::GUIFont* font_ = nullptr;
    std::unique_ptr<Vantor::GUIWindow> root_;
    std::vector<std::unique_ptr<Vantor::GUIWindow>> windows_;
    std::vector<std::vector<Line>> lines_;
    std::size_t characters_ = 0;
    std::vector<Vantor::ColouredVertex> plainQuads_;
    std::uint32_t packedColour_ = 0;
};

Scene& TheScene() {
    static Scene scene;
    return scene;
}

void ReportCharacters(benchmark::State& state, Scene& scene) {
    state.counters["characters"] = static_cast<double>(scene.CharacterCount());
}

void BM_TextFrameHeadless(benchmark::State& state) {
    if (!benchsupport::NeedsHeadless(state)) return;
    Scene& scene = TheScene();
    for (auto _ : state) scene.PrintPlaceAndBatch();
    ReportCharacters(state, scene);
}
BENCHMARK(BM_TextFrameHeadless)->Unit(benchmark::kMicrosecond);

void BM_PlainQuadsHeadless(benchmark::State& state) {
    if (!benchsupport::NeedsHeadless(state)) return;
    Scene& scene = TheScene();
    for (auto _ : state) scene.WritePlainQuads();
    ReportCharacters(state, scene);
}
BENCHMARK(BM_PlainQuadsHeadless)->Unit(benchmark::kMicrosecond);

// The two taken in turns, so that both see the same machine load; the ratio of their
// times is the figure to keep at or below 2.
void BM_TextToPlainRatioHeadless(benchmark::State& state) {
    if (!benchsupport::NeedsHeadless(state)) return;
    Scene& scene = TheScene();
    benchsupport::TimeInTurns(
        state, "text_us", [&scene] { scene.PrintPlaceAndBatch(); }, "plain_us", [&scene] { scene.WritePlainQuads(); });
    ReportCharacters(state, scene);
}
BENCHMARK(BM_TextToPlainRatioHeadless)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

void BM_EngineFrameWithTextSdl(benchmark::State& state) {
    if (!benchsupport::NeedsSdl(state)) return;
    Scene& scene = TheScene();
    for (auto _ : state) scene.Frame();
    benchsupport::ReportFramesPerSecond(state);
    ReportCharacters(state, scene);
}
BENCHMARK(BM_EngineFrameWithTextSdl)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

}  // namespace
