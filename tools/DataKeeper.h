#pragma once
// The named store of ready-made rendering resources: shader users, models, particle
// systems and texture packs, each kind in its own table by resource key (the names of
// the enclosing resource-list elements and the resource's name joined with "/"), plus
// objects kept without a key. A missing key never stops the program: the lookup logs an
// error and hands out the kind's default. The keeper owns everything it stores.
//
// Resource lists fill it either at once, or queued: queued resources are created later
// by Update, one step per frame within a time budget, or by LoadAll. The steps are: 0
// prepares the queue (shuffles it and puts small shader entries that load each
// resource's textures in front of it), 1 to 100 create the queued resources by percent,
// from 101 on the derived class does its own loading work (LoadExtraStep). Loading is
// complete when the step reaches the extra-step count + 101.

#include <memory>
#include <string>
#include <vector>

#include "tools/ResourceLoadEntry.h"
#include "tools/ResourceTable.h"

namespace Vantor {
class Model;
class ParticleSystem;
class ShaderDescriptor;
class ShaderUser;
class SpriteGroup;
class Timer;
}  // namespace Vantor

namespace GameTools {

class TexturePack;
class XMLNode;

class DataKeeper {
public:
    // The steps that create the queued resources, after the preparation step 0.
    static constexpr int kResourceSteps = 100;
    // LoadStep's percent for everything at once, without a time budget.
    static constexpr unsigned kAllAtOnce = static_cast<unsigned>(-1);
    // LoadExtraStep's step for everything at once.
    static constexpr int kAllExtraSteps = -1;
    // Seconds of work after which a preparation or creation step stops for this frame.
    static constexpr float kStepBudget = 0.1f;

    // Needs the timer, shader, model, camera, sprite-group and particle-system managers.
    DataKeeper();
    virtual ~DataKeeper();
    DataKeeper(const DataKeeper&) = delete;
    DataKeeper& operator=(const DataKeeper&) = delete;

    // One step of the derived class's own loading work: step - 101 is its extra-step
    // index (steps below 101 are none of its own and answer false), kAllExtraSteps asks
    // for all of it. True when that work is done; the base has none and answers false.
    virtual bool LoadExtraStep(int step);

    // The object stored under the key, or the kind's default after an error line. The
    // keeper keeps owning what it hands out.
    Vantor::ShaderUser* GetShaderUser(const std::string& key) const;
    Vantor::Model* GetModel(const std::string& key) const;
    Vantor::ParticleSystem* GetParticleSystem(const std::string& key) const;
    // Silent.
    bool HasModel(const std::string& key) const;

    // Store the object under a new key and take it over; null is ignored. A key already
    // present is logged and the object is not taken over.
    void AddShaderUser(const std::string& key, Vantor::ShaderUser* user);
    void AddModel(const std::string& key, Vantor::Model* model);
    void AddParticleSystem(const std::string& key, Vantor::ParticleSystem* system);
    void AddTexturePack(const std::string& key, TexturePack* pack);
    // Take over a non-null object without a key.
    void KeepShaderUser(Vantor::ShaderUser* user);
    void KeepModel(Vantor::Model* model);
    void KeepParticleSystem(Vantor::ParticleSystem* system);
    void KeepTexturePack(TexturePack* pack);

    // Reads a resource list (a path below the data folder, "data\..."): now creates
    // every resource at once, else queues them. A list that cannot be read or parsed is
    // a fatal error.
    void LoadResourceList(const std::wstring& path, bool now);
    // Requests the resource the element names, or reads its children as a group. The
    // folder is the list's folder below the data folder, the prefix the key so far.
    void ReadResourceNode(bool now, const XMLNode& node, const std::wstring& folder, const std::string& prefix);

    // Create the object and store it (keyless: keep it), or queue an entry for it. Paths
    // are relative to the data folder. An object whose key is already stored is released.
    void RequestShader(const std::string& key, const Vantor::ShaderDescriptor& descriptor, bool temporaryTextures,
                       bool now, bool keyless);
    void RequestModel(const std::string& key, const std::wstring& path, bool colourVertices, bool hasSpeed,
                      float speed, bool temporaryTextures, bool now, bool keyless);
    void RequestParticleSystem(const std::string& key, const std::wstring& path, bool temporaryTextures, bool now,
                               bool keyless);
    // A pack that cannot be read throws its Vantor::Error on to the caller.
    void RequestTexturePack(const std::string& key, const std::wstring& path, bool temporaryTextures, bool now,
                            bool keyless);

    // One loading step; the loading window calls it once per frame.
    void Update();
    // Everything queued, in the order it was read, then all the extra work. The step is
    // left at the extra-step count + 100 and the progress at 1.
    void LoadAll();
    // Creates the queued resources up to the percent of the queue (1..100) within the
    // time budget, or all of them with kAllAtOnce; true when the percent is reached.
    bool LoadStep(unsigned percent);
    // Step 0 only: shuffles the queue and puts the texture-loading shader entries in
    // front of each entry, within the time budget; true when the queue is prepared.
    bool PrepareShaders();

    int GetStep() const { return step_; }
    int GetExtraStepCount() const { return extraStepCount_; }
    float GetProgress() const { return progress_; }
    // The queue in loading order.
    const std::vector<ResourceLoadEntry*>& GetPendingEntries() const { return pending_; }

protected:
    void SetExtraStepCount(int count) { extraStepCount_ = count; }

private:
    using EntryList = std::vector<std::unique_ptr<ResourceLoadEntry>>;

    // A new entry owned by the list of its kind (not yet in the queue).
    static ResourceLoadEntry* NewEntry(EntryList& owner, ResourceLoadEntry::Kind kind, const std::string& key,
                                       bool temporaryTextures, bool keyless);
    // Repeats the entry's request with now set.
    void Create(const ResourceLoadEntry& entry);
    // The material whose textures the entry loads, if any.
    std::unique_ptr<Vantor::ShaderDescriptor> FindDescription(const ResourceLoadEntry& entry) const;
    // Stages keyless shader entries loading each texture of the description.
    void StageTextureEntries(const Vantor::ShaderDescriptor& description, std::size_t index, bool temporaryTextures);
    bool OverBudget() const;

    Vantor::Timer* timer_;  // owned by the timer manager

    std::vector<ResourceLoadEntry*> pending_;
    EntryList shaderEntries_;
    EntryList modelEntries_;
    EntryList particleEntries_;
    EntryList texturePackEntries_;
    std::vector<ResourceLoadEntry*> staging_;

    int step_ = 0;
    // Queue entries handled by the current step so far.
    std::size_t loadedCount_ = 0;
    int extraStepCount_ = 1;
    float progress_ = 0.0f;

    // Made in this order, and released after everything stored.
    Vantor::ShaderUser* defaultShaderUser_;
    Vantor::Model* defaultModel_;
    Vantor::SpriteGroup* defaultSpriteGroup_;
    Vantor::ParticleSystem* defaultParticleSystem_;
    TexturePack* defaultTexturePack_;

    ResourceTable<Vantor::ShaderUser> shaderUsers_;
    ResourceTable<Vantor::Model> models_;
    ResourceTable<Vantor::ParticleSystem> particleSystems_;
    ResourceTable<TexturePack> texturePacks_;
};

}  // namespace GameTools
