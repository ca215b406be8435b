#pragma once
// Inside the layer: where keyboard and mouse input arrives, from SDL's events or from
// the test seams, and where it goes: the key and cursor state behind
// GetAsyncKeyState and GetCursorPos, the acquired DirectInput devices, and the
// messages of the window with the keyboard focus.

#include <mutex>
#include <optional>
#include <string>

#include "platform/WinUser.h"

namespace platform::input {

// One key of the keyboard.
struct Key {
    UINT virtualKey;  // the key's own code (VK_LSHIFT, not VK_SHIFT)
    UINT messageKey;  // the code in key messages (VK_SHIFT for both shift keys)
    UINT scanCode;    // DirectInput scan code; 0x80 marks the extended keys
};

const Key* KeyByVirtualKey(UINT virtualKey);
const Key* KeyByScanCode(UINT scanCode);
// The key of an SDL scancode and keycode (letters and digits follow the keyboard
// layout, as Windows' virtual keys do); null for keys the layer does not know.
std::optional<Key> KeyBySdl(int scancode, int keycode);

// Milliseconds of the layer's clock, as message and event time stamps.
DWORD TimeStamp();

void KeyChanged(const Key& key, bool down);
void TextTyped(const std::wstring& text);
// The cursor moved to a screen position; dx and dy are the device's own motion.
void MouseMoved(POINT screen, int dx, int dy);
// Device buttons: 0 left, 1 right, 2 middle, 3 and 4 the extra buttons.
void MouseButtonChanged(int button, bool down);
// Wheel motion in DirectInput units (120 per notch).
void WheelTurned(int delta);

// Takes in what SDL has (on the thread that owns SDL's windows).
void Pump();

bool IsKeyDown(UINT virtualKey);
POINT CursorPosition();
bool SwapButtons();
void SetSwapButtons(bool swapped);

// DirectInput devices listen while acquired; calls arrive under Mutex().
class Listener {
public:
    virtual ~Listener() = default;
    virtual void OnKey(UINT scanCode, bool down, DWORD time, DWORD sequence) = 0;
    virtual void OnMouseMove(int dx, int dy, DWORD time, DWORD sequence) = 0;
    virtual void OnMouseButton(int button, bool down, DWORD time, DWORD sequence) = 0;
    virtual void OnWheel(int delta, DWORD time, DWORD sequence) = 0;
};
void AddListener(Listener* listener);
void RemoveListener(Listener* listener);
std::recursive_mutex& Mutex();
// Down state by scan code (0x80 when down) and of the five mouse buttons, for a
// device that is being acquired.
void ScanCodeState(BYTE state[256]);
bool MouseButtonDown(int button);

// Once a test injects pointer input, the system's pointer no longer counts: on a
// display that many test programs share, windows opening under its pointer would
// report it and move the injected cursor. Until ResetInput.
void TakeInjectedPointerOnly();
bool SystemPointerIgnored();
void ResetInput();
// Back to the arrow, a display counter of 0 and no cursor or icon resources.
void ResetCursor();

}  // namespace platform::input
