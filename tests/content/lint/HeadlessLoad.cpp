#include "tests/content/lint/HeadlessLoad.h"

#include <map>
#include <memory>

#include "engine/gui/GUIFontManager.h"
#include "engine/kernel/Engine.h"
#include "engine/kernel/Error.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "platform/WinPaths.h"
#include "tests/content/lint/LayoutLint.h"
#include "tests/content/lint/LintSupport.h"
#include "tests/content/lint/StoryLint.h"
#include "tests/engine/kernel/EngineTestSupport.h"
#include "tools/DataKeeper.h"
#include "tools/ResourceLoadEntry.h"
#include "tools/TexturePack.h"
#include "tools/XMLNode.h"
#include "tools/XMLParser.h"
#include "tools/XMLValue.h"

namespace contentlint {

namespace {

using GameTools::ResourceLoadEntry;

constexpr const char* kLoadAll = "resource lists";
constexpr const char* kFontFolder = "fonts\\";
constexpr const char* kFontDescription = "\\font.xml";

const char* KindName(ResourceLoadEntry::Kind kind) {
    switch (kind) {
    case ResourceLoadEntry::kShader: return "shader";
    case ResourceLoadEntry::kModel: return "model";
    case ResourceLoadEntry::kParticleSystem: return "particle system";
    case ResourceLoadEntry::kTexturePack: return "texture pack";
    }
    return "resource";
}

// The font's name when the file is a font folder's description ("fonts\<name>\font.xml").
std::string FontName(const std::string& file) {
    const std::string lower = Lower(file), prefix = kFontFolder, suffix = kFontDescription;
    if (lower.size() <= prefix.size() + suffix.size() || lower.rfind(prefix, 0) != 0 ||
        lower.compare(lower.size() - suffix.size(), suffix.size(), suffix) != 0)
        return "";
    const std::string name = file.substr(prefix.size(), file.size() - prefix.size() - suffix.size());
    return name.find('\\') == std::string::npos ? name : "";
}

// The font tool's material for a font: blended, clamped, mip-mapped unless its
// description's "font" element says "mip_maps" 0.
Vantor::ShaderDescriptor FontMaterial(const std::string& name, const GameTools::XMLNode& description) {
    bool mipMaps = true;
    if (const GameTools::XMLNode* font = description.GetChild("font", 0))
        if (const GameTools::XMLValue* value = font->GetAttribute("mip_maps", 0)) mipMaps = value->GetBool();
    return Vantor::ShaderDescriptor(true, mipMaps, kFontFolder + name + "\\font", true);
}

}  // namespace

HeadlessLoad::HeadlessLoad(std::filesystem::path dataFolder, const std::vector<std::string>& files,
                           const std::vector<std::string>& resourceLists)
    : dataFolder_(std::move(dataFolder)), files_(files), resourceLists_(resourceLists) {}

std::vector<std::string> HeadlessLoad::Run() {
    problems_.clear();
    // The engine's log, configuration and window live in a home of their own.
    enginetest::EngineFolder home;
    Vantor::EngineSettings settings = home.Settings(L"data lint");
    settings.logEnabled = false;
    settings.baseFolder = platform::ToWindowsPath(dataFolder_.parent_path().string());
    settings.dataFolder = Wide(dataFolder_.filename().string());
    try {
        Vantor::Engine engine(settings);
        TakeLoggedProblems();  // the engine's own start, not the data's
        LoadFonts();
        LoadLists();
        ReadTexturePacks();
    } catch (const Vantor::Error& error) {
        Problem("data lint", "the engine stopped: " + error.GetText());
    }
    return problems_;
}

void HeadlessLoad::LoadFonts() {
    Vantor::Camera* camera = Vantor::CameraManager::Instance()->CreateCamera(Vantor::Camera::kOrthographic);
    Vantor::GUIFontManager fonts(camera);
    int id = 0;
    for (const std::string& file : files_) {
        const std::string name = FontName(file);
        if (name.empty()) continue;
        GameTools::XMLNode description;
        try {
            GameTools::XMLParser().Load(&description, Vantor::FileManager::Instance()->GetDataPath(Wide(file)));
        } catch (const Vantor::Error& error) {
            Problem(file, error.GetText());
            continue;
        }
        const Vantor::ShaderDescriptor material = FontMaterial(name, description);
        fonts.LoadFont(id++, &material, Vantor::FileManager::Instance()->GetDataPath(Wide(kFontFolder + name + "\\font.fnt")));
        if (!CollectLogged(kFontFolder + name + "\\font.fnt")) fonts_.insert(name);
    }
}

void HeadlessLoad::LoadLists() {
    GameTools::DataKeeper keeper;
    std::map<std::pair<int, std::string>, std::string> keyLists;
    for (const std::string& list : resourceLists_) {
        const std::size_t queued = keeper.GetPendingEntries().size();
        try {
            keeper.LoadResourceList(Vantor::FileManager::Instance()->GetDataPath(Wide(list)), false);
        } catch (const Vantor::Error& error) {
            Problem(list, error.GetText());
        }
        CollectLogged(list);
        const std::vector<ResourceLoadEntry*>& pending = keeper.GetPendingEntries();
        for (std::size_t i = queued; i < pending.size(); ++i) {
            const ResourceLoadEntry& entry = *pending[i];
            const std::string what = std::string(KindName(entry.kind)) + " \"" + entry.key + "\"";
            const auto [place, added] = keyLists.emplace(std::make_pair(entry.kind, entry.key), list);
            if (!added) Problem(list, what + " is also defined in " + place->second);
            if (entry.kind == ResourceLoadEntry::kModel) modelKeys_.insert(entry.key);
            if (entry.kind == ResourceLoadEntry::kParticleSystem) particleSystemKeys_.insert(entry.key);
            if (entry.kind == ResourceLoadEntry::kShader) {
                shaderKeys_.insert(entry.key);
                for (const StageTexture& texture : StageTextures(*entry.descriptor)) {
                    if (!texture.found) Problem(list, what + ": texture \"" + texture.file + "\" not found");
                    namedFiles_.insert(texture.file);
                }
                continue;
            }
            const std::string file = Lower(Vantor::ToNarrow(entry.path));
            if (!Vantor::FileManager::Instance()->Exists(Vantor::FileManager::Instance()->GetDataPath(entry.path)))
                Problem(list, what + ": file \"" + file + "\" not found");
            namedFiles_.insert(file);
            if (entry.kind == ResourceLoadEntry::kTexturePack) namedFiles_.insert(WithoutExtension(file) + ".srf");
        }
    }
    try {
        keeper.LoadAll();
    } catch (const Vantor::Error& error) {
        Problem(kLoadAll, error.GetText());
    }
    CollectLogged(kLoadAll);
    for (std::string& problem : LayoutLint(keeper).Run()) problems_.push_back(std::move(problem));
    for (std::string& problem : StoryLint(keeper, modelKeys_, shaderKeys_).Run()) problems_.push_back(std::move(problem));
}

void HeadlessLoad::ReadTexturePacks() {
    for (const std::string& file : files_) {
        // The lists' packs; the game's own packs have a format of their own.
        if (Extension(file) != "tpf" || !namedFiles_.count(Lower(file))) continue;
        try {
            GameTools::TexturePack pack(Wide(file), false);
        } catch (const Vantor::Error& error) {
            Problem(file, error.GetText());
        }
        CollectLogged(file);
    }
}

bool HeadlessLoad::CollectLogged(const std::string& file) {
    const std::vector<std::string> logged = TakeLoggedProblems();
    for (const std::string& text : logged) Problem(file, text);
    return !logged.empty();
}

void HeadlessLoad::Problem(const std::string& file, const std::string& what) { problems_.push_back(file + ": " + what); }

}  // namespace contentlint
