#include "game/HouseBackground.h"

#include <memory>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/MessageManager.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "framework/FileHeader.h"
#include "framework/PlayerFileFields.h"
#include "game/GameData.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/TexturePack.h"
#include "gui_tools/GUIBackgroundLayer.h"
#include "tools/XMLNode.h"

namespace Morvane {

namespace {

// Two names of at least their length byte, x, y and the two further fields.
constexpr std::uint32_t kSmallestEntry = 2 + 4 * 4;
// Just in front of the background's front window.
constexpr float kBurstDepthOffset = 0.0001f;
constexpr float kBuildFadeSpeed = 0.5f;

std::string ReadName(Vantor::FileBinary& file) {
    char buffer[256];
    file.ReadString(buffer);
    return buffer;
}

template <typename Value>
Value ReadValue(Vantor::FileBinary& file) {
    Value value{};
    file.Read(&value, sizeof(Value), 1);
    return value;
}

}  // namespace

HouseBackground::HouseBackground(ProfileManager* profiles, GameData* data, Vantor::GUIWindow* parent)
    : GUIBackgroundBase(data, parent, kDescriptionFile), profiles_(profiles), data_(data) {
    ReadPlacements();
    CreateBasicLayers();
    CreateAdditionalLayers();
    for (GUITools::GUIBackgroundLayer* layer : layers)
        if (layer->GetName().find("upgrade") != std::string::npos) upgradeLayers_.push_back(layer);
}

HouseBackground::~HouseBackground() {
    for (auto effect = buildEffects_.rbegin(); effect != buildEffects_.rend(); ++effect)
        Vantor::ParticleSystemManager::Instance()->ReleaseParticleSystem(*effect);
}

void HouseBackground::ReadPlacements() {
    try {
        const GameFramework::FileHeader header(kPlacementMagic, kPlacementVersion);
        const std::unique_ptr<Vantor::FileBinary> file(header.Open(kPlacementFile, 0));
        const std::uint32_t count = GameFramework::PlayerFileFields::ReadCount(*file, kSmallestEntry);
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::string layerName = ReadName(*file);
            HouseTextureEntry entry;
            entry.textureName = ReadName(*file);
            entry.x = ReadValue<float>(*file);
            entry.y = ReadValue<float>(*file);
            for (std::uint32_t& extra : entry.extra) extra = ReadValue<std::uint32_t>(*file);
            placements_.emplace(layerName, entry);
        }
    } catch (const Vantor::FileError& error) {
        Vantor::MessageManager::Instance()->PrintFatalError(error.GetText());
    }
}

GUITools::GUIBackgroundLayer* HouseBackground::CreateLayer(const GameTools::XMLNode& element, int order) {
    if (GUITools::GUIBackgroundLayer* layer = GUIBackgroundBase::CreateLayer(element, order)) return layer;
    const GameTools::XMLValue* name = element.GetAttribute("name", GameTools::XMLNode::kReportSilent);
    if (!name || element.name != "texture_pack") return nullptr;
    const auto placement = placements_.find(name->GetString());
    if (placement == placements_.end()) return nullptr;
    const HouseTextureEntry& entry = placement->second;
    Vantor::GUIWindow* window = data_->GetHouseTexturePack()->CreateWindow(entry.textureName, 0, {entry.x, entry.y},
                                                                           {1.0f, 1.0f}, nullptr, false);
    return new GUITools::GUIBackgroundLayer(GetKeeper(), placement->first, window, "", "", "", "", false, 0.0f, false,
                                            Vantor::Color(1.0f, 1.0f, 1.0f, 1.0f), order, GetLayersWindow());
}

void HouseBackground::Show(bool show, bool fade, float speed) {
    const Profile* profile = profiles_->GetCurrent();
    for (GUITools::GUIBackgroundLayer* layer : upgradeLayers_)
        layer->enabled = profile != nullptr && profile->IsHouseUpgradeBuilt(layer->GetName());
    GUIBackgroundBase::Show(show, fade, speed);
}

void HouseBackground::PlayBuildAnimation(const std::string& upgradeName) {
    for (GUITools::GUIBackgroundLayer* layer : upgradeLayers_) {
        if (layer->GetName().find(upgradeName) == std::string::npos) continue;
        layer->enabled = true;
        layer->StartFade(true, true, kBuildFadeSpeed);
        StartBurstOver(*layer);
    }
}

void HouseBackground::StartBurstOver(const GUITools::GUIBackgroundLayer& layer) {
    Vantor::ParticleSystem* burst = Vantor::ParticleSystemManager::Instance()->CreateParticleSystemInstance(
        *GetKeeper()->GetParticleSystem(kBuildEffect));
    Vantor::Model& batch = *burst->GetModel();
    batch.SetCamera(Vantor::GUIManager::Instance()->GetCamera());
    batch.SetFlags(Vantor::ModelFlags::kFixedDepth);
    batch.SetDepth(GetFrontWindow()->GetDepth() - kBurstDepthOffset);
    const Vantor::Vector2& position = layer.GetWindow()->GetPosition();
    const Vantor::Vector2& size = layer.GetWindow()->GetSize();
    burst->GetEmitterBox().SetMinMax({position.x, position.y, 0.0f},
                                     {position.x + size.x, position.y + size.y, 0.0f});
    burst->SetVisible(true);
    burst->Start(false);
    buildEffects_.push_back(burst);
}

}  // namespace Morvane
