// Fuzzes the shader file reader: the input is written below the data folder and read
// as a shader file; the material it yields is copied and compared, and the texture
// files of every stage are looked up, with pictures beside it so that the colour and
// opacity searches find something.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/kernel/Error.h"
#include "engine/render/ShaderDescriptor.h"
#include "fuzz/file_fuzz_support.h"

namespace {

// The data folder's "fx" folder, with empty pictures beside the input.
struct ShaderWorkspace : fuzzing::Workspace {
    ShaderWorkspace() {
        CreateFolder("data/fx");
        for (const char* picture : {"fire.jpg", "fire_alpha.tga", "anim00.dds", "anim01.bmp", "anim01_alpha.jpg"})
            WriteFile(std::string("data/fx/") + picture, nullptr, 0);
        OpenFileManager();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ShaderWorkspace workspace;
    workspace.WriteFile("data/fx/input.srf", data, size);
    try {
        const Vantor::ShaderDescriptor descriptor(L"fx\\input.srf");
        const Vantor::ShaderDescriptor copy(descriptor);
        if (!copy.IsSame(descriptor) || copy.GetChecksum() != descriptor.GetChecksum()) std::abort();
        std::vector<std::wstring> files;
        for (unsigned stage = 0; stage < descriptor.GetStageCount(); ++stage) {
            descriptor.GetStageTextureFiles(stage, files);
            // Two paths per frame, and at least one frame for a named stage.
            if (files.size() % 2 != 0 || (files.empty() != descriptor.GetStage(stage).textureName.empty()))
                std::abort();
        }
    } catch (const Vantor::Error&) {
        // Refused: the shader manager falls back to its default material.
    }
    workspace.ClearLog();
    return 0;
}
