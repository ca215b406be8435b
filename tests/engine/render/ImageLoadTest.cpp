#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/render/Image.h"
#include "tests/engine/render/PictureFixtures.h"
#include "tests/engine/render/RenderTestSupport.h"

namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using Vantor::Image;

std::string OnePixelTga() {
    rendertest::TgaPicture picture;
    picture.width = 1;
    picture.height = 1;
    picture.data = std::string("\x03\x02\x01", 3);
    return rendertest::TgaFile(picture);
}

TEST(ImageLoad, TheExtensionChoosesTheReaderWithoutRegardToCase) {
    Image image;
    ASSERT_TRUE(image.Load(rendertest::WritePicture("one.TGA", OnePixelTga()), true));
    EXPECT_EQ(1u, image.GetWidth());

    // A TGA file named as a JPEG goes to the JPEG reader, which refuses it.
    rendertest::TakeLoggedErrors();
    EXPECT_FALSE(image.Load(rendertest::WritePicture("one.JPEG", OnePixelTga()), false));
    EXPECT_THAT(rendertest::TakeLoggedErrors(), ElementsAre(HasSubstr("Failed to decode \"pictures\\one.JPEG\"")));
}

TEST(ImageLoad, AnUnknownExtensionIsLoggedAndRefused) {
    Image image;
    rendertest::TakeLoggedErrors();
    EXPECT_FALSE(image.Load(L"pictures\\anim.gif", true));
    EXPECT_THAT(rendertest::TakeLoggedErrors(),
                ElementsAre(HasSubstr("Error: Unknown \"pictures\\anim.gif\" image file type!")));
    EXPECT_TRUE(image.IsEmpty());
}

TEST(ImageLoad, AMissingFileIsLoggedAndLeavesTheImageAlone) {
    Image image;
    rendertest::TakeLoggedErrors();
    for (const wchar_t* path :
         {L"pictures\\none.tga", L"pictures\\none.bmp", L"pictures\\none.png", L"pictures\\none.jpg"}) {
        EXPECT_FALSE(image.Load(path, true));
        EXPECT_TRUE(image.IsEmpty());
    }
    EXPECT_THAT(rendertest::TakeLoggedErrors(),
                ElementsAre(HasSubstr("Failed to open \"pictures\\none.tga\" file"),
                            HasSubstr("Failed to open \"pictures\\none.bmp\" file"),
                            HasSubstr("Failed to open \"pictures\\none.png\" file"),
                            HasSubstr("Failed to open \"pictures\\none.jpg\" file")));
}

}  // namespace
