// Opening a file by name in a pack: a directory lookup plus a stream over the
// entry's bytes. The lookup is a hash search, so the time should hardly grow with the
// entry count (compare 1,000, 10,000 and 100,000 entries; goal: 100,000 at most 1.5
// times 1,000).

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "content/PackWriter.h"
#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/PackFile.h"
#include "platform/WinPaths.h"

namespace {

// A base folder whose data folder holds one pack of `count` small entries.
class PackedFolder {
public:
    explicit PackedFolder(int count) {
        std::string pattern = (std::filesystem::temp_directory_path() / "morvane-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        folder_ = pattern;
        std::filesystem::create_directories(folder_ / "data");

        Content::PackWriter writer;
        for (int i = 0; i < count; ++i) {
            const std::string name = "models\\set" + std::to_string(i % 50) + "\\Model_" + std::to_string(i) + ".mlf";
            writer.Add(name, std::string(64, static_cast<char>('a' + i % 26)));
            names_.push_back(std::wstring(name.begin(), name.end()));
        }
        for (std::size_t i = 0; i < kQueries; ++i) queries_.push_back(names_[(i * 7919) % names_.size()]);
        packPath_ = platform::ToWindowsPath((folder_ / "data" / "game.pak").string());
        Content::PackWriter::WriteFile(packPath_, writer.Build());
    }
    ~PackedFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    std::wstring Base() const { return platform::ToWindowsPath(folder_.string()); }
    const std::wstring& PackPath() const { return packPath_; }
    // 1,000 names spread over the whole pack in an order unrelated to the directory's,
    // so lookups do not walk it in step; the names asked for stay in the cache, as the
    // names a program has just built do, and only the directory grows.
    const std::wstring& Name(std::size_t i) const { return queries_[i % queries_.size()]; }

private:
    std::filesystem::path folder_;
    std::wstring packPath_;
    static constexpr std::size_t kQueries = 1000;
    std::vector<std::wstring> names_;
    std::vector<std::wstring> queries_;
};

const PackedFolder& Folder(int count) {
    static std::map<int, std::unique_ptr<PackedFolder>> folders;
    auto& folder = folders[count];
    if (!folder) folder = std::make_unique<PackedFolder>(count);
    return *folder;
}

void QuietLog() {
    static Vantor::MessageManager* log = new Vantor::MessageManager(L"bench", false, false, L"", L"bench");
    Vantor::MessageManager::Instance(log);
    log->ClearMessages();
}

void BM_PackFileOpenEntry(benchmark::State& state) {
    QuietLog();
    const PackedFolder& folder = Folder(static_cast<int>(state.range(0)));
    Vantor::PackFile pack(folder.PackPath(), 0, 0, Vantor::FileManager::kDefaultPackCacheLimit);
    std::size_t i = 0;
    for (auto _ : state) {
        const std::wstring& name = folder.Name(i++);
        std::uint32_t size = 0;
        const std::uint8_t* memory = nullptr;
        bool ownsMemory = true;
        Vantor::EngineFile* sharedFile = nullptr;
        std::uint32_t baseOffset = 0;
        pack.GetSize(name, size);
        pack.Locate(name, memory, ownsMemory, sharedFile, baseOffset);
        Vantor::FileBinary entry(name, 0, 0, size, memory, ownsMemory, sharedFile, baseOffset);
        char byte = 0;
        entry.Read(&byte, 1, 1);
        benchmark::DoNotOptimize(byte);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_PackFileOpenEntry)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::o1);

// The directory lookup alone: whether the pack holds a name, and its size.
void BM_PackFileLookup(benchmark::State& state) {
    QuietLog();
    const PackedFolder& folder = Folder(static_cast<int>(state.range(0)));
    Vantor::PackFile pack(folder.PackPath(), 0, 0, Vantor::FileManager::kDefaultPackCacheLimit);
    std::size_t i = 0;
    for (auto _ : state) {
        std::uint32_t size = 0;
        benchmark::DoNotOptimize(pack.GetSize(folder.Name(i++), size));
        benchmark::DoNotOptimize(size);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_PackFileLookup)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::o1);

// The same through the file manager, which first looks for a loose file on disk.
void BM_FileManagerOpenFile(benchmark::State& state) {
    QuietLog();
    const PackedFolder& folder = Folder(static_cast<int>(state.range(0)));
    Vantor::FileManager files(folder.Base(), true, L"data", Vantor::FileManager::kDefaultPackCacheLimit);
    Vantor::FileManager::Instance(&files);
    std::size_t i = 0;
    for (auto _ : state) {
        std::unique_ptr<Vantor::FileBinary> entry(files.OpenFile(L"data\\" + folder.Name(i++), false, 0, 0));
        benchmark::DoNotOptimize(entry->GetSize());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_FileManagerOpenFile)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::o1);

}  // namespace
