#pragma once
// Reads a shader file ("VTSRF", versions 211 and 212) into a shader descriptor: total
// length, magic, version, the material's flags, colours, values and blend factors, then
// the stage records. Version 211 codes every kind above 1 as numbered files, stores
// texture names with an extension and a second, unused name after each.

#include <cstdint>
#include <string>

#include "engine/render/VersionedFileReader.h"

namespace Vantor {

class ShaderDescriptor;

class ShaderFileReader : private VersionedFileReader {
public:
    static constexpr std::int32_t kVersion = 212;
    static constexpr std::int32_t kOldVersion = 211;
    // Files up to this size are read whole into memory.
    static constexpr std::uint32_t kCacheLimit = 8 * 1024 * 1024;
    // Every frame of a numbered-files stage is a texture to look up and load.
    static constexpr std::int32_t kMaxNumberedFrames = 10000;

    // Fills a descriptor that has no stages yet; the file name is relative to the data
    // folder. A file that cannot be read or is broken (a stage without frames or a grid
    // without cells included) is logged and thrown as Error with the same text; a third
    // stage throws FatalError.
    static void Read(const std::wstring& fileName, ShaderDescriptor& descriptor);

private:
    ShaderFileReader(const std::wstring& fileName, ShaderDescriptor& descriptor, FileBinary& file);

    // The material's flags, colours, values and blend factors after the head.
    void ReadMaterial();
    void ReadStages();
    void ReadStage(std::uint32_t index);
    std::string ReadTextureName();

    ShaderDescriptor& descriptor_;
};

}  // namespace Vantor
