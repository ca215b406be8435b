// Sound scores as the data builder reads them: any text either renders or is refused
// with an error, within the time limit given (one second here, to keep runs quick).
#include <cstddef>
#include <cstdint>
#include <string>

#include "content/SoundScore.h"
#include "engine/kernel/Error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const Content::AudioMix mix = Content::SoundScore::Render(text, "fuzz.score", 1, 1.0);
        mix.Pcm16();
    } catch (const Vantor::Error&) {
    }
    return 0;
}
