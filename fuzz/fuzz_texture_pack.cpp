// Fuzzes the texture pack reader: the input is read through the versioned file header
// as a pack file, once as a loose file below the data folder and once as an entry of a
// ".pak" file (held in memory and read through its handle); the textures are then
// looked up by names found in the input. A pack that loads must hold textures, and
// every pack, loaded or refused, must give its shader user back.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "content/PackWriter.h"
#include "engine/kernel/Error.h"
#include "engine/kernel/FileManager.h"
#include "engine/render/ShaderManager.h"
#include "fuzz/file_fuzz_support.h"
#include "platform/WinFolders.h"
#include "platform/WinPaths.h"
#include "tools/TexturePack.h"

namespace {

constexpr std::size_t kMaxNames = 8;
// A frame of version 101.
constexpr std::size_t kLeastFrameSize = 28;

// The data folder's "packs" folder, and a shader manager for the atlas shaders (there
// are none: every pack gets the default material).
struct PackWorkspace : fuzzing::Workspace {
    PackWorkspace() {
        CreateFolder("data/packs");
        // No pack rides on the executable.
        platform::seam::SetExecutablePath(platform::ToWindowsPath(HostPath("game.exe")));
        OpenFileManager();
        Vantor::ShaderManager::Instance(new Vantor::ShaderManager());
    }
};

// Loads the pack from wherever the file manager finds it; what it accepted must fit
// in the input.
void Load(const std::vector<std::string>& names, std::size_t size) {
    Vantor::ShaderManager& shaders = *Vantor::ShaderManager::Instance();
    try {
        const GameTools::TexturePack pack(L"packs\\input.tpf", false);
        if (!pack.HasTextures()) std::abort();
        for (const std::string& name : names) {
            const GameTools::TexturePack::Texture& texture = pack.GetTexture(name);
            std::size_t bytes = texture.frames.size() * kLeastFrameSize;
            for (const GameTools::TexturePack::Frame& frame : texture.frames) bytes += frame.furtherBytes.size();
            if (bytes > size || pack.GetFrameCount(name) < 0) std::abort();
        }
    } catch (const Vantor::Error&) {
        // Refused: the data keeper's caller sees the error.
    }
    if (shaders.GetShaderUserCount() != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static PackWorkspace workspace;
    const std::vector<std::string> names = fuzzing::StoredNamesIn(data, size, kMaxNames);

    workspace.WriteFile("data/packs/input.tpf", data, size);
    Load(names, size);
    std::filesystem::remove(workspace.HostPath("data/packs/input.tpf"));

    Content::PackWriter writer;
    writer.Add("packs\\input.tpf", Content::PackWriter::Bytes(data, data + size));
    const Content::PackWriter::Bytes pack = writer.Build();
    workspace.WriteFile("data/input.pak", pack.data(), pack.size());
    Vantor::FileManager* looseFiles = Vantor::FileManager::Instance();
    for (std::uint32_t packCacheLimit : {0u, Vantor::FileManager::kDefaultPackCacheLimit}) {
        Vantor::FileManager packedFiles(platform::ToWindowsPath(workspace.HostPath()), true, L"data", packCacheLimit);
        Vantor::FileManager::Instance(&packedFiles);
        Load(names, size);
        Vantor::FileManager::Instance(looseFiles);
    }
    std::filesystem::remove(workspace.HostPath("data/input.pak"));

    workspace.ClearLog();
    return 0;
}
