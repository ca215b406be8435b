// The DirectInput reader on the headless backend: its start-up and shut-down lines,
// fatal set-up failures, the scan code of every key name, buffered and state reads
// with their fall-backs, and the mouse buttons.

#include "engine/input/Controls_DI8.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "engine/input/KeyNames.h"
#include "engine/kernel/FatalError.h"
#include "platform/DirectInput.h"
#include "tests/engine/input/InputTestSupport.h"

namespace {

using platform::seam::InjectScanCodeDown;
using platform::seam::InjectScanCodeUp;
using platform::seam::MouseButton;

class ControlsDI8Test : public inputtest::InputTest {
protected:
    // The texts logged from the given message on.
    std::vector<std::string> LoggedSince(size_t first) const {
        std::vector<std::string> texts;
        const auto& messages = log_->GetMessages();
        for (size_t i = first; i < messages.size(); ++i) texts.push_back(messages[i]->text);
        return texts;
    }

    // The key names pressed in this frame.
    std::vector<std::string> PressedNames() const {
        std::vector<std::string> names;
        for (const char* name : Vantor::KeyNames)
            if (controls_->IsKeyPressed(name)) names.push_back(name);
        return names;
    }

    void Click(MouseButton button) {
        platform::seam::InjectMouseButton(button, true);
        platform::seam::InjectMouseButton(button, false);
    }
};

// --- Start-up and shut-down ---

TEST_F(ControlsDI8Test, StartUpAndShutDownAreLoggedStepByStep) {
    MakeWindow();
    const size_t first = log_->GetMessages().size();
    MakeControls();
    const std::vector<std::string> deviceSteps = {
        "......Setting the data format...\n",
        "......Setting the cooperativity level...\n",
        "......Setting the buffered mode...\n",
    };
    std::vector<std::string> expected = {
        "Initialization of DirectInput devices...\n",
        "...Creating a DirectInput object...\n",
        "...Keyboard:\n",
        "......Obtaining an interface to the system keyboard device...\n",
    };
    expected.insert(expected.end(), deviceSteps.begin(), deviceSteps.end());
    expected.push_back("...Mouse:\n");
    expected.push_back("......Obtaining an interface to the system mouse device...\n");
    expected.insert(expected.end(), deviceSteps.begin(), deviceSteps.end());
    EXPECT_EQ(LoggedSince(first), expected);

    const size_t beforeEnd = log_->GetMessages().size();
    controls_.reset();
    EXPECT_EQ(LoggedSince(beforeEnd), (std::vector<std::string>{"\nDirectInput devices destroying:\n",
                                                                "...Keyboard...\n", "...Mouse...\n",
                                                                "...DirectInput object...\n"}));
}

TEST_F(ControlsDI8Test, ImmediateModeSkipsTheBufferStep) {
    MakeWindow();
    const size_t first = log_->GetMessages().size();
    Vantor::Controls_DI8& controls = MakeControls(false);
    EXPECT_FALSE(controls.IsKeyboardBuffered());
    EXPECT_FALSE(controls.IsMouseBuffered());
    EXPECT_EQ(LoggedSince(first).size(), 10u);
    EXPECT_EQ(CountLogged("......Setting the buffered mode...\n"), 0);
}

struct FatalCase {
    const char* call;
    const char* text;
};

TEST_F(ControlsDI8Test, EachFailingSetUpStepIsFatalWithItsText) {
    const FatalCase cases[] = {
        {"DirectInput8Create", "Failed to create a DirectInput object"},
        {"IDirectInput8::CreateDevice", "Failed to obtain an interface to the system keyboard device"},
        {"IDirectInputDevice8::SetDataFormat", "Failed to set the data format"},
        {"IDirectInputDevice8::SetCooperativeLevel", "Failed to set the cooperativity level"},
    };
    MakeWindow();
    for (const FatalCase& c : cases) {
        SCOPED_TRACE(c.call);
        platform::seam::FailNextCalls(c.call, 1);
        try {
            Vantor::Controls_DI8 controls(true);
            ADD_FAILURE() << "no error";
        } catch (const Vantor::FatalError& error) {
            EXPECT_EQ(error.GetText(), c.text);
        }
        EXPECT_EQ(CountLogged(std::string("PROGRAM ABORTING: ") + c.text + "\n"), 1);
        log_->ClearMessages();
    }
    // What the failed attempts made was given back: input reaches the next reader.
    Vantor::Controls_DI8& controls = MakeControls();
    InjectScanCodeDown(DIK_Z);
    BeginFrame();
    EXPECT_TRUE(controls.IsKeyPressed("Z"));
}

TEST_F(ControlsDI8Test, RefusedBufferSizeIsLoggedOnceAndThatDeviceIsReadByState) {
    MakeWindow();
    platform::seam::FailNextCalls("IDirectInputDevice8::SetProperty", 1);  // the keyboard's
    Vantor::Controls_DI8& controls = MakeControls();
    EXPECT_FALSE(controls.IsKeyboardBuffered());
    EXPECT_TRUE(controls.IsMouseBuffered());

    const std::string error = ErrorLine("Failed to set the buffered mode, switching to the immediate mode");
    for (int frame = 0; frame < 3; ++frame) {
        SCOPED_TRACE(frame);
        // A keyboard press between frames is gone by the state read; a click is buffered.
        InjectScanCodeDown(DIK_SPACE);
        InjectScanCodeUp(DIK_SPACE);
        Click(MouseButton::Left);
        InjectScanCodeDown(DIK_TAB);
        BeginFrame();
        EXPECT_FALSE(controls.IsKeyDown("SPACE"));
        EXPECT_TRUE(controls.IsKeyPressed("MOUSE1"));
        EXPECT_TRUE(controls.IsKeyDown("TAB"));
        EndFrame();
        InjectScanCodeUp(DIK_TAB);
    }
    EXPECT_EQ(CountLogged(error), 1);
}

TEST_F(ControlsDI8Test, FirstAcquisitionFailingIsMendedByTheFirstRead) {
    MakeWindow();
    platform::seam::FailNextCalls("IDirectInputDevice8::Acquire", 1);  // the keyboard's
    Vantor::Controls_DI8& controls = MakeControls();
    InjectScanCodeDown(DIK_LSHIFT);  // not seen by a device that is not acquired
    BeginFrame();
    EXPECT_TRUE(controls.IsKeyPressed("LSHIFT")) << "the state read after acquiring again";
    EndFrame();
    InjectScanCodeDown(DIK_X);
    InjectScanCodeUp(DIK_X);
    BeginFrame();
    EXPECT_TRUE(controls.IsKeyPressed("X")) << "buffered again";
    EXPECT_TRUE(controls.IsKeyDown("LSHIFT"));
}

// --- Scan codes ---

TEST_F(ControlsDI8Test, EveryKeyboardNameHasExactlyOneScanCodeAndMiceHaveNone) {
    Vantor::Controls_DI8& controls = MakeControls();
    std::map<std::string, std::vector<UINT>> codesOfName;
    for (UINT code = 1; code < 256; ++code) {
        InjectScanCodeDown(code);
        InjectScanCodeUp(code);
        BeginFrame();
        for (const std::string& name : PressedNames()) codesOfName[name].push_back(code);
        EndFrame();
    }
    EXPECT_FALSE(controls.IsAnyKeyDown());
    EXPECT_EQ(codesOfName.size(), Vantor::KeyNameCount - Vantor::MouseButtonCount);
    for (const auto& [name, codes] : codesOfName) {
        EXPECT_EQ(codes.size(), 1u) << name;
        EXPECT_NE(name.rfind("MOUSE", 0), 0u) << name << " was set by the keyboard";
    }
}

struct ScanCase {
    UINT code;
    const char* name;
};

TEST_F(ControlsDI8Test, KeysReadAsTheirNamesBufferedAndByState) {
    const ScanCase cases[] = {
        {0x01, "ESCAPE"}, {0x0B, "0"},     {0x02, "1"},          {0x1E, "A"},        {0x2C, "Z"},
        {0x27, ";"},      {0x28, "'"},     {0x29, "~"},          {0x2B, "\\"},       {0x1A, "["},
        {0x1B, ""},       {0x0D, "="},     {0x3A, "CAPS_LOCK"},  {0x46, "SCROLL_LOCK"}, {0x9D, "RCTRL"},
        {0xB8, "RALT"},   {0xB7, "PRINTSCRN"}, {0xC5, "PAUSE"},  {0xC9, "PAGEUP"},   {0xD1, "PAGEDOWN"},
        {0x52, "NUMPAD_0"}, {0x47, "NUMPAD_7"}, {0x53, "NUMPAD_DELETE"}, {0x4E, "NUMPAD_PLUS"},
        {0xB5, "NUMPAD_DIVIDE"}, {0x37, "NUMPAD_MULTIPLY"}, {0x57, "F11"}, {0xCB, "LEFTARROW"},
    };
    for (bool buffered : {true, false}) {
        Vantor::Controls_DI8& controls = MakeControls(buffered);
        for (const ScanCase& c : cases) {
            SCOPED_TRACE(testing::Message() << (buffered ? "buffered " : "by state ") << c.name);
            InjectScanCodeDown(c.code);
            BeginFrame();
            EXPECT_EQ(PressedNames(), std::vector<std::string>{c.name});
            EXPECT_TRUE(controls.IsKeyDown(c.name));
            EndFrame();
            InjectScanCodeUp(c.code);
            Frame();
        }
    }
}

TEST_F(ControlsDI8Test, KeysWithoutANameChangeNothing) {
    for (bool buffered : {true, false}) {
        SCOPED_TRACE(buffered);
        Vantor::Controls_DI8& controls = MakeControls(buffered);
        for (UINT code : {DIK_NUMPADENTER, DIK_LWIN, DIK_RWIN, DIK_APPS}) InjectScanCodeDown(code);
        BeginFrame();
        EXPECT_FALSE(controls.IsAnyKeyDown());
        EndFrame();
        for (UINT code : {DIK_NUMPADENTER, DIK_LWIN, DIK_RWIN, DIK_APPS}) InjectScanCodeUp(code);
    }
}

TEST_F(ControlsDI8Test, EscapeNeverTouchesTheSecondMouseButton) {
    for (bool buffered : {true, false}) {
        SCOPED_TRACE(buffered);
        Vantor::Controls_DI8& controls = MakeControls(buffered);
        platform::seam::InjectMouseButton(MouseButton::Right, true);
        Frame();
        InjectScanCodeDown(DIK_ESCAPE);
        platform::seam::InjectMouseButton(MouseButton::Right, false);
        for (int frame = 0; frame < 2; ++frame) {
            BeginFrame();
            EXPECT_TRUE(controls.IsKeyDown("ESCAPE"));
            EXPECT_FALSE(controls.IsKeyDown("MOUSE2"));
            EndFrame();
        }
        InjectScanCodeUp(DIK_ESCAPE);
        platform::seam::InjectMouseButton(MouseButton::Right, true);
        BeginFrame();
        EXPECT_TRUE(controls.IsKeyPressed("MOUSE2"));
        EXPECT_FALSE(controls.IsKeyDown("ESCAPE"));
        EndFrame();
        platform::seam::InjectMouseButton(MouseButton::Right, false);
        Frame();
    }
}

// --- Buffered and state reads ---

TEST_F(ControlsDI8Test, StateReadMissesWhatWentDownAndUpBetweenFrames) {
    Vantor::Controls_DI8& controls = MakeControls(false);
    InjectScanCodeDown(DIK_SPACE);
    InjectScanCodeUp(DIK_SPACE);
    Click(MouseButton::Left);
    BeginFrame();
    EXPECT_FALSE(controls.IsAnyKeyDown());
    EndFrame();

    platform::seam::InjectMouseButton(MouseButton::Left, true);
    for (int frame = 0; frame < 3; ++frame) {
        SCOPED_TRACE(frame);
        BeginFrame();
        EXPECT_EQ(controls.IsKeyPressed("MOUSE1"), frame == 0);
        EXPECT_TRUE(controls.IsKeyDown("MOUSE1"));
        EndFrame();
    }
}

TEST_F(ControlsDI8Test, RightButtonReadsAsMouse2) {
    for (bool buffered : {true, false}) {
        SCOPED_TRACE(buffered);
        Vantor::Controls_DI8& controls = MakeControls(buffered);
        platform::seam::InjectMouseButton(MouseButton::Right, true);
        BeginFrame();
        EXPECT_EQ(PressedNames(), std::vector<std::string>{"MOUSE2"});
        EXPECT_TRUE(controls.IsKeyDown("MOUSE2"));
        EndFrame();
        platform::seam::InjectMouseButton(MouseButton::Right, false);
        Frame();
    }
}

TEST_F(ControlsDI8Test, MouseEventsBeyondEightWaitForTheNextFrame) {
    Vantor::Controls_DI8& controls = MakeControls();
    for (int click = 0; click < 4; ++click) Click(MouseButton::Left);
    Click(MouseButton::Middle);
    platform::seam::InjectMouseWheel(1);  // not a key, and not counted either
    BeginFrame();
    EXPECT_TRUE(controls.IsKeyPressed("MOUSE1"));
    EXPECT_FALSE(controls.IsKeyPressed("MOUSE3"));
    EndFrame();
    BeginFrame();
    EXPECT_TRUE(controls.IsKeyPressed("MOUSE3"));
    EXPECT_FALSE(controls.IsKeyPressed("MOUSE1"));
}

TEST_F(ControlsDI8Test, OverflowingQueueFallsBackToAStateReadForThatFrame) {
    Vantor::Controls_DI8& controls = MakeControls();
    // Ten events into a buffer of eight: the 5 key's are lost.
    for (UINT key : {DIK_1, DIK_2, DIK_3, DIK_4}) {
        InjectScanCodeDown(key);
        InjectScanCodeUp(key);
    }
    InjectScanCodeDown(DIK_5);
    InjectScanCodeDown(DIK_6);
    BeginFrame();
    EXPECT_EQ(PressedNames(), (std::vector<std::string>{"5", "6"})) << "what the state shows now";
    EndFrame();

    InjectScanCodeDown(DIK_7);
    InjectScanCodeUp(DIK_7);
    BeginFrame();
    EXPECT_EQ(PressedNames(), std::vector<std::string>{"7"}) << "buffered again";
    EXPECT_TRUE(controls.IsKeyDown("5"));
}

TEST_F(ControlsDI8Test, FailedBufferedReadFallsBackForOneFrame) {
    Vantor::Controls_DI8& controls = MakeControls();
    platform::seam::FailNextCalls("IDirectInputDevice8::GetDeviceData", 1);  // the keyboard's
    InjectScanCodeDown(DIK_Q);
    InjectScanCodeUp(DIK_Q);
    InjectScanCodeDown(DIK_W);
    Click(MouseButton::Left);
    BeginFrame();
    EXPECT_FALSE(controls.IsKeyDown("Q")) << "read by state";
    EXPECT_TRUE(controls.IsKeyPressed("W"));
    EXPECT_TRUE(controls.IsKeyPressed("MOUSE1")) << "the mouse was read buffered";
    EndFrame();

    InjectScanCodeDown(DIK_Q);
    InjectScanCodeUp(DIK_Q);
    BeginFrame();
    EXPECT_TRUE(controls.IsKeyPressed("Q")) << "buffered again";
    EXPECT_TRUE(controls.IsKeyDown("W"));
}

TEST_F(ControlsDI8Test, FailedStateReadReadsEveryKeyOfThatDeviceAsReleased) {
    Vantor::Controls_DI8& controls = MakeControls(false);
    InjectScanCodeDown(DIK_E);
    platform::seam::InjectMouseButton(MouseButton::Left, true);
    Frame();
    platform::seam::FailNextCalls("IDirectInputDevice8::GetDeviceState", 1);  // the keyboard's
    BeginFrame();
    EXPECT_FALSE(controls.IsKeyDown("E"));
    EXPECT_TRUE(controls.IsKeyDown("MOUSE1"));
    EndFrame();
    BeginFrame();
    EXPECT_TRUE(controls.IsKeyPressed("E")) << "acquired again and read";
}

}  // namespace
