#pragma once
// The test game's engine object under an X server: the game's data written to the home
// folder, the game itself made by each test and deleted before the engine's checks.

#include <cstdlib>
#include <memory>

#include "tests/engine/kernel/EngineTestSupport.h"
#include "tests/framework/TestGame.h"
#include "tests/framework/TestGameData.h"

namespace frameworktest {

class TestGameSdlFixture : public enginetest::EngineObjectTest {
protected:
    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video; say there is none.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        // Mesa's shader cache writer, still busy when the program ends, can crash the leak
        // checker's walk over the threads.
        setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
        EngineObjectTest::SetUp();
        WriteTestGameData(home_.folder);
    }
    void TearDown() override {
        game_.reset();
        EngineObjectTest::TearDown();
    }

    Journal journal_;
    std::unique_ptr<TestGame> game_;
};

}  // namespace frameworktest
