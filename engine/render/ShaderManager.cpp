#include "engine/render/ShaderManager.h"

#include "engine/kernel/FatalError.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/render/Shader.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/TextureManager.h"

namespace Vantor {

ShaderManager::ShaderManager() : textures_(new TextureManager()) {}

ShaderManager::~ShaderManager() {
    for (auto& [checksum, user] : users_) delete user;
    users_.clear();
    shaderCount_ = 0;
    delete textures_;
}

ShaderUser* ShaderManager::GetShader(const ShaderDescriptor& descriptor, bool lazyTextures) {
    Shader* shader = nullptr;
    const auto [first, last] = users_.equal_range(descriptor.GetChecksum());
    for (auto entry = first; entry != last && !shader; ++entry) {
        if (entry->second->IsSame(descriptor)) shader = entry->second->GetShader();
    }
    if (!shader) {
        shader = new Shader(textures_, descriptor, lazyTextures);
        ++shaderCount_;
    }
    auto* user = new ShaderUser(shader, descriptor);
    // The user's own checksum, recomputed by its copy, is where ReleaseShader looks first.
    users_.emplace(user->GetChecksum(), user);
    return user;
}

ShaderUser* ShaderManager::LoadShader(const std::wstring& fileName, bool lazyTextures) {
    ShaderDescriptor descriptor;
    try {
        descriptor = ShaderDescriptor(fileName);
    } catch (const FatalError& error) {
        // The reader logs its own errors, but a third stage reaches us unlogged.
        MessageManager::Instance()->PrintError("Incorrect \"" + ToNarrow(fileName) + "\" file format: " +
                                               error.GetText());
    } catch (const Error&) {
        // Already logged by the reader; the default material draws untextured.
    }
    return GetShader(descriptor, lazyTextures);
}

ShaderUser* ShaderManager::CopyShader(const ShaderDescriptor& descriptor, bool lazyTextures) {
    return GetShader(descriptor, lazyTextures);
}

void ShaderManager::ReleaseShader(ShaderUser* user) {
    if (!user) return;
    const auto entry = FindUser(user);
    if (entry == users_.end()) MessageManager::Instance()->PrintFatalError("Shader Manager: Failed to remove shader");
    users_.erase(entry);
    if (user->GetShader()->GetUseCount() == 1) --shaderCount_;
    delete user;
}

ShaderManager::Registry::iterator ShaderManager::FindUser(const ShaderUser* user) {
    const auto [first, last] = users_.equal_range(user->GetChecksum());
    for (auto entry = first; entry != last; ++entry) {
        if (entry->second == user) return entry;
    }
    // Its owner may have renamed a stage since, moving its checksum away from its key.
    for (auto entry = users_.begin(); entry != users_.end(); ++entry) {
        if (entry->second == user) return entry;
    }
    return users_.end();
}

void ShaderManager::Update() {
    for (auto& [checksum, user] : users_) user->UpdateFrames();
    textures_->AgeTextures();
}

}  // namespace Vantor
