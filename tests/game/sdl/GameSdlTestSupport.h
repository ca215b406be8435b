#pragma once
// What the tests drawing the game's pictures under an X server share: the whole engine
// on the sdl backend in a private home with the GUI's 800 x 600 screen, and the check
// that a captured pixel shows a colour.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "engine/gui/GUIManager.h"
#include "engine/kernel/Engine.h"
#include "engine/render/Image.h"
#include "tests/engine/kernel/EngineSceneTestSupport.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"

namespace gamesdltest {

class GameSdlTest : public enginetest::EngineSceneTest {
protected:
    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video and leak
        // from the failed attempt; say there is none. A real bus is left alone.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        EngineSceneTest::SetUp();
        engine_ = std::make_unique<Vantor::Engine>(home_.Settings());
        Vantor::GUIManager::Instance()->SetScreenSize(800, 600);
    }
    void TearDown() override {
        engine_.reset();
        EngineSceneTest::TearDown();
    }

    // The pixel (row 0 at the bottom) within 40 of the colour in each channel.
    static testing::AssertionResult Shows(const Vantor::Image& picture, int x, int y, scenes::Rgb colour) {
        const scenes::Rgb seen = scenes::PixelAt(picture, x, y);
        if (std::abs(seen.red - colour.red) < 40 && std::abs(seen.green - colour.green) < 40 &&
            std::abs(seen.blue - colour.blue) < 40)
            return testing::AssertionSuccess();
        return testing::AssertionFailure() << "at (" << x << ", " << y << "): " << scenes::Describe(seen);
    }

    std::unique_ptr<Vantor::Engine> engine_;
};

}  // namespace gamesdltest
