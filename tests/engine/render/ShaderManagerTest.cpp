// The shader manager over a render system whose device only records the states it is
// given: sharing shaders among users, the textures each shader loads, releasing users,
// the render states a user's application sets, texture ageing and loading shader files.

#include "engine/render/ShaderManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "content/ShaderFileWriter.h"
#include "engine/kernel/Config.h"
#include "engine/kernel/FatalError.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/TimerManager.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/Shader.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureManager.h"
#include "platform/Clock.h"
#include "platform/WinPaths.h"
#include "tests/engine/render/DevicelessRenderSystem.h"
#include "tests/support/TempFolder.h"

namespace {

using Vantor::BlendFactor;
using Vantor::RenderSystem;
using Vantor::ShaderDescriptor;
using Vantor::ShaderManager;
using Vantor::ShaderStage;
using Vantor::ShaderUser;
using Vantor::Texture2D;
using Vantor::TextureFilter;

// A texture that counts its surface releases and its own deletion.
class FakeTexture : public Texture2D {
public:
    FakeTexture(const std::string& key, const std::wstring& colour, const std::wstring& opacity, bool mipMaps,
                bool lazy, int& live)
        : Texture2D(key, colour, opacity, mipMaps, lazy), colour(colour), opacity(opacity), live_(live) {
        ++live_;
    }
    ~FakeTexture() override { --live_; }
    void ReleaseSurface() override {
        ++surfaceReleases;
        videoBytes = 0;
    }

    std::wstring colour;
    std::wstring opacity;
    int surfaceReleases = 0;

private:
    int& live_;
};

// A render system of that many texture units whose device is its state cache.
class FakeRenderSystem : public rendertest::DevicelessRenderSystem {
public:
    explicit FakeRenderSystem(std::uint32_t units) {
        textureStageCount_ = units;
        ResizeStageStates();
    }

    Texture2D* CreateTextureFromFiles(const std::string& key, const std::wstring& colour, const std::wstring& opacity,
                                      bool mipMaps, bool lazy) override {
        return new FakeTexture(key, colour, opacity, mipMaps, lazy, liveTextures);
    }

    // Textures made and not yet deleted.
    int liveTextures = 0;
};

// A log, files, configuration, frame clock, two-unit render system and shader manager of
// the test's own, registered for the test; the instances registered before come back
// afterwards.
class ShaderManagerTest : public testing::Test {
protected:
    void SetUp() override {
        previousLog_ = Vantor::MessageManager::Instance();
        previousFiles_ = Vantor::FileManager::Instance();
        previousConfig_ = Vantor::Config::Instance();
        previousTimers_ = Vantor::TimerManager::Instance();
        previousRenderSystem_ = RenderSystem::Instance();
        previousShaders_ = ShaderManager::Instance();
        Vantor::MessageManager::Instance(&log_);
        Vantor::FileManager::Instance(&files_);
        Vantor::Config::Instance(&config_);
        Vantor::TimerManager::Instance(&timers_);
        renderSystem_ = std::make_unique<FakeRenderSystem>(2);
        RenderSystem::Instance(renderSystem_.get());
        shaders_ = std::make_unique<ShaderManager>();
        ShaderManager::Instance(shaders_.get());
    }
    void TearDown() override {
        shaders_.reset();
        EXPECT_EQ(0, renderSystem_->liveTextures);
        renderSystem_.reset();
        if (previousShaders_) ShaderManager::Instance(previousShaders_);
        if (previousRenderSystem_) RenderSystem::Instance(previousRenderSystem_);
        if (previousTimers_) Vantor::TimerManager::Instance(previousTimers_);
        if (previousConfig_) Vantor::Config::Instance(previousConfig_);
        if (previousFiles_) Vantor::FileManager::Instance(previousFiles_);
        if (previousLog_) Vantor::MessageManager::Instance(previousLog_);
    }

    // An empty picture below the data folder.
    void Touch(const std::string& path) const { folder_.WriteFile("data/" + path, ""); }

    ShaderUser* Get(const ShaderDescriptor& descriptor, bool lazy = false) {
        return shaders_->GetShader(descriptor, lazy);
    }
    Vantor::TextureManager& Textures() const { return *shaders_->GetTextureManager(); }

    // One frame of 0.1 s, then the manager's per-frame pass.
    void Frame() {
        platform::seam::AdvanceVirtualTime(150000);
        timers_.Update();
        shaders_->Update();
    }

    // The texts logged as errors since the last call.
    std::vector<std::string> TakeLogged(Vantor::MessageKind kind) {
        std::vector<std::string> texts;
        for (const Vantor::LogMessage* message : log_.GetMessages())
            if (message->kind == kind) texts.push_back(message->text);
        log_.ClearMessages();
        return texts;
    }

    testsupport::TempFolder folder_;
    Vantor::MessageManager log_{L"shader tests", false, false, L"", L""};
    Vantor::FileManager files_{platform::ToWindowsPath(folder_.Path().string())};
    Vantor::Config config_{platform::ToWindowsPath(folder_.Path().string()), L"game", false, "800x600x32", false,
                           false};
    Vantor::TimerManager timers_;
    std::unique_ptr<FakeRenderSystem> renderSystem_;
    std::unique_ptr<ShaderManager> shaders_;

    Vantor::MessageManager* previousLog_ = nullptr;
    Vantor::FileManager* previousFiles_ = nullptr;
    Vantor::Config* previousConfig_ = nullptr;
    Vantor::TimerManager* previousTimers_ = nullptr;
    RenderSystem* previousRenderSystem_ = nullptr;
    ShaderManager* previousShaders_ = nullptr;
};

FakeTexture* FrameTexture(const ShaderUser& user, unsigned stage = 0, unsigned frame = 0) {
    return static_cast<FakeTexture*>(user.GetShader()->GetTexture(stage, frame));
}

// --- sharing -------------------------------------------------------------------------

TEST_F(ShaderManagerTest, UsersOfTheSameTexturesShareOneShader) {
    Touch("fx/smoke.tga");
    ShaderUser* plain = Get(ShaderDescriptor(false, true, "fx\\smoke", true));
    ShaderUser* blended = Get(ShaderDescriptor(true, false, "FX\\Smoke", false));
    ASSERT_NE(plain, blended);
    EXPECT_EQ(plain->GetShader(), blended->GetShader());
    EXPECT_EQ(2u, plain->GetShader()->GetUseCount());
    EXPECT_EQ(2u, shaders_->GetShaderUserCount());
    EXPECT_EQ(1u, shaders_->GetShaderCount());
    ASSERT_EQ(1u, Textures().GetTextureCount());
    EXPECT_EQ(1u, FrameTexture(*plain)->referenceCount);  // one reference per shader
    // Each user keeps its own material.
    EXPECT_EQ(0, plain->GetFlags());
    EXPECT_EQ(ShaderDescriptor::kBlending, blended->GetFlags());

    shaders_->ReleaseShader(plain);
    EXPECT_EQ(1u, shaders_->GetShaderUserCount());
    EXPECT_EQ(1u, shaders_->GetShaderCount());
    EXPECT_EQ(1u, Textures().GetTextureCount());
    EXPECT_EQ(1u, blended->GetShader()->GetUseCount());

    shaders_->ReleaseShader(blended);
    EXPECT_EQ(0u, shaders_->GetShaderUserCount());
    EXPECT_EQ(0u, shaders_->GetShaderCount());
    EXPECT_EQ(0u, Textures().GetTextureCount());
    EXPECT_EQ(0, renderSystem_->liveTextures);
}

TEST_F(ShaderManagerTest, EveryRequestMakesANewUserAndOnlyTheSameDescriptorsShare) {
    const ShaderDescriptor ab(false, false, "fx\\ab", false);
    ShaderUser* first = Get(ab);
    ShaderUser* again = Get(ab);
    EXPECT_NE(first, again);
    EXPECT_EQ(first->GetShader(), again->GetShader());

    // "fx\ba" has the same checksum: it is compared and found different.
    ShaderUser* swapped = Get(ShaderDescriptor(false, false, "fx\\ba", false));
    ASSERT_EQ(ab.GetChecksum(), swapped->GetChecksum());
    EXPECT_NE(first->GetShader(), swapped->GetShader());
    // The same name read as numbered files loads other textures.
    ShaderUser* numbered =
        Get(ShaderDescriptor(false, false, ShaderStage::kNumberedFiles, 1, 1, 2, 1.0f, "fx\\ab", false));
    EXPECT_NE(first->GetShader(), numbered->GetShader());
    ShaderUser* copied = shaders_->CopyShader(*numbered, true);
    EXPECT_EQ(numbered->GetShader(), copied->GetShader());

    EXPECT_EQ(5u, shaders_->GetShaderUserCount());
    EXPECT_EQ(3u, shaders_->GetShaderCount());

    // Shaders share textures too: frame 1 of the numbered stage is the file "fx\a1".
    ShaderUser* single = Get(ShaderDescriptor(false, false, "fx\\a1", false));
    EXPECT_NE(numbered->GetShader(), single->GetShader());
    EXPECT_EQ(FrameTexture(*numbered, 0, 1), FrameTexture(*single));
    EXPECT_EQ(2u, FrameTexture(*single)->referenceCount);
}

// --- textures of a shader ------------------------------------------------------------

TEST_F(ShaderManagerTest, TenThousandNumberedFramesMissingAlmostAllLoadWithABoundedLog) {
    for (const char* name : {"fx/many0000.tga", "fx/many0001.png", "fx/MANY9999.jpg"}) Touch(name);
    TakeLogged(Vantor::MessageKind::Warning);
    const ShaderUser* user =
        Get(ShaderDescriptor(false, false, ShaderStage::kNumberedFiles, 1, 1, 10000, 1.0f, "fx\\many0000", false));

    const Vantor::Shader& shader = *user->GetShader();
    ASSERT_EQ(10000u, shader.GetFrameCount(0));
    EXPECT_EQ(L"data\\fx\\many0001.png", FrameTexture(*user, 0, 1)->colour);
    EXPECT_EQ(L"data\\fx\\many9999.jpg", FrameTexture(*user, 0, 9999)->colour);
    // The first four missing frames are reported by their own textures; every later one
    // shows the first missing frame's.
    EXPECT_EQ(L"data\\fx\\many0005", FrameTexture(*user, 0, 5)->colour);
    EXPECT_EQ(FrameTexture(*user, 0, 2), FrameTexture(*user, 0, 6));
    EXPECT_EQ(FrameTexture(*user, 0, 2), FrameTexture(*user, 0, 9998));
    EXPECT_EQ(3u + 4u, Textures().GetTextureCount());
    EXPECT_EQ(TakeLogged(Vantor::MessageKind::Warning),
              std::vector<std::string>{"\nWarning: Shader stage \"data\\fx\\many0000\" misses 9997 of 10000 "
                                       "numbered files; only the first 4 are reported!\n\n"});
}

TEST_F(ShaderManagerTest, ShaderGetsATextureForEveryFrameOfEveryStage) {
    Touch("fx/smoke.jpg");
    Touch("fx/smoke_alpha.tga");
    Touch("fx/spark0.png");
    Touch("fx/spark1.png");
    ShaderDescriptor descriptor(false, false, "fx\\smoke", false);
    descriptor.AddStage(ShaderStage::kMipMaps, ShaderStage::kNumberedFiles, 1, 1, 3, 10.0f, "fx\\spark0", 0);
    const ShaderUser* user = Get(descriptor, true);

    const Vantor::Shader& shader = *user->GetShader();
    ASSERT_EQ(2u, shader.GetStageCount());
    ASSERT_EQ(1u, shader.GetFrameCount(0));
    ASSERT_EQ(3u, shader.GetFrameCount(1));
    EXPECT_EQ(0u, shader.GetFrameCount(2));
    EXPECT_EQ(nullptr, shader.GetTexture(1, 3));

    const FakeTexture* smoke = FrameTexture(*user);
    EXPECT_EQ(L"data\\fx\\smoke.jpg", smoke->colour);
    EXPECT_EQ(L"data\\fx\\smoke_alpha.tga", smoke->opacity);
    EXPECT_EQ("diffuse_data\\fx\\smoke.jpg_plus_opacity_data\\fx\\smoke_alpha.tga_with_mip_mapping", smoke->key);
    EXPECT_TRUE(smoke->lazy);
    EXPECT_EQ(L"data\\fx\\spark1.png", FrameTexture(*user, 1, 1)->colour);
    // A missing picture still gets a texture, which shows the checker.
    EXPECT_EQ(L"data\\fx\\spark2", FrameTexture(*user, 1, 2)->colour);
    EXPECT_EQ(L"", FrameTexture(*user, 1, 2)->opacity);
    EXPECT_EQ(4u, Textures().GetTextureCount());

    ShaderDescriptor withoutFiles;
    withoutFiles.AddStage(ShaderStage::kNoTextureFiles, ShaderStage::kNumberedFiles, 1, 1, 4, 1.0f, "fx\\spark0", 0);
    const ShaderUser* empty = Get(withoutFiles);
    ASSERT_EQ(4u, empty->GetShader()->GetFrameCount(0));
    for (unsigned frame = 0; frame < 4; ++frame) EXPECT_EQ(nullptr, empty->GetShader()->GetTexture(0, frame));
    EXPECT_EQ(4u, Textures().GetTextureCount());
}

// --- releasing -----------------------------------------------------------------------

TEST_F(ShaderManagerTest, ReleasingAUserTheManagerDoesNotHoldIsFatal) {
    ShaderManager other;
    ShaderUser* foreign = other.GetShader(ShaderDescriptor(false, false, "fx\\smoke", false), false);
    Get(ShaderDescriptor(false, false, "fx\\smoke", false));
    try {
        shaders_->ReleaseShader(foreign);
        FAIL() << "a foreign user was released";
    } catch (const Vantor::FatalError& error) {
        EXPECT_EQ("Shader Manager: Failed to remove shader", error.GetText());
    }
    EXPECT_EQ(std::vector<std::string>{"PROGRAM ABORTING: Shader Manager: Failed to remove shader\n"},
              TakeLogged(Vantor::MessageKind::FatalError));
    EXPECT_EQ(1u, shaders_->GetShaderUserCount());
    EXPECT_EQ(1u, other.GetShaderUserCount());

    shaders_->ReleaseShader(nullptr);
    EXPECT_EQ(1u, shaders_->GetShaderUserCount());
}

TEST_F(ShaderManagerTest, ReleaseFindsAUserWhoseDescriptorChangedSinceItWasHandedOut) {
    Touch("fx/smoke.tga");
    ShaderUser* renamed = Get(ShaderDescriptor(false, false, "fx\\smoke", false));
    ShaderUser* grown = Get(ShaderDescriptor(false, false, "fx\\fire", false));
    ShaderUser* untouched = Get(ShaderDescriptor(false, false, "fx\\fire", false));
    renamed->GetStage(0).textureName = "fx\\other";
    renamed->UpdateChecksum();
    grown->AddTextureStage(0, "fx\\glow", 0);

    shaders_->ReleaseShader(renamed);
    shaders_->ReleaseShader(grown);
    EXPECT_EQ(1u, shaders_->GetShaderUserCount());
    EXPECT_EQ(1u, shaders_->GetShaderCount());
    EXPECT_EQ(1u, Textures().GetTextureCount());  // smoke went with its shader
    shaders_->ReleaseShader(untouched);
    EXPECT_EQ(0u, shaders_->GetShaderCount());
    EXPECT_EQ(0u, Textures().GetTextureCount());
}

// --- render states -------------------------------------------------------------------

TEST_F(ShaderManagerTest, ApplySetsBlendingAndTheStatesOfEachStage) {
    Touch("fx/sheet.tga");
    // A blended 4 x 2 sheet that reaches frame 5 in the first frame.
    ShaderUser* user = Get(ShaderDescriptor(true, true, ShaderStage::kGridSheet, 4, 2, 8, 55.0f, "fx\\sheet", false));
    user->GetStage(0).addressV = ShaderStage::kClamp;
    FakeTexture* sheet = FrameTexture(*user);
    sheet->unusedPasses = 7;
    FakeTexture other("other", L"", L"", false, false, renderSystem_->liveTextures);
    renderSystem_->SetTexture(1, &other);

    Frame();
    user->Apply();
    EXPECT_TRUE(renderSystem_->GetAlphaBlend());
    EXPECT_EQ(BlendFactor::SrcAlpha, renderSystem_->GetSourceBlend());
    EXPECT_EQ(BlendFactor::InvSrcAlpha, renderSystem_->GetDestinationBlend());
    EXPECT_EQ(sheet, renderSystem_->GetTexture(0));
    EXPECT_EQ(0u, sheet->unusedPasses);
    EXPECT_EQ(TextureFilter::MipMapped, renderSystem_->GetTextureFilter(0));
    EXPECT_EQ(ShaderStage::kWrap, renderSystem_->GetTextureAdressU(0));
    EXPECT_EQ(ShaderStage::kClamp, renderSystem_->GetTextureAdressV(0));
    const RenderSystem::TextureMatrix& matrix = renderSystem_->GetTextureMatrix(0);
    EXPECT_NEAR(0.24975f, matrix[0], 1e-6f);
    EXPECT_NEAR(0.4995f, matrix[1], 1e-6f);
    EXPECT_NEAR(0.250125f, matrix[2], 1e-6f);
    EXPECT_NEAR(0.00025f, matrix[3], 1e-6f);
    // The unit beyond the user's one stage loses its texture on every application.
    EXPECT_EQ(nullptr, renderSystem_->GetTexture(1));
    renderSystem_->SetTexture(1, &other);
    user->Apply();
    EXPECT_EQ(nullptr, renderSystem_->GetTexture(1));
}

TEST_F(ShaderManagerTest, UnblendedUserLeavesTheBlendFactorsAlone) {
    ShaderUser* user = Get(ShaderDescriptor(false, false, "fx\\plain", false));
    user->SetBlendFactor(0, 4);
    user->SetBlendFactor(1, 5);
    renderSystem_->SetAlphaBlend(true);
    renderSystem_->SetBlend(BlendFactor::One, BlendFactor::DestColour);
    user->Apply();
    EXPECT_FALSE(renderSystem_->GetAlphaBlend());
    EXPECT_EQ(BlendFactor::One, renderSystem_->GetSourceBlend());
    EXPECT_EQ(BlendFactor::DestColour, renderSystem_->GetDestinationBlend());

    // The GUI turns blending on in a user it was given.
    user->AddFlags(ShaderDescriptor::kBlending);
    user->Apply();
    EXPECT_TRUE(renderSystem_->GetAlphaBlend());
    EXPECT_EQ(BlendFactor::SrcAlpha, renderSystem_->GetSourceBlend());
}

TEST_F(ShaderManagerTest, FilterFollowsTheMipMapsOfTheTexture) {
    ShaderUser* mipMapped = Get(ShaderDescriptor(false, true, "fx\\mipmapped", false));
    config_.values.useMipMapping = false;  // "r_use_mip_mapping" 0 for textures made from now on
    ShaderUser* flat = Get(ShaderDescriptor(false, true, "fx\\flat", false));
    flat->Apply();
    EXPECT_EQ(TextureFilter::Linear, renderSystem_->GetTextureFilter(0));
    mipMapped->Apply();
    EXPECT_EQ(TextureFilter::MipMapped, renderSystem_->GetTextureFilter(0));
}

TEST_F(ShaderManagerTest, StageWithoutATextureUnbindsItsUnitAndLeavesTheRestAlone) {
    ShaderDescriptor twoFrames;
    twoFrames.AddStage(0, ShaderStage::kNumberedFiles, 1, 1, 2, 0.0f, "fx\\flame0", ShaderStage::kWrap);
    ShaderUser* numbered = Get(twoFrames);
    ShaderDescriptor noFiles;
    noFiles.AddStage(ShaderStage::kNoTextureFiles, ShaderStage::kSingleTexture, 1, 1, 1, 0.0f, "fx\\x", 1);
    ShaderUser* unfiled = Get(noFiles);
    ShaderUser* untextured = Get(ShaderDescriptor());

    // Frame 1 of the numbered stage bound, with other states than the user's.
    const auto bindOtherStates = [&] {
        numbered->GetStage(0).currentFrame = 1;
        numbered->Apply();
        ASSERT_EQ(FrameTexture(*numbered, 0, 1), renderSystem_->GetTexture(0));
        renderSystem_->SetTextureFilter(0, TextureFilter::Point);
        renderSystem_->SetTextureAdressU(0, ShaderStage::kClamp);
        renderSystem_->SetTextureMatrix(0, 2.0f, 1.0f, 0.0f, 0.0f);
    };
    const auto expectOnlyTheTextureGone = [&](const char* what) {
        SCOPED_TRACE(what);
        EXPECT_EQ(nullptr, renderSystem_->GetTexture(0));
        EXPECT_EQ(TextureFilter::Point, renderSystem_->GetTextureFilter(0));
        EXPECT_EQ(ShaderStage::kClamp, renderSystem_->GetTextureAdressU(0));
        EXPECT_EQ(2.0f, renderSystem_->GetTextureMatrix(0)[0]);
        EXPECT_EQ(nullptr, renderSystem_->GetTexture(1));
    };
    for (std::int32_t frame : {2, -1}) {
        bindOtherStates();
        numbered->GetStage(0).currentFrame = frame;
        numbered->Apply();
        expectOnlyTheTextureGone(frame == 2 ? "frame past the last" : "negative frame");
    }
    bindOtherStates();
    unfiled->Apply();
    expectOnlyTheTextureGone("stage without files");
    bindOtherStates();
    untextured->Apply();
    expectOnlyTheTextureGone("no stages");
}

TEST_F(ShaderManagerTest, DeviceWithFewerUnitsThanStagesSetsOnlyItsOwn) {
    ShaderDescriptor descriptor(false, false, "fx\\base", false);
    descriptor.AddTextureStage(0, "fx\\detail", 0);
    ShaderUser* user = Get(descriptor);
    FakeRenderSystem oneUnit(1);
    RenderSystem::Instance(&oneUnit);
    user->Apply();
    EXPECT_EQ(FrameTexture(*user), oneUnit.GetTexture(0));
    RenderSystem::Instance(renderSystem_.get());
}

// --- per-frame pass and ageing -------------------------------------------------------

TEST_F(ShaderManagerTest, LazyTextureLosesItsSurfaceOnTheFourthUnusedPass) {
    ShaderUser* lazy = Get(ShaderDescriptor(false, false, "fx\\lazy", false), true);
    ShaderUser* eager = Get(ShaderDescriptor(false, false, "fx\\eager", false), false);
    FakeTexture* lazyTexture = FrameTexture(*lazy);
    FakeTexture* eagerTexture = FrameTexture(*eager);

    // Applied in every frame, after the pass: never released.
    for (int frame = 0; frame < 10; ++frame) {
        Frame();
        lazy->Apply();
        eager->Apply();
    }
    EXPECT_EQ(0, lazyTexture->surfaceReleases);

    for (int pass = 1; pass <= 3; ++pass) Frame();
    EXPECT_EQ(0, lazyTexture->surfaceReleases);
    Frame();
    EXPECT_EQ(1, lazyTexture->surfaceReleases);

    lazy->Apply();
    EXPECT_EQ(0u, lazyTexture->unusedPasses);
    Frame();
    EXPECT_EQ(1, lazyTexture->surfaceReleases);

    for (int pass = 0; pass < 20; ++pass) Frame();
    EXPECT_EQ(0, eagerTexture->surfaceReleases);
}

TEST_F(ShaderManagerTest, UpdateStepsTheFramesOfEveryUser) {
    ShaderDescriptor descriptor;
    descriptor.AddStage(ShaderStage::kNoTextureFiles, ShaderStage::kNumberedFiles, 1, 1, 8, 25.0f, "fx\\n", 0);
    ShaderUser* first = Get(descriptor);
    ShaderUser* second = Get(ShaderDescriptor(false, false, ShaderStage::kNumberedFiles, 1, 1, 8, 15.0f, "fx\\m",
                                              false));
    Frame();
    EXPECT_EQ(2, first->GetStage(0).currentFrame);
    EXPECT_EQ(1, second->GetStage(0).currentFrame);
}

// --- shader files --------------------------------------------------------------------

TEST_F(ShaderManagerTest, LoadShaderFallsBackToTheDefaultMaterial) {
    Content::ShaderFileWriter::Shader file;
    file.flags = ShaderDescriptor::kBlending;
    file.blendFactors[0] = 4;
    file.blendFactors[1] = 5;
    Content::ShaderFileWriter::Stage stage;
    stage.textureName = "wood";
    file.stages = {stage};
    Content::ShaderFileWriter::WriteFile(L"data\\shaders\\good.srf", file);
    file.stages = {stage, stage, stage};
    Content::ShaderFileWriter::WriteFile(L"data\\shaders\\three.srf", file);

    const ShaderUser* good = shaders_->LoadShader(L"shaders\\good.srf", false);
    ASSERT_EQ(1u, good->GetStageCount());
    EXPECT_EQ("shaders\\wood", good->GetStage(0).textureName);
    EXPECT_EQ(ShaderDescriptor::kBlending, good->GetFlags());
    EXPECT_TRUE(TakeLogged(Vantor::MessageKind::Error).empty());

    struct Case {
        const wchar_t* file;
        const char* logged;
    };
    const Case cases[] = {
        {L"shaders\\three.srf",
         "\nError: Incorrect \"shaders\\three.srf\" file format: Shader Stages: buffer is overflowed!\n\n"},
        {L"shaders\\missing.srf", nullptr},  // the reader's own line
    };
    for (const Case& c : cases) {
        const ShaderUser* user = shaders_->LoadShader(c.file, false);
        ASSERT_NE(nullptr, user);
        EXPECT_EQ(0u, user->GetStageCount());
        EXPECT_EQ(0, user->GetFlags());
        EXPECT_EQ(0, user->GetBlendFactor(0));
        const std::vector<std::string> logged = TakeLogged(Vantor::MessageKind::Error);
        ASSERT_EQ(1u, logged.size());
        if (c.logged) {
            EXPECT_EQ(c.logged, logged[0]);
        }
    }
    EXPECT_EQ(3u, shaders_->GetShaderUserCount());
    EXPECT_EQ(2u, shaders_->GetShaderCount());
}

// --- lifetime ------------------------------------------------------------------------

TEST_F(ShaderManagerTest, DestroyingTheManagerDeletesEveryUserShaderAndTexture) {
    Get(ShaderDescriptor(false, false, "fx\\a", false));
    Get(ShaderDescriptor(false, false, "fx\\a", false));
    Get(ShaderDescriptor(false, false, ShaderStage::kNumberedFiles, 1, 1, 3, 1.0f, "fx\\b0", false));
    ASSERT_EQ(4, renderSystem_->liveTextures);
    shaders_.reset();
    EXPECT_EQ(0, renderSystem_->liveTextures);
}

}  // namespace
