// DirectInput 8 on the headless backend: devices prepared as the engine prepares
// them, fed by injected input.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/DirectInput.h"
#include "platform/FailureInjection.h"
#include "platform/WinUser.h"
#include "platform/WinUserSeams.h"

namespace {

using platform::seam::MouseButton;

class DirectInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::seam::ResetWindowing();
        void* created = nullptr;
        ASSERT_EQ(DirectInput8Create(GetModuleHandleW(nullptr), DIRECTINPUT_VERSION, IID_IDirectInput8W, &created,
                                     nullptr),
                  DI_OK);
        input = static_cast<IDirectInput8W*>(created);
    }

    void TearDown() override {
        if (input) {
            EXPECT_EQ(input->Release(), 0u);
        }
        platform::seam::ResetWindowing();
        platform::seam::ClearInjectedFailures();
    }

    // A device as the engine prepares it: standard format, background level, buffer size.
    IDirectInputDevice8W* Prepare(REFGUID which, DWORD bufferSize) {
        IDirectInputDevice8W* device = nullptr;
        EXPECT_EQ(input->CreateDevice(which, &device, nullptr), DI_OK);
        bool keyboard = &which == &GUID_SysKeyboard;
        EXPECT_EQ(device->SetDataFormat(keyboard ? &c_dfDIKeyboard : &c_dfDIMouse2), DI_OK);
        EXPECT_EQ(device->SetCooperativeLevel(GetDesktopWindow(), DISCL_NONEXCLUSIVE | DISCL_BACKGROUND), DI_OK);
        if (bufferSize) {
            EXPECT_EQ(SetBufferSize(device, bufferSize), DI_OK);
        }
        EXPECT_EQ(device->Acquire(), DI_OK);
        return device;
    }

    static HRESULT SetBufferSize(IDirectInputDevice8W* device, DWORD size) {
        DIPROPDWORD property{};
        property.diph.dwSize = sizeof(DIPROPDWORD);
        property.diph.dwHeaderSize = sizeof(DIPROPHEADER);
        property.diph.dwHow = DIPH_DEVICE;
        property.dwData = size;
        return device->SetProperty(DIPROP_BUFFERSIZE, &property.diph);
    }

    struct Read {
        HRESULT result;
        std::vector<DIDEVICEOBJECTDATA> events;
    };

    static Read ReadEvents(IDirectInputDevice8W* device, DWORD wanted = 8, DWORD flags = 0) {
        std::vector<DIDEVICEOBJECTDATA> events(wanted);
        DWORD count = wanted;
        HRESULT result = device->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), events.data(), &count, flags);
        events.resize(count);
        return {result, events};
    }

    IDirectInput8W* input = nullptr;
};

TEST_F(DirectInputTest, CreationChecksVersionAndInterface) {
    void* created = nullptr;
    HINSTANCE program = GetModuleHandleW(nullptr);
    EXPECT_EQ(DirectInput8Create(program, 0x0700, IID_IDirectInput8W, &created, nullptr),
              DIERR_BETADIRECTINPUTVERSION);
    EXPECT_EQ(DirectInput8Create(program, 0x0900, IID_IDirectInput8W, &created, nullptr),
              DIERR_OLDDIRECTINPUTVERSION);
    EXPECT_EQ(DirectInput8Create(program, 0x0800, IID_IDirectInputDevice8W, &created, nullptr), DIERR_NOINTERFACE);
    EXPECT_EQ(DirectInput8Create(nullptr, 0x0800, IID_IDirectInput8W, &created, nullptr), DIERR_INVALIDPARAM);
    EXPECT_EQ(created, nullptr);
    IDirectInputDevice8W* device = nullptr;
    EXPECT_EQ(input->CreateDevice(IID_IDirectInput8W, &device, nullptr), DIERR_DEVICENOTREG);
    EXPECT_EQ(device, nullptr);
}

TEST_F(DirectInputTest, DevicesHoldTheirDirectInputObjectUntilReleased) {
    IDirectInputDevice8W* keyboard = Prepare(GUID_SysKeyboard, 8);
    EXPECT_EQ(input->AddRef(), 3u);  // the test's, the keyboard's and this one
    EXPECT_EQ(input->Release(), 2u);
    EXPECT_EQ(keyboard->AddRef(), 2u);
    EXPECT_EQ(keyboard->Release(), 1u);
    EXPECT_EQ(keyboard->Unacquire(), DI_OK);
    EXPECT_EQ(keyboard->Release(), 0u);
}

TEST_F(DirectInputTest, BufferedKeyboardReportsPressesAndReleasesInOrder) {
    IDirectInputDevice8W* keyboard = Prepare(GUID_SysKeyboard, 8);
    platform::seam::InjectScanCodeDown(DIK_ESCAPE);
    platform::seam::InjectScanCodeUp(DIK_ESCAPE);
    platform::seam::InjectKeyDown(VK_RCONTROL);

    Read read = ReadEvents(keyboard);
    EXPECT_EQ(read.result, DI_OK);
    ASSERT_EQ(read.events.size(), 3u);
    EXPECT_EQ(read.events[0].dwOfs, DIK_ESCAPE);
    EXPECT_EQ(read.events[0].dwData & 0x80, 0x80u);
    EXPECT_EQ(read.events[1].dwOfs, DIK_ESCAPE);
    EXPECT_EQ(read.events[1].dwData & 0x80, 0u);
    EXPECT_EQ(read.events[2].dwOfs, DIK_RCONTROL);
    EXPECT_LT(read.events[0].dwSequence, read.events[1].dwSequence);
    EXPECT_TRUE(ReadEvents(keyboard).events.empty());
    keyboard->Release();
}

TEST_F(DirectInputTest, AutoRepeatNeverReachesTheDevice) {
    IDirectInputDevice8W* keyboard = Prepare(GUID_SysKeyboard, 8);
    for (int i = 0; i < 5; ++i) platform::seam::InjectKeyDown(VK_SPACE);
    Read read = ReadEvents(keyboard);
    ASSERT_EQ(read.events.size(), 1u);
    EXPECT_EQ(read.events[0].dwOfs, DIK_SPACE);
    keyboard->Release();
}

TEST_F(DirectInputTest, AFullBufferKeepsTheOldestAndReportsTheOverflowOnce) {
    IDirectInputDevice8W* keyboard = Prepare(GUID_SysKeyboard, 8);
    const UINT keys[] = {DIK_1, DIK_2, DIK_3, DIK_4, DIK_5};
    for (UINT key : keys) {
        platform::seam::InjectScanCodeDown(key);
        platform::seam::InjectScanCodeUp(key);
    }
    Read peek = ReadEvents(keyboard, 2, DIGDD_PEEK);
    EXPECT_EQ(peek.result, DI_BUFFEROVERFLOW);
    EXPECT_EQ(peek.events.size(), 2u);

    Read first = ReadEvents(keyboard, 5);
    EXPECT_EQ(first.result, DI_BUFFEROVERFLOW);
    ASSERT_EQ(first.events.size(), 5u);
    EXPECT_EQ(first.events[0].dwOfs, DIK_1);
    Read rest = ReadEvents(keyboard, 8);
    EXPECT_EQ(rest.result, DI_OK);
    ASSERT_EQ(rest.events.size(), 3u);
    EXPECT_EQ(rest.events[2].dwOfs, DIK_4);  // the 5 key's press and release were lost
    EXPECT_EQ(rest.events[2].dwData & 0x80, 0u);
    keyboard->Release();
}

TEST_F(DirectInputTest, MouseButtonsAxesAndWheelAsBufferedEvents) {
    IDirectInputDevice8W* mouse = Prepare(GUID_SysMouse, 16);
    platform::seam::InjectMouseMove(100, 100);
    ReadEvents(mouse, 16);
    platform::seam::InjectMouseButton(MouseButton::Left, true);
    platform::seam::InjectMouseButton(MouseButton::Right, true);
    platform::seam::InjectMouseButton(MouseButton::Middle, true);
    platform::seam::InjectMouseMove(103, 98);
    platform::seam::InjectMouseWheel(-1);

    Read read = ReadEvents(mouse, 16);
    ASSERT_EQ(read.events.size(), 6u);
    EXPECT_EQ(read.events[0].dwOfs, DIMOFS_BUTTON0);
    EXPECT_EQ(read.events[1].dwOfs, DIMOFS_BUTTON1);
    EXPECT_EQ(read.events[2].dwOfs, DIMOFS_BUTTON2);
    EXPECT_EQ(read.events[3].dwOfs, DIMOFS_X);
    EXPECT_EQ(static_cast<LONG>(read.events[3].dwData), 3);
    EXPECT_EQ(read.events[4].dwOfs, DIMOFS_Y);
    EXPECT_EQ(static_cast<LONG>(read.events[4].dwData), -2);
    EXPECT_EQ(read.events[3].dwSequence, read.events[4].dwSequence);  // one motion
    EXPECT_EQ(read.events[5].dwOfs, DIMOFS_Z);
    EXPECT_EQ(static_cast<LONG>(read.events[5].dwData), -120);
    mouse->Release();
}

TEST_F(DirectInputTest, DeviceStateShowsWhatIsDownNow) {
    platform::seam::InjectKeyDown(VK_LSHIFT);  // held before the device is acquired
    IDirectInputDevice8W* keyboard = Prepare(GUID_SysKeyboard, 0);
    platform::seam::InjectKeyDown('P');
    platform::seam::InjectKeyDown(VK_F9);
    platform::seam::InjectKeyUp(VK_F9);
    BYTE keys[256];
    ASSERT_EQ(keyboard->GetDeviceState(sizeof(keys), keys), DI_OK);
    EXPECT_EQ(keys[DIK_LSHIFT], 0x80);
    EXPECT_EQ(keys[DIK_P], 0x80);
    EXPECT_EQ(keys[DIK_F9], 0);
    DWORD count = 8;
    DIDEVICEOBJECTDATA events[8];
    EXPECT_EQ(keyboard->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), events, &count, 0), DIERR_NOTBUFFERED);
    EXPECT_EQ(keyboard->GetDeviceState(20, keys), DIERR_INVALIDPARAM);
    keyboard->Release();
}

TEST_F(DirectInputTest, MouseStateGivesMotionSinceTheLastRead) {
    IDirectInputDevice8W* mouse = Prepare(GUID_SysMouse, 16);
    platform::seam::InjectMouseMove(10, 10);
    DIMOUSESTATE2 state{};
    mouse->GetDeviceState(sizeof(state), &state);
    platform::seam::InjectMouseMove(15, 10);
    platform::seam::InjectMouseMove(20, 4);
    platform::seam::InjectMouseButton(MouseButton::Right, true);
    ASSERT_EQ(mouse->GetDeviceState(sizeof(state), &state), DI_OK);
    EXPECT_EQ(state.lX, 10);
    EXPECT_EQ(state.lY, -6);
    EXPECT_EQ(state.rgbButtons[0], 0);
    EXPECT_EQ(state.rgbButtons[1], 0x80);
    ASSERT_EQ(mouse->GetDeviceState(sizeof(state), &state), DI_OK);
    EXPECT_EQ(state.lX, 0);
    EXPECT_EQ(state.rgbButtons[1], 0x80);
    mouse->Release();
}

TEST_F(DirectInputTest, AcquireRules) {
    IDirectInputDevice8W* keyboard = nullptr;
    input->CreateDevice(GUID_SysKeyboard, &keyboard, nullptr);
    EXPECT_EQ(keyboard->Acquire(), DIERR_INVALIDPARAM);  // no data format yet
    EXPECT_EQ(keyboard->SetDataFormat(&c_dfDIMouse2), DIERR_INVALIDPARAM);
    EXPECT_EQ(keyboard->SetDataFormat(&c_dfDIKeyboard), DI_OK);
    EXPECT_EQ(keyboard->SetCooperativeLevel(GetDesktopWindow(), DISCL_NONEXCLUSIVE), DIERR_INVALIDPARAM);
    EXPECT_EQ(keyboard->SetCooperativeLevel(nullptr, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND), DIERR_INVALIDPARAM);
    EXPECT_EQ(keyboard->Acquire(), DI_OK);
    EXPECT_EQ(keyboard->Acquire(), DI_NOEFFECT);
    EXPECT_EQ(keyboard->SetDataFormat(&c_dfDIKeyboard), DIERR_ACQUIRED);
    EXPECT_EQ(SetBufferSize(keyboard, 8), DIERR_ACQUIRED);

    platform::seam::InjectKeyDown('Q');  // before any buffer: no buffered read
    EXPECT_EQ(keyboard->Unacquire(), DI_OK);
    EXPECT_EQ(keyboard->Unacquire(), DI_NOEFFECT);
    BYTE keys[256];
    EXPECT_EQ(keyboard->GetDeviceState(sizeof(keys), keys), DIERR_NOTACQUIRED);
    EXPECT_EQ(SetBufferSize(keyboard, 8), DI_OK);
    platform::seam::InjectKeyUp('Q');  // not acquired: not seen
    keyboard->Acquire();
    EXPECT_TRUE(ReadEvents(keyboard).events.empty());
    keyboard->Release();
}

TEST_F(DirectInputTest, EachStepCanBeMadeToFail) {
    struct Case {
        const char* call;
        HRESULT expected;
    };
    const Case cases[] = {
        {"IDirectInput8::CreateDevice", DIERR_DEVICENOTREG},
        {"IDirectInputDevice8::SetDataFormat", DIERR_GENERIC},
        {"IDirectInputDevice8::SetCooperativeLevel", DIERR_GENERIC},
        {"IDirectInputDevice8::SetProperty", DIERR_GENERIC},
        {"IDirectInputDevice8::Acquire", DIERR_OTHERAPPHASPRIO},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        platform::seam::FailNextCalls(c.call, 1);
        IDirectInputDevice8W* device = nullptr;
        HRESULT result = input->CreateDevice(GUID_SysMouse, &device, nullptr);
        if (device) {
            result = device->SetDataFormat(&c_dfDIMouse2);
            if (result == DI_OK) result = device->SetCooperativeLevel(GetDesktopWindow(), DISCL_NONEXCLUSIVE | DISCL_BACKGROUND);
            if (result == DI_OK) result = SetBufferSize(device, 16);
            if (result == DI_OK) result = device->Acquire();
            device->Release();
        }
        EXPECT_EQ(result, c.expected);
    }

    void* created = nullptr;
    platform::seam::FailNextCalls("DirectInput8Create", 1);
    EXPECT_EQ(DirectInput8Create(GetModuleHandleW(nullptr), DIRECTINPUT_VERSION, IID_IDirectInput8W, &created,
                                 nullptr),
              DIERR_GENERIC);
    EXPECT_EQ(created, nullptr);
}

TEST_F(DirectInputTest, AFailedReadLosesTheDeviceUntilItIsAcquiredAgain) {
    IDirectInputDevice8W* keyboard = Prepare(GUID_SysKeyboard, 8);
    platform::seam::FailNextCalls("IDirectInputDevice8::GetDeviceData", 1);
    EXPECT_EQ(ReadEvents(keyboard).result, DIERR_INPUTLOST);
    platform::seam::InjectKeyDown('W');
    BYTE keys[256];
    EXPECT_EQ(keyboard->GetDeviceState(sizeof(keys), keys), DIERR_NOTACQUIRED);
    EXPECT_EQ(keyboard->Acquire(), DI_OK);
    ASSERT_EQ(keyboard->GetDeviceState(sizeof(keys), keys), DI_OK);
    EXPECT_EQ(keys[DIK_W], 0x80);
    keyboard->Release();
}

}  // namespace
