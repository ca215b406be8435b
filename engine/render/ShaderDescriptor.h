#pragma once
// A material as a plain value: alpha blending and its blend factors, four colours and
// two values carried along, and up to two texture stages. Built in code, copied, or
// read from a shader file ("VTSRF"). The shader manager shares the loaded textures
// among descriptors that are the same (IsSame); the checksum narrows that search.
// It also turns a stage's texture name into the colour and opacity files of each frame.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/kernel/Vector4.h"
#include "engine/render/ShaderStage.h"

namespace Vantor {

class ShaderDescriptor {
public:
    static constexpr std::uint32_t kMaxStages = 2;
    // Flag bit: alpha blending on. Other bits are carried along.
    static constexpr std::int32_t kBlending = 1;

    // No blending, blend factors 0 and 0, default colours and values, no stages.
    ShaderDescriptor();
    // Copies the stages in use and recomputes the checksum.
    ShaderDescriptor(const ShaderDescriptor& source);
    ShaderDescriptor& operator=(const ShaderDescriptor& source);
    // Blending gives source alpha / inverse source alpha. Always one stage: mip maps or
    // not, the given layout and animation, clamped or wrapped addressing.
    ShaderDescriptor(bool blending, bool mipMaps, int kind, int columns, int rows, int frames, float speed,
                     const std::string& textureName, bool clamp);
    // The same start; one single-texture stage unless the name is empty.
    ShaderDescriptor(bool blending, bool mipMaps, const std::string& textureName, bool clamp);
    // Reads a shader file, the name relative to the data folder. A broken file is logged
    // and throws Error; a third stage throws FatalError.
    explicit ShaderDescriptor(const std::wstring& fileName);
    virtual ~ShaderDescriptor() = default;

    // Appends a stage and returns its index. Frames count only for kinds other than a
    // single texture; the name is stored lower-cased; both address modes take
    // addressMode. A third stage throws FatalError and changes nothing.
    int AddStage(int flags, int kind, int columns, int rows, int frames, float speed, const std::string& textureName,
                 int addressMode);
    // A single-texture stage.
    int AddTextureStage(int flags, const std::string& textureName, int addressMode);

    std::int32_t GetFlags() const { return flags_; }
    void SetFlags(std::int32_t flags) { flags_ = flags; }
    void AddFlags(std::int32_t bits) { flags_ |= bits; }
    // Index 0 is the source factor, 1 the destination (BlendFactor codes).
    std::int32_t GetBlendFactor(int index) const { return blendFactors_[index]; }
    void SetBlendFactor(int index, std::int32_t factor) { blendFactors_[index] = factor; }
    // Colours 0..3 and values 0..1: material data that nothing draws with.
    const Color& GetColour(unsigned index) const { return colours_[index]; }
    void SetColour(unsigned index, const Color& colour) { colours_[index] = colour; }
    float GetValue(unsigned index) const { return values_[index]; }
    void SetValue(unsigned index, float value) { values_[index] = value; }

    unsigned GetStageCount() const { return stageCount_; }
    // Room for kMaxStages; only the first GetStageCount() are in use.
    ShaderStage& GetStage(unsigned index) { return stages_[index]; }
    const ShaderStage& GetStage(unsigned index) const { return stages_[index]; }

    // The sum of the characters of the stage texture names, each as a signed byte.
    std::int32_t GetChecksum() const { return checksum_; }
    void UpdateChecksum();
    // Whether both load the same textures: equal checksums, flags but blending, stage
    // counts, and per stage the flags but mip maps and random start, kinds and frame
    // counts (unless both load one file: single texture or grid sheet) and names.
    bool IsSame(const ShaderDescriptor& other) const;

    // Two paths per frame of the stage, colour file then opacity file, an empty path for
    // none. A name without a matching file keeps the frame's path without extension.
    // Nothing for a stage without a name or beyond the stage count.
    void GetStageTextureFiles(unsigned stage, std::vector<std::wstring>& files) const;

private:
    void SetBlending(bool blending);

    std::int32_t flags_ = 0;
    Color colours_[4] = {{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {0, 0, 0, 1}};
    float values_[2] = {0.0f, 0.0f};
    std::int32_t blendFactors_[2] = {0, 0};
    std::uint32_t stageCount_ = 0;
    ShaderStage stages_[kMaxStages];
    std::int32_t checksum_ = 0;
};

}  // namespace Vantor
