// The shader user's frame step: grid-sheet cells, numbered frames, single textures and
// the stage animation controls. The stages name no texture files, so no texture (and no
// render system) is involved.

#include "engine/render/ShaderUser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "engine/kernel/TimerManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/ShaderManager.h"
#include "platform/Clock.h"

namespace {

using Vantor::ShaderDescriptor;
using Vantor::ShaderStage;
using Vantor::ShaderUser;

constexpr float kFrameTime = 0.1f;
constexpr float kNear = 1e-6f;

// A frame clock and a shader manager of the test's own.
class ShaderUserTest : public testing::Test {
protected:
    void SetUp() override {
        previousTimers_ = Vantor::TimerManager::Instance();
        Vantor::TimerManager::Instance(&timers_);
    }
    void TearDown() override {
        if (previousTimers_) Vantor::TimerManager::Instance(previousTimers_);
    }

    // A user of one stage that loads no files.
    ShaderUser& Animated(int kind, int columns, int rows, int frames, float speed, int flags = 0) {
        ShaderDescriptor descriptor;
        descriptor.AddStage(ShaderStage::kNoTextureFiles | flags, kind, columns, rows, frames, speed, "fx\\sheet",
                            ShaderStage::kWrap);
        return *shaders_.GetShader(descriptor, false);
    }

    // One frame of 0.1 s, then the user's frame step.
    void Tick(ShaderUser& user) {
        platform::seam::AdvanceVirtualTime(150000);
        timers_.Update();
        ASSERT_EQ(kFrameTime, timers_.GetFrameTime());
        user.UpdateFrames();
    }

    Vantor::TimerManager* previousTimers_ = nullptr;
    Vantor::TimerManager timers_;
    Vantor::ShaderManager shaders_;
};

// The speed that puts a stage half-way into that frame after one tick.
float SpeedToFrame(unsigned frame) { return (static_cast<float>(frame) + 0.5f) / kFrameTime; }

struct Cell {
    float scaleU, scaleV, offsetU, offsetV;
};

void ExpectCell(const Cell& expected, const ShaderStage& stage) {
    EXPECT_NEAR(expected.scaleU, stage.scaleU, kNear);
    EXPECT_NEAR(expected.scaleV, stage.scaleV, kNear);
    EXPECT_NEAR(expected.offsetU, stage.offsetU, kNear);
    EXPECT_NEAR(expected.offsetV, stage.offsetV, kNear);
    EXPECT_EQ(0, stage.currentFrame);  // the sheet is one texture
}

// --- grid sheets ---------------------------------------------------------------------

TEST_F(ShaderUserTest, GridStageSelectsTheCellOfItsFrame) {
    struct Case {
        const char* what;
        int columns, rows, frames;
        unsigned frame;
        Cell cell;
    };
    const Case cases[] = {
        {"first frame: top row", 4, 2, 8, 0, {0.24975f, 0.4995f, 0.000125f, 0.50025f}},
        {"second row", 4, 2, 8, 5, {0.24975f, 0.4995f, 0.250125f, 0.00025f}},
        {"last cell", 4, 2, 8, 7, {0.24975f, 0.4995f, 0.750125f, 0.00025f}},
        {"one cell", 1, 1, 1, 0, {0.999f, 0.999f, 0.0005f, 0.0005f}},
        {"more frames than cells start over", 2, 2, 6, 5, {0.4995f, 0.4995f, 0.50025f, 0.50025f}},
    };
    for (const Case& c : cases) {
        ShaderUser& user = Animated(ShaderStage::kGridSheet, c.columns, c.rows, c.frames, SpeedToFrame(c.frame));
        Tick(user);
        SCOPED_TRACE(c.what);
        ExpectCell(c.cell, user.GetStage(0));
    }
}

TEST_F(ShaderUserTest, GridWithoutColumnsOrRowsIsOneCellPerMissingSide) {
    // Shader files refuse such sheets; descriptors built in code may still have them.
    struct Case {
        int columns, rows;
        Cell cell;
    };
    const Case cases[] = {
        {0, 0, {0.999f, 0.999f, 0.0005f, 0.0005f}},
        {-3, 1, {0.999f, 0.999f, 0.0005f, 0.0005f}},
        {0, 2, {0.999f, 0.4995f, 0.0005f, 0.00025f}},
        {65536, 65536, {0.999f / 65536, 0.999f / 65536, 0.0005f / 65536 + 1.0f / 65536, 1.0f - 0.9995f / 65536}},
    };
    for (const Case& c : cases) {
        ShaderUser& user = Animated(ShaderStage::kGridSheet, c.columns, c.rows, 4, SpeedToFrame(1));
        Tick(user);
        SCOPED_TRACE(testing::Message() << c.columns << " x " << c.rows);
        ExpectCell(c.cell, user.GetStage(0));
    }
}

// --- numbered files and single textures ----------------------------------------------

TEST_F(ShaderUserTest, NumberedStageBindsEveryFrameAndStartsOver) {
    // Any kind but a single texture and a grid sheet steps through frames the same way.
    for (int kind : {ShaderStage::kNumberedFiles, 5}) {
        ShaderUser& user = Animated(kind, 1, 1, 10, 5.0f);
        user.GetStage(0).scaleU = 2.0f;
        user.GetStage(0).offsetV = 0.25f;
        for (int tick = 1; tick <= 22; ++tick) {
            Tick(user);
            EXPECT_EQ((tick / 2) % 10, user.GetStage(0).currentFrame) << "kind " << kind << ", tick " << tick;
        }
        EXPECT_EQ(2.0f, user.GetStage(0).scaleU);
        EXPECT_EQ(0.25f, user.GetStage(0).offsetV);
        EXPECT_TRUE(user.GetAnimationControl(0)->IsPlaying());
    }
}

TEST_F(ShaderUserTest, SingleTextureStaysOnItsOnlyFrame) {
    ShaderUser& user = Animated(ShaderStage::kSingleTexture, 1, 1, 1, 30.0f);
    user.GetStage(0).currentFrame = 3;
    Tick(user);
    EXPECT_EQ(0, user.GetStage(0).currentFrame);
    EXPECT_EQ(0.0f, user.GetAnimationControl(0)->GetPosition());  // not advanced
    EXPECT_EQ(1.0f, user.GetStage(0).scaleU);
}

// --- stage animation controls --------------------------------------------------------

TEST_F(ShaderUserTest, EachStageHasALoopingControlAtItsSpeed) {
    ShaderDescriptor descriptor;
    descriptor.AddStage(ShaderStage::kNoTextureFiles, ShaderStage::kNumberedFiles, 1, 1, 4, 10.0f, "a", 0);
    descriptor.AddStage(ShaderStage::kNoTextureFiles, ShaderStage::kGridSheet, 2, 2, 4, 20.0f, "b", 0);
    ShaderUser& user = *shaders_.GetShader(descriptor, false);
    ASSERT_NE(nullptr, user.GetAnimationControl(0));
    ASSERT_NE(nullptr, user.GetAnimationControl(1));
    EXPECT_EQ(nullptr, user.GetAnimationControl(2));

    Tick(user);
    EXPECT_NEAR(1.0f, user.GetAnimationControl(0)->GetPosition(), kNear);
    EXPECT_NEAR(2.0f, user.GetAnimationControl(1)->GetPosition(), kNear);
    for (int tick = 0; tick < 10; ++tick) Tick(user);
    EXPECT_TRUE(user.GetAnimationControl(0)->IsPlaying());
    EXPECT_TRUE(user.GetAnimationControl(1)->IsPlaying());

    // Callers drive a stage through its control: a range of frames 2 down to 1.
    Vantor::AnimationControl& control = *user.GetAnimationControl(0);
    control.AddRange(7, 2, 1);
    control.SetRange(7);
    control.SetSpeed(SpeedToFrame(0));
    Tick(user);
    EXPECT_EQ(2, user.GetStage(0).currentFrame);
}

TEST_F(ShaderUserTest, RandomStartPutsEachUserAtItsOwnPlace) {
    std::set<float> starts;
    for (int i = 0; i < 8; ++i) {
        ShaderUser& user = Animated(ShaderStage::kNumberedFiles, 1, 1, 1000, 0.0f, ShaderStage::kRandomStart);
        const float start = user.GetAnimationControl(0)->GetPosition();
        EXPECT_GE(start, 0.0f);
        EXPECT_LE(start, 999.0f);
        starts.insert(start);
    }
    EXPECT_GT(starts.size(), 1u);
    EXPECT_EQ(0.0f, Animated(ShaderStage::kNumberedFiles, 1, 1, 1000, 0.0f).GetAnimationControl(0)->GetPosition());
}

TEST_F(ShaderUserTest, StageAddedAfterTheUserWasMadeStaysOnItsFirstFrame) {
    ShaderUser& user = Animated(ShaderStage::kNumberedFiles, 1, 1, 4, 15.0f);
    user.AddStage(ShaderStage::kNoTextureFiles, ShaderStage::kNumberedFiles, 1, 1, 4, 15.0f, "late", 0);
    Tick(user);
    EXPECT_EQ(1, user.GetStage(0).currentFrame);
    EXPECT_EQ(0, user.GetStage(1).currentFrame);
    EXPECT_EQ(nullptr, user.GetAnimationControl(1));
}

}  // namespace
