#include "tools/DataKeeper.h"

#include "engine/kernel/Error.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/Random.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/kernel/Timer.h"
#include "engine/kernel/TimerManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderFileReader.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/SpriteGroup.h"
#include "engine/render/SpriteGroupManager.h"
#include "tools/TexturePack.h"
#include "tools/XMLNode.h"
#include "tools/XMLParser.h"

namespace GameTools {

namespace {

// Room reserved up front, so that filling the lists of a big data set does not move them.
constexpr std::size_t kPendingReserve = 4000;
constexpr std::size_t kShaderEntryReserve = 2000;
constexpr std::size_t kModelEntryReserve = 2000;
constexpr std::size_t kParticleEntryReserve = 1000;
constexpr std::size_t kTexturePackEntryReserve = 100;
constexpr std::size_t kKeptShaderReserve = 2000;
constexpr std::size_t kKeptModelReserve = 2000;
constexpr std::size_t kKeptParticleReserve = 1000;
constexpr std::size_t kKeptTexturePackReserve = 50;
// Room in the staging list per queued entry: the entry and the entries of its textures.
constexpr std::size_t kStagedPerEntry = 10;

constexpr const wchar_t* kUnknownFileName = L"unknown_file_name";
constexpr const char* kTemporaryEntryPrefix = "temp_loading_";

void ReleaseShaderUser(Vantor::ShaderUser* user) { Vantor::ShaderManager::Instance()->ReleaseShader(user); }

template <class T>
void Delete(T* object) {
    delete object;
}

// Resource-list attributes are optional and read silently.
const XMLValue* Attribute(const XMLNode& node, const char* name) {
    return node.GetAttribute(name, XMLNode::kReportSilent);
}

bool BoolAttribute(const XMLNode& node, const char* name, bool fallback) {
    const XMLValue* value = Attribute(node, name);
    return value ? value->GetBool() : fallback;
}

// A file attribute joined to the list's folder: relative to the data folder.
std::wstring FileAttribute(const XMLNode& node, const char* name, const std::wstring& folder) {
    const XMLValue* value = Attribute(node, name);
    return Vantor::FileManager::CombinePath(folder, value ? value->GetWideString() : kUnknownFileName);
}

// The frame count of a shader element. Every numbered file is a texture to look up and
// load, so a list may name no more of them than a shader file may.
int FrameCount(const XMLNode& node, int kind, const std::string& key) {
    const XMLValue* frames = Attribute(node, "frame_count");
    const int count = frames ? frames->GetInt() : 1;
    constexpr int kMostFiles = Vantor::ShaderFileReader::kMaxNumberedFrames;
    if (kind != Vantor::ShaderStage::kNumberedFiles || count <= kMostFiles) return count;
    Vantor::MessageManager::Instance()->PrintError("(DataKeeper::ReadResourceNode): Shader \"" + key + "\" has " +
                                                   std::to_string(count) + " numbered files, at most " +
                                                   std::to_string(kMostFiles));
    return kMostFiles;
}

// The material the shader element describes.
Vantor::ShaderDescriptor ShaderOf(const XMLNode& node, const std::wstring& folder, const std::string& key) {
    int kind = Vantor::ShaderStage::kSingleTexture;
    if (const XMLValue* type = Attribute(node, "animation_type")) {
        if (type->GetString() == "net") kind = Vantor::ShaderStage::kGridSheet;
        if (type->GetString() == "list") kind = Vantor::ShaderStage::kNumberedFiles;
    }
    int grid[2] = {1, 1};
    if (const XMLValue* size = Attribute(node, "net_size")) size->GetInts(grid, 2);
    const XMLValue* speed = Attribute(node, "animation_speed");
    std::string texture;
    if (const XMLValue* name = Attribute(node, "texture_name"))
        texture = Vantor::ToNarrow(Vantor::FileManager::CombinePath(folder, name->GetWideString()));
    return Vantor::ShaderDescriptor(BoolAttribute(node, "alpha_blend", false), BoolAttribute(node, "mip_map", true),
                                    kind, grid[0], grid[1], FrameCount(node, kind, key),
                                    speed ? speed->GetFloat() : 0.0f, texture, BoolAttribute(node, "clamp", true));
}

// The list's folder below the data folder: its folder without everything up to and
// including the first "data\". A list right in the data folder has the empty folder; a
// path without "data\" keeps its folder.
std::wstring ListFolder(const std::wstring& path) {
    static const std::wstring kDataFolder = L"data\\";
    const std::wstring folder = Vantor::FileManager::GetFolder(path);
    const std::wstring withSlash = folder + L"\\";
    const std::size_t data = withSlash.find(kDataFolder);
    if (data == std::wstring::npos) return folder;
    std::wstring below = withSlash.substr(data + kDataFolder.size());
    if (!below.empty()) below.pop_back();
    return below;
}

// The texture name of a colour file: below the data folder, narrow, without extension.
std::string TextureName(const std::wstring& colourFile) {
    const std::string name = Vantor::ToNarrow(Vantor::FileManager::Instance()->StripDataFolder(colourFile));
    return name.substr(0, name.rfind('.'));
}

}  // namespace

DataKeeper::DataKeeper()
    : timer_(Vantor::TimerManager::Instance()->CreateTimer(0.0f, false)),
      defaultShaderUser_(Vantor::ShaderManager::Instance()->GetShader(Vantor::ShaderDescriptor(), false)),
      defaultModel_(Vantor::ModelManager::Instance()->CreateBoxModel({-1, -1, -1}, {1, 1, 1}, nullptr, nullptr, 0)),
      defaultSpriteGroup_(Vantor::SpriteGroupManager::Instance()->CreateSpriteGroup(
          1, defaultShaderUser_, Vantor::CameraManager::Instance()->GetDefaultCamera(), false)),
      defaultParticleSystem_(Vantor::ParticleSystemManager::Instance()->CreateParticleSystem(
          Vantor::CameraManager::Instance()->GetDefaultCamera())),
      defaultTexturePack_(new TexturePack(*defaultShaderUser_)),
      shaderUsers_("ShaderUser", "Shader User", ReleaseShaderUser, kKeptShaderReserve),
      models_("Model", "Model", Delete<Vantor::Model>, kKeptModelReserve),
      particleSystems_("ParticleSystem", "Particle System", Delete<Vantor::ParticleSystem>, kKeptParticleReserve),
      texturePacks_("TexturePack", "Texture Pack", Delete<TexturePack>, kKeptTexturePackReserve) {
    pending_.reserve(kPendingReserve);
    shaderEntries_.reserve(kShaderEntryReserve);
    modelEntries_.reserve(kModelEntryReserve);
    particleEntries_.reserve(kParticleEntryReserve);
    texturePackEntries_.reserve(kTexturePackEntryReserve);
    defaultSpriteGroup_->SetVisible(false);
    defaultParticleSystem_->SetVisible(false);
}

DataKeeper::~DataKeeper() {
    Vantor::TimerManager::Instance()->DestroyTimer(timer_);
    pending_.clear();
    staging_.clear();
    shaderEntries_.clear();
    modelEntries_.clear();
    particleEntries_.clear();
    texturePackEntries_.clear();
    shaderUsers_.ReleaseAll();
    models_.ReleaseAll();
    particleSystems_.ReleaseAll();
    texturePacks_.ReleaseAll();
    ReleaseShaderUser(defaultShaderUser_);
    delete defaultModel_;
    delete defaultSpriteGroup_;
    delete defaultParticleSystem_;
    delete defaultTexturePack_;
}

bool DataKeeper::LoadExtraStep(int) { return false; }

Vantor::ShaderUser* DataKeeper::GetShaderUser(const std::string& key) const {
    return shaderUsers_.Get(key, defaultShaderUser_);
}

Vantor::Model* DataKeeper::GetModel(const std::string& key) const { return models_.Get(key, defaultModel_); }

Vantor::ParticleSystem* DataKeeper::GetParticleSystem(const std::string& key) const {
    return particleSystems_.Get(key, defaultParticleSystem_);
}

bool DataKeeper::HasModel(const std::string& key) const { return models_.Has(key); }

void DataKeeper::AddShaderUser(const std::string& key, Vantor::ShaderUser* user) { shaderUsers_.Add(key, user); }
void DataKeeper::AddModel(const std::string& key, Vantor::Model* model) { models_.Add(key, model); }
void DataKeeper::AddParticleSystem(const std::string& key, Vantor::ParticleSystem* system) {
    particleSystems_.Add(key, system);
}
void DataKeeper::AddTexturePack(const std::string& key, TexturePack* pack) { texturePacks_.Add(key, pack); }

void DataKeeper::KeepShaderUser(Vantor::ShaderUser* user) { shaderUsers_.Keep(user); }
void DataKeeper::KeepModel(Vantor::Model* model) { models_.Keep(model); }
void DataKeeper::KeepParticleSystem(Vantor::ParticleSystem* system) { particleSystems_.Keep(system); }
void DataKeeper::KeepTexturePack(TexturePack* pack) { texturePacks_.Keep(pack); }

void DataKeeper::LoadResourceList(const std::wstring& path, bool now) {
    XMLNode holder;
    try {
        XMLParser().Load(&holder, path);
    } catch (const Vantor::FileError& error) {
        Vantor::MessageManager::Instance()->PrintFatalError(error.GetText());
    }
    ReadResourceNode(now, holder, ListFolder(path), "");
}

void DataKeeper::ReadResourceNode(bool now, const XMLNode& node, const std::wstring& folder,
                                  const std::string& prefix) {
    const XMLValue* name = Attribute(node, "name");
    if (!name || name->GetString().empty()) {
        const bool addsToPrefix = !node.name.empty() && node.name != "resources";
        const std::string childPrefix = addsToPrefix ? prefix + node.name + "/" : prefix;
        for (const XMLNode* child : node.children) ReadResourceNode(now, *child, folder, childPrefix);
        return;
    }
    const std::string key = prefix + name->GetString();
    const bool temporaryTextures = BoolAttribute(node, "temporary_textures", false);
    if (node.name == "model") {
        const XMLValue* speed = Attribute(node, "animation_speed");
        RequestModel(key, FileAttribute(node, "file_name", folder), BoolAttribute(node, "color_verticies", true),
                     speed != nullptr, speed ? speed->GetFloat() : 0.0f, temporaryTextures, now, false);
    } else if (node.name == "shader") {
        RequestShader(key, ShaderOf(node, folder, key), temporaryTextures, now, false);
    } else if (node.name == "particles") {
        RequestParticleSystem(key, FileAttribute(node, "file_name", folder), temporaryTextures, now, false);
    } else if (node.name == "texture_pack") {
        RequestTexturePack(key, FileAttribute(node, "file_name", folder), temporaryTextures, now, false);
    }
}

ResourceLoadEntry* DataKeeper::NewEntry(EntryList& owner, ResourceLoadEntry::Kind kind, const std::string& key,
                                        bool temporaryTextures, bool keyless) {
    ResourceLoadEntry* entry = owner.emplace_back(std::make_unique<ResourceLoadEntry>()).get();
    entry->kind = kind;
    entry->key = key;
    entry->temporaryTextures = temporaryTextures;
    entry->keyless = keyless;
    return entry;
}

void DataKeeper::RequestShader(const std::string& key, const Vantor::ShaderDescriptor& descriptor,
                               bool temporaryTextures, bool now, bool keyless) {
    if (now) {
        shaderUsers_.Store(key, Vantor::ShaderManager::Instance()->GetShader(descriptor, temporaryTextures), keyless);
        return;
    }
    ResourceLoadEntry* entry = NewEntry(shaderEntries_, ResourceLoadEntry::kShader, key, temporaryTextures, keyless);
    entry->descriptor = std::make_unique<Vantor::ShaderDescriptor>(descriptor);
    pending_.push_back(entry);
}

void DataKeeper::RequestModel(const std::string& key, const std::wstring& path, bool colourVertices, bool hasSpeed,
                              float speed, bool temporaryTextures, bool now, bool keyless) {
    if (now) {
        Vantor::Model* model = Vantor::ModelManager::Instance()->LoadModel(
            path, nullptr, colourVertices ? Vantor::ModelFlags::kVertexColours : 0, temporaryTextures);
        if (hasSpeed) model->GetAnimationControl()->SetSpeed(speed);
        models_.Store(key, model, keyless);
        return;
    }
    ResourceLoadEntry* entry = NewEntry(modelEntries_, ResourceLoadEntry::kModel, key, temporaryTextures, keyless);
    entry->path = path;
    entry->colourVertices = colourVertices;
    entry->hasSpeed = hasSpeed;
    entry->speed = speed;
    pending_.push_back(entry);
}

void DataKeeper::RequestParticleSystem(const std::string& key, const std::wstring& path, bool temporaryTextures,
                                       bool now, bool keyless) {
    if (now) {
        particleSystems_.Store(
            key, Vantor::ParticleSystemManager::Instance()->LoadParticleSystem(path, nullptr, temporaryTextures),
            keyless);
        return;
    }
    ResourceLoadEntry* entry =
        NewEntry(particleEntries_, ResourceLoadEntry::kParticleSystem, key, temporaryTextures, keyless);
    entry->path = path;
    pending_.push_back(entry);
}

void DataKeeper::RequestTexturePack(const std::string& key, const std::wstring& path, bool temporaryTextures,
                                    bool now, bool keyless) {
    if (now) {
        texturePacks_.Store(key, new TexturePack(path, temporaryTextures), keyless);
        return;
    }
    ResourceLoadEntry* entry =
        NewEntry(texturePackEntries_, ResourceLoadEntry::kTexturePack, key, temporaryTextures, keyless);
    entry->path = path;
    pending_.push_back(entry);
}

void DataKeeper::Create(const ResourceLoadEntry& entry) {
    switch (entry.kind) {
        case ResourceLoadEntry::kShader:
            RequestShader(entry.key, *entry.descriptor, entry.temporaryTextures, true, entry.keyless);
            break;
        case ResourceLoadEntry::kModel:
            RequestModel(entry.key, entry.path, entry.colourVertices, entry.hasSpeed, entry.speed,
                         entry.temporaryTextures, true, entry.keyless);
            break;
        case ResourceLoadEntry::kParticleSystem:
            RequestParticleSystem(entry.key, entry.path, entry.temporaryTextures, true, entry.keyless);
            break;
        case ResourceLoadEntry::kTexturePack:
            RequestTexturePack(entry.key, entry.path, entry.temporaryTextures, true, entry.keyless);
            break;
    }
}

void DataKeeper::Update() {
    if (PrepareShaders() || LoadStep(static_cast<unsigned>(step_)) || LoadExtraStep(step_)) ++step_;
    progress_ = static_cast<float>(step_) / static_cast<float>(extraStepCount_ + kResourceSteps + 1);
}

void DataKeeper::LoadAll() {
    LoadStep(kAllAtOnce);
    LoadExtraStep(kAllExtraSteps);
    step_ = extraStepCount_ + kResourceSteps;
    progress_ = 1.0f;
}

bool DataKeeper::LoadStep(unsigned percent) {
    const bool all = percent == kAllAtOnce;
    if (!all && (percent < 1 || percent > static_cast<unsigned>(kResourceSteps))) return false;
    if (!all) timer_->SetTime(0.0f);
    std::size_t end = pending_.size();
    if (!all && percent < static_cast<unsigned>(kResourceSteps))
        end = static_cast<std::size_t>(static_cast<double>(pending_.size()) / kResourceSteps * percent);
    for (std::size_t i = all ? 0 : loadedCount_; i < end; ++i) {
        Create(*pending_[i]);
        ++loadedCount_;
        if (!all && OverBudget()) break;
    }
    return loadedCount_ == end;
}

bool DataKeeper::PrepareShaders() {
    if (step_ != 0) return false;
    timer_->SetTime(0.0f);
    if (loadedCount_ == 0) {
        Vantor::RandomShuffle(pending_);
        staging_.reserve(kStagedPerEntry * pending_.size());
    }
    for (std::size_t i = loadedCount_; i < pending_.size(); ++i) {
        if (const auto description = FindDescription(*pending_[i]))
            StageTextureEntries(*description, i, pending_[i]->temporaryTextures);
        staging_.push_back(pending_[i]);
        ++loadedCount_;
        if (OverBudget()) break;
    }
    if (loadedCount_ < pending_.size()) return false;
    loadedCount_ = 0;
    pending_.swap(staging_);
    staging_.clear();
    return true;
}

std::unique_ptr<Vantor::ShaderDescriptor> DataKeeper::FindDescription(const ResourceLoadEntry& entry) const {
    if (entry.kind == ResourceLoadEntry::kShader) return std::make_unique<Vantor::ShaderDescriptor>(*entry.descriptor);
    std::wstring shaderFile = entry.path;
    Vantor::FileManager::ChangeExtension(shaderFile, L"srf");
    const Vantor::FileManager& files = *Vantor::FileManager::Instance();
    if (!files.Exists(files.GetDataPath(shaderFile))) return nullptr;
    try {
        return std::make_unique<Vantor::ShaderDescriptor>(shaderFile);
    } catch (const Vantor::Error&) {
        // A broken material only loses its early texture loads: the resource itself
        // falls back to the default material when it is created, and logs why then.
        return nullptr;
    }
}

void DataKeeper::StageTextureEntries(const Vantor::ShaderDescriptor& description, std::size_t index,
                                     bool temporaryTextures) {
    const bool mipMaps = (description.GetStage(0).flags & Vantor::ShaderStage::kMipMaps) != 0;
    std::vector<std::wstring> files;
    for (unsigned stage = 0; stage < description.GetStageCount(); ++stage) {
        files.clear();
        description.GetStageTextureFiles(stage, files);
        // Colour file, then opacity file, per frame.
        for (std::size_t frame = 0; 2 * frame < files.size(); ++frame) {
            const std::string texture = TextureName(files[2 * frame]);
            if (texture.empty()) continue;
            const std::string key = kTemporaryEntryPrefix + std::to_string(index) + "_" + std::to_string(stage) +
                                    "_" + std::to_string(frame);
            ResourceLoadEntry* entry =
                NewEntry(shaderEntries_, ResourceLoadEntry::kShader, key, temporaryTextures, true);
            entry->descriptor = std::make_unique<Vantor::ShaderDescriptor>(false, mipMaps, texture, true);
            staging_.push_back(entry);
        }
    }
}

bool DataKeeper::OverBudget() const { return timer_->GetTime() > kStepBudget; }

}  // namespace GameTools
