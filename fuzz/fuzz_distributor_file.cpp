// The distributor file of the installation folder read from any bytes, before any
// engine exists: whatever it holds, the name is letters "a" to "z" and never empty.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "framework/DistributorName.h"
#include "platform/WinPaths.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("fuzz-distributor-" + std::to_string(getpid()));
    static const std::wstring installPath = [] {
        std::filesystem::create_directories(folder / "data");
        return platform::ToWindowsPath(folder.string());
    }();
    {
        std::ofstream out(folder / "data" / "distributor.xml", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const std::wstring name = GameFramework::DistributorName::Read(installPath);
    if (name.empty()) std::abort();
    for (wchar_t c : name)
        if (c < L'a' || c > L'z') std::abort();
    return 0;
}
