#pragma once
// The data set the replayed days run on, written below the file manager's base folder:
// a small café whose names are those the day's tutorial script looks for.
//
// Ingredients and distributors of the same names: cracker_waffle, jelly_green,
// cracker_chocolate, cracker_fancy, jelly_red (no machine needed) and coffee_cup (needs
// the machine coffee_black). Foods: cake_13 (waffle, green jelly, chocolate), cake_07
// (fancy, red jelly, fancy), cake_02 (waffle, red jelly), empty_cup (the cup, not
// orderable) and coffee_black (cup and coffee), which the machine coffee_black brews
// from empty_cup. Machines: dustbin and coffee_black. Customer types: student (must
// have cake), teacher (cake, coffee), pilot (must have coffee, cake) and baker (must
// have two cakes and a coffee). Two cafe classes (prices x1 and x1.5). Three customer
// places side by side, distributors in a row above them, the machines on the right.

#include <string>

#include "tests/game/GameDataFolder.h"

namespace replay {

struct ReplayDataOptions {
    // The room's day length before the cafe class's multiplier.
    float dayTime = 30.0f;
    // How long the coffee machine brews.
    float brewTime = 0.5f;
    // The customers' patience at the cafe moods 0 and 1.
    float minMoodTime = 20.0f;
    float maxMoodTime = 40.0f;
};

class ReplayData {
public:
    static constexpr unsigned kPlaces = 3;
    // The names in the room, in definition order.
    static constexpr const char* kDistributors[] = {"cracker_waffle", "jelly_green", "cracker_chocolate",
                                                    "cracker_fancy",  "jelly_red",   "coffee_cup"};
    static constexpr const char* kCustomerTypes[] = {"student", "teacher", "pilot", "baker"};

    static gametest::Definitions Definitions(const ReplayDataOptions& options);
    // The definitions, the house pack, the room's background, fonts and texts, and the
    // resource list of every model, material and particle system at the path.
    static void Write(const std::wstring& resourceList, const ReplayDataOptions& options = {});
    // The text table: the day's texts and the test game's title.
    static std::string Texts();
};

}  // namespace replay
