#pragma once
// What the sound tests share: an engine kernel of their own (log, file manager over a
// temporary base folder with a "data" folder, timer manager), the headless virtual
// clock, sound files written below the data folder, and PCM that shows any sample out
// of place.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "content/OggVorbisWriter.h"
#include "content/PackWriter.h"
#include "content/WavWriter.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/TimerManager.h"
#include "engine/sound/SoundBuffer.h"
#include "platform/Clock.h"
#include "platform/FailureInjection.h"
#include "platform/WinPaths.h"
#include "tests/support/TempFolder.h"

namespace soundtest {

using Bytes = std::vector<std::uint8_t>;

// A window handle for the cooperative level; the device only needs one that is set.
inline HWND GameWindow() {
    static HWND__ window{};
    return &window;
}

// Interleaved samples from a fixed pseudo-random sequence: no two neighbours alike.
inline std::vector<std::int16_t> Noise(std::size_t count, std::uint32_t seed = 1) {
    std::vector<std::int16_t> samples(count);
    for (std::int16_t& sample : samples) {
        seed = seed * 1664525u + 1013904223u;
        sample = static_cast<std::int16_t>(seed >> 16);
    }
    return samples;
}

inline Bytes NoiseBytes(std::size_t count, std::uint32_t seed = 1) {
    Bytes bytes(count);
    for (std::uint8_t& byte : bytes) {
        seed = seed * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(seed >> 16);
    }
    return bytes;
}

inline std::string ToString(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

// The log is made once and never deleted, so no test leaves the holder pointing at a
// deleted one; each fixture empties its list.
inline Vantor::MessageManager& SharedLog() {
    static Vantor::MessageManager* log = new Vantor::MessageManager(L"tests", false, false, L"", L"tests");
    Vantor::MessageManager::Instance(log);
    return *log;
}

class SoundKernelTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::seam::SetVirtualTime(0);
        SharedLog().ClearMessages();
        RestartFileManager();
        timers_ = std::make_unique<Vantor::TimerManager>();
        Vantor::TimerManager::Instance(timers_.get());
        SharedLog().ClearMessages();
    }

    void TearDown() override { platform::seam::ClearInjectedFailures(); }

    // Writes a file below the data folder; the name uses slashes.
    void WriteData(const std::string& name, const Bytes& bytes) const {
        temp_.WriteFile("data/" + name, ToString(bytes));
    }

    void WritePack(const std::string& name, const std::string& entry, const Bytes& bytes) const {
        Content::PackWriter writer;
        writer.Add(entry, bytes);
        WriteData(name, writer.Build());
    }

    // The file manager looks for packs when it is made.
    void RestartFileManager() {
        files_ = std::make_unique<Vantor::FileManager>(platform::ToWindowsPath(temp_.Path().string()), true, L"data");
        Vantor::FileManager::Instance(files_.get());
    }

    static std::vector<std::string> Logged() {
        std::vector<std::string> texts;
        for (const Vantor::LogMessage* message : SharedLog().GetMessages()) texts.push_back(message->text);
        return texts;
    }

    // The texts of the error lines, without the log's framing.
    static std::vector<std::string> Errors() {
        const std::string prefix = "\nError: ";
        const std::string suffix = "!\n\n";
        std::vector<std::string> texts;
        for (const Vantor::LogMessage* message : SharedLog().GetMessages()) {
            if (message->kind != Vantor::MessageKind::Error) continue;
            std::string text = message->text;
            if (text.rfind(prefix, 0) == 0) text.erase(0, prefix.size());
            if (text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0)
                text.erase(text.size() - suffix.size());
            texts.push_back(text);
        }
        return texts;
    }

    testsupport::TempFolder temp_;
    std::unique_ptr<Vantor::FileManager> files_;
    std::unique_ptr<Vantor::TimerManager> timers_;
    // The buffer manager's scratch area, lent to every buffer.
    std::vector<std::uint8_t> scratch_ = std::vector<std::uint8_t>(Vantor::SoundBuffer::kRingSize);
};

}  // namespace soundtest
