#pragma once
// The level manager's record of one level, made by the game's factory.

#include "framework/LevelKey.h"

namespace GameTools {
class XMLNode;
}

namespace GameFramework {

struct LevelEntry {
    LevelKey key;
    // The level's element, owned by the level manager's tree.
    GameTools::XMLNode* node = nullptr;
};

}  // namespace GameFramework
