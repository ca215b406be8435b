#pragma once
// Writes small game data folders for the game's tests, through the content writers,
// below the file manager's base folder: the five definition files (a small valid game
// by default, any file replaced or left out), resource lists, models, particle systems,
// pictures and texture packs.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "content/GameTexturePackWriter.h"
#include "engine/kernel/Vector2.h"

namespace gametest {

// The texts of the definition files; an empty one is not written.
struct Definitions {
    std::optional<std::string> provisions;
    std::optional<std::string> room;
    std::optional<std::string> customers;
    std::optional<std::string> character;
    std::optional<std::string> upgrades;
};

// Four ingredients; a cake of three layers (the top one hidden), coffee and beans
// (not orderable); two distributors, one needing the grinder, which turns beans into
// coffee; one customer type; three qualification levels (tips 0, 100, 200), the grinder
// for sale, two cafe classes; the roof and the chimney, which needs the roof.
Definitions SmallGame();

class GameDataFolder {
public:
    // An atlas picture's pixel size.
    struct Size {
        std::uint32_t width = 0;
        std::uint32_t height = 0;
    };

    static void WriteDefinitions(const Definitions& definitions);
    // A text file (a path below the base folder, "data\...").
    static void WriteText(const std::wstring& path, const std::string& text);
    // A resource list with the elements inside "resources".
    static void WriteResourceList(const std::wstring& path, const std::string& elements);
    // Below the data folder: a one-triangle model and an empty particle system, each
    // with its material (the same path with the extension "srf": a shader file without
    // textures), and an opaque picture (the texture of a list's shader element).
    static void WriteModel(const std::wstring& path);
    static void WriteParticles(const std::wstring& path);
    static void WritePicture(const std::wstring& path, Size size);
    // A textured quad "data\ui\<file>" with its box; with more than one frame a key-frame
    // model whose frames all show the quad.
    static void WriteQuad(const std::string& file, Vantor::Vector2 minimum, Vantor::Vector2 maximum,
                          std::uint32_t frames = 1);
    // An 8 x 8 picture "data\ui\pictures\<name>.tga" of one ARGB colour, or only its
    // border pixels of it (the rest clear).
    static void WriteColourPicture(const std::string& name, std::uint32_t argb, bool frameOnly);
    // A material "data\ui\<file>": one grid sheet of columns x rows frames over the
    // picture "ui\pictures\<picture>", or no texture stage at all without columns.
    static void WriteSheetMaterial(const std::wstring& file, const std::string& picture, int columns, int rows);
    // "data\fonts\<name>" of size 16 whose printable characters are blocks of the text's
    // colour.
    static void WriteBlockFont(const std::string& name);
    // The pack "data\<folder>\texture_pack.tpf" and its atlas pictures, one per size.
    static void WriteTexturePack(const std::string& folder, const Content::GameTexturePackWriter::Pack& pack,
                                 const std::vector<Size>& atlases);
    // The house pack of the small game: one 64 x 32 atlas holding "roof" and "chimney".
    static void WriteHousePack();

    // Elements of a resource list in "data\ui": the model of the key ("a/b/c": the
    // model "c" in the groups "a" and "b") over the model file "ui\models\triangle.mdl",
    // which this writes.
    static std::string ModelElement(const std::string& key);
    // An element of the kind for the key, its groups around it, with the attributes.
    static std::string Element(const std::string& key, const std::string& kind, const std::string& attributes);
    // An ingredient's picture in its colour and its elements: the model over
    // "models\\ingredient.mdl", the material and the glow over "pictures\\glow.tga" (both
    // written by the caller).
    static std::string IngredientElements(const std::string& name, std::uint32_t argb);
    // A model element per number: the key before + the number (at least two digits) +
    // after.
    static std::string NumberedModels(const std::string& before, const std::vector<int>& numbers,
                                      const std::string& after);

private:
    static void WriteMaterialBeside(const std::wstring& path);
};

}  // namespace gametest
