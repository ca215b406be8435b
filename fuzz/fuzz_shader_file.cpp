// Fuzzes the shader file reader: the input is written below the data folder and read
// as a shader file; the material it yields is copied and compared, and the texture
// files of every stage are looked up, with pictures beside it so that the colour and
// opacity searches find something.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/kernel/Error.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "platform/WinPaths.h"

namespace {

// A private base folder with a data folder; the log is kept but never written to disk.
struct Workspace {
    Workspace() {
        std::string pattern = (std::filesystem::temp_directory_path() / "morvane-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        folder = pattern;
        std::filesystem::create_directories(folder + "/data/fx");
        hostFile = folder + "/data/fx/input.srf";
        for (const char* picture : {"fire.jpg", "fire_alpha.tga", "anim00.dds", "anim01.bmp", "anim01_alpha.jpg"})
            WriteFile(folder + "/data/fx/" + picture, nullptr, 0);
        log = new Vantor::MessageManager(L"fuzz", false, false, L"", L"fuzz");
        Vantor::MessageManager::Instance(log);
        files = new Vantor::FileManager(platform::ToWindowsPath(folder));
        Vantor::FileManager::Instance(files);
    }
    ~Workspace() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    static void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
        FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr) std::abort();
        if (size > 0) std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    std::string folder;
    std::string hostFile;
    Vantor::MessageManager* log;
    Vantor::FileManager* files;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Workspace workspace;
    Workspace::WriteFile(workspace.hostFile, data, size);
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
    workspace.log->ClearMessages();
    return 0;
}
