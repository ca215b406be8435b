// A frame of 1000 registered textured quads (instances of one model loaded from its
// model and shader files, each placed by its own world matrix, drawn through an
// orthographic camera over an 800 x 600 window).
//
// On the headless backend (PLATFORM_BACKEND=headless): the CPU time of the model
// manager's draw pass (update, sort, draw) on the headless device.
// On the sdl backend under an X server: frames per second of the engine's whole frame
// against the same quads drawn with plain OpenGL calls in the same run
// (benchsupport::PlainGLQuads, which asks OpenGL for the same work per frame: see
// there), and the ratio of the frame times, which is to stay at most 1.5. The plain
// frames are drawn twice over: straight into their window, and into an offscreen
// picture copied into the window afterwards, which is how the sdl backend keeps and
// presents the engine's back buffer (DirectDraw's blit to the primary surface); the
// second ratio leaves that copy out of the comparison. A plain program has one context:
// switching to the plain references' contexts and back is not timed.
//   PLATFORM_BACKEND=sdl SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1280x1024x24" build/.../render_bench

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/support/EngineBenchHome.h"
#include "engine/kernel/Matrix4.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ModelManager.h"
#include "platform/Backend.h"
#include "platform/DirectDrawSeams.h"
#include "bench/support/PlainGLQuads.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kQuadCount = 1000;
constexpr int kColumns = 40;
constexpr float kQuadSize = 24.0f;
constexpr int kPictureSide = 32;

// A 32 x 32 two-colour checker, rows bottom first, red, green, blue, alpha.
std::vector<std::uint8_t> Picture() {
    std::vector<std::uint8_t> rgba;
    for (int y = 0; y < kPictureSide; ++y) {
        for (int x = 0; x < kPictureSide; ++x) {
            const bool light = ((x / 8) + (y / 8)) % 2 == 0;
            rgba.insert(rgba.end(), {std::uint8_t(light ? 240 : 40), 120, std::uint8_t(light ? 40 : 200), 255});
        }
    }
    return rgba;
}

template <typename Value>
void Put(std::string& out, Value value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof(value));
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// The picture as a 32-bit TGA (bottom row first, blue, green, red, alpha).
std::string PictureTga() {
    std::string file(18, '\0');
    file[2] = 2;
    file[12] = kPictureSide;
    file[14] = kPictureSide;
    file[16] = 32;
    const std::vector<std::uint8_t> rgba = Picture();
    for (std::size_t p = 0; p < rgba.size(); p += 4)
        file.append({char(rgba[p + 2]), char(rgba[p + 1]), char(rgba[p]), char(rgba[p + 3])});
    return file;
}

// One stage on "tile" beside it, single texture, clamped.
std::string ShaderFile() {
    std::string file;
    Put(file, std::uint32_t{0});
    file += "VTSRF";
    Put(file, std::int32_t{212});
    Put(file, std::int32_t{0});  // no blending
    const float colours[16] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 1};
    for (float value : colours) Put(file, value);
    Put(file, 0.0f);
    Put(file, 0.0f);
    Put(file, std::int32_t{0});
    Put(file, std::int32_t{0});
    Put(file, std::uint32_t{1});
    Put(file, std::int32_t{0});  // stage flags
    Put(file, std::int32_t{0});  // single texture
    file += char(5);
    file += std::string("tile") + '\0';
    Put(file, std::int32_t{0});
    Put(file, std::int32_t{0});
    for (float value : {1.0f, 1.0f, 0.0f, 0.0f}) Put(file, value);
    const auto length = static_cast<std::uint32_t>(file.size());
    file.replace(0, 4, reinterpret_cast<const char*>(&length), 4);
    return file;
}

// A static unit quad (two triangles) with its box.
std::string ModelFile() {
    std::string file;
    Put(file, std::uint32_t{0});
    file += "VTMLF";
    Put(file, std::uint32_t{202});
    Put(file, Vantor::ModelFlags::kStatic | Vantor::ModelFlags::kTriangleList | Vantor::ModelFlags::kVisible);
    Put(file, std::uint32_t{6});
    Put(file, std::uint32_t{4});
    for (std::uint16_t index : {0, 1, 2, 2, 3, 0}) Put(file, index);
    const float corners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (const auto& corner : corners)
        for (float value : {corner[0], corner[1], 0.0f, 0.0f, 1.0f, corner[0], corner[1], 0.0f}) Put(file, value);
    for (float value : {0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 0.0f}) Put(file, value);
    const auto length = static_cast<std::uint32_t>(file.size());
    file.replace(0, 4, reinterpret_cast<const char*>(&length), 4);
    return file;
}

std::vector<benchsupport::PlainQuad> QuadPlaces() {
    std::vector<benchsupport::PlainQuad> places;
    for (int i = 0; i < kQuadCount; ++i)
        places.push_back({20.0f * static_cast<float>(i % kColumns), 24.0f * static_cast<float>(i / kColumns), kQuadSize});
    return places;
}

// The engine in a private folder (no file goes to the real home folder) with the quads
// registered, and on the sdl backend the plain OpenGL reference beside it.
class Scene {
public:
    Scene() {
        WriteFile(home_.Folder() / "data/bench/tile.tga", PictureTga());
        WriteFile(home_.Folder() / "data/bench/quad.srf", ShaderFile());
        WriteFile(home_.Folder() / "data/bench/quad.mlf", ModelFile());
        home_.StartEngine();

        Vantor::Camera* camera = benchsupport::EngineBenchHome::MakePictureCamera();
        Vantor::ModelManager& models = *Vantor::ModelManager::Instance();
        Vantor::Model* quad = models.LoadModel(L"bench\\quad.mlf", camera, 0, false);
        for (const benchsupport::PlainQuad& place : places_) {
            Vantor::Model* instance = models.CreateModelInstance(*quad, nullptr, 0);
            instance->SetWorldMatrix(Vantor::Matrix4::Translation({place.x, place.y, 0}) *
                                     Vantor::Matrix4::Scale({place.size, place.size, 1}));
        }
        delete quad;
        Frame();

        if (platform::IsHeadless()) return;
        using Target = benchsupport::PlainGLQuads::Target;
        for (Target target : {Target::kWindow, Target::kOffscreen})
            plain_.push_back(benchsupport::PlainGLQuads::Create(kWidth, kHeight, target, Picture(), kPictureSide,
                                                                   kPictureSide, plainFailure_));
    }
    ~Scene() {
        plain_.clear();
        home_.StopEngine();
    }

    // The engine's whole frame: its start (window messages, input) and its end (every
    // manager's pass with the draw, presentation).
    void Frame() { home_.Frame(); }

    // Null when there is no OpenGL.
    benchsupport::PlainGLQuads* Plain(benchsupport::PlainGLQuads::Target target) const {
        const auto index = static_cast<std::size_t>(target);
        return index < plain_.size() ? plain_[index].get() : nullptr;
    }
    // With the reference's context current (see PlainGLQuads::Current).
    void DrawPlain(benchsupport::PlainGLQuads::Target target) { Plain(target)->DrawQuadsPlainGL(places_); }
    const std::string& PlainFailure() const { return plainFailure_; }

private:
    benchsupport::EngineBenchHome home_;
    std::vector<benchsupport::PlainQuad> places_ = QuadPlaces();
    // By target: straight into the window, offscreen.
    std::vector<std::unique_ptr<benchsupport::PlainGLQuads>> plain_;
    std::string plainFailure_;
};

Scene& TheScene() {
    static Scene scene;
    return scene;
}

void ReportDrawn(benchmark::State& state) {
    state.counters["models_drawn"] = Vantor::ModelManager::Instance()->GetDrawnModelCount();
}

void BM_DrawPassHeadless(benchmark::State& state) {
    if (!platform::IsHeadless()) {
        state.SkipWithError("run with PLATFORM_BACKEND=headless");
        return;
    }
    TheScene();
    Vantor::ModelManager& models = *Vantor::ModelManager::Instance();
    for (auto _ : state) {
        // The device's call record holds one frame, as in a test, not the last 200000 calls.
        platform::seam::ClearDeviceCalls();
        models.Render();
    }
    ReportDrawn(state);
}
BENCHMARK(BM_DrawPassHeadless)->Unit(benchmark::kMicrosecond);

using Target = benchsupport::PlainGLQuads::Target;

// Skips unless the plain OpenGL references could be made.
bool NeedsOpenGL(benchmark::State& state, Scene& scene) {
    if (scene.Plain(Target::kWindow) && scene.Plain(Target::kOffscreen)) return true;
    state.SkipWithError(("needs the sdl backend with OpenGL: " + scene.PlainFailure()).c_str());
    return false;
}

void BM_EngineFrameSdl(benchmark::State& state) {
    Scene& scene = TheScene();
    if (!NeedsOpenGL(state, scene)) return;
    for (auto _ : state) scene.Frame();
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    ReportDrawn(state);
}
BENCHMARK(BM_EngineFrameSdl)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

// Argument 0: straight into the window; 1: offscreen, then copied into the window.
void BM_PlainGLFrameSdl(benchmark::State& state) {
    Scene& scene = TheScene();
    if (!NeedsOpenGL(state, scene)) return;
    const auto target = static_cast<Target>(state.range(0));
    benchsupport::PlainGLQuads::Current current(*scene.Plain(target));
    for (auto _ : state) scene.DrawPlain(target);
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlainGLFrameSdl)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

// Engine and plain frames taken in turns, so that all see the same machine load; the
// ratios of their times are the figures to keep at or below 1.5.
void BM_EngineToPlainRatioSdl(benchmark::State& state) {
    Scene& scene = TheScene();
    if (!NeedsOpenGL(state, scene)) return;
    using Clock = std::chrono::steady_clock;
    Clock::duration engine{}, window{}, offscreen{};
    const auto timePlain = [&scene](Target target, Clock::duration& total) {
        benchsupport::PlainGLQuads::Current current(*scene.Plain(target));
        const Clock::time_point start = Clock::now();
        scene.DrawPlain(target);
        total += Clock::now() - start;
    };
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        scene.Frame();
        engine += Clock::now() - start;
        timePlain(Target::kWindow, window);
        timePlain(Target::kOffscreen, offscreen);
    }
    const auto perFrame = [&state](Clock::duration total) {
        return std::chrono::duration<double, std::milli>(total).count() / static_cast<double>(state.iterations());
    };
    state.counters["engine_ms"] = perFrame(engine);
    state.counters["plain_ms"] = perFrame(window);
    state.counters["plain_offscreen_ms"] = perFrame(offscreen);
    state.counters["ratio"] = perFrame(engine) / perFrame(window);
    state.counters["ratio_offscreen"] = perFrame(engine) / perFrame(offscreen);
}
BENCHMARK(BM_EngineToPlainRatioSdl)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(5.0);

}  // namespace
