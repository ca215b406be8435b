#pragma once
// The replayed days' fixture over the data set make_data built for the test run.

#include <filesystem>
#include <memory>

#include "tests/game/replay/ReplayDayFixture.h"

namespace replay {

class DataSetDayFixture : public ReplayDayFixture {
protected:
    void SetUp() override {
        ReplayDayFixture::SetUp();
        ASSERT_TRUE(std::filesystem::is_directory(MORVANE_DATA_SET_FOLDER))
            << "make_data has not built " << MORVANE_DATA_SET_FOLDER;
    }
    std::unique_ptr<ReplayGame> MakeGame(enginetest::EngineFolder& folder) override {
        return std::make_unique<ReplayGame>(folder.folder, folder.root, std::filesystem::path(MORVANE_DATA_SET_FOLDER));
    }
};

}  // namespace replay
