// The input inside the engine object: made after the window and gone before it, read
// at the frame start, reset at the frame end, the screenshot key, and a failed set-up
// ending the start.

#include <gtest/gtest.h>

#include <string>

#include "engine/input/Controls_DI8.h"
#include "engine/kernel/Config.h"
#include "engine/kernel/Engine.h"
#include "engine/kernel/FatalError.h"
#include "platform/DirectInput.h"
#include "platform/FailureInjection.h"
#include "platform/WinUserSeams.h"
#include "tests/engine/kernel/EngineTestSupport.h"

namespace {

class EngineInputTest : public enginetest::EngineObjectTest {
protected:
    static Vantor::Controls& Controls() { return *Vantor::Controls::Instance(); }
};

TEST_F(EngineInputTest, InputIsMadeAfterTheWindowBufferedAndGoneBeforeIt) {
    {
        Vantor::Engine engine(home_.Settings());
        const auto* controls = dynamic_cast<Vantor::Controls_DI8*>(Vantor::Controls::Instance());
        ASSERT_NE(controls, nullptr);
        EXPECT_TRUE(controls->IsKeyboardBuffered());
        EXPECT_TRUE(controls->IsMouseBuffered());
    }
    const std::string log = home_.ReadLog();
    const size_t windowMade = Position(log, "Window creation:");
    const size_t inputMade = Position(log, "Initialization of DirectInput devices...");
    const size_t inputGone = Position(log, "DirectInput devices destroying:");
    const size_t windowGone = Position(log, "Window destroying:");
    EXPECT_LT(windowMade, inputMade);
    EXPECT_LT(inputMade, inputGone);
    EXPECT_LT(inputGone, windowGone);
}

TEST_F(EngineInputTest, PressesLiveFromTheFrameStartToTheFrameEnd) {
    Vantor::Engine engine(home_.Settings());
    platform::seam::InjectScanCodeDown(DIK_P);
    platform::seam::InjectScanCodeUp(DIK_P);
    engine.BeginFrame();
    EXPECT_TRUE(Controls().IsKeyPressed("P"));
    engine.EndFrame();
    EXPECT_FALSE(Controls().IsKeyPressed("P"));
    EXPECT_EQ(Vantor::Config::Instance()->GetCommandState("sc_take_screenshot"), 1);
}

TEST_F(EngineInputTest, PrintScreenKeyIssuesTheScreenshotCommandAtTheFrameEnd) {
    Vantor::Engine engine(home_.Settings());
    platform::seam::InjectScanCodeDown(DIK_SYSRQ);
    engine.BeginFrame();
    EXPECT_EQ(Vantor::Config::Instance()->GetCommandState("sc_take_screenshot"), 1);
    engine.EndFrame();
    EXPECT_EQ(Vantor::Config::Instance()->GetCommandState("sc_take_screenshot"), 0);
}

TEST_F(EngineInputTest, FailedInputSetUpEndsTheStartAndLeavesNothingBehind) {
    platform::seam::FailNextCalls("DirectInput8Create", 1);
    try {
        Vantor::Engine engine(home_.Settings());
        ADD_FAILURE() << "no error";
    } catch (const Vantor::FatalError& error) {
        EXPECT_EQ(error.GetText(), "Failed to create a DirectInput object");
    }
    const std::string log = home_.ReadLog();
    EXPECT_LT(Position(log, "PROGRAM ABORTING: Failed to create a DirectInput object"),
              Position(log, "Window destroying:"));
    EXPECT_NO_THROW({ Vantor::Engine engine(home_.Settings()); });
}

}  // namespace
