#pragma once
// The GUI elements' sounds by name. Several files registered under one name are
// variants, and each play picks the variant played least so far (the earliest
// registered on equal counts), so the variants take turns. Plays are queued with the
// engine's sound manager for the end of the frame; without one everything is silent.

#include <string>
#include <vector>

#include "engine/gui/GUISound.h"

namespace Vantor {

class SoundManager;

class GUISoundManager {
public:
    // The engine's sound manager, null when the game runs without sound; it must
    // outlive this manager.
    explicit GUISoundManager(SoundManager* engineSounds);
    // Destroys the variants' sounds, the last registered first.
    virtual ~GUISoundManager();
    GUISoundManager(const GUISoundManager&) = delete;
    GUISoundManager& operator=(const GUISoundManager&) = delete;

    // Registers one more variant under the name.
    void AddSound(const std::string& name, const std::wstring& file, bool resident);
    // Queues one variant of the name (exact letter case); nothing for an unknown name.
    void PlaySound(const std::string& name);

    // In registration order.
    const std::vector<GUISound*>& GetSounds() const { return sounds_; }

private:
    SoundManager* engineSounds_;   // not owned
    std::vector<GUISound*> sounds_;  // owned
};

}  // namespace Vantor
