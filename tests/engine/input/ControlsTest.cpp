// The device-independent controls, fed by the DirectInput reader from injected input
// on the headless backend: key names, pressed and held flags, the typed key, the input
// block, Alt+Enter, the swap-buttons setting, the cursor position and its visibility.

#include "engine/input/Controls.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engine/input/KeyNames.h"
#include "platform/DirectInput.h"
#include "tests/engine/input/InputTestSupport.h"

namespace {

using platform::seam::InjectScanCodeDown;
using platform::seam::InjectScanCodeUp;
using platform::seam::MouseButton;

class ControlsTest : public inputtest::InputTest {};

// --- Key names ---

TEST_F(ControlsTest, KeyNameTableHoldsOneHundredAndEightDistinctNamesMiceFirst) {
    const std::set<std::string> distinct(Vantor::KeyNames.begin(), Vantor::KeyNames.end());
    EXPECT_EQ(distinct.size(), 108u);
    EXPECT_STREQ(Vantor::KeyNames[0], "MOUSE1");
    EXPECT_STREQ(Vantor::KeyNames[7], "MOUSE8");
    EXPECT_STREQ(Vantor::KeyNames[105], "\\");
    EXPECT_STREQ(Vantor::KeyNames[106], "") << "the right bracket";
    EXPECT_STREQ(Vantor::KeyNames[107], "'");
}

TEST_F(ControlsTest, NamesAreFoundInAnyLetterCase) {
    Vantor::Controls_DI8& controls = MakeControls();
    platform::seam::InjectMouseButton(MouseButton::Left, true);
    InjectScanCodeDown(DIK_NUMPAD0);
    InjectScanCodeDown(DIK_F1);
    BeginFrame();
    for (const char* name : {"MOUSE1", "mouse1", "Mouse1", "numpad_0", "Numpad_0", "f1"}) {
        EXPECT_TRUE(controls.IsKeyPressed(name)) << name;
        EXPECT_TRUE(controls.IsKeyDown(name)) << name;
    }
}

TEST_F(ControlsTest, UnknownNamesAnswerFalseAndTheEmptyNameIsTheRightBracket) {
    Vantor::Controls_DI8& controls = MakeControls();
    InjectScanCodeDown(DIK_RBRACKET);
    InjectScanCodeDown(DIK_LSHIFT);
    BeginFrame();
    EXPECT_TRUE(controls.IsKeyPressed(""));
    EXPECT_TRUE(controls.IsKeyDown(""));
    EXPECT_FALSE(controls.IsKeyDown("]")) << "the right bracket has no name of its own";
    for (const char* name : {"MOUSE9", "F13", "SHIFT", "LSHIFT ", " ", "KP_ENTER"}) {
        EXPECT_FALSE(controls.IsKeyPressed(name)) << name;
        EXPECT_FALSE(controls.IsKeyDown(name)) << name;
    }
}

// --- Pressed and held ---

TEST_F(ControlsTest, PressAndReleaseWithinOneFrameIsPressedButNotHeld) {
    Vantor::Controls_DI8& controls = MakeControls();
    InjectScanCodeDown(DIK_SPACE);
    InjectScanCodeUp(DIK_SPACE);
    BeginFrame();
    EXPECT_TRUE(controls.IsKeyPressed("SPACE"));
    EXPECT_TRUE(controls.IsKeyDown("SPACE")) << "down counts a press of this frame";
    EXPECT_TRUE(controls.IsAnyKeyPressed());
    EXPECT_TRUE(controls.IsAnyKeyDown());
    EndFrame();

    BeginFrame();
    EXPECT_FALSE(controls.IsKeyPressed("SPACE"));
    EXPECT_FALSE(controls.IsKeyDown("SPACE"));
    EXPECT_FALSE(controls.IsAnyKeyDown());
}

TEST_F(ControlsTest, HeldKeyIsPressedInItsFirstFrameOnlyAndDownUntilReleased) {
    Vantor::Controls_DI8& controls = MakeControls();
    InjectScanCodeDown(DIK_P);
    for (int frame = 0; frame < 4; ++frame) {
        SCOPED_TRACE(frame);
        BeginFrame();
        EXPECT_EQ(controls.IsKeyPressed("P"), frame == 0);
        EXPECT_EQ(controls.IsAnyKeyPressed(), frame == 0);
        EXPECT_TRUE(controls.IsKeyDown("P"));
        EXPECT_TRUE(controls.IsAnyKeyDown());
        EndFrame();
    }
    InjectScanCodeUp(DIK_P);
    BeginFrame();
    EXPECT_FALSE(controls.IsKeyDown("P"));
    EXPECT_FALSE(controls.IsAnyKeyDown());
}

TEST_F(ControlsTest, DeviceReportsFollowTheHeldAndPressedRule) {
    Vantor::Controls_DI8& controls = MakeControls();
    BeginFrame();
    controls.SetKeyState("A", true);
    controls.SetKeyState("A", true);  // a repeated down changes nothing
    controls.SetKeyState("A", false);
    EXPECT_TRUE(controls.IsKeyPressed("A")) << "only Reset clears pressed";
    controls.SetKeyState("A", true);
    EndFrame();
    EXPECT_FALSE(controls.IsKeyPressed("A"));
    EXPECT_TRUE(controls.IsKeyDown("A"));

    // Reports name keys exactly: nothing else is a key.
    controls.SetKeyState("b", true);
    controls.SetKeyState("NOKEY", true);
    EXPECT_FALSE(controls.IsAnyKeyPressed());
}

// --- The typed key ---

TEST_F(ControlsTest, TypedKeyIsSeenOnlyInTheFrameItWasTyped) {
    Vantor::Controls_DI8& controls = MakeControls();
    uint16_t code = 0;
    BeginFrame();
    EXPECT_FALSE(controls.GetTypedChar(code));
    EndFrame();

    platform::seam::InjectKeyDown('A');
    platform::seam::InjectText(L"a");
    platform::seam::InjectKeyUp('A');
    BeginFrame();
    ASSERT_TRUE(controls.GetTypedChar(code));
    EXPECT_EQ(code, u'a');
    EndFrame();

    code = 77;
    BeginFrame();
    EXPECT_FALSE(controls.GetTypedChar(code));
    EXPECT_EQ(code, 77) << "untouched without a typed key";
    EndFrame();

    platform::seam::InjectKeyDown(VK_LEFT);
    BeginFrame();
    ASSERT_TRUE(controls.GetTypedChar(code));
    EXPECT_EQ(code, VK_LEFT) << "a key without a character gives its virtual-key code";
}

// --- The input block ---

TEST_F(ControlsTest, BlockSwallowsEveryQueryUntilAllKeysAreUp) {
    Vantor::Controls_DI8& controls = MakeControls();
    InjectScanCodeDown(DIK_ESCAPE);
    platform::seam::InjectMouseButton(MouseButton::Left, true);
    platform::seam::InjectMouseMove(100, 100);
    BeginFrame();
    ASSERT_TRUE(controls.IsKeyPressed("ESCAPE"));
    const Vantor::Vector2 before = controls.GetCursorPosition();
    controls.BlockUntilReleased();

    auto expectBlocked = [&] {
        uint16_t code = 0;
        EXPECT_FALSE(controls.IsKeyPressed("ESCAPE"));
        EXPECT_FALSE(controls.IsKeyDown("ESCAPE"));
        EXPECT_FALSE(controls.IsKeyDown("MOUSE1"));
        EXPECT_FALSE(controls.IsAnyKeyPressed());
        EXPECT_FALSE(controls.IsAnyKeyDown());
        EXPECT_FALSE(controls.GetTypedChar(code));
    };
    expectBlocked();
    EndFrame();

    // Escape goes up, the button is still down; a new key and a typed character come.
    InjectScanCodeUp(DIK_ESCAPE);
    platform::seam::InjectKeyDown('Q');
    platform::seam::InjectText(L"q");
    platform::seam::InjectKeyUp('Q');
    platform::seam::InjectMouseMove(140, 120);
    BeginFrame();
    expectBlocked();
    const Vantor::Vector2 after = controls.GetCursorPosition();
    EXPECT_FLOAT_EQ(after.x - before.x, 40.0f) << "the cursor is not blocked";
    EXPECT_FLOAT_EQ(after.y - before.y, 20.0f);
    EndFrame();

    platform::seam::InjectMouseButton(MouseButton::Left, false);
    BeginFrame();
    EXPECT_FALSE(controls.IsAnyKeyDown());
    EndFrame();
    InjectScanCodeDown(DIK_ESCAPE);
    BeginFrame();
    EXPECT_TRUE(controls.IsKeyPressed("ESCAPE")) << "the block ended with the last release";
}

TEST_F(ControlsTest, KeyTheDeviceNeverReleasedBlocksUntilTheSystemShowsNoKeyAfterTwoSeconds) {
    Vantor::Controls_DI8& controls = MakeControls();
    Frame();
    // The engine believes A is down (its release was lost); the system shows no key.
    controls.SetKeyState("A", true);
    controls.BlockUntilReleased();
    int frames = 0;
    while (frames < 40) {
        BeginFrame();  // 0.1 s each
        ++frames;
        const bool blocked = !controls.IsKeyDown("A");
        EndFrame();
        if (!blocked) break;
    }
    EXPECT_GE(frames, 20) << "the system is asked only after 2 s";
    EXPECT_LE(frames, 21);
}

TEST_F(ControlsTest, BlockOutlastsTwoSecondsWhileTheSystemShowsAKeyDown) {
    Vantor::Controls_DI8& controls = MakeControls();
    InjectScanCodeDown(DIK_F5);
    BeginFrame();
    controls.BlockUntilReleased();
    EndFrame();
    for (int frame = 0; frame < 40; ++frame) Frame();
    BeginFrame();
    EXPECT_FALSE(controls.IsKeyDown("F5"));
    EndFrame();

    InjectScanCodeUp(DIK_F5);
    BeginFrame();
    InjectScanCodeDown(DIK_F6);
    EndFrame();
    BeginFrame();
    EXPECT_TRUE(controls.IsKeyPressed("F6"));
}

// --- Alt+Enter ---

class AltEnterTest : public inputtest::InputTest {
protected:
    // A frame; true when it raised a mode-change request (the next frame's window
    // update carries it out).
    bool RequestInFrame() {
        Frame();
        return window_->IsModeChangeRequested();
    }
};

TEST_F(AltEnterTest, HoldingAltThenPressingEnterRequestsOneModeChangePerPress) {
    MakeControls();
    InjectScanCodeDown(DIK_LMENU);
    EXPECT_FALSE(RequestInFrame());
    InjectScanCodeDown(DIK_RETURN);
    EXPECT_TRUE(RequestInFrame());
    int requests = 0;
    for (int frame = 0; frame < 5; ++frame) requests += RequestInFrame();
    EXPECT_EQ(requests, 0) << "holding both does not repeat it";
    EXPECT_EQ(config_->GetCommandState("v_window_change_mode"), 0) << "the window carried it out";

    // The block lasts while Alt is held.
    InjectScanCodeUp(DIK_RETURN);
    EXPECT_FALSE(RequestInFrame());
    InjectScanCodeDown(DIK_RETURN);
    EXPECT_FALSE(RequestInFrame());

    InjectScanCodeUp(DIK_RETURN);
    InjectScanCodeUp(DIK_LMENU);
    EXPECT_FALSE(RequestInFrame());
    InjectScanCodeDown(DIK_LMENU);
    InjectScanCodeDown(DIK_RETURN);
    EXPECT_TRUE(RequestInFrame()) << "a new press once everything was released";
}

TEST_F(AltEnterTest, BothKeysInOneFrameOrEitherAltCount) {
    MakeControls();
    InjectScanCodeDown(DIK_RMENU);
    InjectScanCodeDown(DIK_RETURN);
    EXPECT_TRUE(RequestInFrame());
    InjectScanCodeUp(DIK_RMENU);
    InjectScanCodeUp(DIK_RETURN);
    EXPECT_FALSE(RequestInFrame());

    // Enter held first, then Alt.
    InjectScanCodeDown(DIK_RETURN);
    EXPECT_FALSE(RequestInFrame());
    InjectScanCodeDown(DIK_LMENU);
    EXPECT_TRUE(RequestInFrame());
}

TEST_F(AltEnterTest, IgnoredWithoutFocusOrWhileMinimised) {
    MakeControls();
    platform::seam::InjectFocusLost(window_->GetWindowHandle());
    InjectScanCodeDown(DIK_LMENU);
    InjectScanCodeDown(DIK_RETURN);
    EXPECT_FALSE(RequestInFrame());
    EXPECT_TRUE(controls_->IsKeyDown("ENTER")) << "and the input is not blocked";
    InjectScanCodeUp(DIK_LMENU);
    InjectScanCodeUp(DIK_RETURN);
    Frame();

    platform::seam::InjectFocusGained(window_->GetWindowHandle());
    platform::seam::InjectMinimize(window_->GetWindowHandle());
    InjectScanCodeDown(DIK_LMENU);
    InjectScanCodeDown(DIK_RETURN);
    Frame();
    ASSERT_TRUE(window_->IsMinimized());
    EXPECT_FALSE(window_->IsModeChangeRequested());
}

// --- Mouse buttons and the swap-buttons setting ---

TEST_F(ControlsTest, SwappedButtonsExchangeMouse1AndMouse2FromTheFrameAfterTheSettingWasSeen) {
    Vantor::Controls_DI8& controls = MakeControls();
    platform::seam::InjectMouseButton(MouseButton::Right, true);
    BeginFrame();
    EXPECT_TRUE(controls.IsKeyPressed("MOUSE2"));
    EndFrame();
    platform::seam::InjectMouseButton(MouseButton::Right, false);

    platform::seam::SetSwapMouseButtons(true);
    Frame();  // reads in the old order, then sees the setting
    platform::seam::InjectMouseButton(MouseButton::Right, true);
    platform::seam::InjectMouseButton(MouseButton::Middle, true);
    BeginFrame();
    EXPECT_TRUE(controls.IsKeyPressed("MOUSE1"));
    EXPECT_FALSE(controls.IsKeyDown("MOUSE2"));
    EXPECT_TRUE(controls.IsKeyPressed("MOUSE3")) << "only the first two are exchanged";
    EndFrame();
    platform::seam::InjectMouseButton(MouseButton::Right, false);
    platform::seam::InjectMouseButton(MouseButton::Left, true);
    BeginFrame();
    EXPECT_TRUE(controls.IsKeyPressed("MOUSE2"));
    EXPECT_FALSE(controls.IsKeyDown("MOUSE1"));
}

// --- The cursor position ---

struct CursorCase {
    int desktopWidth;
    int desktopHeight;
    bool fullScreen;
    int clientX;
    int clientY;
    float x;
    float y;
};

TEST_F(ControlsTest, CursorIsMappedIntoThePlayAreaOnWideAndTallFullScreens) {
    const CursorCase cases[] = {
        // Aspect 1.6: x is stretched about the centre column, y stays.
        {1280, 800, true, 0, 300, -102.4f, 300.0f},
        {1280, 800, true, 512, 700, 512.0f, 700.0f},
        {1280, 800, true, 1023, 0, 1125.2f, 0.0f},
        // Aspect 1.25: y is stretched, with the offset of the original mapping.
        {1280, 1024, true, 10, 0, 10.0f, -24.0f},
        {1280, 1024, true, 1000, 384, 1000.0f, 385.6f},
        {1280, 1024, true, 0, 767, 0.0f, 794.13336f},
        // 4:3, or a window: the client position.
        {1024, 768, true, 1023, 767, 1023.0f, 767.0f},
        {1280, 800, false, 0, 0, 0.0f, 0.0f},
        {1280, 1024, false, 700, 500, 700.0f, 500.0f},
    };
    for (const CursorCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.desktopWidth << "x" << c.desktopHeight << " full screen "
                                        << c.fullScreen << " at " << c.clientX << "," << c.clientY);
        platform::seam::SetDesktop(c.desktopWidth, c.desktopHeight);
        MakeWindow(1024, 768, c.fullScreen);
        Vantor::Controls_DI8& controls = MakeControls();
        POINT screen{c.clientX, c.clientY};
        ClientToScreen(window_->GetWindowHandle(), &screen);
        platform::seam::InjectMouseMove(screen.x, screen.y);
        const Vantor::Vector2 position = controls.GetCursorPosition();
        EXPECT_NEAR(position.x, c.x, 0.001f);
        EXPECT_NEAR(position.y, c.y, 0.001f);
    }
}

// --- The cursor's visibility ---

// The system's display counter, read without moving it.
int CursorCounter() {
    const int counter = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    return counter;
}

void MoveCursorCounter(int to) {
    while (CursorCounter() < to) ShowCursor(TRUE);
    while (CursorCounter() > to) ShowCursor(FALSE);
}

TEST_F(ControlsTest, CursorCounterIsBroughtAcrossZeroByTheNextUpdate) {
    Vantor::Controls_DI8& controls = MakeControls();
    EXPECT_TRUE(controls.IsCursorVisible());
    EXPECT_EQ(CursorCounter(), 0) << "construction leaves the system cursor alone";

    controls.SetCursorVisible(false);
    EXPECT_FALSE(controls.IsCursorVisible());
    EXPECT_EQ(CursorCounter(), -1) << "applied at once";
    MoveCursorCounter(3);
    Frame();
    EXPECT_EQ(CursorCounter(), -1);

    controls.SetCursorVisible(true);
    MoveCursorCounter(-3);
    controls.UpdateCursorVisibility();
    EXPECT_EQ(CursorCounter(), 0);
}

TEST_F(ControlsTest, CursorCounterSettlesTenStepsFromZeroAndLeavesFartherCountsAlone) {
    Vantor::Controls_DI8& controls = MakeControls();
    for (int frame = 0; frame < 30; ++frame) Frame();
    EXPECT_EQ(CursorCounter(), 10);

    controls.SetCursorVisible(false);
    for (int frame = 0; frame < 30; ++frame) Frame();
    EXPECT_EQ(CursorCounter(), -10);
    MoveCursorCounter(-15);
    Frame();
    EXPECT_EQ(CursorCounter(), -15);

    controls.SetCursorVisible(true);
    MoveCursorCounter(15);
    Frame();
    EXPECT_EQ(CursorCounter(), 15);
}

TEST_F(ControlsTest, DestroyingTheControlsShowsTheCursor) {
    MakeControls().SetCursorVisible(false);
    MoveCursorCounter(-7);
    controls_.reset();
    EXPECT_EQ(CursorCounter(), 0);
}

}  // namespace
