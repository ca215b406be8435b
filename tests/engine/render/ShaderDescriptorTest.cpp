#include "engine/render/ShaderDescriptor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/kernel/FatalError.h"
#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileManager.h"
#include "tests/engine/render/RenderTestSupport.h"

namespace {

using Vantor::ShaderDescriptor;
using Vantor::ShaderStage;

class ShaderDescriptorTest : public testing::Test {
protected:
    // The shared log and file manager of the render tests.
    void SetUp() override { rendertest::TakeLoggedErrors(); }
};

// An empty file below the base folder.
void Touch(const std::wstring& path) {
    Vantor::FileManager::CreateFolders(Vantor::FileManager::GetAbsolutePath(path));
    Vantor::FileBinary file(path, 1);
}

std::vector<std::wstring> StageFiles(const ShaderDescriptor& descriptor, unsigned stage = 0) {
    std::vector<std::wstring> files{L"left over"};
    descriptor.GetStageTextureFiles(stage, files);
    return files;
}

ShaderDescriptor SingleStage(const std::string& name, int kind = ShaderStage::kSingleTexture, int frames = 1,
                             int flags = 0) {
    ShaderDescriptor descriptor;
    descriptor.AddStage(flags, kind, 1, 1, frames, 0.0f, name, ShaderStage::kClamp);
    return descriptor;
}

// --- construction --------------------------------------------------------------------

TEST_F(ShaderDescriptorTest, DefaultMaterialHasNoStagesAndNoBlending) {
    const ShaderDescriptor descriptor;
    EXPECT_EQ(0, descriptor.GetFlags());
    EXPECT_EQ(0u, descriptor.GetStageCount());
    EXPECT_EQ(0, descriptor.GetBlendFactor(0));
    EXPECT_EQ(0, descriptor.GetBlendFactor(1));
    EXPECT_EQ(0, descriptor.GetChecksum());
    EXPECT_EQ(1.0f, descriptor.GetColour(2).x);
    EXPECT_EQ(0.0f, descriptor.GetColour(3).x);
    EXPECT_EQ(1.0f, descriptor.GetColour(3).w);
}

TEST_F(ShaderDescriptorTest, ParameterConstructorAlwaysMakesOneStage) {
    const ShaderDescriptor grid(true, true, ShaderStage::kGridSheet, 4, 2, 8, 12.5f, "FX\\Sparks", false);
    EXPECT_EQ(ShaderDescriptor::kBlending, grid.GetFlags());
    EXPECT_EQ(4, grid.GetBlendFactor(0));
    EXPECT_EQ(5, grid.GetBlendFactor(1));
    ASSERT_EQ(1u, grid.GetStageCount());
    const ShaderStage& stage = grid.GetStage(0);
    EXPECT_EQ(ShaderStage::kMipMaps, stage.flags);
    EXPECT_EQ(ShaderStage::kGridSheet, stage.kind);
    EXPECT_EQ(4, stage.columns);
    EXPECT_EQ(2, stage.rows);
    EXPECT_EQ(8, stage.frames);
    EXPECT_EQ(12.5f, stage.speed);
    EXPECT_EQ("fx\\sparks", stage.textureName);
    EXPECT_EQ(ShaderStage::kWrap, stage.addressU);
    EXPECT_EQ(ShaderStage::kWrap, stage.addressV);
    EXPECT_EQ(1.0f, stage.scaleU);
    EXPECT_EQ(0.0f, stage.offsetV);

    const ShaderDescriptor unnamed(false, false, ShaderStage::kSingleTexture, 1, 1, 5, 0.0f, "", true);
    ASSERT_EQ(1u, unnamed.GetStageCount());
    EXPECT_EQ(0, unnamed.GetFlags());
    EXPECT_EQ(0, unnamed.GetBlendFactor(0));
    EXPECT_EQ(0, unnamed.GetStage(0).frames);  // a single texture counts no frames
    EXPECT_EQ(ShaderStage::kClamp, unnamed.GetStage(0).addressU);
}

TEST_F(ShaderDescriptorTest, TextureNameConstructorMakesAStageOnlyForAName) {
    EXPECT_EQ(0u, ShaderDescriptor(true, true, "", false).GetStageCount());

    const ShaderDescriptor named(false, true, "UI\\Button", true);
    ASSERT_EQ(1u, named.GetStageCount());
    EXPECT_EQ(ShaderStage::kSingleTexture, named.GetStage(0).kind);
    EXPECT_EQ(0, named.GetStage(0).frames);
    EXPECT_EQ("ui\\button", named.GetStage(0).textureName);
    EXPECT_EQ(ShaderStage::kMipMaps, named.GetStage(0).flags);
    EXPECT_EQ(ShaderStage::kClamp, named.GetStage(0).addressV);
}

TEST_F(ShaderDescriptorTest, ThirdStageIsAFatalErrorThatChangesNothing) {
    ShaderDescriptor descriptor;
    EXPECT_EQ(0, descriptor.AddTextureStage(0, "a", 0));
    EXPECT_EQ(1, descriptor.AddTextureStage(0, "b", 0));
    try {
        descriptor.AddTextureStage(0, "c", 0);
        FAIL() << "a third stage was accepted";
    } catch (const Vantor::FatalError& error) {
        EXPECT_EQ("Shader Stages: buffer is overflowed", error.GetText());
    }
    EXPECT_EQ(2u, descriptor.GetStageCount());
    EXPECT_EQ('a' + 'b', descriptor.GetChecksum());
    EXPECT_TRUE(rendertest::TakeLoggedErrors().empty());
}

TEST_F(ShaderDescriptorTest, CopyRecomputesTheChecksumOfTheStagesInUse) {
    ShaderDescriptor source(true, false, "ab", false);
    source.SetColour(1, {0.5f, 0.25f, 0.125f, 1.0f});
    source.SetValue(1, 3.0f);
    source.GetStage(0).textureName = "abc";  // changed without updating the checksum

    const ShaderDescriptor copy(source);
    EXPECT_EQ(195, source.GetChecksum());
    EXPECT_EQ(195 + 'c', copy.GetChecksum());
    EXPECT_EQ("abc", copy.GetStage(0).textureName);
    EXPECT_EQ(0.25f, copy.GetColour(1).y);
    EXPECT_EQ(3.0f, copy.GetValue(1));
    EXPECT_EQ(5, copy.GetBlendFactor(1));

    ShaderDescriptor assigned;
    assigned.AddTextureStage(0, "x", 0);
    assigned.AddTextureStage(0, "y", 0);
    assigned = copy;
    EXPECT_EQ(1u, assigned.GetStageCount());
    EXPECT_EQ(copy.GetChecksum(), assigned.GetChecksum());
    EXPECT_TRUE(assigned.GetStage(1).textureName.empty());
}

// --- checksum and sharing ------------------------------------------------------------

TEST_F(ShaderDescriptorTest, ChecksumSumsTheLowerCasedNamesAsSignedBytes) {
    EXPECT_EQ(195, SingleStage("ab").GetChecksum());
    EXPECT_EQ(195, SingleStage("AB").GetChecksum());
    EXPECT_EQ('a' - 23, SingleStage("a\xE9").GetChecksum());

    ShaderDescriptor two = SingleStage("ab");
    two.AddTextureStage(0, "c", 0);
    EXPECT_EQ(195 + 'c', two.GetChecksum());

    two.GetStage(1).textureName = "dd";
    two.UpdateChecksum();
    EXPECT_EQ(195 + 2 * 'd', two.GetChecksum());
}

struct SharingCase {
    const char* what;
    std::function<void(ShaderDescriptor&)> change;
    bool same;
};

TEST_F(ShaderDescriptorTest, SharingIgnoresWhatBelongsToEachUser) {
    const auto base = [] {
        ShaderDescriptor descriptor(false, false, ShaderStage::kNumberedFiles, 2, 2, 8, 10.0f, "fx\\fire", true);
        descriptor.AddTextureStage(0, "fx\\glow", ShaderStage::kClamp);
        return descriptor;
    };
    const SharingCase cases[] = {
        {"blending", [](ShaderDescriptor& d) { d.AddFlags(ShaderDescriptor::kBlending); }, true},
        {"blend factors", [](ShaderDescriptor& d) { d.SetBlendFactor(0, 4); d.SetBlendFactor(1, 5); }, true},
        {"colours and values", [](ShaderDescriptor& d) { d.SetColour(0, {}); d.SetValue(0, 2.0f); }, true},
        {"speed", [](ShaderDescriptor& d) { d.GetStage(0).speed = 3.0f; }, true},
        {"columns and rows", [](ShaderDescriptor& d) { d.GetStage(0).columns = 5; d.GetStage(0).rows = 7; }, true},
        {"addressing", [](ShaderDescriptor& d) { d.GetStage(1).addressU = ShaderStage::kWrap; }, true},
        {"texture matrix",
         [](ShaderDescriptor& d) {
             d.GetStage(1).scaleU = 2.0f;
             d.GetStage(1).offsetV = 0.5f;
         },
         true},
        {"mip maps and random start",
         [](ShaderDescriptor& d) { d.GetStage(0).flags |= ShaderStage::kMipMaps | ShaderStage::kRandomStart; }, true},
        {"other material flag", [](ShaderDescriptor& d) { d.AddFlags(2); }, false},
        {"no-files stage flag",
         [](ShaderDescriptor& d) { d.GetStage(1).flags |= ShaderStage::kNoTextureFiles; }, false},
        {"frame count", [](ShaderDescriptor& d) { d.GetStage(0).frames = 9; }, false},
        {"kind", [](ShaderDescriptor& d) { d.GetStage(0).kind = ShaderStage::kGridSheet; }, false},
        {"name with the same checksum",
         [](ShaderDescriptor& d) { d.GetStage(1).textureName = "fx\\wolg"; d.UpdateChecksum(); }, false},
        {"name", [](ShaderDescriptor& d) { d.GetStage(1).textureName = "fx\\glows"; d.UpdateChecksum(); }, false},
    };
    for (const SharingCase& sharing : cases) {
        const ShaderDescriptor a = base();
        ShaderDescriptor b = base();
        sharing.change(b);
        EXPECT_EQ(sharing.same, a.IsSame(b)) << sharing.what;
        EXPECT_EQ(sharing.same, b.IsSame(a)) << sharing.what;
    }
}

TEST_F(ShaderDescriptorTest, StagesThatLoadOneFileShareWhateverTheirFrames) {
    const ShaderDescriptor single = SingleStage("smoke");
    const ShaderDescriptor grid = SingleStage("smoke", ShaderStage::kGridSheet, 16);
    EXPECT_TRUE(single.IsSame(grid));
    EXPECT_TRUE(grid.IsSame(SingleStage("smoke", ShaderStage::kGridSheet, 4)));
    EXPECT_FALSE(single.IsSame(SingleStage("smoke", ShaderStage::kNumberedFiles, 1)));
    EXPECT_FALSE(SingleStage("smoke", ShaderStage::kNumberedFiles, 8)
                     .IsSame(SingleStage("smoke", ShaderStage::kNumberedFiles, 9)));
    EXPECT_TRUE(SingleStage("smoke", ShaderStage::kNumberedFiles, 8)
                    .IsSame(SingleStage("smoke", ShaderStage::kNumberedFiles, 8)));
}

TEST_F(ShaderDescriptorTest, DifferentStageCountsDoNotShare) {
    ShaderDescriptor one = SingleStage("ab");
    ShaderDescriptor two = SingleStage("a");
    two.AddTextureStage(0, "b", 0);
    ASSERT_EQ(one.GetChecksum(), two.GetChecksum());
    EXPECT_FALSE(one.IsSame(two));
}

// --- texture file lookup -------------------------------------------------------------

TEST_F(ShaderDescriptorTest, LookupTakesTheFirstPictureInExtensionOrder) {
    for (const wchar_t* folder : {L"data\\look\\jpeg\\", L"data\\look\\dds\\"}) {
        for (const wchar_t* file : {L"smoke.jpg", L"smoke.png", L"smoke_alpha.tga", L"smoke_alpha.bmp"})
            Touch(folder + std::wstring(file));
    }
    Touch(L"data\\look\\dds\\smoke.dds");
    EXPECT_THAT(StageFiles(SingleStage("look\\jpeg\\smoke")),
                testing::ElementsAre(L"data\\look\\jpeg\\smoke.jpg", L"data\\look\\jpeg\\smoke_alpha.tga"));
    EXPECT_THAT(StageFiles(SingleStage("look\\dds\\smoke")),
                testing::ElementsAre(L"data\\look\\dds\\smoke.dds", L""));
}

TEST_F(ShaderDescriptorTest, OnlyJpegAndBmpPicturesLookForAnOpacityPicture) {
    struct Case {
        const wchar_t* colour;
        const wchar_t* opacity;  // the one expected, else none
    };
    const Case cases[] = {{L".bmp", L".jpg"}, {L".jpg", L".jpg"}, {L".tga", nullptr}, {L".png", nullptr}};
    int folder = 0;
    for (const Case& c : cases) {
        const std::wstring base = L"look\\alpha" + std::to_wstring(folder++) + L"\\wood";
        Touch(L"data\\" + base + c.colour);
        for (const wchar_t* extension : {L".jpg", L".tga", L".bmp"}) Touch(L"data\\" + base + L"_alpha" + extension);
        const std::vector<std::wstring> files = StageFiles(SingleStage(std::string(base.begin(), base.end())));
        ASSERT_EQ(2u, files.size());
        EXPECT_EQ(L"data\\" + base + c.colour, files[0]);
        EXPECT_EQ(c.opacity ? L"data\\" + base + L"_alpha" + c.opacity : L"", files[1]) << c.colour;
    }
}

TEST_F(ShaderDescriptorTest, MissingPictureKeepsThePathWithoutExtension) {
    EXPECT_THAT(StageFiles(SingleStage("look\\none\\ghost", ShaderStage::kGridSheet, 6)),
                testing::ElementsAre(L"data\\look\\none\\ghost", L""));
}

TEST_F(ShaderDescriptorTest, NumberedFilesReplaceTheLastDigitsOfTheName) {
    Touch(L"data\\look\\numbered\\anim07.tga");
    const std::vector<std::wstring> files =
        StageFiles(SingleStage("look\\numbered\\anim00", ShaderStage::kNumberedFiles, 12));
    ASSERT_EQ(24u, files.size());
    EXPECT_EQ(L"data\\look\\numbered\\anim00", files[0]);
    EXPECT_EQ(L"data\\look\\numbered\\anim07.tga", files[14]);
    EXPECT_EQ(L"data\\look\\numbered\\anim03", files[6]);
    // Past the first four missing frames, each one repeats the first missing path.
    EXPECT_EQ(L"data\\look\\numbered\\anim00", files[22]);
    for (std::size_t i = 1; i < files.size(); i += 2) EXPECT_EQ(L"", files[i]);

    EXPECT_THAT(StageFiles(SingleStage("look\\numbered\\frame5", ShaderStage::kNumberedFiles, 1)),
                testing::ElementsAre(L"data\\look\\numbered\\frame0", L""));
    // The digits replace characters of the data path, folder included: those frames lie
    // in the folders above, which are looked up like the stage's own.
    Touch(L"data\\fx07.png");
    const std::vector<std::wstring> shortName = StageFiles(SingleStage("fx\\a", ShaderStage::kNumberedFiles, 100));
    ASSERT_EQ(200u, shortName.size());
    EXPECT_EQ(L"data\\fx03", shortName[6]);
    EXPECT_EQ(L"data\\fx07.png", shortName[14]);
    Touch(L"da0007.bmp");
    Touch(L"da0007_alpha.tga");
    const std::vector<std::wstring> baseFolder = StageFiles(SingleStage("a", ShaderStage::kNumberedFiles, 10000));
    ASSERT_EQ(20000u, baseFolder.size());
    EXPECT_EQ(L"da0007.bmp", baseFolder[14]);
    EXPECT_EQ(L"da0007_alpha.tga", baseFolder[15]);
}

TEST_F(ShaderDescriptorTest, StageWithoutFilesGetsEmptyPathsPerFrame) {
    Touch(L"data\\look\\nofiles\\a0.dds");
    const ShaderDescriptor descriptor =
        SingleStage("look\\nofiles\\a0", ShaderStage::kNumberedFiles, 3, ShaderStage::kNoTextureFiles);
    EXPECT_EQ(std::vector<std::wstring>(6), StageFiles(descriptor));
}

TEST_F(ShaderDescriptorTest, LookupWithoutANameOrStageIsEmpty) {
    const ShaderDescriptor unnamed(false, false, ShaderStage::kNumberedFiles, 1, 1, 4, 1.0f, "", true);
    EXPECT_TRUE(StageFiles(unnamed).empty());
    EXPECT_TRUE(StageFiles(SingleStage("fx\\fire"), 1).empty());
}

TEST_F(ShaderDescriptorTest, NumberedStageWithoutFramesStillNamesOneFile) {
    for (int frames : {0, -1, -2147483647 - 1}) {
        EXPECT_THAT(StageFiles(SingleStage("look\\none\\bad0", ShaderStage::kNumberedFiles, frames)),
                    testing::ElementsAre(L"data\\look\\none\\bad0", L""))
            << frames;
    }
}

}  // namespace
