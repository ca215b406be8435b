#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>

#include "tests/content/lint/DataLint.h"
#include "tests/content/lint/LoudnessMeter.h"
#include "tests/content/lint/SoundLint.h"

namespace {

using contentlint::LoudnessMeter;
using contentlint::SoundLint;
using testing::Contains;
using testing::HasSubstr;
using testing::IsEmpty;

constexpr int kRate = 22050;

TEST(SoundLint, TheBuiltDataSetsSoundsAreThereAndWithinTheirBounds) {
    const std::filesystem::path data = MORVANE_DATA_SET_FOLDER;
    ASSERT_TRUE(std::filesystem::is_directory(data)) << "make_data has not built " << data;
    contentlint::DataLint::Engine engine(data);
    EXPECT_THAT(SoundLint().Run(), IsEmpty());
}

std::vector<float> Sine(double frequency, double amplitude, double seconds) {
    std::vector<float> samples(static_cast<std::size_t>(seconds * kRate));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * frequency * i / kRate));
    return samples;
}

TEST(LoudnessMeter, ASineAtTheReferenceFrequencyMeasuresItsLevelLessThreeDecibels) {
    // A 997 Hz sine of amplitude 0.1 (-20 dBFS) in one channel: -23 LUFS; in two: -20.
    const std::vector<float> sine = Sine(997.0, 0.1, 3.0);
    EXPECT_NEAR(LoudnessMeter::Integrated({sine}, kRate), -23.0, 0.2);
    EXPECT_NEAR(LoudnessMeter::Integrated({sine, sine}, kRate), -20.0, 0.2);
    EXPECT_NEAR(LoudnessMeter::PeakDecibels({sine}), -20.0, 0.05);
    // Shorter than a block: measured whole.
    EXPECT_NEAR(LoudnessMeter::Integrated({Sine(997.0, 0.1, 0.2)}, kRate), -23.0, 0.3);
    EXPECT_FALSE(std::isfinite(LoudnessMeter::Integrated({std::vector<float>(kRate, 0.0f)}, kRate)));
}

TEST(LoudnessMeter, QuietStretchesDoNotPullTheLoudnessDown) {
    std::vector<float> sound = Sine(997.0, 0.1, 2.0);
    sound.resize(sound.size() * 3, 0.0f);
    EXPECT_NEAR(LoudnessMeter::Integrated({sound}, kRate), -23.0, 0.5);
}

TEST(SoundLint, EachBoundNamesItsProblem) {
    using C = SoundLint::Category;
    // 441 Hz fits 441 whole cycles into a second: a seamless loop.
    const std::vector<float> seamless = Sine(441.0, 0.15, 1.0);
    std::vector<float> cut = seamless;
    cut.resize(cut.size() - 12);
    struct Case {
        C category;
        bool loops;
        std::vector<float> samples;
        std::string problem;  // empty: none
    };
    const std::vector<Case> cases{
        {C::Effect, true, seamless, ""},
        {C::Effect, true, cut, "the loop's seam steps by"},
        {C::Effect, false, Sine(441.0, 0.9, 1.0), "peak -0.9 dBFS, above -3.0"},
        {C::Interface, false, Sine(441.0, 0.4, 1.0), "LUFS, outside -24.0 to -20.0"},
        {C::Effect, false, Sine(441.0, 0.12, 2.0), "2.0 s long, outside 0.0 to 1.5 s"},
        {C::Music, true, Sine(441.0, 0.15, 10.0), "10.0 s long, outside 45.0 to 120.0 s"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.problem);
        const std::vector<std::string> problems = SoundLint::Check({"a", c.category, c.loops}, {c.samples}, kRate);
        if (c.problem.empty()) EXPECT_THAT(problems, IsEmpty());
        else EXPECT_THAT(problems, Contains(HasSubstr(c.problem)));
    }
}

}  // namespace
