#include "framework/LevelManagerBase.h"

#include "engine/kernel/ContainerHelpers.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"
#include "framework/LevelEntry.h"
#include "framework/StageEntry.h"
#include "tools/XMLNode.h"
#include "tools/XMLParser.h"

namespace GameFramework {

namespace {

const wchar_t kLevelsPath[] = L"data\\levels\\levels.xml";
const char kFormatError[] = "Incorrect \"data\\levels\\levels.xml\" file format";

std::string Decimal(std::size_t value) { return Vantor::ToString(static_cast<unsigned int>(value), 0); }

}  // namespace

LevelManagerBase::~LevelManagerBase() {
    Vantor::DeleteAllAndClear(stages_);
    for (std::vector<LevelEntry*>& stage : levels_) Vantor::DeleteAllAndClear(stage);
    delete tree_;
}

void LevelManagerBase::GetLevelResourceLists(const LevelKey&, std::vector<std::wstring>&) {}

void LevelManagerBase::Load() {
    try {
        GameTools::XMLParser parser;
        parser.ParseFile(tree_, kLevelsPath);
        if (tree_ == nullptr || tree_->children.empty() || tree_->children.size() > kMaxEntries)
            throw Vantor::FileError(kFormatError);
        BuildEntries();
    } catch (const Vantor::FileError& error) {
        Vantor::MessageManager::Instance()->PrintFatalError(error.GetText());
    }
    std::size_t levelCount = 0;
    for (const std::vector<LevelEntry*>& stage : levels_) levelCount += stage.size();
    Vantor::MessageManager::Instance()->PrintMessage("\nLevel Manager: Found " + Decimal(stages_.size()) +
                                                     " stages with " + Decimal(levelCount) + " levels...");
}

void LevelManagerBase::BuildEntries() {
    const std::vector<GameTools::XMLNode*>& stageNodes = tree_->children;
    for (const GameTools::XMLNode* stageNode : stageNodes)
        if (stageNode->children.size() > kMaxEntries) throw Vantor::FileError(kFormatError);

    stages_.resize(stageNodes.size(), nullptr);
    levels_.resize(stageNodes.size());
    for (std::size_t i = 0; i < stageNodes.size(); ++i) {
        StageEntry* stage = CreateStageRecord();
        stage->index = static_cast<std::int32_t>(i);
        stages_[i] = stage;
        SetStageNode(stage, stageNodes[i]);
        const std::vector<GameTools::XMLNode*>& levelNodes = stageNodes[i]->children;
        stage->levelCount = static_cast<std::int32_t>(levelNodes.size());
        levels_[i].resize(levelNodes.size(), nullptr);
        for (std::size_t j = 0; j < levelNodes.size(); ++j) {
            LevelEntry* level = CreateLevelRecord();
            levels_[i][j] = level;
            level->key = LevelKey{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(j)};
            SetLevelNode(level, levelNodes[j]);
        }
    }
}

void LevelManagerBase::SetStageNode(StageEntry* entry, GameTools::XMLNode* node) {
    entry->node = node;
    entry->levelCount = 0;
}

void LevelManagerBase::SetLevelNode(LevelEntry* entry, GameTools::XMLNode* node) { entry->node = node; }

bool LevelManagerBase::IsLastLevel(const LevelKey& key) const {
    if (!IsLoaded(key)) {
        ReportUnknown(key);
        return true;
    }
    return key.level + 1u == levels_[key.stage].size() && NextStageWithLevels(key.stage) == levels_.size();
}

LevelKey LevelManagerBase::GetNextLevel(const LevelKey& key) const {
    if (!IsLoaded(key)) {
        ReportUnknown(key);
        return key;
    }
    if (key.level + 1u < levels_[key.stage].size()) return LevelKey{key.stage, static_cast<std::uint8_t>(key.level + 1)};
    const std::size_t next = NextStageWithLevels(key.stage);
    return next < levels_.size() ? LevelKey{static_cast<std::uint8_t>(next), 0} : key;
}

LevelKey LevelManagerBase::GetPreviousLevel(const LevelKey& key) const {
    if (!IsLoaded(key)) {
        ReportUnknown(key);
        return key;
    }
    if (key.level > 0) return LevelKey{key.stage, static_cast<std::uint8_t>(key.level - 1)};
    for (std::size_t stage = key.stage; stage-- > 0;)
        if (!levels_[stage].empty())
            return LevelKey{static_cast<std::uint8_t>(stage), static_cast<std::uint8_t>(levels_[stage].size() - 1)};
    return key;
}

const StageEntry* LevelManagerBase::GetStage(std::size_t index) const {
    return index < stages_.size() ? stages_[index] : nullptr;
}

const LevelEntry* LevelManagerBase::GetLevel(const LevelKey& key) const {
    return IsLoaded(key) ? levels_[key.stage][key.level] : nullptr;
}

bool LevelManagerBase::IsLoaded(const LevelKey& key) const {
    return key.stage < levels_.size() && key.level < levels_[key.stage].size();
}

void LevelManagerBase::ReportUnknown(const LevelKey& key) const {
    Vantor::MessageManager::Instance()->PrintError("Level Manager: no level " + Decimal(key.level) + " in stage " +
                                                   Decimal(key.stage));
}

std::size_t LevelManagerBase::NextStageWithLevels(std::size_t stage) const {
    std::size_t next = stage + 1;
    while (next < levels_.size() && levels_[next].empty()) ++next;
    return next;
}

}  // namespace GameFramework
