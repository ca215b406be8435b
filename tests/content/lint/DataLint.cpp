#include "tests/content/lint/DataLint.h"

#include <algorithm>
#include <map>
#include <memory>

#include "content/XmlSource.h"
#include "engine/kernel/Error.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/gui/FontFileReader.h"
#include "engine/render/Image.h"
#include "engine/render/ModelFileReader.h"
#include "engine/render/ParticleFileReader.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderFileReader.h"
#include "engine/sound/SoundFileReaderOGG.h"
#include "engine/sound/SoundFileReaderWAV.h"
#include "platform/WinPaths.h"
#include "tools/XMLNode.h"
#include "tools/XMLParser.h"

namespace contentlint {

namespace {

constexpr std::uint32_t kSoundRate = 22050;
constexpr std::uint32_t kMaxSide = 1024;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string Extension(const std::string& file) {
    const std::size_t dot = file.rfind('.');
    return dot == std::string::npos ? "" : Lower(file.substr(dot + 1));
}

std::string WithoutExtension(const std::string& file) {
    const std::size_t dot = file.rfind('.');
    return dot == std::string::npos ? file : file.substr(0, dot);
}

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// A path the engine hands out ("data\ui\x.png") as one below the data folder.
std::string BelowData(const std::wstring& path) {
    return Lower(Vantor::ToNarrow(Vantor::FileManager::Instance()->StripDataFolder(path)));
}

bool IsLicenceNotice(const std::string& file) {
    const std::string name = Lower(file.substr(file.rfind('\\') + 1));
    return name.rfind("licence", 0) == 0 || name.rfind("license", 0) == 0;
}

bool IsPowerOfTwo(std::uint32_t side) { return side && side <= kMaxSide && (side & (side - 1)) == 0; }

}  // namespace

// The log and file manager the engine's readers reach, for the lint's run.
class DataLint::Engine {
public:
    explicit Engine(const std::filesystem::path& dataFolder)
        : previousLog_(Vantor::MessageManager::Instance()), previousFiles_(Vantor::FileManager::Instance()),
          log_(L"data lint", false, false, L"", L""),
          files_(platform::ToWindowsPath(dataFolder.parent_path().string()), false,
                 Wide(dataFolder.filename().string())) {
        Vantor::MessageManager::Instance(&log_);
        Vantor::FileManager::Instance(&files_);
    }
    ~Engine() {
        if (previousLog_) Vantor::MessageManager::Instance(previousLog_);
        if (previousFiles_) Vantor::FileManager::Instance(previousFiles_);
    }
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    std::vector<std::string> TakeProblems() {
        std::vector<std::string> problems;
        for (const Vantor::LogMessage* message : log_.GetMessages())
            if (message->kind == Vantor::MessageKind::Error || message->kind == Vantor::MessageKind::Warning ||
                message->kind == Vantor::MessageKind::FatalError)
                problems.push_back(message->text);
        log_.ClearMessages();
        return problems;
    }

private:
    Vantor::MessageManager* previousLog_;
    Vantor::FileManager* previousFiles_;
    Vantor::MessageManager log_;
    Vantor::FileManager files_;
};

const std::set<std::string>& DataLint::FixedReferences() {
    static const std::set<std::string> references{
        "common\\empty",          "console\\console",         "texts\\texts.xml",         "levels\\levels.xml",
        "fonts\\common\\font.fnt", "fonts\\common_0\\font.fnt", "fonts\\common_1\\font.fnt", "fonts\\common_2\\font.fnt",
        "fonts\\console\\font.fnt",
    };
    return references;
}

DataLint::DataLint(std::filesystem::path dataFolder, std::uint64_t maxBytes)
    : dataFolder_(std::move(dataFolder)), maxBytes_(maxBytes) {}

std::vector<std::string> DataLint::Run() {
    Engine engine(dataFolder_);
    engine_ = &engine;
    problems_.clear();
    files_.clear();
    referenced_ = FixedReferences();
    std::uint64_t bytes = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dataFolder_)) {
        if (!entry.is_regular_file()) continue;
        std::string file = std::filesystem::relative(entry.path(), dataFolder_).string();
        std::replace(file.begin(), file.end(), '/', '\\');
        files_.push_back(file);
        bytes += entry.file_size();
    }
    std::sort(files_.begin(), files_.end());
    for (const std::string& file : files_) CheckFile(file);
    CheckReferences();
    if (bytes > maxBytes_)
        Problem("data folder", std::to_string(bytes) + " bytes, more than " + std::to_string(maxBytes_));
    engine_ = nullptr;
    return problems_;
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
        for (unsigned stage = 0; stage < descriptor.GetStageCount(); ++stage) {
            std::vector<std::wstring> paths;
            descriptor.GetStageTextureFiles(stage, paths);
            for (std::size_t i = 0; i < paths.size(); ++i) {
                if (paths[i].empty()) continue;
                const std::string texture = BelowData(paths[i]);
                if (!Vantor::FileManager::Instance()->Exists(paths[i]))
                    Problem(file, "stage " + std::to_string(stage) + " texture \"" + texture + "\" not found");
                referenced_.insert(texture);
                referenced_.insert(WithoutExtension(texture));
            }
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

// Read by the game's parser; the text table's keys each defined once.
void DataLint::CheckXml(const std::string& file) {
    Read(file, [&] {
        GameTools::XMLNode* root = nullptr;
        GameTools::XMLParser().ParseFile(root, Vantor::FileManager::Instance()->GetDataPath(Wide(file)));
        const std::unique_ptr<GameTools::XMLNode> document(root);
        if (Lower(file) != "texts\\texts.xml") return;
        std::map<std::string, std::string> keys;
        try {
            Content::XmlSource::CollectTextKeys(*document, file, keys);
        } catch (const Vantor::Error& error) {
            Problem(file, error.GetText().substr(file.size() + 2));
        }
    });
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
        if (referenced_.count(lower) || referenced_.count(WithoutExtension(lower)) || IsLicenceNotice(file)) continue;
        Problem(file, "nothing refers to this file");
    }
}

void DataLint::Read(const std::string& file, const std::function<void()>& read) {
    try {
        read();
    } catch (const Vantor::Error& error) {
        Problem(file, error.GetText());
    }
    for (const std::string& logged : engine_->TakeProblems()) Problem(file, logged);
}

void DataLint::Problem(const std::string& file, const std::string& what) { problems_.push_back(file + ": " + what); }

}  // namespace contentlint
