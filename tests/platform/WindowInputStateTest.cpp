// The user32 input state on the headless backend: key state, cursor counter and
// cursor shapes, the swap-buttons setting.

#include <gtest/gtest.h>

#include "platform/WinUser.h"
#include "platform/WinUserSeams.h"

namespace {

class WindowInputStateTest : public ::testing::Test {
protected:
    void SetUp() override { platform::seam::ResetWindowing(); }
    void TearDown() override { platform::seam::ResetWindowing(); }

    static bool Down(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }
};

TEST_F(WindowInputStateTest, ShowCursorKeepsTheDisplayCounter) {
    EXPECT_EQ(ShowCursor(FALSE), -1);
    EXPECT_EQ(ShowCursor(FALSE), -2);
    EXPECT_EQ(ShowCursor(TRUE), -1);
    EXPECT_EQ(ShowCursor(TRUE), 0);
    EXPECT_EQ(ShowCursor(TRUE), 1);
}

TEST_F(WindowInputStateTest, AsyncKeyStateFollowsKeysAndButtonsWithoutAWindow) {
    platform::seam::InjectKeyDown(VK_RSHIFT);
    platform::seam::InjectScanCodeDown(0x1E);  // the A key
    platform::seam::InjectMouseButton(platform::seam::MouseButton::Right, true);
    EXPECT_TRUE(Down(VK_SHIFT));
    EXPECT_TRUE(Down(VK_RSHIFT));
    EXPECT_FALSE(Down(VK_LSHIFT));
    EXPECT_TRUE(Down('A'));
    EXPECT_TRUE(Down(VK_RBUTTON));
    EXPECT_FALSE(Down(VK_LBUTTON));

    platform::seam::InjectKeyUp(VK_RSHIFT);
    platform::seam::InjectScanCodeUp(0x1E);
    platform::seam::InjectMouseButton(platform::seam::MouseButton::Right, false);
    for (int key = 0; key < 256; ++key) EXPECT_FALSE(Down(key)) << key;
}

TEST_F(WindowInputStateTest, CursorResourcesMapToSystemCursorsOrNone) {
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    EXPECT_NE(arrow, nullptr);
    EXPECT_NE(LoadCursorW(nullptr, IDC_HAND), arrow);
    HINSTANCE program = GetModuleHandleW(nullptr);
    EXPECT_EQ(LoadCursorW(program, MAKEINTRESOURCEW(107)), nullptr);

    platform::DefineCursorResource(107, IDC_HAND);
    EXPECT_EQ(LoadCursorW(program, MAKEINTRESOURCEW(107)), LoadCursorW(nullptr, IDC_HAND));

    EXPECT_EQ(SetCursor(LoadCursorW(program, MAKEINTRESOURCEW(108))), arrow);
    EXPECT_EQ(SetCursor(arrow), nullptr);
}

TEST_F(WindowInputStateTest, IconsAreTheSystemsOrTheProgramsPictures) {
    HICON application = LoadIconW(nullptr, IDI_APPLICATION);
    EXPECT_NE(application, nullptr);
    EXPECT_EQ(platform::FindIconPicture(application), nullptr);
    HINSTANCE program = GetModuleHandleW(nullptr);
    EXPECT_EQ(LoadIconW(program, MAKEINTRESOURCEW(101)), nullptr);

    platform::DefineIconResource(101, platform::IconPicture{2, 1, {0xFF102030, 0x00000000}});
    HICON icon = LoadIconW(program, MAKEINTRESOURCEW(101));
    ASSERT_NE(icon, nullptr);
    EXPECT_NE(icon, application);
    EXPECT_EQ(LoadIconW(nullptr, MAKEINTRESOURCEW(101)), nullptr) << "the system has no icon of that number";
    EXPECT_EQ(LoadIconW(program, MAKEINTRESOURCEW(102)), nullptr);
    const platform::IconPicture* picture = platform::FindIconPicture(icon);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->width, 2);
    EXPECT_EQ(picture->pixels.front(), 0xFF102030u);

    platform::seam::ResetWindowing();
    EXPECT_EQ(LoadIconW(program, MAKEINTRESOURCEW(101)), nullptr);
    EXPECT_NE(GetStockObject(BLACK_BRUSH), nullptr);
}

TEST_F(WindowInputStateTest, SwapButtonsIsTheSystemSetting) {
    EXPECT_EQ(GetSystemMetrics(SM_SWAPBUTTON), 0);
    platform::seam::SetSwapMouseButtons(true);
    EXPECT_NE(GetSystemMetrics(SM_SWAPBUTTON), 0);
}

}  // namespace
