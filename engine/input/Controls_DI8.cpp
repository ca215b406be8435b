#include "engine/input/Controls_DI8.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "engine/kernel/MessageManager.h"
#include "engine/kernel/Window_WinOS.h"
#include "platform/WinUser.h"

namespace Vantor {

namespace {

// The code of each key name, in the order of KeyNames: the device's button number for
// the mouse buttons, the DirectInput scan code for the keys.
constexpr std::array<UINT, KeyNameCount> kKeyCodes = {
    0, 1, 2, 3, 4, 5, 6, 7,
    DIK_CAPITAL, DIK_NUMLOCK, DIK_SCROLL,
    DIK_0, DIK_1, DIK_2, DIK_3, DIK_4, DIK_5, DIK_6, DIK_7, DIK_8, DIK_9,
    DIK_A, DIK_B, DIK_C, DIK_D, DIK_E, DIK_F, DIK_G, DIK_H, DIK_I, DIK_J, DIK_K, DIK_L, DIK_M,
    DIK_N, DIK_O, DIK_P, DIK_Q, DIK_R, DIK_S, DIK_T, DIK_U, DIK_V, DIK_W, DIK_X, DIK_Y, DIK_Z,
    DIK_BACK, DIK_TAB, DIK_SPACE, DIK_RETURN, DIK_ESCAPE,
    DIK_RSHIFT, DIK_LSHIFT, DIK_RCONTROL, DIK_LCONTROL, DIK_RMENU, DIK_LMENU,
    DIK_PRIOR, DIK_NEXT, DIK_END, DIK_HOME, DIK_SYSRQ, DIK_INSERT, DIK_DELETE, DIK_PAUSE,
    DIK_LEFT, DIK_UP, DIK_RIGHT, DIK_DOWN,
    DIK_NUMPAD0, DIK_NUMPAD1, DIK_NUMPAD2, DIK_NUMPAD3, DIK_NUMPAD4,
    DIK_NUMPAD5, DIK_NUMPAD6, DIK_NUMPAD7, DIK_NUMPAD8, DIK_NUMPAD9,
    DIK_MULTIPLY, DIK_ADD, DIK_SUBTRACT, DIK_DECIMAL, DIK_DIVIDE,
    DIK_F1, DIK_F2, DIK_F3, DIK_F4, DIK_F5, DIK_F6, DIK_F7, DIK_F8, DIK_F9, DIK_F10, DIK_F11, DIK_F12,
    DIK_GRAVE, DIK_SEMICOLON, DIK_EQUALS, DIK_COMMA, DIK_MINUS, DIK_PERIOD, DIK_SLASH,
    DIK_LBRACKET, DIK_BACKSLASH, DIK_RBRACKET, DIK_APOSTROPHE,
};

constexpr DWORD kDownBit = 0x80;
constexpr DWORD kKeyboardStateSize = 256;
// DirectInput never documents a lost answer from Acquire; a device that keeps giving it
// must not hang the frame.
constexpr int kMaxAcquireAttempts = 16;

void Log(const std::string& text) { MessageManager::Instance()->PrintMessage(text); }

[[noreturn]] void Fail(const std::string& text) { MessageManager::Instance()->PrintFatalError(text); }

void ReleaseDevice(IDirectInputDevice8W*& device) {
    if (!device) return;
    device->Unacquire();
    device->Release();
    device = nullptr;
}

}  // namespace

Controls_DI8::Controls_DI8(bool buffered) : keyboardBuffered_(buffered), mouseBuffered_(buffered) {
    Log("Initialization of DirectInput devices...");
    try {
        CreateDirectInput();
        PrepareDevice(keyboard_, {&GUID_SysKeyboard, "Keyboard", "keyboard", &c_dfDIKeyboard, kKeyboardBufferSize},
                      keyboardBuffered_);
        PrepareDevice(mouse_, {&GUID_SysMouse, "Mouse", "mouse", &c_dfDIMouse2, kMouseBufferSize}, mouseBuffered_);
    } catch (...) {
        ReleaseInterfaces();
        throw;
    }
    BuildCodeNames();
}

Controls_DI8::~Controls_DI8() {
    Log("\nDirectInput devices destroying:");
    Log("...Keyboard...");
    ReleaseDevice(keyboard_);
    Log("...Mouse...");
    ReleaseDevice(mouse_);
    Log("...DirectInput object...");
    ReleaseInterfaces();
}

void Controls_DI8::CreateDirectInput() {
    Log("...Creating a DirectInput object...");
    const auto& window = *static_cast<Window_WinOS*>(Window::Instance());
    void* created = nullptr;
    if (FAILED(DirectInput8Create(window.GetInstance(), DIRECTINPUT_VERSION, IID_IDirectInput8W, &created, nullptr)))
        Fail("Failed to create a DirectInput object");
    directInput_ = static_cast<IDirectInput8W*>(created);
}

void Controls_DI8::PrepareDevice(IDirectInputDevice8W*& device, const DeviceSetup& setup, bool& buffered) {
    Log(std::string("...") + setup.title + ":");
    Log(std::string("......Obtaining an interface to the system ") + setup.noun + " device...");
    if (FAILED(directInput_->CreateDevice(*setup.kind, &device, nullptr))) {
        device = nullptr;
        Fail(std::string("Failed to obtain an interface to the system ") + setup.noun + " device");
    }
    Log("......Setting the data format...");
    if (FAILED(device->SetDataFormat(setup.format))) Fail("Failed to set the data format");
    Log("......Setting the cooperativity level...");
    if (FAILED(device->SetCooperativeLevel(GetDesktopWindow(), DISCL_NONEXCLUSIVE | DISCL_BACKGROUND)))
        Fail("Failed to set the cooperativity level");
    if (buffered) {
        Log("......Setting the buffered mode...");
        DIPROPDWORD size{};
        size.diph.dwSize = sizeof(DIPROPDWORD);
        size.diph.dwHeaderSize = sizeof(DIPROPHEADER);
        size.diph.dwObj = 0;
        size.diph.dwHow = DIPH_DEVICE;
        size.dwData = setup.bufferSize;
        if (FAILED(device->SetProperty(DIPROP_BUFFERSIZE, &size.diph))) {
            buffered = false;
            MessageManager::Instance()->PrintError("Failed to set the buffered mode, switching to the immediate mode");
        }
    }
    // A refused acquisition shows as a failed first read, which acquires again.
    device->Acquire();
}

void Controls_DI8::ReleaseInterfaces() {
    ReleaseDevice(keyboard_);
    ReleaseDevice(mouse_);
    if (directInput_) directInput_->Release();
    directInput_ = nullptr;
}

void Controls_DI8::BuildCodeNames() {
    std::map<std::string, UINT> nameToCode;
    for (size_t key = 0; key < KeyNameCount; ++key) nameToCode.emplace(KeyNames[key], kKeyCodes[key]);
    // In name order the digits and "ESCAPE" come before "MOUSE2" to "MOUSE8", so the
    // codes 1 to 7 keep their keyboard names; the first name of a code keeps it.
    for (const auto& [name, code] : nameToCode) codeToName_.emplace(code, name);
}

void Controls_DI8::Update() {
    if (!keyboardBuffered_ || !ReadKeyboardEvents()) ReadKeyboardState();
    if (!mouseBuffered_ || !ReadMouseEvents()) ReadMouseState();
    Controls::Update();
}

void Controls_DI8::SetKeyState(const std::string& name, bool down) {
    const auto held = held_.find(name);
    if (held == held_.end()) return;
    if (!down) {
        held->second = false;
    } else if (!held->second) {
        held->second = true;
        pressed_[name] = true;
    }
}

bool Controls_DI8::ReadKeyboardEvents() {
    std::array<DIDEVICEOBJECTDATA, kEventsPerRead> events{};
    DWORD count = kEventsPerRead;
    if (keyboard_->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), events.data(), &count, 0) != DI_OK) {
        Reacquire(keyboard_);
        return false;
    }
    for (DWORD i = 0; i < std::min(count, kEventsPerRead); ++i) {
        const auto name = codeToName_.find(events[i].dwOfs);
        if (name != codeToName_.end()) SetKeyState(name->second, (events[i].dwData & kDownBit) != 0);
    }
    return true;
}

void Controls_DI8::ReadKeyboardState() {
    std::array<BYTE, kKeyboardStateSize> keys{};
    if (FAILED(keyboard_->GetDeviceState(kKeyboardStateSize, keys.data()))) {
        Reacquire(keyboard_);
        keys.fill(0);  // every key reads as up this frame
    }
    for (size_t key = MouseButtonCount; key < KeyNameCount; ++key)
        SetKeyState(KeyNames[key], keys[kKeyCodes[key]] != 0);
}

bool Controls_DI8::ReadMouseEvents() {
    std::array<DIDEVICEOBJECTDATA, kEventsPerRead> events{};
    DWORD count = kEventsPerRead;
    if (mouse_->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), events.data(), &count, 0) != DI_OK) {
        Reacquire(mouse_);
        return false;
    }
    // The axes and the wheel are not keys.
    for (DWORD i = 0; i < std::min(count, kEventsPerRead); ++i) {
        const DWORD offset = events[i].dwOfs;
        if (offset >= DIMOFS_BUTTON0 && offset <= DIMOFS_BUTTON7)
            SetKeyState(MouseButtonName(offset - DIMOFS_BUTTON0), (events[i].dwData & kDownBit) != 0);
    }
    return true;
}

void Controls_DI8::ReadMouseState() {
    DIMOUSESTATE2 state{};
    if (FAILED(mouse_->GetDeviceState(sizeof(state), &state))) {
        Reacquire(mouse_);
        state = DIMOUSESTATE2{};  // every button reads as up this frame
    }
    for (size_t button = 0; button < MouseButtonCount; ++button)
        SetKeyState(MouseButtonName(button), state.rgbButtons[button] != 0);
}

void Controls_DI8::Reacquire(IDirectInputDevice8W* device) {
    for (int attempt = 0; attempt < kMaxAcquireAttempts; ++attempt)
        if (device->Acquire() != DIERR_INPUTLOST) return;
}

}  // namespace Vantor
