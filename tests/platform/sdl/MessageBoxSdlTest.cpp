// Message boxes on the sdl backend in tests: switched to answer at once, a box never
// waits for a click, also once every window is gone, and is recorded like a headless one.

#include <gtest/gtest.h>

#include "platform/MessageBox.h"
#include "platform/WinUser.h"
#include "platform/WinUserSeams.h"

namespace {

TEST(MessageBoxSdlTest, SwitchedBoxesAnswerAtOnceAfterTheWindowsAreGone) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &DefWindowProcW;
    windowClass.lpszClassName = L"message box test";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"message box test", L"Test", WS_CAPTION, 0, 0, 320, 240, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window, SW_SHOW);
    DestroyWindow(window);
    platform::seam::ResetWindowing();

    platform::seam::AnswerMessageBoxesAtOnce(true);
    platform::seam::ClearMessageBoxes();
    platform::seam::QueueMessageBoxAnswer(IDOK);
    EXPECT_EQ(MessageBoxW(nullptr, L"Broken frame", L"Fatal Error", MB_OK | MB_ICONERROR), IDOK);
    EXPECT_EQ(MessageBoxW(nullptr, L"Quit?", L"Question", MB_YESNO), IDYES);
    platform::seam::AnswerMessageBoxesAtOnce(false);

    const auto& shown = platform::seam::ShownMessageBoxes();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].caption, L"Fatal Error");
    EXPECT_EQ(shown[0].text, L"Broken frame");
}

}  // namespace
