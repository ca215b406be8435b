// Failed DirectDraw and Direct3D results in the log.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/render/d3d7/ResultDescriptions.h"
#include "tests/engine/render/d3d7/D3D7TestSupport.h"

namespace {

using ResultMessagesTest = d3d7test::RenderSystemTest;

TEST_F(ResultMessagesTest, SuccessCodesLogNothing) {
    Vantor::RenderSystem_D3D7& renderSystem = Make();
    TakeErrors();
    for (HRESULT result : {HRESULT{0}, HRESULT{1}, HRESULT{0x7FFFFFFF}})
        renderSystem.CheckResult("RenderSystem_D3D7::BeginScene", result);
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(ResultMessagesTest, AFailureNamesTheOperationAndDescribesTheCode) {
    Vantor::RenderSystem_D3D7& renderSystem = Make();
    TakeErrors();
    renderSystem.CheckResult("RenderSystem_D3D7::BeginScene", DDERR_SURFACELOST);
    renderSystem.CheckResult("Texture2D_D3D7::CreateSurface (Unlock)", DDERR_INVALIDPARAMS);
    renderSystem.CheckResult("Light_D3D7::Refresh", D3DERR_SCENE_IN_SCENE);
    EXPECT_EQ(TakeErrors(),
              (std::vector<std::string>{
                  "Direct3D Subsystem (RenderSystem_D3D7::BeginScene): Access to the surface is refused because the "
                  "surface memory is gone. Call the IDirectDrawSurface7::Restore method on this surface to restore "
                  "the memory associated with it.",
                  "Direct3D Subsystem (Texture2D_D3D7::CreateSurface (Unlock)): One or more of the parameters passed "
                  "to the method are incorrect.",
                  "Direct3D Subsystem (Light_D3D7::Refresh): Unknown error (Code: -2005531912)"}));
}

TEST_F(ResultMessagesTest, EveryDirectDrawFailureCodeHasItsOwnDescription) {
    std::vector<HRESULT> codes = {DDERR_UNSUPPORTED, DDERR_GENERIC, DDERR_NOTINITIALIZED, DDERR_OUTOFMEMORY,
                                  DDERR_INVALIDPARAMS};
    for (DWORD low : {0x0005, 0x000A, 0x0014, 0x0028, 0x0037, 0x005A, 0x005F, 0x0064, 0x006E, 0x0078, 0x0082,
                      0x0091, 0x0096, 0x00A0, 0x00AA, 0x00B4, 0x00B5, 0x00B6, 0x00CD, 0x00D2, 0x00D4, 0x00D7,
                      0x00DC, 0x00DE, 0x00E1, 0x00E6, 0x00F0, 0x00FA, 0x00FF, 0x0104, 0x010E, 0x0118, 0x0122,
                      0x0136, 0x013C, 0x013D, 0x0140, 0x014A, 0x014F, 0x0154, 0x015E, 0x0168, 0x017C, 0x017E,
                      0x0180, 0x0183, 0x0190, 0x019A, 0x01A4, 0x01AE, 0x01B3, 0x01B8, 0x01C2, 0x01CC, 0x01D6,
                      0x01E0, 0x01EA, 0x01FE, 0x0208, 0x0209, 0x0219, 0x021C, 0x021E, 0x0258, 0x0259, 0x025A,
                      0x026C, 0x0276, 0x0280, 0x0294, 0x02A8, 0x02B2, 0x02B3, 0x02B4, 0x02B5, 0x02B7, 0x02B8,
                      0x02B9, 0x02BB})
        codes.push_back(MAKE_DDHRESULT(low));
    for (DWORD low = 0x0230; low <= 0x0250; ++low) codes.push_back(MAKE_DDHRESULT(low));
    ASSERT_EQ(codes.size(), 117u);

    std::vector<std::string> texts;
    for (HRESULT code : codes) {
        const char* text = Vantor::DescribeDirectDrawResult(code);
        ASSERT_NE(text, nullptr) << std::hex << static_cast<DWORD>(code);
        texts.emplace_back(text);
    }
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(std::adjacent_find(texts.begin(), texts.end()), texts.end());
    EXPECT_EQ(Vantor::DescribeDirectDrawResult(D3DERR_INVALIDVERTEXFORMAT), nullptr);
}

}  // namespace
