#pragma once
// The level manager's record of one stage, made by the game's factory.

#include <cstdint>

namespace GameTools {
class XMLNode;
}

namespace GameFramework {

struct StageEntry {
    std::int32_t index = 0;
    std::int32_t levelCount = 0;
    // The stage's element, owned by the level manager's tree.
    GameTools::XMLNode* node = nullptr;
};

}  // namespace GameFramework
