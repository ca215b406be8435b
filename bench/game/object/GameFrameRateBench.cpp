// Frames per second of the whole game frame (window messages and input, every window's
// logic, the draw through OpenGL, presentation) on the data set make_data built, with
// the main menu open, with the start-of-day window open, and in the first day while its
// first tutorial hint shows, each time in a new game walked there from its start. Its
// clock is the virtual one, 20 ms a frame, so that every frame does the work of a frame
// at 50 frames per second however fast it runs; the time measured is real. Mesa's
// software rasteriser takes as many threads as LP_NUM_THREADS says (the label shows it).
//   build/.../content/make_data --quiet build/.../game/data
//   LP_NUM_THREADS=4 PLATFORM_BACKEND=sdl xvfb-run -a -s "-screen 0 1280x1024x24" build/.../game_object_bench

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/support/BenchBackend.h"
#include "framework/Tutorial.h"
#include "game/screens/GUIMenuWindow.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "tests/game/object/GameObjectFixture.h"

namespace {

using GameFramework::WindowResult;

enum class Place { kMainMenu, kStartOfDay, kFirstHint };

class GameWalk : public gameobjecttest::GameObjectSdlFixture {
public:
    // A first run's game walked from its start to the place.
    explicit GameWalk(Place place) {
        SetUp();
        // Every frame drawn, with no waiting for the display's refresh.
        WriteSettings("v_fullscreen 0\nv_vsync 0\n");
        OpenMainMenu();
        reached_ = RunUntilThere();
        while (reached_ && place_ < place) {
            GoOn();
            reached_ = RunUntilThere();
        }
    }
    ~GameWalk() override { TearDown(); }

    bool Reached() const { return reached_; }

    void Frame() {
        platform::seam::AdvanceVirtualTime(20000);
        game_->Frame();
    }

private:
    // The player "Ann" made, her story started so that the
    // start-of-day window keeps her (not the first meeting).
    void OpenMainMenu() {
        gameobjecttest::GameProbe& game = MakeGameWithWindows();
        game.welcomeWindow_->CreateProfile(L"Ann");
        auto& profiles = static_cast<Morvane::ProfileManager&>(*game.GetProfileManager());
        profiles.GetCurrent()->SetFlag(0x1 | 0x2);
        profiles.GetCurrent()->Save();
        game.Report(game.welcomeWindow_, WindowResult::GoToMainMenu);
        place_ = Place::kMainMenu;
    }
    // Play on the main menu opens the start-of-day window; Play there loads the first
    // day over the frames, whose first hint shows after its delay.
    void GoOn() {
        if (place_ == Place::kMainMenu) {
            game_->Report(game_->mainMenuWindow_, WindowResult::Play);
            place_ = Place::kStartOfDay;
        } else {
            game_->Report(game_->startGameLogicWindow_, WindowResult::Play);
            place_ = Place::kFirstHint;
        }
    }

    bool AtPlace() const {
        switch (place_) {
        case Place::kMainMenu: return Shown(game_->mainMenuWindow_);
        case Place::kStartOfDay: return Shown(game_->startGameLogicWindow_);
        case Place::kFirstHint: {
            const GameFramework::Tutorial& tutorial = *game_->GetTutorial();
            return tutorial.IsActive() && tutorial.GetHint() == 1 && tutorial.GetElapsed() > 1.0f;
        }
        }
        return false;
    }
    static bool Shown(GameFramework::GUIFrameworkWindow* window) {
        return dynamic_cast<Morvane::GUIMenuWindow&>(*window).IsShown();
    }
    // Frames until the place shows (at most a minute of game time), then a second more,
    // so that fades have ended.
    bool RunUntilThere() {
        for (int frame = 0; !AtPlace(); ++frame) {
            if (frame == 3000) return false;
            Frame();
        }
        for (int frame = 0; frame < 50; ++frame) Frame();
        return AtPlace();
    }

    void TestBody() override {}

    Place place_ = Place::kMainMenu;
    bool reached_ = false;
};

void BM_GameFrameSdl(benchmark::State& state) {
    if (!benchsupport::NeedsSdl(state)) return;
    if (!std::filesystem::is_directory(MORVANE_DATA_SET_FOLDER)) {
        state.SkipWithError("make_data has not built " MORVANE_DATA_SET_FOLDER);
        return;
    }
    GameWalk game(static_cast<Place>(state.range(0)));
    if (!game.Reached()) {
        state.SkipWithError("the game did not get there");
        return;
    }
    for (auto _ : state) game.Frame();
    benchsupport::ReportFramesPerSecond(state);
    const char* threads = std::getenv("LP_NUM_THREADS");
    state.SetLabel(std::string("LP_NUM_THREADS=") + (threads ? threads : "unset"));
}
// 0: the main menu, 1: the start-of-day window, 2: the first day's first hint. A fixed
// count of frames, so that each place is walked to once a repetition.
BENCHMARK(BM_GameFrameSdl)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(200);

}  // namespace
