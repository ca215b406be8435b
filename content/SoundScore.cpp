#include "content/SoundScore.h"

#include <cmath>
#include <map>
#include <memory>
#include <sstream>

#include "content/SynthVoice.h"
#include "engine/kernel/Error.h"

namespace Content {

namespace {

using Fields = std::map<std::string, std::string>;

double Number(const std::string& text, const std::string& key) {
    std::size_t used = 0;
    double value = 0.0;
    try {
        value = std::stod(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size() || !std::isfinite(value)) throw Vantor::Error("\"" + key + "\" is not a number: " + text);
    return value;
}

double Take(Fields& fields, const std::string& key, double fallback) {
    auto found = fields.find(key);
    if (found == fields.end()) return fallback;
    const double value = Number(found->second, key);
    fields.erase(found);
    return value;
}

void ApplySettings(Fields& fields, SynthVoice::Settings& s) {
    if (auto wave = fields.find("wave"); wave != fields.end()) {
        s.wave = SynthVoice::WaveNamed(wave->second);
        fields.erase(wave);
    }
    s.from = Take(fields, "from", s.from);
    s.to = Take(fields, "to", s.to);
    s.gain = Take(fields, "gain", s.gain);
    s.attack = Take(fields, "attack", s.attack);
    s.decay = Take(fields, "decay", s.decay);
    s.sustain = Take(fields, "sustain", s.sustain);
    s.release = Take(fields, "release", s.release);
    s.lowPass = Take(fields, "lowpass", s.lowPass);
    s.highPass = Take(fields, "highpass", s.highPass);
    s.pan = Take(fields, "pan", s.pan);
    if (s.from <= 0 || s.to < 0 || s.attack < 0 || s.decay < 0 || s.release < 0 || s.lowPass < 0 || s.highPass < 0)
        throw Vantor::Error("frequencies must be positive and times not negative");
    // Bounded so that no mix overflows: the peak is normalised afterwards anyway.
    if (s.gain < 0 || s.gain > 10 || s.sustain < 0 || s.sustain > 1 || s.pan < -1 || s.pan > 1)
        throw Vantor::Error("gain lies in [0, 10], sustain in [0, 1] and pan in [-1, 1]");
}

void RequireEmpty(const Fields& fields) {
    if (!fields.empty()) throw Vantor::Error("unknown key \"" + fields.begin()->first + "\"");
}

// Renders statement by statement into the mix, which the "sound" line creates.
class ScoreReader {
public:
    ScoreReader(std::uint64_t seed, double maxSeconds) : seed_(seed), maxSeconds_(maxSeconds) {}

    void Statement(const std::string& kind, std::vector<std::string>& words, Fields& fields) {
        if (kind == "sound") return Sound(fields);
        if (kind == "tempo") {
            if (words.size() != 1) throw Vantor::Error("tempo takes one number");
            tempo_ = Number(words[0], "tempo");
            if (tempo_ <= 0) throw Vantor::Error("tempo must be positive");
            return;
        }
        if (kind == "voice") {
            if (words.size() != 1) throw Vantor::Error("voice takes one name");
            SynthVoice::Settings settings;
            ApplySettings(fields, settings);
            RequireEmpty(fields);
            voices_[words[0]] = settings;
            return;
        }
        Mix();
        if (kind == "tone") return Tone(fields);
        if (kind == "notes") return Notes(words, fields);
        if (kind == "echo") {
            const double delay = Take(fields, "delay", 0.2), feedback = Take(fields, "feedback", 0.3);
            RequireEmpty(fields);
            if (delay <= 0 || feedback < 0 || feedback >= 1)
                throw Vantor::Error("an echo has a positive delay and a feedback in [0, 1)");
            return mix_->Echo(delay, feedback, SoundScore::kSampleRate);
        }
        throw Vantor::Error("unknown statement \"" + kind + "\"");
    }

    AudioMix Finish() {
        AudioMix& mix = Mix();
        mix.Normalise(peak_);
        return std::move(mix);
    }

private:
    AudioMix& Mix() {
        if (!mix_) throw Vantor::Error("the score starts with a \"sound\" line");
        return *mix_;
    }

    void Sound(Fields& fields) {
        if (mix_) throw Vantor::Error("a second \"sound\" line");
        const double channels = Take(fields, "channels", 1), length = Take(fields, "length", 1);
        const bool loop = Take(fields, "loop", 0) != 0;
        peak_ = Take(fields, "peak", 0.9);
        RequireEmpty(fields);
        if ((channels != 1 && channels != 2) || length <= 0 || length > maxSeconds_ || peak_ <= 0 || peak_ > 1)
            throw Vantor::Error("a sound has 1 or 2 channels, a length up to " + std::to_string(int(maxSeconds_)) +
                                " s and a peak in (0, 1]");
        mix_ = std::make_unique<AudioMix>(static_cast<int>(channels),
                                          static_cast<std::size_t>(std::llround(length * SoundScore::kSampleRate)), loop);
    }

    SynthVoice::Settings VoiceFrom(Fields& fields) {
        SynthVoice::Settings settings;
        if (auto voice = fields.find("voice"); voice != fields.end()) {
            auto found = voices_.find(voice->second);
            if (found == voices_.end()) throw Vantor::Error("unknown voice \"" + voice->second + "\"");
            settings = found->second;
            fields.erase(voice);
        }
        return settings;
    }

    void Play(const SynthVoice::Settings& settings, double at, double seconds) {
        if (at < 0 || seconds < 0 || at > maxSeconds_ || seconds > maxSeconds_ || settings.release > maxSeconds_ ||
            settings.attack > maxSeconds_ || settings.decay > maxSeconds_)
            throw Vantor::Error("note times must lie between 0 and " + std::to_string(int(maxSeconds_)) + " s");
        const std::uint64_t seed = seed_ + 0x9E3779B97F4A7C15ull * ++notes_;
        mix_->Add(SynthVoice::Render(settings, seconds, SoundScore::kSampleRate, seed),
                  static_cast<std::size_t>(std::llround(at * SoundScore::kSampleRate)), settings.pan);
    }

    void Tone(Fields& fields) {
        SynthVoice::Settings settings = VoiceFrom(fields);
        const double at = Take(fields, "at", 0), seconds = Take(fields, "for", 0.1);
        ApplySettings(fields, settings);
        RequireEmpty(fields);
        Play(settings, at, seconds);
    }

    void Notes(const std::vector<std::string>& words, Fields& fields) {
        SynthVoice::Settings settings = VoiceFrom(fields);
        double at = Take(fields, "at", 0);
        ApplySettings(fields, settings);
        RequireEmpty(fields);
        const double beat = 60.0 / tempo_;
        for (const std::string& word : words) {
            const std::size_t colon = word.find(':');
            if (colon == std::string::npos) throw Vantor::Error("a note is <pitch>:<beats>: " + word);
            const double seconds = Number(word.substr(colon + 1), word) * beat;
            const std::string pitches = word.substr(0, colon);
            if (pitches != "r") {
                std::stringstream chord(pitches);
                for (std::string pitch; std::getline(chord, pitch, '+');) {
                    settings.from = SoundScore::NoteFrequency(pitch);
                    settings.to = 0;
                    Play(settings, at, seconds);
                }
            }
            at += seconds;
        }
    }

    std::uint64_t seed_;
    double maxSeconds_;
    std::unique_ptr<AudioMix> mix_;
    std::map<std::string, SynthVoice::Settings> voices_;
    double tempo_ = 120.0;
    double peak_ = 0.9;
    std::uint64_t notes_ = 0;
};

}  // namespace

double SoundScore::NoteFrequency(const std::string& name) {
    static const std::map<char, int> kSemitones{{'C', -9}, {'D', -7}, {'E', -5}, {'F', -4},
                                                {'G', -2}, {'A', 0},  {'B', 2}};
    std::size_t position = 0;
    auto letter = name.empty() ? kSemitones.end() : kSemitones.find(name[0]);
    if (letter == kSemitones.end()) throw Vantor::Error("not a note: " + name);
    int semitone = letter->second;
    ++position;
    if (position < name.size() && (name[position] == '#' || name[position] == 'b'))
        semitone += name[position++] == '#' ? 1 : -1;
    if (position + 1 != name.size() || name[position] < '0' || name[position] > '8')
        throw Vantor::Error("not a note: " + name);
    semitone += (name[position] - '4') * 12;
    return 440.0 * std::pow(2.0, semitone / 12.0);
}

AudioMix SoundScore::Render(const std::string& text, const std::string& sourceName, std::uint64_t seed,
                            double maxSeconds) {
    ScoreReader reader(seed, maxSeconds);
    std::istringstream lines(text);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        line = line.substr(0, line.find('#'));
        std::istringstream tokens(line);
        std::string kind;
        if (!(tokens >> kind)) continue;
        std::vector<std::string> words;
        Fields fields;
        for (std::string token; tokens >> token;) {
            const std::size_t equals = token.find('=');
            if (equals == std::string::npos) words.push_back(token);
            else fields[token.substr(0, equals)] = token.substr(equals + 1);
        }
        try {
            reader.Statement(kind, words, fields);
        } catch (const Vantor::Error& error) {
            throw Vantor::Error(sourceName + ":" + std::to_string(number) + ": " + error.GetText());
        }
    }
    try {
        return reader.Finish();
    } catch (const Vantor::Error& error) {
        throw Vantor::Error(sourceName + ": " + error.GetText());
    }
}

}  // namespace Content
