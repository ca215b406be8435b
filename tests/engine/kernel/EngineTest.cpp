// The engine object on the headless backend: what it builds from the settings and the
// .ini file, the title with version, COM, the frame halves and the exit request, the
// order of creation and destruction, and what a failed construction leaves behind.

#include "engine/kernel/Engine.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/kernel/Config.h"
#include "engine/kernel/FatalError.h"
#include "engine/kernel/Window_WinOS.h"
#include "platform/Com.h"
#include "platform/FailureInjection.h"
#include "platform/WinTimers.h"
#include "platform/WinUser.h"
#include "platform/WinUserSeams.h"
#include "tests/engine/kernel/EngineTestSupport.h"

namespace {

using enginetest::Logged;
using Vantor::Engine;

class EngineTest : public enginetest::EngineObjectTest {
protected:
    static Vantor::Window_WinOS& TheWindow() {
        return *static_cast<Vantor::Window_WinOS*>(Vantor::Window::Instance());
    }
};

// --- The title with version ---

struct TitleCase {
    const wchar_t* title;
    int version;
    const wchar_t* expected;
};

TEST_F(EngineTest, TitleWithVersionNamesTheWindow) {
    const TitleCase cases[] = {
        {L"X", 102, L"X 1.02"}, {L"X", 100, L"X 1.00"}, {L"X", 74, L"X 0.74"},
        {L"X", 5, L"X 0.05"},   {L"X", 1234, L"X 12.34"}, {L"", 102, L"Vantor 0.74"},
    };
    for (const TitleCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.version);
        Engine engine(home_.Settings(c.title, c.version));
        EXPECT_EQ(engine.GetTitleWithVersion(), c.expected);
        EXPECT_EQ(platform::seam::InspectWindow(TheWindow().GetWindowHandle()).title, c.expected);
    }
}

TEST_F(EngineTest, EmptyTitleAlsoNamesTheLog) {
    auto settings = home_.Settings(L"");
    settings.logName.clear();
    { Engine engine(settings); }
    EXPECT_NE(home_.folder.ReadFile("Vantor.html").find("<TITLE>Vantor Log</TITLE>"), std::string::npos);
}

// --- The window from the .ini file ---

struct IniModeCase {
    const char* ini;
    uint32_t width, height;
    bool fullScreen;
};

TEST_F(EngineTest, WindowTakesModeAndFullScreenFromTheIniFile) {
    // The renderer puts the window into the mode it chose: full screen is always the
    // desktop's (1280 x 1024 here).
    const IniModeCase cases[] = {
        {"v_mode 1024x768x32\nv_fullscreen 0\n", 1024, 768, false},
        {"v_mode 1024x768x32\nv_fullscreen 1\n", 1280, 1024, true},
        {"v_mode desktop\n", 1280, 1024, true},
    };
    for (const IniModeCase& c : cases) {
        SCOPED_TRACE(c.ini);
        home_.WriteIni(c.ini);
        auto settings = home_.Settings();
        settings.fullscreen = false;
        Engine engine(settings);
        EXPECT_EQ(TheWindow().GetWidth(), c.width);
        EXPECT_EQ(TheWindow().GetHeight(), c.height);
        EXPECT_EQ(TheWindow().IsFullScreen(), c.fullScreen);
    }
}

TEST_F(EngineTest, AModeNoDisplayOffersFallsBackToTheDefaultMode) {
    for (const char* mode : {"32767x32767x32", "800x70000x32"}) {
        SCOPED_TRACE(mode);
        home_.WriteIni("v_mode " + std::string(mode) + "\nv_fullscreen 0\n");
        Engine engine(home_.Settings());
        EXPECT_EQ(Vantor::Config::Instance()->values.mode, "800x600x32");
        EXPECT_EQ(TheWindow().GetWidth(), 800u);
        EXPECT_EQ(TheWindow().GetHeight(), 600u);
        EXPECT_TRUE(Logged("\nWarning: Display mode \"" + std::string(mode) +
                           "\" cannot be had, the default mode \"800x600x32\" is used!\n\n"));
    }
}

// --- The configuration file at exit ---

TEST_F(EngineTest, IniFileIsLeftUntouchedUnlessSavingAtExitIsAsked) {
    const std::string ini = "v_mode 1024x768x32\r\n// the player's own note\r\nv_vsync 0\r\n";
    home_.WriteIni(ini);
    {
        Engine engine(home_.Settings());
        engine.BeginFrame();
        engine.EndFrame();
    }
    EXPECT_EQ(home_.ReadIni(), ini);

    auto settings = home_.Settings();
    settings.saveConfigAtExit = true;
    { Engine engine(settings); }
    const std::string saved = home_.ReadIni();
    EXPECT_EQ(saved.find("// the player's own note"), std::string::npos);
    EXPECT_NE(saved.find("v_mode 1024x768x32"), std::string::npos);
    EXPECT_NE(saved.find("v_vsync 0"), std::string::npos);
}

// --- COM ---

TEST_F(EngineTest, ComIsReleasedOnlyWhenTheEngineInitialisedIt) {
    const int before = platform::seam::ComInitializationCount();
    {
        Engine engine(home_.Settings());
        EXPECT_EQ(platform::seam::ComInitializationCount(), before + 1);
    }
    EXPECT_EQ(platform::seam::ComInitializationCount(), before);

    // Initialised already by someone else: S_FALSE, and nothing to release.
    ASSERT_EQ(CoInitialize(nullptr), before == 0 ? S_OK : S_FALSE);
    platform::seam::SetNextCoInitializeResult(S_FALSE);
    { Engine engine(home_.Settings()); }
    EXPECT_EQ(platform::seam::ComInitializationCount(), before + 1) << "CoUninitialize was called";
    CoUninitialize();
}

// --- Frames and the exit request ---

TEST_F(EngineTest, RequestExitIsSeenAtOnceAndLoggedAtTheFrameEnd) {
    Engine engine(home_.Settings());
    engine.BeginFrame();
    engine.EndFrame();
    EXPECT_FALSE(engine.IsExitRequested());
    EXPECT_FALSE(Logged("\nExiting...\n\n"));

    engine.BeginFrame();
    engine.RequestExit();
    EXPECT_TRUE(engine.IsExitRequested());
    EXPECT_FALSE(Logged("\nExiting...\n\n"));
    engine.EndFrame();
    EXPECT_TRUE(Logged("\nExiting...\n\n"));
    EXPECT_TRUE(engine.IsExitRequested()) << "the request is one-way";
}

TEST_F(EngineTest, ClosingTheWindowEndsTheFrameLoop) {
    Engine engine(home_.Settings());
    Vantor::Window::Instance()->ChangeMode(800, 600, false);
    int frames = 0;
    while (!engine.IsExitRequested() && frames < 50) {
        engine.BeginFrame();
        engine.EndFrame();
        if (++frames == 3) platform::seam::InjectCloseRequest(TheWindow().GetWindowHandle());
    }
    EXPECT_EQ(frames, 4);
    EXPECT_TRUE(Logged("\nExiting...\n\n"));
    EXPECT_TRUE(IsWindow(TheWindow().GetWindowHandle())) << "the window stays until the engine goes";
}

TEST_F(EngineTest, AltEnterRequestIsCarriedOutByTheFrameStart) {
    Engine engine(home_.Settings());
    Vantor::Window::Instance()->RequestModeChange();
    engine.BeginFrame();
    EXPECT_TRUE(Vantor::Config::Instance()->values.fullscreen);
    EXPECT_EQ(Vantor::Config::Instance()->GetCommandState("v_window_change_mode"), 0);
    EXPECT_NE(home_.ReadIni().find("v_fullscreen 1"), std::string::npos);
}

// --- Creation and destruction order ---

TEST_F(EngineTest, ManagersAreDestroyedInReverseOrderWithTheLogLast) {
    auto settings = home_.Settings();
    settings.usePacks = true;  // the file manager then logs its start
    { Engine engine(settings); }
    const std::string log = home_.ReadLog();
    const size_t files = Position(log, "Initialization of File Manager...");
    const size_t windowMade = Position(log, "Window creation:");
    const size_t windowGone = Position(log, "Window destroying:");
    const size_t windowReleased = Position(log, "...Unregistering class...");
    const size_t logEnd = Position(log, "Log end");
    EXPECT_LT(files, windowMade);
    EXPECT_LT(windowMade, windowGone);
    EXPECT_LT(windowGone, windowReleased);
    EXPECT_LT(windowReleased, logEnd);
    EXPECT_EQ(log.substr(log.size() - 7), "</HTML>");
    EXPECT_TRUE(platform::seam::ActiveTimerPeriods().empty()) << "the timer manager was destroyed";
}

// --- A failed construction ---

TEST_F(EngineTest, FailedConstructionDestroysWhatWasMadeAndReleasesCom) {
    const int comBefore = platform::seam::ComInitializationCount();
    const size_t periodsBefore = platform::seam::ActiveTimerPeriods().size();
    home_.WriteIni("v_fullscreen 1\n");
    platform::seam::FailNextCalls("GetDC", 1);
    try {
        Engine engine(home_.Settings());
        ADD_FAILURE() << "no error";
    } catch (const Vantor::FatalError& error) {
        EXPECT_EQ(error.GetText(), "Failed to create a device context");
    }
    EXPECT_EQ(platform::seam::ComInitializationCount(), comBefore);
    EXPECT_EQ(platform::seam::ActiveTimerPeriods().size(), periodsBefore);
    const std::string log = home_.ReadLog();
    const size_t fatal = Position(log, "PROGRAM ABORTING: Failed to create a device context");
    const size_t released = Position(log, "...Releasing window...");
    const size_t logEnd = Position(log, "Log end");
    EXPECT_LT(fatal, released);
    EXPECT_LT(released, logEnd);
    EXPECT_EQ(log.substr(log.size() - 7), "</HTML>");

    // Nothing of the full-screen window or its class was left: the next engine starts.
    EXPECT_NO_THROW({ Engine engine(home_.Settings()); });
}

}  // namespace
