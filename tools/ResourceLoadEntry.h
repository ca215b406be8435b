#pragma once
// One queued resource of the data keeper: what to create once loading reaches it, with
// the options the request named. The keeper owns the entries and keeps them until it is
// destroyed, after their objects were created.

#include <memory>
#include <string>

#include "engine/render/ShaderDescriptor.h"

namespace GameTools {

struct ResourceLoadEntry {
    enum Kind : int { kShader = 0, kModel = 1, kParticleSystem = 2, kTexturePack = 3 };

    Kind kind = kShader;
    // The resource key; unused for a keyless entry.
    std::string key;
    // Handed to the resource managers as their lazy-textures flag.
    bool temporaryTextures = false;
    // The created object goes to the keeper's keep list instead of its table by key.
    bool keyless = false;
    // Shader entries only.
    std::unique_ptr<Vantor::ShaderDescriptor> descriptor;
    // Models, particle systems and texture packs: the file, relative to the data folder.
    std::wstring path;
    // Models only: loaded with vertex colours, and the animation speed set after loading.
    bool colourVertices = false;
    bool hasSpeed = false;
    float speed = 0.0f;
};

}  // namespace GameTools
