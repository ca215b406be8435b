// The high-score table: ranking and trimming per game mode, the file byte by byte,
// a fresh file at the first start, and damaged files set aside.

#include "framework/HighScoresTable.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/HighScoreEntry.h"
#include "tests/framework/PlayerDataTestSupport.h"

namespace {

using frameworktest::FileBytes;
using GameFramework::HighScoreEntry;
using GameFramework::HighScoresTable;

class HighScoresTableTest : public frameworktest::PlayerDataTest {
protected:
    std::unique_ptr<HighScoresTable> Table() { return std::make_unique<HighScoresTable>(10, Folder()); }

    // The scores of a mode in table order.
    static std::vector<int> Scores(const HighScoresTable& table, int key) {
        std::vector<int> scores;
        for (unsigned i = 0; i < table.GetCount(key); ++i) scores.push_back(table.GetEntry(key, i)->score);
        return scores;
    }

    static std::string EmptyFile() { return FileBytes().U32(0).U32(0).File("GFHSF", 101); }
};

TEST_F(HighScoresTableTest, FirstStartWritesAnEmptyFile) {
    const auto table = Table();
    EXPECT_EQ(0u, table->GetCount(0));
    EXPECT_EQ(21u, Read("high_scores.hsf").size());
    EXPECT_EQ(EmptyFile(), Read("high_scores.hsf"));
}

TEST_F(HighScoresTableTest, EqualScoreToTheLowestOfAFullModeDoesNotStay) {
    auto table = Table();
    for (int score = 10; score <= 100; score += 10) ASSERT_NE(nullptr, table->Insert(L"Anna", 0, score));
    const std::string full = Read("high_scores.hsf");

    EXPECT_EQ(nullptr, table->Insert(L"Bob", 0, 10));
    EXPECT_EQ((std::vector<int>{100, 90, 80, 70, 60, 50, 40, 30, 20, 10}), Scores(*table, 0));
    EXPECT_EQ(L"Anna", table->GetEntry(0, 9)->name);
    std::string expected = full;
    expected[13] = 11;  // the next number moved on
    EXPECT_EQ(expected, Read("high_scores.hsf"));
}

TEST_F(HighScoresTableTest, HigherScoreDropsTheNewestOfTheLowest) {
    auto table = Table();
    for (int i = 0; i < 8; ++i) table->Insert(L"Anna", 0, 50 + i);
    table->Insert(L"Old", 0, 10);
    table->Insert(L"New", 0, 10);
    for (int i = 0; i < 12; ++i) table->Insert(L"Carl", 1, i);

    HighScoreEntry* entry = table->Insert(L"Bob", 0, 55);
    ASSERT_NE(nullptr, entry);
    EXPECT_EQ(L"Bob", entry->name);
    EXPECT_EQ(entry, table->GetEntry(0, 3)) << "after the older 55";
    EXPECT_EQ(L"Old", table->GetEntry(0, 9)->name);
    EXPECT_EQ(10u, table->GetCount(0));
    EXPECT_EQ(10u, table->GetCount(1)) << "trimmed when its own scores came in";
    EXPECT_EQ(11, table->GetEntry(1, 0)->score);
    EXPECT_EQ(nullptr, table->GetEntry(1, 10));
    EXPECT_EQ(nullptr, table->GetEntry(2, 0));
}

TEST_F(HighScoresTableTest, InsertionTrimsOnlyItsOwnMode) {
    Write("high_scores.hsf", [] {
        FileBytes bytes;
        bytes.U32(12).U32(12);
        for (int i = 0; i < 12; ++i) bytes.Name(L"Anna").U32(3).U32(100 - i).U32(i);
        return bytes.File("GFHSF", 101);
    }());
    auto table = Table();
    EXPECT_EQ(12u, table->GetCount(3)) << "read as the file holds it";
    table->Insert(L"Bob", 4, 1);
    EXPECT_EQ(12u, table->GetCount(3));
    EXPECT_EQ(1u, table->GetCount(4));
}

TEST_F(HighScoresTableTest, HandMadeFileReadsBackAndIsWrittenTheSame) {
    const std::string file = FileBytes()
                                 .U32(7)
                                 .U32(3)
                                 .Name(L"Anna").U32(0).U32(900).U32(4)
                                 .Name(L"Bob").U32(1).U32(800).U32(6)
                                 .Name(L"").U32(0).U32(-5).U32(2)
                                 .File("GFHSF", 101);
    Write("high_scores.hsf", file);
    auto table = Table();
    ASSERT_EQ(2u, table->GetCount(0));
    EXPECT_EQ(L"Anna", table->GetEntry(0, 0)->name);
    EXPECT_EQ(4, table->GetEntry(0, 0)->number);
    EXPECT_EQ(-5, table->GetEntry(0, 1)->score);
    EXPECT_EQ(L"Bob", table->GetEntry(1, 0)->name);
    Write("high_scores.hsf", "");
    ASSERT_TRUE(table->Save());
    EXPECT_EQ(file, Read("high_scores.hsf"));
    EXPECT_EQ(7, table->Insert(L"Carl", 0, 1)->number);
}

TEST_F(HighScoresTableTest, ClearRestartsTheCounter) {
    auto table = Table();
    table->Insert(L"Anna", 0, 5);
    table->Clear();
    EXPECT_EQ(EmptyFile(), Read("high_scores.hsf"));
    EXPECT_EQ(0, table->Insert(L"Anna", 0, 5)->number);
}

TEST_F(HighScoresTableTest, DamagedFileIsSetAsideAndReplaced) {
    const std::string oldVersion = FileBytes().U32(1).U32(0).File("GFHSF", 100);
    const std::string hugeCount = FileBytes().U32(1).U32(50).File("GFHSF", 101);
    const std::string shortEntry = FileBytes().U32(1).U32(1).Name(L"Anna").File("GFHSF", 101);
    for (const std::string& damaged : {oldVersion, hugeCount, shortEntry}) {
        Write("high_scores.hsf", damaged);
        const auto table = Table();
        EXPECT_EQ(0u, table->GetCount(0));
        EXPECT_EQ(EmptyFile(), Read("high_scores.hsf"));
        EXPECT_EQ(damaged, Read("high_scores.hsf.damaged"));
        EXPECT_EQ(1u, Warnings().size());
        std::filesystem::remove(home_.folder.Path() / "user/high_scores.hsf.damaged");
        log_->ClearMessages();
    }
}

TEST_F(HighScoresTableTest, FailedSavesKeepThePreviousFile) {
    auto table = Table();
    table->Insert(L"Anna", 0, 5);
    ExpectFailedSavesKeepTheFile("high_scores.hsf", [&] { return table->Save(); });
}

}  // namespace
