// Fuzzes the game's texture pack reader: the input is "data\packs\input\texture_pack.tpf"
// (atlas 0 is a 4 x 2 picture, the others are missing), read through the versioned file
// header with the engine on the headless backend; a broken pack ends in the fatal error.
// Windows are then made from the names found in the input, lower-cased lookups and
// mirroring included: a name the pack lacks is fatal, any other gives a window of its
// picture's size. Every atlas material goes back when the pack goes.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "content/TgaWriter.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/FatalError.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/render/ShaderManager.h"
#include "fuzz/engine_fuzz_support.h"
#include "game/TexturePack.h"

namespace {

constexpr std::size_t kMaxNames = 8;

struct PackWorkspace : fuzzing::EngineWorkspace {
    PackWorkspace() : EngineWorkspace("data") {
        Content::TgaWriter::WriteFile(L"data\\packs\\input\\texture_pack_0.tga", 4, 2,
                                      std::vector<std::uint8_t>(4 * 2 * 4, 0xFF));
    }
};

// Makes the window of the name, mirrored or not; false when the pack lacks the name.
bool MakeWindow(const Morvane::TexturePack& pack, const std::string& name, bool mirrored) {
    const Morvane::TexturePack::Picture* picture = pack.FindPicture(Vantor::ToLower(name));
    Vantor::GUIWindow* window = nullptr;
    try {
        window = pack.CreateWindow(name, 1, {3, 4}, {1, 1}, nullptr, mirrored);
    } catch (const Vantor::FatalError&) {
        if (picture != nullptr) std::abort();
        return false;
    }
    if (picture == nullptr || window == nullptr) std::abort();
    const float width = window->GetSize().x;
    const float x = window->GetPosition().x;
    if (std::isfinite(width) && std::isfinite(x) && x != (mirrored ? -3 - width : 3.0f)) std::abort();
    Vantor::GUIManager::Instance()->DestroyWindow(window);
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static PackWorkspace workspace;
    workspace.WriteFile("data/packs/input/texture_pack.tpf", data, size);
    const std::uint32_t users = Vantor::ShaderManager::Instance()->GetShaderUserCount();
    try {
        const Morvane::TexturePack pack("packs\\input", true);
        if (pack.GetAtlases().size() > static_cast<std::size_t>(Morvane::TexturePack::kMaxAtlases)) std::abort();
        for (const std::string& name : fuzzing::StoredNamesIn(data, size, kMaxNames)) {
            if (MakeWindow(pack, name, false) != MakeWindow(pack, name, true)) std::abort();
        }
    } catch (const Vantor::FatalError&) {
        // A broken pack.
    }
    if (Vantor::ShaderManager::Instance()->GetShaderUserCount() != users) std::abort();
    Vantor::MessageManager::Instance()->ClearMessages();
    return 0;
}
