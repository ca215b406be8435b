#pragma once
// Watches the keyboard for the secret phrase that switches cheat mode on. Only the
// phrase's own keys count: other typing between its letters leaves an attempt alone,
// while one of its keys in the wrong place spoils it (a spoiling first letter starts a
// new attempt at once).

#include <string>

namespace Vantor {
class Controls;
}

namespace GameFramework {

class CheatPhrase {
public:
    static constexpr const char* kPhrase = "my tiny goat";

    // Adds the character of this frame's first pressed watched key, at most one a
    // frame; true when that completed the phrase (the letters typed so far are then
    // forgotten).
    bool Take(const Vantor::Controls& controls);

    // The phrase's letters typed so far.
    const std::string& GetTyped() const { return typed_; }

private:
    std::string typed_;
};

}  // namespace GameFramework
