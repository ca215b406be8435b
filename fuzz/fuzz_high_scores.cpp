// Fuzzes the high-score table reader (`GameFramework::HighScoresTable`,
// "high_scores.hsf"): whatever the table made of the input (read, or set aside and
// replaced) must save, load again and save to the same bytes, and an insertion must
// keep its mode within the limit.

#include <cstddef>
#include <cstdint>

#include "framework/HighScoresTable.h"
#include "fuzz/player_file_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzzing::PlayerDataWorkspace workspace;
    constexpr int kLimit = 3;
    workspace.WriteFile("user/high_scores.hsf", data, size);
    {
        GameFramework::HighScoresTable table(kLimit, workspace.Folder());
        workspace.ExpectStableSave(
            "user/high_scores.hsf", [&] { return table.Save(); },
            [&] { return GameFramework::HighScoresTable(kLimit, workspace.Folder()).Save(); });
        table.Insert(L"Anna", 0, 1000);
        if (table.GetCount(0) > kLimit) std::abort();
    }
    workspace.Reset();
    return 0;
}
