#include "engine/kernel/Random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kMultiplier = 1664525u;
constexpr uint32_t kIncrement = 1013904223u;

// The generator's formula, written out independently of the engine.
struct ReferenceGenerator {
    uint32_t state;
    uint32_t Next() {
        state = state * kMultiplier + kIncrement;
        return (state >> 16) % 32768u;
    }
};

// The seed after which the generator's next state is `target`.
uint32_t SeedReachingState(uint32_t target) {
    uint32_t inverse = kMultiplier;  // Newton's iteration for the inverse modulo 2^32
    for (int i = 0; i < 5; ++i) inverse *= 2u - kMultiplier * inverse;
    return (target - kIncrement) * inverse - 1u;
}

TEST(Random, FirstDrawsAfterTheEngineSeed) {
    Vantor::SeedRandom(1234);
    const std::vector<uint32_t> expected = {14070, 19511, 28459, 25105, 30795, 2931};
    for (uint32_t value : expected) EXPECT_EQ(Vantor::Random(), value);
}

TEST(Random, FollowsTheFormulaFromAnySeed) {
    for (uint32_t seed : {0u, 7u, 0xFFFFFFFEu, 0xFFFFFFFFu}) {
        Vantor::SeedRandom(seed);
        ReferenceGenerator reference{seed + 1};
        for (int i = 0; i < 100; ++i) ASSERT_EQ(Vantor::Random(), reference.Next()) << "seed " << seed;
    }
}

// Each helper maps the first draw after the seed by its formula and takes exactly
// that one draw: the next Random() is the generator's second draw.
TEST(Random, EachHelperTakesOneDrawByItsFormula) {
    int a = 1, b = 2, c = 3;
    const std::vector<int*> pointers = {&a, &b, &c};
    const std::vector<std::string> names = {"x", "y", "z", "w"};

    struct Case {
        const char* name;
        std::function<bool(uint32_t draw)> matches;
    };
    const auto asFloat = [](uint32_t d) { return static_cast<float>(d / 32767.0); };
    const std::vector<Case> cases = {
        {"RandomFloat", [&](uint32_t d) { return Vantor::RandomFloat() == asFloat(d); }},
        {"RandomInt", [&](uint32_t d) { return Vantor::RandomInt(10) == d % 10; }},
        {"RandomBool", [&](uint32_t d) { return Vantor::RandomBool() == (d % 2 == 0); }},
        {"RandomRange int", [&](uint32_t d) { return Vantor::RandomRange(-5, 5) == -5 + static_cast<int>(d % 11); }},
        {"RandomRange single", [&](uint32_t) { return Vantor::RandomRange(3, 3) == 3; }},
        {"RandomRange float",
         [&](uint32_t d) {
             return Vantor::RandomRange(2.0f, 6.0f) == static_cast<float>(2.0 + double(asFloat(d)) * 4.0);
         }},
        {"RandomSigned",
         [&](uint32_t d) { return Vantor::RandomSigned() == static_cast<float>(2.0 * asFloat(d) - 1.0); }},
        {"RandomAround",
         [&](uint32_t d) {
             const float signedValue = static_cast<float>(2.0 * asFloat(d) - 1.0);
             return Vantor::RandomAround(10.0f, 2.5f) == static_cast<float>(double(signedValue) * 2.5 + 10.0);
         }},
        {"RandomElement pointers", [&](uint32_t d) { return Vantor::RandomElement(pointers) == pointers[d % 3]; }},
        {"RandomElement strings", [&](uint32_t d) { return Vantor::RandomElement(names) == names[d % 4]; }},
    };
    for (const Case& test : cases) {
        Vantor::SeedRandom(1234);
        ReferenceGenerator reference{1235};
        const uint32_t first = reference.Next();
        EXPECT_TRUE(test.matches(first)) << test.name;
        EXPECT_EQ(Vantor::Random(), reference.Next()) << test.name << " took more or fewer than one draw";
    }
}

TEST(Random, FloatReachesBothEnds) {
    Vantor::SeedRandom(SeedReachingState(0x7FFF0000u));  // draw 32767
    EXPECT_EQ(Vantor::RandomFloat(), 1.0f);
    Vantor::SeedRandom(SeedReachingState(0x00000000u));  // draw 0
    EXPECT_EQ(Vantor::RandomFloat(), 0.0f);
}

TEST(Random, ShuffleSwapsByTheFormulaWithOneDrawPerElementButTheFirst) {
    int items[6] = {};
    std::vector<int*> shuffled;
    for (int& item : items) shuffled.push_back(&item);
    std::vector<int*> expected = shuffled;

    Vantor::SeedRandom(99);
    ReferenceGenerator reference{100};
    Vantor::RandomShuffle(shuffled);
    for (size_t k = 1; k < expected.size(); ++k) std::swap(expected[k], expected[reference.Next() % (k + 1)]);

    EXPECT_EQ(shuffled, expected);
    EXPECT_EQ(Vantor::Random(), reference.Next());
}

TEST(Random, ShuffleOfOneOrNoElementDrawsNothing) {
    int only = 0;
    std::vector<int*> one = {&only};
    std::vector<int*> none;
    Vantor::SeedRandom(5);
    Vantor::RandomShuffle(one);
    Vantor::RandomShuffle(none);
    EXPECT_EQ(one, std::vector<int*>{&only});
    ReferenceGenerator reference{6};
    EXPECT_EQ(Vantor::Random(), reference.Next());
}

// Empty ranges and bounds given the wrong way round still take one draw and stay
// in range instead of dividing by zero.
TEST(Random, DegenerateArgumentsAreSafe) {
    Vantor::SeedRandom(1);
    ReferenceGenerator reference{2};

    EXPECT_EQ(Vantor::RandomInt(0), 0u);
    reference.Next();
    const int swapped = Vantor::RandomRange(5, 1);
    EXPECT_EQ(swapped, 1 + static_cast<int>(reference.Next() % 5));
    const int widest = Vantor::RandomRange(INT_MIN, INT_MAX);
    EXPECT_EQ(widest, INT_MIN + static_cast<int>(reference.Next()));
    EXPECT_EQ(Vantor::RandomElement(std::vector<int*>{}), nullptr);
    reference.Next();
    EXPECT_EQ(Vantor::RandomElement(std::vector<std::string>{}), "");
    reference.Next();
    EXPECT_EQ(Vantor::Random(), reference.Next());
}

}  // namespace
