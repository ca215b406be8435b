// The game's texture pack: pictures become GUI windows of their pixel size showing their
// part of the atlas, mirrored on request; names are looked up lower-cased, the first
// of a repeated name is kept, and every broken pack or missing name ends the run with
// one fatal line and no material left behind.

#include "game/TexturePack.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "content/GameTexturePackWriter.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/VertexBuffer.h"
#include "tests/game/GameDataTestSupport.h"

namespace {

using Content::GameTexturePackWriter;
using gametest::GameDataFolder;
using Morvane::TexturePack;
using testing::HasSubstr;
using Vantor::Vector2;

constexpr const char* kFolder = "packs\\house";
const std::string kPackPath = "data\\packs\\house\\texture_pack.tpf";

GameTexturePackWriter::Picture PictureOf(const std::string& name, float u0, float v0, float u1, float v1,
                                         std::int32_t atlas = 0) {
    return {name, atlas, {u0, v0}, {u1, v1}};
}

using Pair = std::pair<float, float>;

Pair XY(const Vector2& v) { return {v.x, v.y}; }

// The u, v of the quad's vertices, in vertex order.
std::vector<Pair> QuadCoordinates(const Vantor::Model& quad) {
    const Vantor::VertexBuffer& vertices = *quad.GetVertexBuffer();
    std::vector<Pair> coordinates;
    for (std::uint32_t i = 0; i < vertices.GetVertexCount(); ++i) {
        const std::uint8_t* vertex = vertices.GetData() + std::size_t{i} * vertices.GetVertexSize();
        if (vertices.HasColours()) {
            const auto* coloured = reinterpret_cast<const Vantor::ColouredVertex*>(vertex);
            coordinates.emplace_back(coloured->u, coloured->v);
        } else {
            const auto* plain = reinterpret_cast<const Vantor::Vertex*>(vertex);
            coordinates.emplace_back(plain->u, plain->v);
        }
    }
    return coordinates;
}

// Packs below "data\packs\house" over atlases of 64 x 32 and 16 x 16 pixels.
class GameTexturePackTest : public gametest::GameDataTest {
protected:
    void Write(const GameTexturePackWriter::Pack& pack) const {
        GameDataFolder::WriteTexturePack(kFolder, pack, {{64, 32}, {16, 16}});
    }
    static GameTexturePackWriter::Pack PackOf(std::vector<GameTexturePackWriter::Picture> pictures) {
        GameTexturePackWriter::Pack pack;
        pack.atlasCount = 2;
        pack.pictures = std::move(pictures);
        return pack;
    }
    std::unique_ptr<TexturePack> LoadPack() const { return std::make_unique<TexturePack>(kFolder, true); }

    // The fatal text the call ends in, after checking it is the log's one fatal line.
    static std::string FatalOf(const std::function<void()>& call) {
        Vantor::MessageManager::Instance()->ClearMessages();
        try {
            call();
        } catch (const Vantor::FatalError& error) {
            EXPECT_EQ(Fatals(), std::vector<std::string>{error.GetText()});
            return error.GetText();
        }
        ADD_FAILURE() << "no fatal error";
        return "";
    }

    static Vantor::GUIManager& GUI() { return *Vantor::GUIManager::Instance(); }
};

// --- windows ---------------------------------------------------------------------------

TEST_F(GameTexturePackTest, WholeAtlasPictureAtScaleOneHasTheAtlasPixelSize) {
    Write(PackOf({PictureOf("whole", 0, 0, 1, 1), PictureOf("small", 0, 0, 0.5f, 0.25f, 1)}));
    const auto pack = LoadPack();
    ASSERT_EQ(2u, pack->GetAtlases().size());

    Vantor::GUIWindow* whole = pack->CreateWindow("whole", 1, {5, 6}, {1, 1}, nullptr, false);
    EXPECT_EQ(Pair(64, 32), XY(whole->GetSize()));
    EXPECT_EQ(Pair(5, 6), XY(whole->GetPosition()));
    EXPECT_TRUE(whole->IsVisible());
    Vantor::GUIWindow* scaled = pack->CreateWindow("small", 0, {0, 0}, {2, 3}, whole, false);
    EXPECT_EQ(Pair(16, 12), XY(scaled->GetSize())) << "the second atlas's pixels times the scale";
    EXPECT_EQ(whole, scaled->GetParent());
    EXPECT_FALSE(scaled->IsVisible());
    GUI().DestroyWindow(scaled);
    GUI().DestroyWindow(whole);
}

TEST_F(GameTexturePackTest, QuadShowsThePictureAndMirroringFlipsOnlyU) {
    Write(PackOf({PictureOf("door", 0.25f, 0.5f, 0.75f, 1.0f)}));
    const auto pack = LoadPack();

    Vantor::GUIWindow* plain = pack->CreateWindow("door", 1, {10, 20}, {1, 1}, nullptr, false);
    EXPECT_EQ(Pair(10, 20), XY(plain->GetPosition()));
    // The quad's corners (u, v): (1, 0), (1, 1), (0, 0), (0, 1).
    EXPECT_EQ((std::vector<Pair>{{0.75f, 0.5f}, {0.75f, 1.0f}, {0.25f, 0.5f}, {0.25f, 1.0f}}),
              QuadCoordinates(*plain->GetModel()));

    Vantor::GUIWindow* mirrored = pack->CreateWindow("door", 1, {10, 20}, {1, 1}, nullptr, true);
    EXPECT_EQ(Pair(32, 16), XY(mirrored->GetSize()));
    EXPECT_EQ(Pair(-10 - 32, 20), XY(mirrored->GetPosition()));
    EXPECT_EQ((std::vector<Pair>{{0.25f, 0.5f}, {0.25f, 1.0f}, {0.75f, 0.5f}, {0.75f, 1.0f}}),
              QuadCoordinates(*mirrored->GetModel()));
    GUI().DestroyWindow(mirrored);
    GUI().DestroyWindow(plain);
}

TEST_F(GameTexturePackTest, PlainVertexQuadIsMappedLikeAColouredOne) {
    const std::uint32_t flags = Vantor::ModelFlags::kStatic;  // no vertex colours
    Vantor::Model* quad = Vantor::ModelManager::Instance()->CreateModel(flags, 4, 4, 1, nullptr, nullptr, false);
    ASSERT_FALSE(quad->GetVertexBuffer()->HasColours());
    Vantor::Vertex* vertices = quad->GetVertexBuffer()->Lock(0, 4);
    const float corners[4][2] = {{1, 0}, {1, 1}, {0, 0}, {0.5f, 1.00005f}};
    for (int i = 0; i < 4; ++i) {
        vertices[i].u = corners[i][0];
        vertices[i].v = corners[i][1];
    }
    quad->GetVertexBuffer()->Unlock();

    TexturePack::MapQuadOntoPicture(*quad, {nullptr, {0.1f, 0.2f}, {0.3f, 0.4f}}, true);
    EXPECT_EQ((std::vector<Pair>{{0.1f, 0.2f}, {0.1f, 0.4f}, {0.3f, 0.2f}, {0.5f, 0.4f}}), QuadCoordinates(*quad))
        << "u away from the corners stays; v within 0.0001 of 1 is a corner";
    Vantor::ModelManager::Instance()->ReleaseModel(quad);
}

// --- lookups ---------------------------------------------------------------------------

TEST_F(GameTexturePackTest, NamesAreLookedUpLowerCasedAndTheFirstOfARepeatedNameIsKept) {
    Write(PackOf({PictureOf("abc", 0, 0, 0.5f, 0.5f), PictureOf("abc", 0, 0, 1, 1), PictureOf("Mixed", 0, 0, 1, 1)}));
    const auto pack = LoadPack();
    EXPECT_TRUE(Fatals().empty());

    Vantor::GUIWindow* window = pack->CreateWindow("ABC", 1, {0, 0}, {1, 1}, nullptr, false);
    EXPECT_EQ(Pair(32, 16), XY(window->GetSize())) << "the first \"abc\"";
    GUI().DestroyWindow(window);
    EXPECT_NE(nullptr, pack->FindPicture("Mixed")) << "stored as read";
    EXPECT_EQ("Texture pack \"" + kPackPath + "\" is not contain \"Mixed\" texture",
              FatalOf([&] { pack->CreateWindow("Mixed", 1, {0, 0}, {1, 1}, nullptr, false); }))
        << "a name stored with capitals is never found";
    EXPECT_EQ("Texture pack \"" + kPackPath + "\" is not contain \"door\" texture",
              FatalOf([&] { pack->CreateWindow("door", 1, {0, 0}, {1, 1}, nullptr, false); }));
}

TEST_F(GameTexturePackTest, DestroyingThePackGivesEveryAtlasBack) {
    const std::uint32_t before = Vantor::ShaderManager::Instance()->GetShaderUserCount();
    Write(PackOf({}));
    auto pack = LoadPack();
    EXPECT_EQ(before + 2, Vantor::ShaderManager::Instance()->GetShaderUserCount());
    pack.reset();
    EXPECT_EQ(before, Vantor::ShaderManager::Instance()->GetShaderUserCount());
}

// --- broken packs ----------------------------------------------------------------------

struct BrokenPack {
    const char* name;
    std::function<void(GameTexturePackWriter::Pack&)> breakIt;
    // Only for a file cut short: the bytes to cut.
    std::size_t cut;
    const char* message;
};

TEST_F(GameTexturePackTest, BrokenPackEndsTheRunWithOneFatalLineAndLeavesNoMaterial) {
    const std::string format = "Incorrect \"" + kPackPath + "\" file format: ";
    const std::vector<BrokenPack> cases = {
        {"wrong magic", [](auto& pack) { pack.magic = "GFTPX"; }, 0, "file format"},
        {"version 101", [](auto& pack) { pack.version = 101; }, 0, "format version (101), current is 100"},
        {"version 99", [](auto& pack) { pack.version = 99; }, 0, "format version (99), current is 100"},
        {"cut short", [](auto&) {}, 3, "file format"},
        {"more pictures than stored", [](auto& pack) { pack.pictureCount = 2; }, 0, "Failed to read"},
        {"atlas count below 0", [](auto& pack) { pack.atlasCount = -1; }, 0, "atlas count -1 is out of range"},
        {"atlas count beyond the bound", [](auto& pack) { pack.atlasCount = 257; }, 0,
         "atlas count 257 is out of range"},
        {"atlas index below 0", [](auto& pack) { pack.pictures[0].atlasIndex = -1; }, 0,
         "picture \"door\" names atlas -1 of 2"},
        {"atlas index past the atlases", [](auto& pack) { pack.pictures[0].atlasIndex = 2; }, 0,
         "picture \"door\" names atlas 2 of 2"},
    };
    const std::uint32_t users = Vantor::ShaderManager::Instance()->GetShaderUserCount();
    for (const BrokenPack& broken : cases) {
        SCOPED_TRACE(broken.name);
        GameTexturePackWriter::Pack pack = PackOf({PictureOf("door", 0, 0, 1, 1)});
        broken.breakIt(pack);
        GameTexturePackWriter::Bytes bytes = GameTexturePackWriter::Build(pack);
        bytes.resize(bytes.size() - broken.cut);
        GameDataFolder::WriteText(L"data\\packs\\house\\texture_pack.tpf", std::string(bytes.begin(), bytes.end()));
        EXPECT_THAT(FatalOf([&] { LoadPack(); }), HasSubstr(broken.message));
        EXPECT_EQ(users, Vantor::ShaderManager::Instance()->GetShaderUserCount());
    }
    EXPECT_THAT(FatalOf([&] { TexturePack("packs\\nowhere", true); }), HasSubstr("Failed to open"));
}

}  // namespace
