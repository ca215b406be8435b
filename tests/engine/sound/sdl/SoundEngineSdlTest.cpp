// The engine on the sdl backend when no audio output can be opened: it is built, its
// frames run, and the game is silent.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "engine/kernel/Engine.h"
#include "engine/kernel/Window_WinOS.h"
#include "tests/engine/kernel/EngineTestSupport.h"

namespace {

class SoundEngineSdlTest : public enginetest::EngineObjectTest {
protected:
    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video and leak
        // from the failed attempt; say there is none. A real bus is left alone.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        const char* driver = std::getenv("SDL_AUDIODRIVER");
        if (driver != nullptr) savedDriver_ = driver;
        // An audio driver that does not exist: SDL then has no output to open, as on a
        // machine without a sound device.
        setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
        EngineObjectTest::SetUp();
    }

    void TearDown() override {
        EngineObjectTest::TearDown();
        if (savedDriver_.empty())
            unsetenv("SDL_AUDIODRIVER");
        else
            setenv("SDL_AUDIODRIVER", savedDriver_.c_str(), 1);
    }

    std::string savedDriver_;
};

TEST_F(SoundEngineSdlTest, WithoutAnAudioOutputTheGameRunsSilent) {
    {
        Vantor::Engine engine(home_.Settings());
        static_cast<Vantor::Window_WinOS*>(Vantor::Window::Instance())->ChangeMode(800, 600, false);
        for (int frame = 0; frame < 5 && !engine.IsExitRequested(); ++frame) {
            engine.BeginFrame();
            engine.EndFrame();
        }
        EXPECT_FALSE(engine.IsExitRequested());
    }
    const std::string log = home_.ReadLog();
    const size_t failed = log.find("Failed to create a device");
    ASSERT_NE(failed, std::string::npos);
    EXPECT_NE(log.find("DirectSound system destroying:", failed), std::string::npos);
    EXPECT_NE(log.find("Window destroying:", failed), std::string::npos);
}

}  // namespace
