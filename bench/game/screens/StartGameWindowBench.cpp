// Frames of the start-of-day window while it counts up after a day, with every hint
// and both bursts playing, the owner and the girl in their balloons and the arrow up:
// the window's own Update against the GUI manager's update and the draw pass of the
// same frame (the engine's frame end), timed in turns. The figure to keep at or below 1
// is "ratio".
//   PLATFORM_BACKEND=headless build/.../screens_bench

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>

#include "bench/support/BenchBackend.h"
#include "engine/render/ParticleSystem.h"
#include "framework/WindowId.h"
#include "game/screens/GUIParticlesEffect.h"
#include "platform/Clock.h"
#include "tests/game/screens/StartGameBench.h"

namespace {

class Scene : public screenstest::StartGameBench {
public:
    Scene() {
        SetUp();
        WriteStartTexts({{"start_game/owner_qualification_changed_1_0", "You learn fast!"},
                         {"start_game/girl_qualification_changed_1_0", "I help where I can."}});
        MakeStartWindow();
        SetStory(kQuietFlags, 2, 900, 120, 0.8f);
        Open();
    }
    ~Scene() override { TearDown(); }

    // One frame, its two parts timed.
    void TimedFrame(std::chrono::steady_clock::duration& window, std::chrono::steady_clock::duration& guiAndDraw) {
        using Clock = std::chrono::steady_clock;
        platform::seam::AdvanceVirtualTime(static_cast<std::uint64_t>(kFrameSeconds * 1e6f));
        engine_->BeginFrame();
        menus_->PreUpdate();
        Clock::time_point start = Clock::now();
        window_->Update();
        window += Clock::now() - start;
        menus_->Update();
        audio_->Update();
        start = Clock::now();
        engine_->EndFrame();
        guiAndDraw += Clock::now() - start;
    }

private:
    void TestBody() override {}

    // After a day with sales and tips that reached the next level; every effect on.
    void Open() {
        Morvane::DayResult& day = Anna().GetDayResult();
        day.foodSales = 300;
        day.tips = 60;
        day.mood = 0.3f;
        window_->Open(GameFramework::WindowId::DayComplete);
        RunUntil([&] { return window_->IsShown(); });
        for (int star = 0; star < Morvane::GUIStartGameLogicWindow::kCafeStars; ++star)
            window_->GetCafeHint(star).Start();
        for (Morvane::GUIParticlesEffect* hint : {&window_->GetPlayHint(), &window_->GetUpgradeHint(),
                                                   &window_->GetBuildHint(), &window_->GetMoodGoodHint(),
                                                   &window_->GetMoodBadHint(), &window_->GetQualificationHint()})
            hint->Start();
        window_->GetCafeBurst()->Start(true);
        window_->GetQualificationBurst()->Start(true);
        // The money's count has started and the dialogue's balloons are up.
        RunFor(1.7f);
    }
};

void BM_StartGameWindowFrame(benchmark::State& state) {
    if (!benchsupport::NeedsHeadless(state)) return;
    Scene scene;
    std::chrono::steady_clock::duration window{}, guiAndDraw{};
    for (auto _ : state) scene.TimedFrame(window, guiAndDraw);
    const auto perFrame = [&state](std::chrono::steady_clock::duration total) {
        return std::chrono::duration<double, std::micro>(total).count() / static_cast<double>(state.iterations());
    };
    state.counters["window_us"] = perFrame(window);
    state.counters["gui_and_draw_us"] = perFrame(guiAndDraw);
    state.counters["ratio"] = perFrame(window) / perFrame(guiAndDraw);
}
// Six seconds of frames: the counts run throughout.
BENCHMARK(BM_StartGameWindowFrame)->Unit(benchmark::kMicrosecond)->Iterations(300);

}  // namespace
