#include "tests/content/lint/SoundLint.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <sstream>

#include "engine/kernel/Error.h"
#include "engine/kernel/FileManager.h"
#include "engine/sound/SoundFileReaderOGG.h"
#include "tests/content/lint/LintSupport.h"
#include "tests/content/lint/LoudnessMeter.h"

namespace contentlint {

namespace {

struct Bounds {
    double peak;           // dBFS, at most
    double lowLoudness;    // LUFS
    double highLoudness;   // LUFS
    double shortest;       // seconds
    double longest;        // seconds
};

const Bounds& BoundsOf(SoundLint::Category category) {
    static const Bounds kInterface{-6.0, -24.0, -20.0, 0.0, 1.5}, kEffect{-3.0, -22.0, -18.0, 0.0, 1.5},
        kMusic{-1.0, -20.0, -16.0, 45.0, 120.0};
    switch (category) {
    case SoundLint::Category::Interface: return kInterface;
    case SoundLint::Category::Effect: return kEffect;
    default: return kMusic;
    }
}

std::string Fixed(double value) {
    std::ostringstream text;
    text.setf(std::ios::fixed);
    text.precision(1);
    text << value;
    return text.str();
}

// The jump that 99 % of the steps between neighbouring samples stay within.
float TypicalLargeStep(const std::vector<float>& samples) {
    std::vector<float> steps;
    for (std::size_t i = 1; i < samples.size(); ++i) steps.push_back(std::abs(samples[i] - samples[i - 1]));
    if (steps.empty()) return 0.0f;
    const std::size_t at = steps.size() * 99 / 100;
    std::nth_element(steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(at), steps.end());
    return steps[at];
}

SoundLint::Channels Decode(const std::string& file, int& sampleRate) {
    Vantor::SoundFileReaderOGG reader(Wide(file));
    reader.Open();
    if (reader.GetBitsPerSample() != 16) throw Vantor::Error("decodes to " + std::to_string(reader.GetBitsPerSample()) + " bits");
    sampleRate = static_cast<int>(reader.GetSampleRate());
    const std::uint32_t channels = reader.GetChannels();
    std::vector<std::uint8_t> bytes(reader.GetTotalBytes());
    std::uint32_t read = 0;
    bool end = false;
    reader.Read(bytes.data(), static_cast<std::uint32_t>(bytes.size()), read, end);
    reader.Close();
    SoundLint::Channels decoded(channels);
    const std::size_t frames = read / 2 / channels;
    for (std::size_t frame = 0; frame < frames; ++frame)
        for (std::uint32_t channel = 0; channel < channels; ++channel) {
            std::int16_t sample;
            std::memcpy(&sample, bytes.data() + (frame * channels + channel) * 2, 2);
            decoded[channel].push_back(sample / 32768.0f);
        }
    return decoded;
}

}  // namespace

const std::vector<SoundLint::Sound>& SoundLint::Sounds() {
    using C = Category;
    static const std::vector<Sound> sounds{
        {"audio\\menu\\button_select_0.ogg", C::Interface, false},
        {"audio\\menu\\button_select_1.ogg", C::Interface, false},
        {"audio\\menu\\button_click.ogg", C::Interface, false},
        {"audio\\menu\\edit_box_print.ogg", C::Interface, false},
        {"audio\\menu\\window_appear.ogg", C::Interface, false},
        {"audio\\menu\\volume_slider.ogg", C::Interface, true},
        {"audio\\menu\\balloon.ogg", C::Interface, false},
        {"audio\\menu\\tutorial.ogg", C::Interface, false},
        {"audio\\menu\\dremlock_logo.ogg", C::Effect, false},
        {"audio\\menu\\house_complete.ogg", C::Effect, false},
        {"audio\\menu\\house_no_money.ogg", C::Effect, false},
        {"audio\\menu\\house_upgrade.ogg", C::Effect, false},
        {"audio\\menu\\charge_money.ogg", C::Effect, true},
        {"audio\\menu\\charge_cafe_class.ogg", C::Effect, true},
        {"audio\\menu\\charge_qualification.ogg", C::Effect, true},
        {"audio\\menu\\get_new_cafe_class.ogg", C::Effect, false},
        {"audio\\menu\\get_new_qualification.ogg", C::Effect, false},
        {"audio\\menu\\change_mood_good.ogg", C::Effect, false},
        {"audio\\menu\\change_mood_bad.ogg", C::Effect, false},
        {"audio\\music\\menu_main.ogg", C::Music, true},
        {"audio\\music\\menu_intro.ogg", C::Music, true},
        {"audio\\music\\menu_final.ogg", C::Music, true},
        {"audio\\music\\menu_building.ogg", C::Music, true},
        {"audio\\music\\menu_upgrade.ogg", C::Music, true},
        {"audio\\music\\game0.ogg", C::Music, true},
        {"audio\\music\\game1.ogg", C::Music, true},
        {"audio\\game\\level_complete.ogg", C::Effect, false},
        {"audio\\game\\customer_appear.ogg", C::Effect, false},
        {"audio\\game\\customer_disappear_good.ogg", C::Effect, false},
        {"audio\\game\\customer_disappear_bad.ogg", C::Effect, false},
        {"audio\\game\\cursor_good.ogg", C::Effect, false},
        {"audio\\game\\cursor_deliver.ogg", C::Effect, false},
        {"audio\\game\\cursor_bad.ogg", C::Effect, false},
        {"audio\\game\\machine_dustbin.ogg", C::Effect, false},
        {"audio\\game\\machine_cola.ogg", C::Effect, false},
        {"audio\\game\\machine_coffee.ogg", C::Effect, false},
        {"audio\\game\\machine_cream.ogg", C::Effect, false},
        {"audio\\game\\machine_ice_cream.ogg", C::Effect, false},
        {"audio\\game\\machine_candyfloss.ogg", C::Effect, false},
        {"audio\\game\\machine_pop_corn.ogg", C::Effect, false},
        {"audio\\game\\time_complete.ogg", C::Effect, false},
    };
    return sounds;
}

std::vector<std::string> SoundLint::Check(const Sound& sound, const Channels& channels, int sampleRate) {
    std::vector<std::string> problems;
    const Bounds& bounds = BoundsOf(sound.category);
    const double seconds = channels.empty() ? 0.0 : static_cast<double>(channels[0].size()) / sampleRate;
    if (seconds <= bounds.shortest || seconds > bounds.longest)
        problems.push_back(Fixed(seconds) + " s long, outside " + Fixed(bounds.shortest) + " to " +
                           Fixed(bounds.longest) + " s");
    const double peak = LoudnessMeter::PeakDecibels(channels);
    if (peak > bounds.peak) problems.push_back("peak " + Fixed(peak) + " dBFS, above " + Fixed(bounds.peak));
    const double loudness = LoudnessMeter::Integrated(channels, sampleRate);
    if (!(loudness >= bounds.lowLoudness && loudness <= bounds.highLoudness))
        problems.push_back("loudness " + Fixed(loudness) + " LUFS, outside " + Fixed(bounds.lowLoudness) + " to " +
                           Fixed(bounds.highLoudness));
    if (sound.loops)
        for (const std::vector<float>& channel : channels) {
            if (channel.size() < 2) continue;
            const float seam = std::abs(channel.front() - channel.back());
            if (seam > TypicalLargeStep(channel) + 1.0f / 32768.0f) {
                problems.push_back("the loop's seam steps by " + std::to_string(seam));
                break;
            }
        }
    return problems;
}

std::vector<std::string> SoundLint::Run() const {
    std::vector<std::string> problems;
    for (const Sound& sound : Sounds()) {
        if (!Vantor::FileManager::Instance()->Exists(Vantor::FileManager::Instance()->GetDataPath(Wide(sound.file)))) {
            problems.push_back(sound.file + ": the game's sound is missing");
            continue;
        }
        try {
            int sampleRate = 0;
            const Channels channels = Decode(sound.file, sampleRate);
            for (const std::string& problem : Check(sound, channels, sampleRate))
                problems.push_back(sound.file + ": " + problem);
        } catch (const Vantor::Error& error) {
            problems.push_back(sound.file + ": " + error.GetText());
        }
    }
    return problems;
}

}  // namespace contentlint
