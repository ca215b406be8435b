#pragma once
// The framework's parts that live inside a running game: a whole engine in a private
// home (headless backend, virtual clock, headless sound mixer), its GUI screen of 800 x
// 600 units, frames of 0.02 s around the game's own update, and sound files below the
// data folder.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "content/WavWriter.h"
#include "engine/gui/GUIManager.h"
#include "engine/kernel/Engine.h"
#include "platform/Clock.h"
#include "tests/engine/kernel/EngineTestSupport.h"

namespace frameworktest {

class FrameworkEngineTest : public enginetest::EngineObjectTest {
protected:
    static constexpr std::uint64_t kFrameMicroseconds = 20000;
    static constexpr float kFrameSeconds = 0.02f;

    void TearDown() override {
        engine_.reset();
        EngineObjectTest::TearDown();
    }

    void MakeEngine() {
        platform::seam::SetVirtualTime(0);
        engine_ = std::make_unique<Vantor::Engine>(home_.Settings());
        Vantor::GUIManager::Instance()->SetScreenSize(800.0f, 600.0f);
    }

    // One frame: the clock moves on, the engine's frame start, the game's update, the
    // frame end (which replays the queued sound requests).
    void RunFrame() {
        platform::seam::AdvanceVirtualTime(kFrameMicroseconds);
        engine_->BeginFrame();
        if (gameUpdate) gameUpdate();
        engine_->EndFrame();
    }
    void RunFrames(int count) {
        for (int frame = 0; frame < count; ++frame) RunFrame();
    }
    // Frames until the given seconds have passed (rounded to whole frames).
    void RunFor(float seconds) { RunFrames(static_cast<int>(seconds / kFrameSeconds + 0.5f)); }

    // Stereo 16-bit noise at the output's own rate, so that a sound heard alone at full
    // volume is heard as its data; the data's samples are returned.
    std::vector<std::int16_t> WriteSound(const std::string& name, float seconds, std::uint32_t seed = 7) const {
        std::vector<std::int16_t> samples(static_cast<std::size_t>(seconds * 22050.0f) * 2);
        for (std::int16_t& sample : samples) {
            seed = seed * 1664525u + 1013904223u;
            sample = static_cast<std::int16_t>(seed >> 16);
        }
        const std::vector<std::uint8_t> wav = Content::WavWriter::Write({}, Content::WavWriter::SampleBytes(samples));
        home_.folder.WriteFile("data/audio/" + name, std::string(wav.begin(), wav.end()));
        return samples;
    }

    std::unique_ptr<Vantor::Engine> engine_;
    // The game's part of each frame.
    std::function<void()> gameUpdate;
};

}  // namespace frameworktest
