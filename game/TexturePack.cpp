#include "game/TexturePack.h"

#include <cmath>
#include <memory>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/render/Model.h"
#include "engine/render/Shader.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/Texture2D.h"
#include "engine/render/VertexBuffer.h"
#include "framework/FileHeader.h"

namespace Morvane {

namespace {

// Texture coordinates within this of 0 or 1 are the quad's corners.
constexpr float kCornerTolerance = 0.0001f;

// Reads the atlas count and the picture table after the header.
class PackTableReader {
public:
    PackTableReader(Vantor::FileBinary& file, const std::string& path) : file_(file), path_(path) {}

    std::int32_t ReadAtlasCount() {
        const auto count = Read<std::int32_t>();
        if (count < 0 || count > TexturePack::kMaxAtlases)
            FormatError("atlas count " + std::to_string(count) + " is out of range");
        return count;
    }

    // Keeps the first picture of each name.
    void ReadPictures(const std::vector<Vantor::ShaderUser*>& atlases,
                      std::map<std::string, TexturePack::Picture>& pictures) {
        const auto count = Read<std::int32_t>();
        for (std::int32_t i = 0; i < count; ++i) {
            char name[255];
            file_.ReadString(name);
            const auto atlas = Read<std::int32_t>();
            if (atlas < 0 || static_cast<std::size_t>(atlas) >= atlases.size())
                FormatError("picture \"" + std::string(name) + "\" names atlas " + std::to_string(atlas) + " of " +
                            std::to_string(atlases.size()));
            TexturePack::Picture picture;
            picture.atlas = atlases[static_cast<std::size_t>(atlas)];
            picture.start = ReadVector();
            picture.end = ReadVector();
            pictures.try_emplace(name, picture);
        }
    }

private:
    template <typename Value>
    Value Read() {
        Value value{};
        file_.Read(&value, sizeof(Value), 1);
        return value;
    }

    Vantor::Vector2 ReadVector() {
        const auto u = Read<float>();
        return {u, Read<float>()};
    }

    [[noreturn]] void FormatError(const std::string& detail) const {
        throw Vantor::FileError("Incorrect \"" + path_ + "\" file format: " + detail);
    }

    Vantor::FileBinary& file_;
    std::string path_;
};

template <class Layout>
void MapCorners(Layout* vertices, std::uint32_t count, const TexturePack::Picture& picture, bool mirrored) {
    const float left = mirrored ? picture.end.x : picture.start.x;
    const float right = mirrored ? picture.start.x : picture.end.x;
    for (std::uint32_t i = 0; i < count; ++i) {
        Layout& vertex = vertices[i];
        if (std::fabs(vertex.u) < kCornerTolerance)
            vertex.u = left;
        else if (std::fabs(vertex.u - 1.0f) < kCornerTolerance)
            vertex.u = right;
        if (std::fabs(vertex.v) < kCornerTolerance)
            vertex.v = picture.start.y;
        else if (std::fabs(vertex.v - 1.0f) < kCornerTolerance)
            vertex.v = picture.end.y;
    }
}

// The pixel size of the atlas texture; (0, 0) when the texture could not be found.
Vantor::Vector2 AtlasSize(const Vantor::ShaderUser& atlas) {
    const Vantor::Texture2D* texture = atlas.GetShader()->GetTexture(0, 0);
    if (texture == nullptr) return {};
    return {static_cast<float>(texture->width), static_cast<float>(texture->height)};
}

}  // namespace

TexturePack::TexturePack(const std::string& folder, bool lazyTextures) {
    try {
        Load(folder, lazyTextures);
    } catch (const Vantor::FileError& error) {
        // The destructor does not run for a pack that failed.
        ReleaseAtlases();
        Vantor::MessageManager::Instance()->PrintFatalError(error.GetText());
    }
}

TexturePack::~TexturePack() { ReleaseAtlases(); }

void TexturePack::Load(const std::string& folder, bool lazyTextures) {
    path_ = L"data\\" + Vantor::ToWide(folder) + L"\\texture_pack.tpf";
    const GameFramework::FileHeader header(kMagic, kVersion);
    const std::unique_ptr<Vantor::FileBinary> file(header.Open(path_, 0));
    PackTableReader reader(*file, Vantor::ToNarrow(path_));
    const std::int32_t atlasCount = reader.ReadAtlasCount();
    Vantor::ShaderManager* shaders = Vantor::ShaderManager::Instance();
    for (std::int32_t i = 0; i < atlasCount; ++i) {
        // Clamped: a picture at the atlas's edge must not pick up the opposite edge.
        const Vantor::ShaderDescriptor atlas(true, false, folder + "\\texture_pack_" + std::to_string(i), true);
        atlases_.push_back(shaders->GetShader(atlas, lazyTextures));
    }
    reader.ReadPictures(atlases_, pictures_);
    header.Close(file.get());
}

void TexturePack::ReleaseAtlases() {
    for (Vantor::ShaderUser* atlas : atlases_) Vantor::ShaderManager::Instance()->ReleaseShader(atlas);
    atlases_.clear();
}

const TexturePack::Picture* TexturePack::FindPicture(const std::string& name) const {
    const auto found = pictures_.find(name);
    return found == pictures_.end() ? nullptr : &found->second;
}

Vantor::GUIWindow* TexturePack::CreateWindow(const std::string& name, std::uint32_t flags,
                                             const Vantor::Vector2& position, const Vantor::Vector2& scale,
                                             Vantor::GUIWindow* parent, bool mirrored) const {
    const Picture* picture = FindPicture(Vantor::ToLower(name));
    if (picture == nullptr)
        Vantor::MessageManager::Instance()->PrintFatalError("Texture pack \"" + Vantor::ToNarrow(path_) +
                                                            "\" is not contain \"" + name + "\" texture");
    const Vantor::Vector2 pixels = AtlasSize(*picture->atlas);
    const Vantor::Vector2 size((picture->end.x - picture->start.x) * pixels.x * scale.x,
                               (picture->end.y - picture->start.y) * pixels.y * scale.y);
    Vantor::Vector2 place = position;
    if (mirrored) place.x = -place.x - size.x;
    Vantor::GUIWindow* window =
        Vantor::GUIManager::Instance()->CreateWindow(flags, place, size, nullptr, picture->atlas, parent);
    if (Vantor::Model* quad = window->GetModel()) MapQuadOntoPicture(*quad, *picture, mirrored);
    return window;
}

void TexturePack::MapQuadOntoPicture(Vantor::Model& quad, const Picture& picture, bool mirrored) {
    Vantor::VertexBuffer& vertices = *quad.GetVertexBuffer();
    const std::uint32_t count = vertices.GetVertexCount();
    if (vertices.HasColours())
        MapCorners(vertices.LockColoured(0, count), count, picture, mirrored);
    else
        MapCorners(vertices.Lock(0, count), count, picture, mirrored);
    vertices.Unlock();
}

}  // namespace Morvane
