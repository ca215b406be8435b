// The level list: stages and levels read from "data\levels\levels.xml" whatever their
// element names, the next and the last level, and the files the game cannot run with.

#include "framework/LevelManagerBase.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/kernel/FatalError.h"
#include "framework/LevelEntry.h"
#include "framework/StageEntry.h"
#include "tests/engine/kernel/EngineTestSupport.h"
#include "tools/XMLNode.h"

namespace {

using GameFramework::LevelKey;

class TestLevelManager : public GameFramework::LevelManagerBase {
public:
    TestLevelManager() { Load(); }

protected:
    GameFramework::StageEntry* CreateStageRecord() override { return new GameFramework::StageEntry; }
    GameFramework::LevelEntry* CreateLevelRecord() override { return new GameFramework::LevelEntry; }
};

// Stages of the given level counts; element names differ at every level of the tree.
std::string LevelsFile(const std::vector<int>& levelCounts) {
    std::string xml = "<campaign>";
    for (std::size_t stage = 0; stage < levelCounts.size(); ++stage) {
        xml += "<day" + std::to_string(stage) + ">";
        for (int level = 0; level < levelCounts[stage]; ++level)
            xml += level % 2 ? "<shift n=\"" + std::to_string(level) + "\"/>" : "<level n=\"" + std::to_string(level) + "\"/>";
        xml += "</day" + std::to_string(stage) + ">";
    }
    return xml + "</campaign>";
}

class LevelManagerTest : public enginetest::KernelManagersTest {
protected:
    std::unique_ptr<TestLevelManager> LoadLevels(const std::vector<int>& levelCounts) {
        home_.folder.WriteFile("data/levels/levels.xml", LevelsFile(levelCounts));
        return std::make_unique<TestLevelManager>();
    }

    static LevelKey Key(int stage, int level) {
        return LevelKey{static_cast<std::uint8_t>(stage), static_cast<std::uint8_t>(level)};
    }
};

TEST_F(LevelManagerTest, StagesAndLevelsComeInDocumentOrderWithTheirElements) {
    const auto levels = LoadLevels({4, 5, 6});
    EXPECT_TRUE(enginetest::Logged("\nLevel Manager: Found 3 stages with 15 levels...\n"));
    ASSERT_EQ(3u, levels->GetStageCount());
    for (int stage = 0; stage < 3; ++stage) {
        const GameFramework::StageEntry* entry = levels->GetStage(stage);
        EXPECT_EQ(stage, entry->index);
        EXPECT_EQ(4 + stage, entry->levelCount);
        EXPECT_EQ("day" + std::to_string(stage), entry->node->name);
        for (int level = 0; level < 4 + stage; ++level) {
            const GameFramework::LevelEntry* levelEntry = levels->GetLevel(Key(stage, level));
            ASSERT_NE(nullptr, levelEntry);
            EXPECT_EQ(Key(stage, level), levelEntry->key);
            EXPECT_EQ(level, levelEntry->node->GetAttribute("n", 0)->GetInt());
        }
    }
    EXPECT_EQ(nullptr, levels->GetLevel(Key(0, 4)));
    EXPECT_EQ(nullptr, levels->GetStage(3));
}

TEST_F(LevelManagerTest, NextLevelFollowsTheStagesAndStopsAtTheLast) {
    const auto levels = LoadLevels({4, 5, 6});
    EXPECT_EQ(Key(0, 1), levels->GetNextLevel(Key(0, 0)));
    EXPECT_EQ(Key(1, 0), levels->GetNextLevel(Key(0, 3)));
    EXPECT_EQ(Key(2, 5), levels->GetNextLevel(Key(2, 5)));
    EXPECT_TRUE(levels->IsLastLevel(Key(2, 5)));
    EXPECT_FALSE(levels->IsLastLevel(Key(1, 4)));
    EXPECT_FALSE(levels->IsLastLevel(Key(2, 4)));
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(LevelManagerTest, StagesWithoutLevelsArePassedOver) {
    const auto levels = LoadLevels({2, 0, 0, 1, 0});
    EXPECT_EQ(Key(3, 0), levels->GetNextLevel(Key(0, 1)));
    EXPECT_FALSE(levels->IsLastLevel(Key(0, 1)));
    EXPECT_TRUE(levels->IsLastLevel(Key(3, 0)));
    EXPECT_EQ(Key(3, 0), levels->GetNextLevel(Key(3, 0)));
}

TEST_F(LevelManagerTest, PreviousLevelGoesBackOverStagesWithoutLevels) {
    const auto levels = LoadLevels({0, 2, 0, 0, 3});
    EXPECT_EQ(Key(4, 1), levels->GetPreviousLevel(Key(4, 2)));
    EXPECT_EQ(Key(1, 1), levels->GetPreviousLevel(Key(4, 0))) << "never the level 255 of an empty stage";
    EXPECT_EQ(Key(1, 0), levels->GetPreviousLevel(Key(1, 0))) << "no level before the first";
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(LevelManagerTest, KeyOfNoLoadedLevelIsLoggedAndAnsweredUnchanged) {
    const auto levels = LoadLevels({2, 0});
    TakeErrors();
    for (const LevelKey key : {Key(0, 2), Key(1, 0), Key(7, 0)}) {
        EXPECT_EQ(key, levels->GetNextLevel(key));
        EXPECT_EQ(key, levels->GetPreviousLevel(key));
        EXPECT_TRUE(levels->IsLastLevel(key));
        EXPECT_EQ(3u, TakeErrors().size());
    }
}

TEST_F(LevelManagerTest, MissingFileEndsTheProgram) {
    EXPECT_THROW(TestLevelManager(), Vantor::FatalError);
    ASSERT_EQ(1u, Fatals().size());
    EXPECT_EQ("Failed to open \"data\\levels\\levels.xml\" file", Fatals()[0]);
}

TEST_F(LevelManagerTest, FilesWithoutStagesOrWithMoreThanKeysCanNameEndTheProgram) {
    const std::string formatError = "Incorrect \"data\\levels\\levels.xml\" file format";
    for (const std::string& xml : {std::string("<campaign/>"), LevelsFile(std::vector<int>(257, 1)),
                                   LevelsFile({1, 257})}) {
        log_->ClearMessages();
        home_.folder.WriteFile("data/levels/levels.xml", xml);
        EXPECT_THROW(TestLevelManager(), Vantor::FatalError);
        ASSERT_EQ(1u, Fatals().size());
        EXPECT_EQ(formatError, Fatals()[0]);
    }
    home_.folder.WriteFile("data/levels/levels.xml", LevelsFile({256, 1}));
    EXPECT_NO_THROW(TestLevelManager());
}

TEST_F(LevelManagerTest, MalformedXmlEndsTheProgram) {
    home_.folder.WriteFile("data/levels/levels.xml", "<campaign><day></campaign>");
    EXPECT_THROW(TestLevelManager(), Vantor::FatalError);
    EXPECT_EQ(1u, Fatals().size());
}

}  // namespace
