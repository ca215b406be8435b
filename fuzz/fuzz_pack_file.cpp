// Fuzzes the pack reader: the input is written to a file and opened as a ".pak" file
// (held in memory and read through its handle) and as an executable that may carry
// an appended pack; every entry found is opened and read to its end.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/kernel/Error.h"
#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/PackFile.h"
#include "fuzz/file_fuzz_support.h"
#include "platform/WinFolders.h"
#include "platform/WinPaths.h"

namespace {

// The input file, which is also the executable.
struct PackWorkspace : fuzzing::Workspace {
    PackWorkspace() { platform::seam::SetExecutablePath(windowsFile); }
    const std::wstring windowsFile = platform::ToWindowsPath(HostPath("input.pak"));
};

void ReadWhole(Vantor::FileBinary& stream) {
    std::vector<std::uint8_t> bytes(stream.GetSize());
    stream.Read(bytes.data(), 1, static_cast<std::uint32_t>(bytes.size()));
}

void ReadEveryEntry(const Vantor::PackFile& pack) {
    std::vector<std::wstring> names;
    pack.ListFiles(L"", L"*.*", true, names);
    for (const std::wstring& name : names) {
        std::uint32_t size = 0;
        const std::uint8_t* memory = nullptr;
        bool ownsMemory = true;
        Vantor::EngineFile* sharedFile = nullptr;
        std::uint32_t baseOffset = 0;
        if (!pack.GetSize(name, size) || !pack.Locate(name, memory, ownsMemory, sharedFile, baseOffset)) std::abort();
        // A small cache limit: small entries are copied, larger ones read through the pack.
        Vantor::FileBinary entry(name, 0, 16, size, memory, ownsMemory, sharedFile, baseOffset);
        ReadWhole(entry);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static PackWorkspace workspace;
    workspace.WriteFile("input.pak", data, size);

    for (std::uint32_t cacheLimit : {0u, 0x1000000u}) {
        try {
            Vantor::PackFile pack(workspace.windowsFile, 0, 0, cacheLimit);
            ReadEveryEntry(pack);
        } catch (const Vantor::Error&) {
            // Logged and refused, as the file manager expects.
        }
    }
    try {
        // The input as the executable: its trailer may name an appended pack.
        const std::wstring base = platform::ToWindowsPath(workspace.HostPath());
        Vantor::FileManager files(base, true, L"data", 0x1000000);
        std::vector<std::wstring> names;
        files.ListFiles(L"data\\", L"*.*", true, names);
        for (const std::wstring& name : names) {
            std::unique_ptr<Vantor::FileBinary> entry(files.OpenFile(name, false, 16, 0));
            ReadWhole(*entry);
        }
    } catch (const Vantor::Error&) {
    }
    workspace.ClearLog();
    return 0;
}
