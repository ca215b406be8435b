#include "game/GameLogicData.h"

namespace Morvane {

namespace {

constexpr int kFirstExtraStep = GameTools::DataKeeper::kResourceSteps + 1;

}  // namespace

GameLogicData::GameLogicData(const GameFramework::StageEntry* stage, const GameFramework::LevelEntry* level)
    : stage_(stage), level_(level) {}

bool GameLogicData::LoadExtraStep(int step) {
    DataKeeper::LoadExtraStep(step);
    return step == kFirstExtraStep || step == kAllExtraSteps;
}

}  // namespace Morvane
