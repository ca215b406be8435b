// Fuzzes the particle file reader: the input is written below the data folder and read
// as a particle file; what it accepts must keep to the bounds the particle system relies
// on (a positive emission period, a pool of at most the largest count).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/kernel/Error.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/render/ParticleFileReader.h"
#include "platform/WinPaths.h"

namespace {

// A private base folder with a data folder; the log is kept but never written to disk.
struct Workspace {
    Workspace() {
        std::string pattern = (std::filesystem::temp_directory_path() / "morvane-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        folder = pattern;
        std::filesystem::create_directories(folder + "/data/fx");
        hostFile = folder + "/data/fx/input.psf";
        log = new Vantor::MessageManager(L"fuzz", false, false, L"", L"fuzz");
        Vantor::MessageManager::Instance(log);
        files = new Vantor::FileManager(platform::ToWindowsPath(folder));
        Vantor::FileManager::Instance(files);
    }
    ~Workspace() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    void Write(const std::uint8_t* data, std::size_t size) const {
        FILE* file = std::fopen(hostFile.c_str(), "wb");
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
    workspace.Write(data, size);
    try {
        Vantor::ParticleFileReader::Contents contents;
        Vantor::ParticleFileReader::Read(L"fx\\input.psf", contents);
        if (!(contents.parameters.period > 0.0f)) std::abort();
        if (contents.maxParticles > Vantor::ParticleFileReader::kMaxParticles) std::abort();
    } catch (const Vantor::Error&) {
        // Refused: the particle system manager falls back to the self-made effect.
    }
    workspace.log->ClearMessages();
    return 0;
}
