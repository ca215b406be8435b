#include "engine/render/ShaderUser.h"

#include <algorithm>

#include "engine/kernel/ContainerHelpers.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Shader.h"

namespace Vantor {

namespace {

// Stage controls show whole frames: a looping range of n frames has n steps.
constexpr std::int32_t kStageAnimationMode = 1;
// Each cell is shrunk by this fraction at every side, so that filtering never reads
// the neighbouring cell.
constexpr float kCellMargin = 0.0005f;
constexpr float kCellShrink = 1.0f - 0.001f;

}  // namespace

ShaderUser::ShaderUser(Shader* shader, const ShaderDescriptor& descriptor)
    : ShaderDescriptor(descriptor), shader_(shader) {
    controls_.reserve(GetStageCount());
    for (unsigned s = 0; s < GetStageCount(); ++s) {
        const ShaderStage& stage = GetStage(s);
        const auto frames = static_cast<std::uint32_t>(std::max(stage.frames, 1));
        auto* control = new AnimationControl(kStageAnimationMode, frames);
        control->SetLoop(true);
        control->SetSpeed(stage.speed);
        if (stage.flags & ShaderStage::kRandomStart) control->SetRandomPosition();
        control->Play();
        controls_.push_back(control);
    }
    ++shader_->useCount_;
}

ShaderUser::~ShaderUser() {
    DeleteAllAndClear(controls_);
    if (--shader_->useCount_ == 0) delete shader_;
}

AnimationControl* ShaderUser::GetAnimationControl(unsigned stage) const {
    return stage < controls_.size() ? controls_[stage] : nullptr;
}

void ShaderUser::UpdateFrames() {
    // Stages added to the descriptor after the user was made have no control and stay
    // on their first frame.
    const unsigned animated = std::min<unsigned>(GetStageCount(), static_cast<unsigned>(controls_.size()));
    for (unsigned s = 0; s < animated; ++s) {
        ShaderStage& stage = GetStage(s);
        if (stage.kind == ShaderStage::kSingleTexture) {
            stage.currentFrame = 0;
            continue;
        }
        AnimationControl& control = *controls_[s];
        control.Update();
        const std::uint32_t frame = control.GetFrameA();
        if (stage.kind == ShaderStage::kGridSheet) {
            SelectGridCell(stage, frame);
            stage.currentFrame = 0;
        } else {
            stage.currentFrame = static_cast<std::int32_t>(frame);
        }
    }
}

void ShaderUser::SelectGridCell(ShaderStage& stage, unsigned frame) {
    // A sheet without cells (possible only in code: shader files refuse it) is one cell.
    const auto columns = static_cast<std::uint32_t>(std::max(stage.columns, 1));
    const auto rows = static_cast<std::uint32_t>(std::max(stage.rows, 1));
    // More frames than cells start over at the first cell.
    frame = static_cast<std::uint32_t>(frame % (static_cast<std::uint64_t>(columns) * rows));
    const std::uint32_t column = frame % columns;
    // Frame 0 is in the top row, which has the highest V.
    const std::uint32_t row = rows - 1 - frame / columns;
    stage.scaleU = kCellShrink * (1.0f / static_cast<float>(columns));
    stage.scaleV = kCellShrink * (1.0f / static_cast<float>(rows));
    stage.offsetU = stage.scaleU * (kCellMargin + static_cast<float>(column)) / kCellShrink;
    stage.offsetV = stage.scaleV * (kCellMargin + static_cast<float>(row)) / kCellShrink;
}

void ShaderUser::Apply() const { shader_->Apply(*this); }

}  // namespace Vantor
