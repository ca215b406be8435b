#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "content/OggVorbisWriter.h"
#include "content/SoundScore.h"
#include "engine/kernel/Error.h"
#include "engine/sound/SoundFileReaderOGG.h"
#include "tests/content/ContentTestSupport.h"

namespace {

using Content::AudioMix;
using Content::SoundScore;
using testing::HasSubstr;

constexpr int kRate = SoundScore::kSampleRate;

std::string ErrorOf(const std::string& score) {
    try {
        SoundScore::Render(score, "sounds/x.score", 1);
    } catch (const Vantor::Error& error) {
        return error.GetText();
    }
    return "";
}

TEST(SoundScore, A440HzToneHasItsPeriodAndItsPeak) {
    const AudioMix mix = SoundScore::Render(
        "sound length=1 peak=0.5\ntone for=1 from=440 attack=0 decay=0 sustain=1 release=0\n", "a.score", 1);
    ASSERT_EQ(1, mix.Channels());
    ASSERT_EQ(static_cast<std::size_t>(kRate), mix.Frames());
    // Rising zero crossings: 440 of them in one second, evenly spaced.
    std::vector<std::size_t> rises;
    float peak = 0;
    for (std::size_t i = 1; i < mix.Frames(); ++i) {
        if (mix.Sample(i - 1, 0) < 0 && mix.Sample(i, 0) >= 0) rises.push_back(i);
        peak = std::max(peak, std::fabs(mix.Sample(i, 0)));
    }
    ASSERT_GE(rises.size(), 438u);
    const double period = static_cast<double>(rises.back() - rises.front()) / (rises.size() - 1);
    EXPECT_NEAR(kRate / 440.0, period, 0.05);
    EXPECT_FLOAT_EQ(0.5f, peak);
    const std::vector<std::int16_t> pcm = mix.Pcm16();
    EXPECT_EQ(16384, *std::max_element(pcm.begin(), pcm.end()));
}

TEST(SoundScore, NotesAreTunedFromA4) {
    EXPECT_DOUBLE_EQ(440.0, SoundScore::NoteFrequency("A4"));
    EXPECT_DOUBLE_EQ(880.0, SoundScore::NoteFrequency("A5"));
    EXPECT_NEAR(261.63, SoundScore::NoteFrequency("C4"), 0.01);
    EXPECT_NEAR(277.18, SoundScore::NoteFrequency("C#4"), 0.01);
    EXPECT_NEAR(466.16, SoundScore::NoteFrequency("Bb4"), 0.01);
    for (const char* bad : {"", "H4", "A", "A9", "A#", "A44"}) EXPECT_THROW(SoundScore::NoteFrequency(bad), Vantor::Error) << bad;
}

// A loop whose notes and echo run past its end: the tails continue at the start, so the
// last sample leads into the first as smoothly as any two neighbours.
TEST(SoundScore, ALoopJoinsItsEndToItsStartWithoutAStep) {
    const AudioMix mix = SoundScore::Render("sound channels=2 length=2 loop=1\n"
                                            "tempo 120\n"
                                            "voice pad wave=triangle attack=0.05 release=0.4 pan=-0.5\n"
                                            "notes voice=pad at=0.25 C4:1 E4:1 G4:1 C5:1.5\n"
                                            "tone at=1.8 for=0.6 wave=saw from=220 lowpass=1500\n"
                                            "echo delay=0.3 feedback=0.4\n",
                                            "loop.score", 7);
    ASSERT_EQ(static_cast<std::size_t>(2 * kRate), mix.Frames());
    const std::size_t last = mix.Frames() - 1;
    for (int c = 0; c < 2; ++c) {
        float largestStep = 0;
        for (std::size_t i = 1; i < mix.Frames(); ++i)
            largestStep = std::max(largestStep, std::fabs(mix.Sample(i, c) - mix.Sample(i - 1, c)));
        // The saw sounds at the loop point, so the join is not silent.
        EXPECT_GT(std::fabs(mix.Sample(0, c)), 0.01f);
        EXPECT_LE(std::fabs(mix.Sample(0, c) - mix.Sample(last, c)), largestStep);
    }
}

TEST(SoundScore, AOneShotSoundIsCutAtItsEnd) {
    const AudioMix mix = SoundScore::Render("sound length=0.1\ntone at=0.05 for=0.2 wave=square from=300\n", "s", 1);
    EXPECT_EQ(2205u, mix.Frames());
    EXPECT_EQ(0.0f, mix.Sample(10, 0));
}

TEST(SoundScore, NoiseDependsOnTheSeedOnly) {
    const std::string score = "sound length=0.2\ntone for=0.2 wave=noise highpass=2000\n";
    EXPECT_EQ(SoundScore::Render(score, "n", 5).Pcm16(), SoundScore::Render(score, "n", 5).Pcm16());
    EXPECT_NE(SoundScore::Render(score, "n", 5).Pcm16(), SoundScore::Render(score, "n", 6).Pcm16());
}

TEST(SoundScore, ABrokenStatementIsNamedWithItsLine) {
    struct Case {
        const char* score;
        const char* error;
    };
    for (const Case& c : {
             Case{"tone for=1\n", "sounds/x.score:1: the score starts with a \"sound\" line"},
             Case{"sound\nsound\n", "sounds/x.score:2: a second \"sound\" line"},
             Case{"sound channels=3\n", "sounds/x.score:1: a sound has 1 or 2 channels"},
             Case{"sound\n# fine\ntone wave=organ\n", "sounds/x.score:3: unknown wave \"organ\""},
             Case{"sound\ntone loudness=2\n", "sounds/x.score:2: unknown key \"loudness\""},
             Case{"sound\nnotes voice=lead C4:1\n", "sounds/x.score:2: unknown voice \"lead\""},
             Case{"sound\nnotes C4\n", "sounds/x.score:2: a note is <pitch>:<beats>: C4"},
             Case{"sound\ntone from=-5\n", "sounds/x.score:2: frequencies must be positive"},
             Case{"sound\nhum\n", "sounds/x.score:2: unknown statement \"hum\""},
             Case{"sound length=1\ntone for=700\n", "sounds/x.score:2: note times must lie between 0 and 600 s"},
             Case{"sound length=1\ntempo 0.001\nnotes C4:1\n", "sounds/x.score:3: note times must lie"},
             Case{"sound length=601\n", "sounds/x.score:1: a sound has 1 or 2 channels, a length up to 600 s"},
             Case{"sound\ntone gain=1e30\n", "sounds/x.score:2: gain lies in [0, 10]"},
             Case{"sound\necho feedback=1\n", "sounds/x.score:2: an echo has a positive delay"},
             Case{"", "sounds/x.score: the score starts with a \"sound\" line"},
         }) {
        EXPECT_THAT(ErrorOf(c.score), HasSubstr(c.error)) << c.score;
    }
}

// Mono effects and stereo music, encoded and decoded by the engine's reader: the rate
// and the length in samples survive.
TEST(SoundScore, EncodedSoundsReadBackAtTheirLength) {
    struct Case {
        const char* file;
        const char* score;
        int channels;
        std::size_t frames;
    };
    for (const Case& c : {Case{"audio/click.ogg", "sound length=0.15\ntone for=0.05 from=1200 to=600\n", 1, 3308},
                          Case{"audio/theme.ogg",
                               "sound channels=2 length=3 loop=1\nnotes at=0 wave=square C4+E4+G4:2 A3:4\n", 2,
                               3 * 22050}}) {
        SCOPED_TRACE(c.file);
        const AudioMix mix = SoundScore::Render(c.score, c.file, 3);
        ASSERT_EQ(c.frames, mix.Frames());
        const std::wstring path =
            contenttest::WriteData(c.file, Content::OggVorbisWriter::Encode(mix.Pcm16(), mix.Channels(), kRate, 0.4f, 99));
        Vantor::SoundFileReaderOGG reader(path);
        reader.Open();
        EXPECT_EQ(22050u, reader.GetSampleRate());
        EXPECT_EQ(static_cast<std::uint32_t>(c.channels), reader.GetChannels());
        EXPECT_EQ(c.frames * c.channels * 2, reader.GetTotalBytes());
        reader.Close();
    }
    EXPECT_TRUE(contenttest::TakeLoggedProblems().empty());
}

}  // namespace
