#include "tests/content/lint/DataLint.h"

#include <algorithm>
#include <memory>

#include "content/XmlSource.h"
#include "engine/kernel/Error.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/gui/FontFileReader.h"
#include "engine/render/Image.h"
#include "engine/render/ModelFileReader.h"
#include "engine/render/ParticleFileReader.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderFileReader.h"
#include "engine/sound/SoundFileReaderOGG.h"
#include "engine/sound/SoundFileReaderWAV.h"
#include "platform/WinPaths.h"
#include "tests/content/lint/BackgroundLint.h"
#include "tests/content/lint/HeadlessLoad.h"
#include "tests/content/lint/LayoutLint.h"
#include "tests/content/lint/LintSupport.h"
#include "tests/content/lint/SoundLint.h"
#include "tests/content/lint/TemplateLint.h"
#include "tools/XMLNode.h"
#include "tools/XMLParser.h"

namespace contentlint {

namespace {

constexpr std::uint32_t kSoundRate = 22050;
constexpr std::uint32_t kMaxSide = 1024;
constexpr const char* kTextTable = "texts\\texts.xml";
constexpr const char* kTemplateFolder = "ui\\windows\\";
constexpr const char* kResourceList = "resources";

bool IsLicenceNotice(const std::string& file) {
    const std::string name = Lower(file.substr(file.rfind('\\') + 1));
    return name.rfind("licence", 0) == 0 || name.rfind("license", 0) == 0;
}

bool IsPowerOfTwo(std::uint32_t side) { return side && side <= kMaxSide && (side & (side - 1)) == 0; }

// The game reads every XML file of the template folder, but not of its sub-folders.
bool IsTemplate(const std::string& file) {
    const std::string lower = Lower(file), folder = kTemplateFolder;
    return lower.rfind(folder, 0) == 0 && lower.find('\\', folder.size()) == std::string::npos &&
           Extension(lower) == "xml";
}

}  // namespace

DataLint::Engine::Engine(const std::filesystem::path& dataFolder)
    : log_(std::make_unique<Vantor::MessageManager>(L"data lint", false, false, L"", L"")) {
    Vantor::MessageManager::Instance(log_.get());
    files_ = std::make_unique<Vantor::FileManager>(platform::ToWindowsPath(dataFolder.parent_path().string()), false,
                                                   Wide(dataFolder.filename().string()));
    Vantor::FileManager::Instance(files_.get());
}

DataLint::Engine::~Engine() = default;

const std::set<std::string>& DataLint::FixedReferences() {
    static const std::set<std::string> references{
        "common\\empty",
        "console\\console",
        "ui\\cursors\\cursor",
        "ui\\cursors\\cursor_alpha.jpg",
        "splash1.jpg",
        "splash2.jpg",
        "texts\\texts.xml",
        "levels\\levels.xml",
        "fonts\\common\\font.fnt",
        "fonts\\common_0\\font.fnt",
        "fonts\\common_1\\font.fnt",
        "fonts\\common_2\\font.fnt",
        "fonts\\console\\font.fnt",
        "fonts\\main_menu_0\\font.fnt",
        "fonts\\main_menu_1\\font.fnt",
        "fonts\\main_menu_2\\font.fnt",
        "fonts\\tip\\font.fnt",
        "ui\\resources_basic.xml",
        "ui\\resources_additional.xml",
        "ui\\background\\background.xml",
        "ui\\background\\resources_basic.xml",
        "ui\\background\\resources_additional.xml",
        // The café day and the house.
        "game_objects\\provisions.xml",
        "game_objects\\room.xml",
        "game_objects\\customers.xml",
        "game_objects\\character.xml",
        "game_objects\\provisions_resources.xml",
        "game_objects\\room_resources.xml",
        "game_objects\\customers_resources.xml",
        "background\\background.xml",
        "background\\resources.xml",
        "house\\upgrades.xml",
        "house\\background.xml",
        "house\\resources.xml",
        "house\\house_upgrades.hsu",
        "house\\textures\\texture_pack.tpf",
        "house\\textures\\texture_pack_0",
        // The story.
        "final\\background.xml",
        "final\\resources.xml",
        "ui\\resources_introduction_comics.xml",
    };
    return references;
}

DataLint::DataLint(std::filesystem::path dataFolder, std::uint64_t maxBytes)
    : dataFolder_(std::move(dataFolder)), maxBytes_(maxBytes) {}

DataLint::~DataLint() = default;

std::vector<std::string> DataLint::Run() {
    problems_.clear();
    files_.clear();
    resourceLists_.clear();
    templates_.clear();
    backgrounds_.clear();
    textKeys_.clear();
    referenced_ = FixedReferences();
    for (const SoundLint::Sound& sound : SoundLint::Sounds()) referenced_.insert(Lower(sound.file));
    std::uint64_t bytes = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dataFolder_)) {
        if (!entry.is_regular_file()) continue;
        std::string file = std::filesystem::relative(entry.path(), dataFolder_).string();
        std::replace(file.begin(), file.end(), '/', '\\');
        files_.push_back(file);
        bytes += entry.file_size();
    }
    std::sort(files_.begin(), files_.end());
    {
        Engine engine(dataFolder_);
        for (const std::string& file : files_) CheckFile(file);
    }
    LoadAndCheckNames();
    CheckReferences();
    if (bytes > maxBytes_)
        Problem("data folder", std::to_string(bytes) + " bytes, more than " + std::to_string(maxBytes_));
    return problems_;
}

// The names the templates give resolve against what the headless load found.
void DataLint::LoadAndCheckNames() {
    HeadlessLoad load(dataFolder_, files_, resourceLists_);
    for (std::string& problem : load.Run()) problems_.push_back(std::move(problem));
    referenced_.insert(load.GetNamedFiles().begin(), load.GetNamedFiles().end());

    TemplateLint::KnownNames names{load.GetModelKeys(), load.GetShaderKeys(), load.GetFonts(), {}};
    for (const auto& [key, source] : textKeys_) names.textKeys.insert(key);
    for (const std::string& key : LayoutLint::CodeTextKeys())
        if (!names.textKeys.count(key)) Problem(kTextTable, "text key \"" + key + "\" that the code names is missing");
    TemplateLint::Templates templates;
    for (const auto& [file, document] : templates_) templates.emplace_back(file, document.get());
    for (std::string& problem : TemplateLint(templates, names).Run()) problems_.push_back(std::move(problem));
    BackgroundLint::Backgrounds backgrounds;
    for (const auto& [file, document] : backgrounds_) backgrounds.emplace_back(file, document.get());
    const BackgroundLint::KnownNames layers{load.GetModelKeys(), load.GetParticleSystemKeys(), load.GetShaderKeys()};
    for (std::string& problem : BackgroundLint(backgrounds, layers).Run()) problems_.push_back(std::move(problem));
}

void DataLint::CheckFile(const std::string& file) {
    const std::string extension = Extension(file);
    if (extension == "png" || extension == "jpg" || extension == "tga" || extension == "bmp") return CheckPicture(file);
    if (extension == "srf") return CheckMaterial(file);
    if (extension == "mdl") return CheckModel(file);
    if (extension == "psf") return CheckParticles(file);
    if (extension == "ogg" || extension == "wav") return CheckSound(file);
    if (extension == "fnt") return CheckFont(file);
    if (extension == "xml") return CheckXml(file);
    if (extension == "tpf") return;  // read as a texture pack by the headless load
    if (extension == "hsu") return;  // the house's placements, read by the game data lint
    if (!IsLicenceNotice(file)) Problem(file, "no reader for files of this kind");
}

void DataLint::CheckPicture(const std::string& file) {
    Read(file, [&] {
        Vantor::Image image;
        if (!image.Load(Vantor::FileManager::Instance()->GetDataPath(Wide(file)), true)) return;
        if (!IsPowerOfTwo(image.GetWidth()) || !IsPowerOfTwo(image.GetHeight()))
            Problem(file, "picture of " + std::to_string(image.GetWidth()) + "x" + std::to_string(image.GetHeight()) +
                              ": sides must be powers of two up to 1024");
    });
}

void DataLint::CheckMaterial(const std::string& file) {
    Read(file, [&] {
        Vantor::ShaderDescriptor descriptor;
        Vantor::ShaderFileReader::Read(Wide(file), descriptor);
        for (const StageTexture& texture : StageTextures(descriptor)) {
            if (!texture.found)
                Problem(file, "stage " + std::to_string(texture.stage) + " texture \"" + texture.file + "\" not found");
            referenced_.insert(texture.file);
        }
    });
}

void DataLint::CheckModel(const std::string& file) {
    Read(file, [&] {
        Vantor::ModelFileContents contents;
        Vantor::ModelFileReader::Read(Wide(file), 0, contents);
    });
    const std::string material = WithoutExtension(file) + ".srf";
    if (!std::binary_search(files_.begin(), files_.end(), material)) Problem(file, "no material " + material);
    referenced_.insert(Lower(material));
}

void DataLint::CheckParticles(const std::string& file) {
    Read(file, [&] {
        Vantor::ParticleFileReader::Contents contents;
        Vantor::ParticleFileReader::Read(Wide(file), contents);
    });
    const std::string material = WithoutExtension(file) + ".srf";
    if (!std::binary_search(files_.begin(), files_.end(), material)) Problem(file, "no material " + material);
    referenced_.insert(Lower(material));
}

void DataLint::CheckSound(const std::string& file) {
    Read(file, [&] {
        std::unique_ptr<Vantor::SoundFileReader> reader;
        if (Extension(file) == "ogg") reader = std::make_unique<Vantor::SoundFileReaderOGG>(Wide(file));
        else reader = std::make_unique<Vantor::SoundFileReaderWAV>(Wide(file));
        reader->Open();
        if (reader->GetSampleRate() != kSoundRate)
            Problem(file, "sound at " + std::to_string(reader->GetSampleRate()) + " Hz, not 22050 Hz");
        reader->Close();
    });
}

// Read by the game's parser; the text table's keys each defined once. Resource lists
// and window templates are kept for the checks of the names they give.
void DataLint::CheckXml(const std::string& file) {
    Read(file, [&] {
        GameTools::XMLNode* root = nullptr;
        GameTools::XMLParser().ParseFile(root, Vantor::FileManager::Instance()->GetDataPath(Wide(file)));
        std::unique_ptr<GameTools::XMLNode> document(root);
        if (!document) return;
        if (document->name == kResourceList) resourceLists_.push_back(file);
        if (IsTemplate(file)) templates_.emplace_back(file, std::move(document));
        else if (BackgroundLint::IsBackground(file)) backgrounds_.emplace_back(file, std::move(document));
        else if (Lower(file) == kTextTable) CollectTextKeys(file, *document);
    });
}

void DataLint::CollectTextKeys(const std::string& file, const GameTools::XMLNode& table) {
    try {
        Content::XmlSource::CollectTextKeys(table, file, textKeys_);
    } catch (const Vantor::Error& error) {
        Problem(file, error.GetText().substr(file.size() + 2));
    }
}

// A glyph file with at least one glyph; its description and glyph picture beside it.
void DataLint::CheckFont(const std::string& file) {
    Read(file, [&] {
        Vantor::GlyphTable glyphs;
        Vantor::FontFileReader::Read(Vantor::FileManager::Instance()->GetDataPath(Wide(file)), glyphs);
        if (std::none_of(glyphs.begin(), glyphs.end(), [](const auto& glyph) { return glyph != nullptr; }))
            Problem(file, "a font without glyphs");
    });
    const std::string folder = file.substr(0, file.rfind('\\') + 1);
    const std::string description = folder + "font.xml", picture = folder + "font";
    if (!std::binary_search(files_.begin(), files_.end(), description)) Problem(file, "no " + description + " beside it");
    std::vector<std::wstring> found;
    Vantor::ShaderDescriptor(false, false, picture, true).GetStageTextureFiles(0, found);
    if (!Vantor::FileManager::Instance()->Exists(found.at(0))) Problem(file, "no " + picture + " picture beside it");
    referenced_.insert(Lower(description));
    referenced_.insert(Lower(picture));
}

void DataLint::CheckReferences() {
    for (const std::string& file : files_) {
        const std::string lower = Lower(file);
        if (referenced_.count(lower) || referenced_.count(WithoutExtension(lower)) || IsLicenceNotice(file) ||
            IsTemplate(file))
            continue;
        Problem(file, "nothing refers to this file");
    }
}

void DataLint::Read(const std::string& file, const std::function<void()>& read) {
    try {
        read();
    } catch (const Vantor::Error& error) {
        Problem(file, error.GetText());
    }
    for (const std::string& logged : TakeLoggedProblems()) Problem(file, logged);
}

void DataLint::Problem(const std::string& file, const std::string& what) { problems_.push_back(file + ": " + what); }

}  // namespace contentlint
