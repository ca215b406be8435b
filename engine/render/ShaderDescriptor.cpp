#include "engine/render/ShaderDescriptor.h"

#include <algorithm>

#include "engine/kernel/FatalError.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/render/FrameFileFinder.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderFileReader.h"

namespace Vantor {

namespace {

// Stage flags that belong to each user and so never stop two descriptors sharing.
constexpr std::int32_t kUserStageFlags = ShaderStage::kMipMaps | ShaderStage::kRandomStart;

// Missing numbered files after these share the first one's path, so that the texture
// code reports a handful of them and one damaged file cannot flood the log.
constexpr unsigned int kReportedMissingFrames = 4;

// Single textures and grid sheets both load one file.
bool LoadsOneFile(const ShaderStage& stage) {
    return stage.kind == ShaderStage::kSingleTexture || stage.kind == ShaderStage::kGridSheet;
}

int DecimalDigits(std::uint32_t value) {
    int digits = 1;
    for (; value >= 10; value /= 10) ++digits;
    return digits;
}

// The path with its last `digits` characters (all of it when shorter) replaced by the
// frame number written with that many digits.
std::wstring NumberedFramePath(const std::wstring& path, std::uint32_t frame, int digits) {
    const std::size_t keep = path.size() > static_cast<std::size_t>(digits) ? path.size() - digits : 0;
    return path.substr(0, keep) + ToWideString(static_cast<unsigned int>(frame), digits);
}

}  // namespace

ShaderDescriptor::ShaderDescriptor() = default;

ShaderDescriptor::ShaderDescriptor(const ShaderDescriptor& source) { *this = source; }

ShaderDescriptor& ShaderDescriptor::operator=(const ShaderDescriptor& source) {
    if (this == &source) return *this;
    flags_ = source.flags_;
    std::copy(std::begin(source.colours_), std::end(source.colours_), colours_);
    std::copy(std::begin(source.values_), std::end(source.values_), values_);
    std::copy(std::begin(source.blendFactors_), std::end(source.blendFactors_), blendFactors_);
    stageCount_ = source.stageCount_;
    for (std::uint32_t i = 0; i < kMaxStages; ++i) stages_[i] = i < stageCount_ ? source.stages_[i] : ShaderStage();
    UpdateChecksum();
    return *this;
}

ShaderDescriptor::ShaderDescriptor(bool blending, bool mipMaps, int kind, int columns, int rows, int frames,
                                   float speed, const std::string& textureName, bool clamp) {
    SetBlending(blending);
    AddStage(mipMaps ? ShaderStage::kMipMaps : 0, kind, columns, rows, frames, speed, textureName,
             clamp ? ShaderStage::kClamp : ShaderStage::kWrap);
}

ShaderDescriptor::ShaderDescriptor(bool blending, bool mipMaps, const std::string& textureName, bool clamp) {
    SetBlending(blending);
    if (!textureName.empty())
        AddTextureStage(mipMaps ? ShaderStage::kMipMaps : 0, textureName,
                        clamp ? ShaderStage::kClamp : ShaderStage::kWrap);
}

ShaderDescriptor::ShaderDescriptor(const std::wstring& fileName) { ShaderFileReader::Read(fileName, *this); }

void ShaderDescriptor::SetBlending(bool blending) {
    flags_ = blending ? kBlending : 0;
    blendFactors_[0] = static_cast<std::int32_t>(blending ? BlendFactor::SrcAlpha : BlendFactor::Zero);
    blendFactors_[1] = static_cast<std::int32_t>(blending ? BlendFactor::InvSrcAlpha : BlendFactor::Zero);
}

int ShaderDescriptor::AddStage(int flags, int kind, int columns, int rows, int frames, float speed,
                               const std::string& textureName, int addressMode) {
    if (stageCount_ >= kMaxStages) throw FatalError("Shader Stages: buffer is overflowed");
    ShaderStage& stage = stages_[stageCount_];
    stage = ShaderStage();
    stage.flags = flags;
    stage.kind = kind;
    stage.columns = columns;
    stage.rows = rows;
    stage.frames = kind != ShaderStage::kSingleTexture ? frames : 0;
    stage.speed = speed;
    stage.textureName = ToLower(textureName);
    stage.addressU = addressMode;
    stage.addressV = addressMode;
    ++stageCount_;
    UpdateChecksum();
    return static_cast<int>(stageCount_ - 1);
}

int ShaderDescriptor::AddTextureStage(int flags, const std::string& textureName, int addressMode) {
    return AddStage(flags, ShaderStage::kSingleTexture, 1, 1, 1, 0.0f, textureName, addressMode);
}

void ShaderDescriptor::UpdateChecksum() {
    // Unsigned, so that any length of name wraps instead of overflowing.
    std::uint32_t sum = 0;
    for (std::uint32_t i = 0; i < stageCount_; ++i)
        for (char c : stages_[i].textureName) sum += static_cast<std::uint32_t>(static_cast<signed char>(c));
    checksum_ = static_cast<std::int32_t>(sum);
}

bool ShaderDescriptor::IsSame(const ShaderDescriptor& other) const {
    if (checksum_ != other.checksum_) return false;
    if ((flags_ & ~kBlending) != (other.flags_ & ~kBlending)) return false;
    if (stageCount_ != other.stageCount_) return false;
    for (std::uint32_t i = 0; i < stageCount_; ++i) {
        const ShaderStage& a = stages_[i];
        const ShaderStage& b = other.stages_[i];
        if ((a.flags & ~kUserStageFlags) != (b.flags & ~kUserStageFlags)) return false;
        if (!(LoadsOneFile(a) && LoadsOneFile(b)) && (a.kind != b.kind || a.frames != b.frames)) return false;
        if (a.textureName != b.textureName) return false;
    }
    return true;
}

void ShaderDescriptor::GetStageTextureFiles(unsigned stageIndex, std::vector<std::wstring>& files) const {
    files.clear();
    if (stageIndex >= stageCount_) return;
    const ShaderStage& stage = stages_[stageIndex];
    if (stage.textureName.empty()) return;

    const bool numbered = stage.kind == ShaderStage::kNumberedFiles;
    // A numbered stage built in code without frames still names its first file.
    const unsigned int frameCount = numbered ? static_cast<unsigned int>(std::max(stage.frames, 1)) : 1;
    files.assign(2 * static_cast<std::size_t>(frameCount), std::wstring());
    if ((stage.flags & ShaderStage::kNoTextureFiles) != 0) return;

    const FileManager& fileManager = *FileManager::Instance();
    const std::wstring basePath = fileManager.GetDataPath(ToWide(stage.textureName));
    const int digits = DecimalDigits(frameCount - 1);
    const FrameFileFinder finder(fileManager, numbered);
    unsigned int missing = 0;
    std::wstring firstMissing;
    for (unsigned int frame = 0; frame < frameCount; ++frame) {
        const std::wstring framePath = numbered ? NumberedFramePath(basePath, frame, digits) : basePath;
        std::wstring& colour = files[2 * frame];
        if (finder.Find(framePath, colour, files[2 * frame + 1])) continue;
        if (++missing == 1) firstMissing = colour;
        if (missing > kReportedMissingFrames) colour = firstMissing;
    }
    MessageManager* log = MessageManager::Instance();
    if (missing > kReportedMissingFrames && log != nullptr)
        log->PrintWarning("Shader stage \"" + ToNarrow(basePath) + "\" misses " + ToString(missing, 0) + " of " +
                          ToString(frameCount, 0) + " numbered files; only the first " +
                          ToString(kReportedMissingFrames, 0) + " are reported");
}

}  // namespace Vantor
