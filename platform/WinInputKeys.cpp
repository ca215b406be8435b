// The keyboard: SDL scancodes, virtual keys and DirectInput scan codes of each key.

#include <SDL.h>

#include "platform/DirectInput.h"
#include "platform/WinInput.h"

namespace platform::input {

namespace {

struct KeyRow {
    SDL_Scancode scancode;
    Key key;
};

constexpr KeyRow Same(SDL_Scancode scancode, UINT virtualKey, UINT scanCode) {
    return {scancode, {virtualKey, virtualKey, scanCode}};
}

const KeyRow Keys[] = {
    Same(SDL_SCANCODE_ESCAPE, VK_ESCAPE, DIK_ESCAPE),
    Same(SDL_SCANCODE_1, '1', DIK_1),
    Same(SDL_SCANCODE_2, '2', DIK_2),
    Same(SDL_SCANCODE_3, '3', DIK_3),
    Same(SDL_SCANCODE_4, '4', DIK_4),
    Same(SDL_SCANCODE_5, '5', DIK_5),
    Same(SDL_SCANCODE_6, '6', DIK_6),
    Same(SDL_SCANCODE_7, '7', DIK_7),
    Same(SDL_SCANCODE_8, '8', DIK_8),
    Same(SDL_SCANCODE_9, '9', DIK_9),
    Same(SDL_SCANCODE_0, '0', DIK_0),
    Same(SDL_SCANCODE_MINUS, VK_OEM_MINUS, DIK_MINUS),
    Same(SDL_SCANCODE_EQUALS, VK_OEM_PLUS, DIK_EQUALS),
    Same(SDL_SCANCODE_BACKSPACE, VK_BACK, DIK_BACK),
    Same(SDL_SCANCODE_TAB, VK_TAB, DIK_TAB),
    Same(SDL_SCANCODE_Q, 'Q', DIK_Q),
    Same(SDL_SCANCODE_W, 'W', DIK_W),
    Same(SDL_SCANCODE_E, 'E', DIK_E),
    Same(SDL_SCANCODE_R, 'R', DIK_R),
    Same(SDL_SCANCODE_T, 'T', DIK_T),
    Same(SDL_SCANCODE_Y, 'Y', DIK_Y),
    Same(SDL_SCANCODE_U, 'U', DIK_U),
    Same(SDL_SCANCODE_I, 'I', DIK_I),
    Same(SDL_SCANCODE_O, 'O', DIK_O),
    Same(SDL_SCANCODE_P, 'P', DIK_P),
    Same(SDL_SCANCODE_LEFTBRACKET, VK_OEM_4, DIK_LBRACKET),
    Same(SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6, DIK_RBRACKET),
    Same(SDL_SCANCODE_RETURN, VK_RETURN, DIK_RETURN),
    {SDL_SCANCODE_LCTRL, {VK_LCONTROL, VK_CONTROL, DIK_LCONTROL}},
    Same(SDL_SCANCODE_A, 'A', DIK_A),
    Same(SDL_SCANCODE_S, 'S', DIK_S),
    Same(SDL_SCANCODE_D, 'D', DIK_D),
    Same(SDL_SCANCODE_F, 'F', DIK_F),
    Same(SDL_SCANCODE_G, 'G', DIK_G),
    Same(SDL_SCANCODE_H, 'H', DIK_H),
    Same(SDL_SCANCODE_J, 'J', DIK_J),
    Same(SDL_SCANCODE_K, 'K', DIK_K),
    Same(SDL_SCANCODE_L, 'L', DIK_L),
    Same(SDL_SCANCODE_SEMICOLON, VK_OEM_1, DIK_SEMICOLON),
    Same(SDL_SCANCODE_APOSTROPHE, VK_OEM_7, DIK_APOSTROPHE),
    Same(SDL_SCANCODE_GRAVE, VK_OEM_3, DIK_GRAVE),
    {SDL_SCANCODE_LSHIFT, {VK_LSHIFT, VK_SHIFT, DIK_LSHIFT}},
    Same(SDL_SCANCODE_BACKSLASH, VK_OEM_5, DIK_BACKSLASH),
    Same(SDL_SCANCODE_NONUSHASH, VK_OEM_5, DIK_BACKSLASH),
    Same(SDL_SCANCODE_Z, 'Z', DIK_Z),
    Same(SDL_SCANCODE_X, 'X', DIK_X),
    Same(SDL_SCANCODE_C, 'C', DIK_C),
    Same(SDL_SCANCODE_V, 'V', DIK_V),
    Same(SDL_SCANCODE_B, 'B', DIK_B),
    Same(SDL_SCANCODE_N, 'N', DIK_N),
    Same(SDL_SCANCODE_M, 'M', DIK_M),
    Same(SDL_SCANCODE_COMMA, VK_OEM_COMMA, DIK_COMMA),
    Same(SDL_SCANCODE_PERIOD, VK_OEM_PERIOD, DIK_PERIOD),
    Same(SDL_SCANCODE_SLASH, VK_OEM_2, DIK_SLASH),
    {SDL_SCANCODE_RSHIFT, {VK_RSHIFT, VK_SHIFT, DIK_RSHIFT}},
    Same(SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY, DIK_MULTIPLY),
    {SDL_SCANCODE_LALT, {VK_LMENU, VK_MENU, DIK_LMENU}},
    Same(SDL_SCANCODE_SPACE, VK_SPACE, DIK_SPACE),
    Same(SDL_SCANCODE_CAPSLOCK, VK_CAPITAL, DIK_CAPITAL),
    Same(SDL_SCANCODE_F1, VK_F1, DIK_F1),
    Same(SDL_SCANCODE_F2, VK_F2, DIK_F2),
    Same(SDL_SCANCODE_F3, VK_F3, DIK_F3),
    Same(SDL_SCANCODE_F4, VK_F4, DIK_F4),
    Same(SDL_SCANCODE_F5, VK_F5, DIK_F5),
    Same(SDL_SCANCODE_F6, VK_F6, DIK_F6),
    Same(SDL_SCANCODE_F7, VK_F7, DIK_F7),
    Same(SDL_SCANCODE_F8, VK_F8, DIK_F8),
    Same(SDL_SCANCODE_F9, VK_F9, DIK_F9),
    Same(SDL_SCANCODE_F10, VK_F10, DIK_F10),
    Same(SDL_SCANCODE_NUMLOCKCLEAR, VK_NUMLOCK, DIK_NUMLOCK),
    Same(SDL_SCANCODE_SCROLLLOCK, VK_SCROLL, DIK_SCROLL),
    Same(SDL_SCANCODE_KP_7, VK_NUMPAD7, DIK_NUMPAD7),
    Same(SDL_SCANCODE_KP_8, VK_NUMPAD8, DIK_NUMPAD8),
    Same(SDL_SCANCODE_KP_9, VK_NUMPAD9, DIK_NUMPAD9),
    Same(SDL_SCANCODE_KP_MINUS, VK_SUBTRACT, DIK_SUBTRACT),
    Same(SDL_SCANCODE_KP_4, VK_NUMPAD4, DIK_NUMPAD4),
    Same(SDL_SCANCODE_KP_5, VK_NUMPAD5, DIK_NUMPAD5),
    Same(SDL_SCANCODE_KP_6, VK_NUMPAD6, DIK_NUMPAD6),
    Same(SDL_SCANCODE_KP_PLUS, VK_ADD, DIK_ADD),
    Same(SDL_SCANCODE_KP_1, VK_NUMPAD1, DIK_NUMPAD1),
    Same(SDL_SCANCODE_KP_2, VK_NUMPAD2, DIK_NUMPAD2),
    Same(SDL_SCANCODE_KP_3, VK_NUMPAD3, DIK_NUMPAD3),
    Same(SDL_SCANCODE_KP_0, VK_NUMPAD0, DIK_NUMPAD0),
    Same(SDL_SCANCODE_KP_PERIOD, VK_DECIMAL, DIK_DECIMAL),
    Same(SDL_SCANCODE_NONUSBACKSLASH, VK_OEM_102, DIK_OEM_102),
    Same(SDL_SCANCODE_F11, VK_F11, DIK_F11),
    Same(SDL_SCANCODE_F12, VK_F12, DIK_F12),
    // The keypad's Enter: VK_RETURN in messages, an extended key of its own.
    {SDL_SCANCODE_KP_ENTER, {VK_RETURN, VK_RETURN, DIK_NUMPADENTER}},
    {SDL_SCANCODE_RCTRL, {VK_RCONTROL, VK_CONTROL, DIK_RCONTROL}},
    Same(SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE, DIK_DIVIDE),
    Same(SDL_SCANCODE_PRINTSCREEN, VK_SNAPSHOT, DIK_SYSRQ),
    {SDL_SCANCODE_RALT, {VK_RMENU, VK_MENU, DIK_RMENU}},
    Same(SDL_SCANCODE_PAUSE, VK_PAUSE, DIK_PAUSE),
    Same(SDL_SCANCODE_HOME, VK_HOME, DIK_HOME),
    Same(SDL_SCANCODE_UP, VK_UP, DIK_UP),
    Same(SDL_SCANCODE_PAGEUP, VK_PRIOR, DIK_PRIOR),
    Same(SDL_SCANCODE_LEFT, VK_LEFT, DIK_LEFT),
    Same(SDL_SCANCODE_RIGHT, VK_RIGHT, DIK_RIGHT),
    Same(SDL_SCANCODE_END, VK_END, DIK_END),
    Same(SDL_SCANCODE_DOWN, VK_DOWN, DIK_DOWN),
    Same(SDL_SCANCODE_PAGEDOWN, VK_NEXT, DIK_NEXT),
    Same(SDL_SCANCODE_INSERT, VK_INSERT, DIK_INSERT),
    Same(SDL_SCANCODE_DELETE, VK_DELETE, DIK_DELETE),
    Same(SDL_SCANCODE_LGUI, VK_LWIN, DIK_LWIN),
    Same(SDL_SCANCODE_RGUI, VK_RWIN, DIK_RWIN),
    Same(SDL_SCANCODE_APPLICATION, VK_APPS, DIK_APPS),
};

template <typename Matches>
const KeyRow* FindRow(Matches matches) {
    for (const KeyRow& row : Keys)
        if (matches(row)) return &row;
    return nullptr;
}

bool IsLetterOrDigit(UINT virtualKey) {
    return (virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9');
}

}  // namespace

const Key* KeyByVirtualKey(UINT virtualKey) {
    // The shared modifier codes mean the left key, as in the first match of the table.
    const KeyRow* row = FindRow([=](const KeyRow& r) { return r.key.virtualKey == virtualKey; });
    if (!row) row = FindRow([=](const KeyRow& r) { return r.key.messageKey == virtualKey; });
    return row ? &row->key : nullptr;
}

const Key* KeyByScanCode(UINT scanCode) {
    const KeyRow* row = FindRow([=](const KeyRow& r) { return r.key.scanCode == scanCode; });
    return row ? &row->key : nullptr;
}

std::optional<Key> KeyBySdl(int scancode, int keycode) {
    const KeyRow* row = FindRow([=](const KeyRow& r) { return r.scancode == scancode; });
    if (!row) return std::nullopt;
    Key key = row->key;
    // Letters and digits take their virtual key from the layout, the scan code from the place.
    if (IsLetterOrDigit(key.virtualKey)) {
        UINT fromLayout = 0;
        if (keycode >= 'a' && keycode <= 'z') fromLayout = static_cast<UINT>(keycode - 'a' + 'A');
        if (keycode >= '0' && keycode <= '9') fromLayout = static_cast<UINT>(keycode);
        if (fromLayout) key.virtualKey = key.messageKey = fromLayout;
    }
    return key;
}

}  // namespace platform::input
