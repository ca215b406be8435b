#include "platform/WinDisplay.h"

#include <algorithm>
#include <cwchar>
#include <mutex>
#include <optional>
#include <tuple>

#include "platform/FailureInjection.h"
#include "platform/WinInput.h"
#include "platform/WinUser.h"
#include "platform/WinWindowSdl.h"

namespace platform {

namespace {

struct DisplayState {
    std::mutex mutex;
    std::optional<std::vector<DisplayMode>> modes;  // a test's list
    std::optional<DisplayMode> current;             // none: the desktop's mode
};

DisplayState& State() {
    static DisplayState state;
    return state;
}

bool SameMode(const DisplayMode& a, int width, int height, int bitsPerPixel) {
    return a.width == width && a.height == height && a.bitsPerPixel == bitsPerPixel;
}

void Sort(std::vector<DisplayMode>& modes) {
    auto key = [](const DisplayMode& m) { return std::tie(m.bitsPerPixel, m.width, m.height); };
    std::sort(modes.begin(), modes.end(), [&](const DisplayMode& a, const DisplayMode& b) { return key(a) < key(b); });
    modes.erase(std::unique(modes.begin(), modes.end(),
                            [](const DisplayMode& a, const DisplayMode& b) {
                                return SameMode(a, b.width, b.height, b.bitsPerPixel);
                            }),
                modes.end());
}

}  // namespace

std::vector<DisplayMode> DisplayModes() {
    DisplayState& state = State();
    {
        std::lock_guard lock(state.mutex);
        if (state.modes) return *state.modes;
    }
    DisplayMode desktop = Desktop();
    std::vector<DisplayMode> modes;
    for (int bits : {16, 32}) {
        for (auto [width, height] : {std::pair{640, 480}, {800, 600}, {1024, 768}, {desktop.width, desktop.height}})
            modes.push_back(DisplayMode{width, height, bits, desktop.refreshRate});
    }
    Sort(modes);
    return modes;
}

DisplayMode CurrentDisplayMode() {
    DisplayState& state = State();
    {
        std::lock_guard lock(state.mutex);
        if (state.current) return *state.current;
    }
    return Desktop();
}

bool SetDisplayMode(int width, int height, int bitsPerPixel) {
    std::vector<DisplayMode> modes = DisplayModes();
    auto mode = std::find_if(modes.begin(), modes.end(),
                             [&](const DisplayMode& m) { return SameMode(m, width, height, bitsPerPixel); });
    if (mode == modes.end()) return false;
    {
        DisplayState& state = State();
        std::lock_guard lock(state.mutex);
        if (SameMode(Desktop(), width, height, bitsPerPixel))
            state.current.reset();
        else
            state.current = *mode;
    }
    win::PresentAll();
    return true;
}

void RestoreDesktopDisplayMode() {
    {
        DisplayState& state = State();
        std::lock_guard lock(state.mutex);
        state.current.reset();
    }
    win::PresentAll();
}

RECT CurrentWorkArea() {
    DisplayMode mode = CurrentDisplayMode();
    DisplayMode desktop = Desktop();
    if (SameMode(mode, desktop.width, desktop.height, desktop.bitsPerPixel)) return WorkArea();
    return RECT{0, 0, mode.width, mode.height};
}

}  // namespace platform

namespace platform::seam {

void SetDisplayModes(const std::vector<platform::DisplayMode>& modes) {
    std::vector<platform::DisplayMode> sorted = modes;
    Sort(sorted);
    DisplayState& state = State();
    std::lock_guard lock(state.mutex);
    state.modes = std::move(sorted);
}

void ResetDisplayModes() {
    DisplayState& state = State();
    std::lock_guard lock(state.mutex);
    state.modes.reset();
    state.current.reset();
}

}  // namespace platform::seam

namespace {

void Fill(DEVMODEW& devMode, const platform::DisplayMode& mode) {
    std::wcsncpy(devMode.dmDeviceName, L"\\\\.\\DISPLAY1", 32);
    devMode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
    devMode.dmBitsPerPel = static_cast<DWORD>(mode.bitsPerPixel);
    devMode.dmPelsWidth = static_cast<DWORD>(mode.width);
    devMode.dmPelsHeight = static_cast<DWORD>(mode.height);
    devMode.dmDisplayFlags = 0;
    devMode.dmDisplayFrequency = static_cast<DWORD>(mode.refreshRate);
}

bool IsPrimaryDisplay(LPCWSTR deviceName) {
    return !deviceName || std::wcscmp(deviceName, L"\\\\.\\DISPLAY1") == 0;
}

}  // namespace

BOOL SystemParametersInfoW(UINT action, UINT, LPVOID pvParam, UINT) {
    if (action != SPI_GETWORKAREA || !pvParam) return FALSE;
    *static_cast<RECT*>(pvParam) = platform::CurrentWorkArea();
    return TRUE;
}

BOOL EnumDisplaySettingsW(LPCWSTR deviceName, DWORD modeNumber, DEVMODEW* mode) {
    if (!mode || !IsPrimaryDisplay(deviceName)) return FALSE;
    if (modeNumber == ENUM_CURRENT_SETTINGS) {
        Fill(*mode, platform::CurrentDisplayMode());
        return TRUE;
    }
    if (modeNumber == ENUM_REGISTRY_SETTINGS) {
        Fill(*mode, platform::Desktop());
        return TRUE;
    }
    std::vector<platform::DisplayMode> modes = platform::DisplayModes();
    if (modeNumber >= modes.size()) return FALSE;
    Fill(*mode, modes[modeNumber]);
    return TRUE;
}

LONG ChangeDisplaySettingsW(DEVMODEW* mode, DWORD flags) {
    if (platform::ShouldFail("ChangeDisplaySettingsW")) return DISP_CHANGE_FAILED;
    // Only temporary changes: the desktop's own settings are never rewritten.
    if (flags & ~(CDS_FULLSCREEN | CDS_TEST)) return DISP_CHANGE_BADFLAGS;
    bool test = (flags & CDS_TEST) != 0;
    if (!mode) {
        if (!test) platform::RestoreDesktopDisplayMode();
        return DISP_CHANGE_SUCCESSFUL;
    }
    platform::DisplayMode current = platform::CurrentDisplayMode();
    int width = (mode->dmFields & DM_PELSWIDTH) ? static_cast<int>(mode->dmPelsWidth) : current.width;
    int height = (mode->dmFields & DM_PELSHEIGHT) ? static_cast<int>(mode->dmPelsHeight) : current.height;
    int bits = (mode->dmFields & DM_BITSPERPEL) ? static_cast<int>(mode->dmBitsPerPel) : current.bitsPerPixel;
    std::vector<platform::DisplayMode> modes = platform::DisplayModes();
    bool listed = std::any_of(modes.begin(), modes.end(), [&](const platform::DisplayMode& m) {
        return m.width == width && m.height == height && m.bitsPerPixel == bits;
    });
    if (!listed) return DISP_CHANGE_BADMODE;
    if (!test) platform::SetDisplayMode(width, height, bits);
    return DISP_CHANGE_SUCCESSFUL;
}

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN: return platform::CurrentDisplayMode().width;
    case SM_CYSCREEN: return platform::CurrentDisplayMode().height;
    case SM_SWAPBUTTON: return platform::input::SwapButtons() ? 1 : 0;
    default: return 0;
    }
}
