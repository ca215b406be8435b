#include "tools/TexturePack.h"

#include <memory>

#include "engine/kernel/Error.h"
#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/VersionedFileReader.h"
#include "framework/FileHeader.h"

namespace GameTools {

namespace {

using Textures = std::map<std::string, TexturePack::Texture>;

// Reads the textures of a pack file that stands after its header. Every count is
// checked against the bytes left before anything is sized by it.
class PackFileReader : private Vantor::VersionedFileReader {
public:
    PackFileReader(Vantor::FileBinary& file, const std::wstring& path, std::uint32_t version)
        : VersionedFileReader(file, path),
          withValues_(version >= TexturePack::kFirstVersionWithValues),
          path_(Vantor::ToNarrow(path)) {}

    void Read(Textures& textures) {
        const std::int32_t count = ReadValue<std::int32_t>();
        if (count == 0) throw Vantor::FileError(Prefix() + "\"): No textures in pack");
        // Smallest texture: an empty name's length byte, the value, the frame count.
        CheckCount(count, 1 + (withValues_ ? 8 : 4), "texture count");
        for (std::int32_t i = 0; i < count; ++i) ReadTexture(textures);
    }

private:
    static constexpr std::uint32_t kFrameSize = 28;
    // The further floats and the byte count.
    static constexpr std::uint32_t kFurtherFrameSize = 12;

    void ReadTexture(Textures& textures) {
        char name[255];
        file_.ReadString(name);
        const auto [entry, added] = textures.try_emplace(name);
        if (!added)
            throw Vantor::FileError(Prefix() + " \"): Texture \"" + name + "\" is dublicated");
        TexturePack::Texture& texture = entry->second;
        if (withValues_) texture.value = ReadValue<std::int32_t>();

        const std::int32_t frames = ReadValue<std::int32_t>();
        CheckCount(frames, kFrameSize + (withValues_ ? kFurtherFrameSize : 0),
                   "frame count of texture \"" + std::string(name) + "\"");
        texture.frames.reserve(static_cast<std::size_t>(frames));
        for (std::int32_t f = 0; f < frames; ++f) ReadFrame(texture.frames.emplace_back());
    }

    void ReadFrame(TexturePack::Frame& frame) {
        frame.atlasIndex = ReadValue<std::int32_t>();
        frame.topLeft = ReadVector();
        frame.bottomRight = ReadVector();
        frame.offset = ReadVector();
        if (!withValues_) return;
        for (float& value : frame.furtherValues) value = ReadValue<float>();
        const std::int32_t bytes = ReadValue<std::int32_t>();
        CheckCount(bytes, 1, "byte count of a frame");
        frame.furtherBytes.resize(static_cast<std::size_t>(bytes));
        file_.Read(frame.furtherBytes.data(), 1, static_cast<std::uint32_t>(bytes));
    }

    Vantor::Vector2 ReadVector() {
        const float x = ReadValue<float>();
        return {x, ReadValue<float>()};
    }

    // A negative count, or more items of at least leastSize bytes than the file has
    // left, is a broken file.
    void CheckCount(std::int32_t count, std::uint32_t leastSize, const std::string& what) const {
        const std::uint32_t left = file_.GetSize() - file_.GetPosition();
        if (count < 0 || static_cast<std::uint32_t>(count) > left / leastSize)
            throw Vantor::FileError(Prefix() + "\"): Incorrect " + what + " " + std::to_string(count));
    }

    std::string Prefix() const { return "TexturePack (\"" + path_; }

    bool withValues_;
    std::string path_;
};

}  // namespace

TexturePack::TexturePack(const std::wstring& path, bool temporaryTextures) : path_(path) {
    std::wstring shaderFile = path;
    Vantor::FileManager::ChangeExtension(shaderFile, L"srf");
    shaderUser_ = Vantor::ShaderManager::Instance()->LoadShader(shaderFile, temporaryTextures);
    try {
        Load();
    } catch (const Vantor::FileError& error) {
        textures_.clear();
        // The destructor does not run for a pack that failed: give the shader back here.
        Vantor::ShaderManager::Instance()->ReleaseShader(shaderUser_);
        throw Vantor::Error(error.GetText());
    }
}

TexturePack::TexturePack(const Vantor::ShaderDescriptor& shader)
    : path_(L"default"), shaderUser_(Vantor::ShaderManager::Instance()->CopyShader(shader, false)) {
    Frame whole;
    whole.bottomRight = {1.0f, 1.0f};
    textures_["default"].frames.push_back(whole);
}

TexturePack::~TexturePack() { Vantor::ShaderManager::Instance()->ReleaseShader(shaderUser_); }

const TexturePack::Texture& TexturePack::GetTexture(const std::string& name) const {
    const Texture* texture = Find(name);
    return texture ? *texture : textures_.begin()->second;
}

int TexturePack::GetFrameCount(const std::string& name) const {
    const Texture* texture = Find(name);
    return texture ? static_cast<int>(texture->frames.size()) : 1;
}

void TexturePack::Load() {
    const GameFramework::FileHeader header(kMagic, kVersion);
    std::uint32_t version = 0;
    const std::unique_ptr<Vantor::FileBinary> file(
        header.Open(Vantor::FileManager::Instance()->GetDataPath(path_), 0, true, &version));
    PackFileReader(*file, path_, version).Read(textures_);
    header.Close(file.get());
}

const TexturePack::Texture* TexturePack::Find(const std::string& name) const {
    const auto found = textures_.find(Vantor::ToLower(name));
    if (found != textures_.end()) return &found->second;
    Vantor::MessageManager::Instance()->PrintError("Texture pack \"" + Vantor::ToNarrow(path_) +
                                                   "\" is not contain \"" + name + "\" texture");
    return nullptr;
}

}  // namespace GameTools
