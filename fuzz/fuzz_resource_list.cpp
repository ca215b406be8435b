// Fuzzes the data keeper's reading of resource lists: the input is a list below the
// data folder, read queued into a fresh keeper (a list that is not XML ends in the fatal
// error). Every queued entry must be whole: keyed, a shader entry with its material, any
// other with a file path. Nothing is created from the files the list names: those
// files' readers have fuzz targets of their own.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/kernel/FatalError.h"
#include "engine/kernel/MessageManager.h"
#include "fuzz/engine_fuzz_support.h"
#include "tools/DataKeeper.h"
#include "tools/ResourceLoadEntry.h"

using GameTools::ResourceLoadEntry;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzzing::EngineWorkspace workspace("data/ui");
    workspace.WriteFile("data/ui/list.xml", data, size);
    GameTools::DataKeeper keeper;
    try {
        keeper.LoadResourceList(L"data\\ui\\list.xml", false);
    } catch (const Vantor::FatalError&) {
        Vantor::MessageManager::Instance()->ClearMessages();
        return 0;
    }
    for (const ResourceLoadEntry* entry : keeper.GetPendingEntries()) {
        const bool whole = entry->kind == ResourceLoadEntry::kShader ? entry->descriptor != nullptr
                                                                     : !entry->path.empty();
        if (!whole || entry->keyless || entry->key.empty()) std::abort();
    }
    Vantor::MessageManager::Instance()->ClearMessages();
    return 0;
}
