#include "engine/render/ShaderFileReader.h"

#include "engine/kernel/FileManager.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/render/ShaderDescriptor.h"

namespace Vantor {

namespace {

constexpr char kMagic[5] = {'V', 'T', 'S', 'R', 'F'};

std::string StageText(std::uint32_t index) { return "stage " + ToString(static_cast<unsigned int>(index), 0); }

}  // namespace

void ShaderFileReader::Read(const std::wstring& fileName, ShaderDescriptor& descriptor) {
    ReadDataFile(fileName, kCacheLimit, [&](FileBinary& file) {
        ShaderFileReader reader(fileName, descriptor, file);
        reader.ReadHead(kMagic, kVersion, kOldVersion);
        reader.ReadMaterial();
        reader.ReadStages();
    });
}

ShaderFileReader::ShaderFileReader(const std::wstring& fileName, ShaderDescriptor& descriptor, FileBinary& file)
    : VersionedFileReader(file, fileName), descriptor_(descriptor) {}

void ShaderFileReader::ReadMaterial() {
    descriptor_.SetFlags(ReadValue<std::int32_t>());
    for (unsigned i = 0; i < 4; ++i) {
        Color colour;
        colour.x = ReadValue<float>();
        colour.y = ReadValue<float>();
        colour.z = ReadValue<float>();
        colour.w = ReadValue<float>();
        descriptor_.SetColour(i, colour);
    }
    for (unsigned i = 0; i < 2; ++i) descriptor_.SetValue(i, ReadValue<float>());
    for (int i = 0; i < 2; ++i) descriptor_.SetBlendFactor(i, ReadValue<std::int32_t>());
}

void ShaderFileReader::ReadStages() {
    // A count beyond the room for stages ends at the third stage's record.
    const std::uint32_t stageCount = ReadValue<std::uint32_t>();
    for (std::uint32_t i = 0; i < stageCount; ++i) ReadStage(i);
}

void ShaderFileReader::ReadStage(std::uint32_t index) {
    const std::int32_t flags = ReadValue<std::int32_t>();
    std::int32_t kind = ReadValue<std::int32_t>();
    if (version_ == kOldVersion && kind != ShaderStage::kSingleTexture && kind != ShaderStage::kGridSheet)
        kind = ShaderStage::kNumberedFiles;

    // The frame count sizes the stage's texture lists and the grid divides by its cells:
    // neither may be empty, and numbered files are each looked up and loaded.
    std::int32_t frames = 1;
    float speed = 0.0f;
    if (kind != ShaderStage::kSingleTexture) {
        frames = ReadValue<std::int32_t>();
        speed = ReadValue<float>();
        if (frames <= 0)
            FormatError(StageText(index) + " has " + ToString(frames, 0) + " frames");
        if (kind == ShaderStage::kNumberedFiles && frames > kMaxNumberedFrames)
            FormatError(StageText(index) + " has " + ToString(frames, 0) + " numbered files, at most " +
                        ToString(kMaxNumberedFrames, 0));
    }
    std::int32_t columns = 1;
    std::int32_t rows = 1;
    if (kind == ShaderStage::kGridSheet) {
        columns = ReadValue<std::int32_t>();
        rows = ReadValue<std::int32_t>();
        if (columns <= 0 || rows <= 0)
            FormatError(StageText(index) + " has a grid of " + ToString(columns, 0) + " x " + ToString(rows, 0) +
                        " cells");
    }
    const std::string textureName = ReadTextureName();

    ShaderStage& stage = descriptor_.GetStage(static_cast<unsigned>(
        descriptor_.AddStage(flags, kind, columns, rows, frames, speed, textureName, ShaderStage::kClamp)));
    stage.addressU = ReadValue<std::int32_t>();
    stage.addressV = ReadValue<std::int32_t>();
    stage.scaleU = ReadValue<float>();
    stage.scaleV = ReadValue<float>();
    stage.offsetU = ReadValue<float>();
    stage.offsetV = ReadValue<float>();
}

std::string ShaderFileReader::ReadTextureName() {
    char buffer[256];
    file_.ReadString(buffer);
    std::string name = buffer;
    if (version_ == kOldVersion) {
        // The old version kept the picture's extension and a second name nothing uses.
        const std::size_t point = name.rfind('.');
        if (point != std::string::npos) name.erase(point);
        file_.ReadString(buffer);
    }
    // A name without a folder lies beside the shader file.
    if (!name.empty() && name.find('\\') == std::string::npos)
        name = ToNarrow(FileManager::GetFolder(fileName_)) + "\\" + name;
    return name;
}

}  // namespace Vantor
