#include "framework/CheatPhrase.h"

#include <string_view>
#include <vector>

#include "engine/input/Controls.h"

namespace GameFramework {

namespace {

struct WatchedKey {
    std::string name;
    char character;
};

// The phrase's distinct letters in the order they first appear, then the space bar.
const std::vector<WatchedKey>& WatchedKeys() {
    static const std::vector<WatchedKey> keys = [] {
        std::vector<WatchedKey> made;
        bool hasSpace = false;
        for (char c : std::string_view(CheatPhrase::kPhrase)) {
            if (c == ' ') {
                hasSpace = true;
                continue;
            }
            bool seen = false;
            for (const WatchedKey& key : made) seen = seen || key.character == c;
            if (!seen) made.push_back({std::string(1, static_cast<char>(c - 'a' + 'A')), c});
        }
        if (hasSpace) made.push_back({"SPACE", ' '});
        return made;
    }();
    return keys;
}

}  // namespace

bool CheatPhrase::Take(const Vantor::Controls& controls) {
    const WatchedKey* pressed = nullptr;
    for (const WatchedKey& key : WatchedKeys()) {
        if (controls.IsKeyPressed(key.name)) {
            pressed = &key;
            break;
        }
    }
    if (!pressed) return false;

    const std::string_view phrase = kPhrase;
    typed_ += pressed->character;
    if (typed_ == phrase) {
        typed_.clear();
        return true;
    }
    if (typed_.front() != phrase.front() || phrase.find(typed_) == std::string_view::npos) {
        // The phrase's first letter pressed in this frame begins the next attempt.
        const WatchedKey& first = WatchedKeys().front();
        typed_ = controls.IsKeyPressed(first.name) ? std::string(1, first.character) : std::string();
    }
    return false;
}

}  // namespace GameFramework
