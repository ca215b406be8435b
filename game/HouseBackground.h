#pragma once
// The house behind the house window ("data\house\background.xml"). Besides model and
// particle layers it has "texture_pack" layers: pictures of the game data's house pack,
// each placed where the placement file "data\house\house_upgrades.hsu" ("HSUMV" 100)
// puts the layer's name. A layer whose name contains "upgrade" shows a part of the
// house, visible only once the current profile has built it; a part just built fades
// in under a particle burst. A broken placement file is fatal.

#include <map>
#include <string>
#include <vector>

#include "game/HouseTextureEntry.h"
#include "gui_tools/GUIBackgroundBase.h"

namespace Vantor {
class GUIWindow;
class ParticleSystem;
}  // namespace Vantor

namespace Morvane {

class GameData;
class ProfileManager;

class HouseBackground : public GUITools::GUIBackgroundBase {
public:
    static constexpr const wchar_t* kDescriptionFile = L"data\\house\\background.xml";
    static constexpr const wchar_t* kPlacementFile = L"data\\house\\house_upgrades.hsu";
    static constexpr const char* kPlacementMagic = "HSUMV";
    static constexpr std::int32_t kPlacementVersion = 100;
    static constexpr const char* kBuildEffect = "game_logic/house/build";

    // Neither the profile manager nor the game data is owned.
    HouseBackground(ProfileManager* profiles, GameData* data, Vantor::GUIWindow* parent);
    // Releases the build bursts.
    ~HouseBackground() override;

    // The upgrade layers follow the current profile's built upgrades, then the base's
    // show.
    void Show(bool show, bool fade, float speed) override;
    // Fades in every upgrade layer whose name contains the upgrade's name, each under a
    // burst of its own over the layer's rectangle.
    void PlayBuildAnimation(const std::string& upgradeName);
    // The base's layers, or a "texture_pack" layer placed by the placement file; null
    // for a name the file does not place.
    GUITools::GUIBackgroundLayer* CreateLayer(const GameTools::XMLNode& element, int order) override;

    const std::map<std::string, HouseTextureEntry>& GetPlacements() const { return placements_; }
    // In creation order.
    const std::vector<GUITools::GUIBackgroundLayer*>& GetUpgradeLayers() const { return upgradeLayers_; }
    const std::vector<Vantor::ParticleSystem*>& GetBuildEffects() const { return buildEffects_; }

private:
    void ReadPlacements();
    void StartBurstOver(const GUITools::GUIBackgroundLayer& layer);

    ProfileManager* profiles_;
    GameData* data_;
    // By layer name; the first entry of a name wins.
    std::map<std::string, HouseTextureEntry> placements_;
    std::vector<GUITools::GUIBackgroundLayer*> upgradeLayers_;  // owned by the base's list
    std::vector<Vantor::ParticleSystem*> buildEffects_;         // registered instances
};

}  // namespace Morvane
