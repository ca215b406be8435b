#pragma once
// DirectInput 8: the system keyboard and mouse, buffered or read by state. Devices
// are fed from the same input as the window messages (SDL's events, or the test
// seams) while they are acquired; auto-repeat never reaches them. Supported: the
// standard keyboard and extended mouse formats at the non-exclusive background level.
//
// Calls that tests can make fail (platform::seam::FailNextCalls) and their answers:
//   "DirectInput8Create"                         DIERR_GENERIC
//   "IDirectInput8::CreateDevice"                DIERR_DEVICENOTREG
//   "IDirectInputDevice8::SetDataFormat"         DIERR_GENERIC
//   "IDirectInputDevice8::SetCooperativeLevel"   DIERR_GENERIC
//   "IDirectInputDevice8::SetProperty"           DIERR_GENERIC
//   "IDirectInputDevice8::Acquire"               DIERR_OTHERAPPHASPRIO
//   "IDirectInputDevice8::GetDeviceData"         DIERR_INPUTLOST (the device is no longer acquired)
//   "IDirectInputDevice8::GetDeviceState"        DIERR_INPUTLOST (the device is no longer acquired)

#include "platform/WinTypes.h"

#ifndef DIRECTINPUT_VERSION
#define DIRECTINPUT_VERSION 0x0800
#endif

extern const GUID IID_IDirectInput8W;
extern const GUID IID_IDirectInputDevice8W;
extern const GUID GUID_SysKeyboard;
extern const GUID GUID_SysMouse;
// Properties are compared by identity, as DirectInput does.
extern const GUID DIPROP_BUFFERSIZE;

struct DIDATAFORMAT {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwDataSize;
};
// 256 bytes, one per scan code.
extern const DIDATAFORMAT c_dfDIKeyboard;
// DIMOUSESTATE2.
extern const DIDATAFORMAT c_dfDIMouse2;

struct DIMOUSESTATE2 {
    LONG lX;
    LONG lY;
    LONG lZ;
    BYTE rgbButtons[8];
};

// 20 bytes: the application data is 32 bits wide here.
struct DIDEVICEOBJECTDATA {
    DWORD dwOfs;
    DWORD dwData;
    DWORD dwTimeStamp;
    DWORD dwSequence;
    DWORD uAppData;
};

struct DIPROPHEADER {
    DWORD dwSize;
    DWORD dwHeaderSize;
    DWORD dwObj;
    DWORD dwHow;
};

struct DIPROPDWORD {
    DIPROPHEADER diph;
    DWORD dwData;
};

constexpr DWORD DIPH_DEVICE = 0;

constexpr DWORD DISCL_EXCLUSIVE = 0x00000001;
constexpr DWORD DISCL_NONEXCLUSIVE = 0x00000002;
constexpr DWORD DISCL_FOREGROUND = 0x00000004;
constexpr DWORD DISCL_BACKGROUND = 0x00000008;
constexpr DWORD DISCL_NOWINKEY = 0x00000010;

constexpr DWORD DIGDD_PEEK = 0x00000001;

// Offsets of the extended mouse format.
constexpr DWORD DIMOFS_X = 0;
constexpr DWORD DIMOFS_Y = 4;
constexpr DWORD DIMOFS_Z = 8;
constexpr DWORD DIMOFS_BUTTON0 = 12;
constexpr DWORD DIMOFS_BUTTON1 = 13;
constexpr DWORD DIMOFS_BUTTON2 = 14;
constexpr DWORD DIMOFS_BUTTON3 = 15;
constexpr DWORD DIMOFS_BUTTON4 = 16;
constexpr DWORD DIMOFS_BUTTON5 = 17;
constexpr DWORD DIMOFS_BUTTON6 = 18;
constexpr DWORD DIMOFS_BUTTON7 = 19;

// Result codes.
constexpr HRESULT DI_OK = S_OK;
constexpr HRESULT DI_NOEFFECT = S_FALSE;
constexpr HRESULT DI_PROPNOEFFECT = S_FALSE;
constexpr HRESULT DI_BUFFEROVERFLOW = S_FALSE;
constexpr HRESULT DIERR_GENERIC = E_FAIL;
constexpr HRESULT DIERR_INVALIDPARAM = E_INVALIDARG;
constexpr HRESULT DIERR_NOINTERFACE = E_NOINTERFACE;
constexpr HRESULT DIERR_OUTOFMEMORY = E_OUTOFMEMORY;
constexpr HRESULT DIERR_UNSUPPORTED = E_NOTIMPL;
constexpr HRESULT DIERR_OTHERAPPHASPRIO = static_cast<HRESULT>(0x80070005u);
constexpr HRESULT DIERR_NOTACQUIRED = static_cast<HRESULT>(0x8007000Cu);
constexpr HRESULT DIERR_NOTINITIALIZED = static_cast<HRESULT>(0x80070015u);
constexpr HRESULT DIERR_INPUTLOST = static_cast<HRESULT>(0x8007001Eu);
constexpr HRESULT DIERR_ACQUIRED = static_cast<HRESULT>(0x800700AAu);
constexpr HRESULT DIERR_OLDDIRECTINPUTVERSION = static_cast<HRESULT>(0x8007047Eu);
constexpr HRESULT DIERR_BETADIRECTINPUTVERSION = static_cast<HRESULT>(0x80070481u);
constexpr HRESULT DIERR_DEVICENOTREG = static_cast<HRESULT>(0x80040154u);
constexpr HRESULT DIERR_NOTBUFFERED = static_cast<HRESULT>(0x80040207u);

// Keyboard scan codes.
constexpr UINT DIK_ESCAPE = 0x01;
constexpr UINT DIK_1 = 0x02;
constexpr UINT DIK_2 = 0x03;
constexpr UINT DIK_3 = 0x04;
constexpr UINT DIK_4 = 0x05;
constexpr UINT DIK_5 = 0x06;
constexpr UINT DIK_6 = 0x07;
constexpr UINT DIK_7 = 0x08;
constexpr UINT DIK_8 = 0x09;
constexpr UINT DIK_9 = 0x0A;
constexpr UINT DIK_0 = 0x0B;
constexpr UINT DIK_MINUS = 0x0C;
constexpr UINT DIK_EQUALS = 0x0D;
constexpr UINT DIK_BACK = 0x0E;
constexpr UINT DIK_TAB = 0x0F;
constexpr UINT DIK_Q = 0x10;
constexpr UINT DIK_W = 0x11;
constexpr UINT DIK_E = 0x12;
constexpr UINT DIK_R = 0x13;
constexpr UINT DIK_T = 0x14;
constexpr UINT DIK_Y = 0x15;
constexpr UINT DIK_U = 0x16;
constexpr UINT DIK_I = 0x17;
constexpr UINT DIK_O = 0x18;
constexpr UINT DIK_P = 0x19;
constexpr UINT DIK_LBRACKET = 0x1A;
constexpr UINT DIK_RBRACKET = 0x1B;
constexpr UINT DIK_RETURN = 0x1C;
constexpr UINT DIK_LCONTROL = 0x1D;
constexpr UINT DIK_A = 0x1E;
constexpr UINT DIK_S = 0x1F;
constexpr UINT DIK_D = 0x20;
constexpr UINT DIK_F = 0x21;
constexpr UINT DIK_G = 0x22;
constexpr UINT DIK_H = 0x23;
constexpr UINT DIK_J = 0x24;
constexpr UINT DIK_K = 0x25;
constexpr UINT DIK_L = 0x26;
constexpr UINT DIK_SEMICOLON = 0x27;
constexpr UINT DIK_APOSTROPHE = 0x28;
constexpr UINT DIK_GRAVE = 0x29;
constexpr UINT DIK_LSHIFT = 0x2A;
constexpr UINT DIK_BACKSLASH = 0x2B;
constexpr UINT DIK_Z = 0x2C;
constexpr UINT DIK_X = 0x2D;
constexpr UINT DIK_C = 0x2E;
constexpr UINT DIK_V = 0x2F;
constexpr UINT DIK_B = 0x30;
constexpr UINT DIK_N = 0x31;
constexpr UINT DIK_M = 0x32;
constexpr UINT DIK_COMMA = 0x33;
constexpr UINT DIK_PERIOD = 0x34;
constexpr UINT DIK_SLASH = 0x35;
constexpr UINT DIK_RSHIFT = 0x36;
constexpr UINT DIK_MULTIPLY = 0x37;
constexpr UINT DIK_LMENU = 0x38;
constexpr UINT DIK_SPACE = 0x39;
constexpr UINT DIK_CAPITAL = 0x3A;
constexpr UINT DIK_F1 = 0x3B;
constexpr UINT DIK_F2 = 0x3C;
constexpr UINT DIK_F3 = 0x3D;
constexpr UINT DIK_F4 = 0x3E;
constexpr UINT DIK_F5 = 0x3F;
constexpr UINT DIK_F6 = 0x40;
constexpr UINT DIK_F7 = 0x41;
constexpr UINT DIK_F8 = 0x42;
constexpr UINT DIK_F9 = 0x43;
constexpr UINT DIK_F10 = 0x44;
constexpr UINT DIK_NUMLOCK = 0x45;
constexpr UINT DIK_SCROLL = 0x46;
constexpr UINT DIK_NUMPAD7 = 0x47;
constexpr UINT DIK_NUMPAD8 = 0x48;
constexpr UINT DIK_NUMPAD9 = 0x49;
constexpr UINT DIK_SUBTRACT = 0x4A;
constexpr UINT DIK_NUMPAD4 = 0x4B;
constexpr UINT DIK_NUMPAD5 = 0x4C;
constexpr UINT DIK_NUMPAD6 = 0x4D;
constexpr UINT DIK_ADD = 0x4E;
constexpr UINT DIK_NUMPAD1 = 0x4F;
constexpr UINT DIK_NUMPAD2 = 0x50;
constexpr UINT DIK_NUMPAD3 = 0x51;
constexpr UINT DIK_NUMPAD0 = 0x52;
constexpr UINT DIK_DECIMAL = 0x53;
constexpr UINT DIK_OEM_102 = 0x56;
constexpr UINT DIK_F11 = 0x57;
constexpr UINT DIK_F12 = 0x58;
constexpr UINT DIK_NUMPADENTER = 0x9C;
constexpr UINT DIK_RCONTROL = 0x9D;
constexpr UINT DIK_DIVIDE = 0xB5;
constexpr UINT DIK_SYSRQ = 0xB7;
constexpr UINT DIK_RMENU = 0xB8;
constexpr UINT DIK_PAUSE = 0xC5;
constexpr UINT DIK_HOME = 0xC7;
constexpr UINT DIK_UP = 0xC8;
constexpr UINT DIK_PRIOR = 0xC9;
constexpr UINT DIK_LEFT = 0xCB;
constexpr UINT DIK_RIGHT = 0xCD;
constexpr UINT DIK_END = 0xCF;
constexpr UINT DIK_DOWN = 0xD0;
constexpr UINT DIK_NEXT = 0xD1;
constexpr UINT DIK_INSERT = 0xD2;
constexpr UINT DIK_DELETE = 0xD3;
constexpr UINT DIK_LWIN = 0xDB;
constexpr UINT DIK_RWIN = 0xDC;
constexpr UINT DIK_APPS = 0xDD;

class IDirectInputDevice8W {
public:
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    // Returns the references that remain.
    virtual ULONG Release() = 0;
    virtual HRESULT SetDataFormat(const DIDATAFORMAT* format) = 0;
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
    virtual HRESULT SetProperty(REFGUID property, const DIPROPHEADER* header) = 0;
    virtual HRESULT Acquire() = 0;
    virtual HRESULT Unacquire() = 0;
    // The oldest buffered events, removed unless DIGDD_PEEK; DI_BUFFEROVERFLOW when
    // events were lost since the last read. With null `data` and a count of
    // 0xFFFFFFFF the buffer is emptied.
    virtual HRESULT GetDeviceData(DWORD objectDataSize, DIDEVICEOBJECTDATA* data, DWORD* count, DWORD flags) = 0;
    // The keyboard's 256 bytes, or the mouse's DIMOUSESTATE2 with the axes' motion
    // since the previous state read.
    virtual HRESULT GetDeviceState(DWORD size, LPVOID state) = 0;

protected:
    virtual ~IDirectInputDevice8W() = default;
};

class IDirectInput8W {
public:
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    // GUID_SysKeyboard or GUID_SysMouse. The device holds a reference on this object.
    virtual HRESULT CreateDevice(REFGUID device, IDirectInputDevice8W** result, void* outer) = 0;

protected:
    virtual ~IDirectInput8W() = default;
};

using LPDIRECTINPUT8W = IDirectInput8W*;
using LPDIRECTINPUTDEVICE8W = IDirectInputDevice8W*;

HRESULT DirectInput8Create(HINSTANCE instance, DWORD version, REFIID iid, LPVOID* result, void* outer);
