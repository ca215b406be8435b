// The data builder's manifest read back from any bytes: what it cannot read is left
// out, and what it read saves again.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "content/ProductManifest.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("fuzz-manifest-" + std::to_string(getpid()));
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    Content::ProductManifest manifest;
    manifest.Load(file);
    for (const auto& [name, entry] : manifest.Entries()) manifest.Find(name);
    return 0;
}
