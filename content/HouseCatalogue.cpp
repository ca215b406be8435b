#include "content/HouseCatalogue.h"

#include <algorithm>
#include <string>
#include <vector>

#include "content/GameTexturePackWriter.h"
#include "content/HousePlacementWriter.h"
#include "content/MaterialPresets.h"
#include "content/ModelShapes.h"
#include "content/ParticlePresets.h"
#include "content/PictureEncoder.h"
#include "content/ProductContext.h"
#include "content/ProductRecipes.h"
#include "content/ResourceListText.h"
#include "content/SvgRasteriser.h"
#include "content/SvgTemplate.h"
#include "engine/kernel/Error.h"

namespace Content {

namespace {

constexpr const char* kHouseArt = "art/house/house.svg";
constexpr const char* kAtlas = "house\\textures\\texture_pack_0";
constexpr int kAtlasWidth = 1024;
constexpr int kScreenHeight = 600;
// Pixels between the parts in the atlas, so that no part shows its neighbour's edge.
constexpr int kGap = 2;

// A part of the house: its layer (and picture) name, the template's switch for it, and
// its rectangle on the screen in the template's units (y down), one pixel per unit.
struct Part {
    const char* layer;
    const char* parameter;
    int left, top, width, height;
};

// In drawing order: a part drawn later covers the ones before it.
const Part kParts[] = {
    {"upgrade_walls", "walls", 250, 250, 300, 220},
    {"upgrade_chimney", "chimney", 464, 120, 48, 100},
    {"upgrade_roof", "roof", 229, 131, 342, 124},
    {"upgrade_windows_left", "windows_left", 280, 300, 60, 60},
    {"upgrade_windows_right", "windows_right", 460, 300, 60, 60},
    {"upgrade_balcony", "balcony", 270, 360, 80, 30},
    {"upgrade_porch", "porch", 350, 344, 100, 144},
    {"upgrade_door", "door", 374, 368, 52, 100},
    {"upgrade_fence", "fence", 22, 414, 196, 68},
    {"upgrade_garden", "garden", 586, 414, 196, 76},
    {"upgrade_flowers_left", "flowers_left", 32, 458, 136, 26},
    {"upgrade_flowers_right", "flowers_right", 602, 462, 136, 26},
};

int PowerOfTwo(int side) {
    int power = 1;
    while (power < side) power *= 2;
    return power;
}

struct AtlasPlace {
    int x = 0, y = 0;  // top-left pixel
};

struct AtlasLayout {
    std::vector<AtlasPlace> places;  // per part
    int height = 0;
};

// Shelves left to right, the tallest parts first, the height rounded up to a power of two.
AtlasLayout LayOut() {
    std::vector<std::size_t> order(std::size(kParts));
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [](std::size_t a, std::size_t b) { return kParts[a].height > kParts[b].height; });
    AtlasLayout layout;
    layout.places.resize(order.size());
    int x = 0, y = 0, shelf = 0;
    for (std::size_t i : order) {
        if (x + kParts[i].width > kAtlasWidth) {
            x = 0;
            y += shelf + kGap;
            shelf = 0;
        }
        layout.places[i] = {x, y};
        x += kParts[i].width + kGap;
        shelf = std::max(shelf, kParts[i].height);
    }
    layout.height = PowerOfTwo(y + shelf);
    return layout;
}

GameTexturePackWriter::Pack PackOf(const AtlasLayout& layout) {
    GameTexturePackWriter::Pack pack;
    const float width = kAtlasWidth, height = static_cast<float>(layout.height);
    for (std::size_t i = 0; i < std::size(kParts); ++i) {
        const Part& part = kParts[i];
        const AtlasPlace& place = layout.places[i];
        // v runs from the atlas's bottom row up.
        pack.pictures.push_back({part.layer, 0,
                                 {place.x / width, 1.0f - (place.y + part.height) / height},
                                 {(place.x + part.width) / width, 1.0f - place.y / height}});
    }
    return pack;
}

HousePlacementWriter::File PlacementsOf() {
    HousePlacementWriter::File file;
    for (const Part& part : kParts)
        file.entries.push_back({part.layer, part.layer, static_cast<float>(part.left),
                                static_cast<float>(kScreenHeight - part.top - part.height), {0, 0}});
    return file;
}

// The template showing only the part, from its rectangle's top-left corner on, in a
// picture of power-of-two sides (the rasteriser's) that the part's rectangle is cut from.
SvgTemplate::Parameters OnlyPart(const Part& shown) {
    SvgTemplate::Parameters parameters{{"left", shown.left},
                                       {"top", shown.top},
                                       {"width", PowerOfTwo(shown.width)},
                                       {"height", PowerOfTwo(shown.height)}};
    for (const Part& part : kParts) parameters[part.parameter] = &part == &shown ? 1 : 0;
    return parameters;
}

// The part's rectangle: the top-left corner of its rendering.
void Blit(const Picture& rendering, const Part& part, Picture& atlas, const AtlasPlace& place) {
    for (int y = 0; y < part.height; ++y)
        std::copy_n(rendering.Pixel(0, y), part.width * 4, atlas.Pixel(place.x, place.y + y));
}

}  // namespace

void HouseCatalogue::AddTo(ProductGraph& graph) const {
    AddParts(graph);
    AddBackground(graph);
    AddEffects(graph);
}

// The atlas, the pack naming its pictures and the placement file, from one layout.
void HouseCatalogue::AddParts(ProductGraph& graph) const {
    const AtlasLayout layout = LayOut();
    Product product;
    product.name = std::string(kAtlas) + ".png";
    product.sources = {kHouseArt};
    product.parameters = "atlas " + std::to_string(kAtlasWidth) + "x" + std::to_string(layout.height);
    for (const Part& part : kParts)
        product.parameters += " " + std::string(part.layer) + " " + std::to_string(part.left) + " " +
                              std::to_string(part.top) + " " + std::to_string(part.width) + " " +
                              std::to_string(part.height);
    product.build = [layout](ProductContext& context) {
        const std::string svg = context.ReadSource(kHouseArt);
        Picture atlas(kAtlasWidth, layout.height);
        for (std::size_t i = 0; i < std::size(kParts); ++i) {
            const Part& part = kParts[i];
            Blit(SvgRasteriser::Render(SvgTemplate::Fill(svg, kHouseArt, OnlyPart(part)), kHouseArt,
                                       PowerOfTwo(part.width), PowerOfTwo(part.height)),
                 part, atlas, layout.places[i]);
        }
        context.Write(std::string(kAtlas) + ".png", PictureEncoder::Png(atlas));
        context.Write("house\\textures\\texture_pack.tpf", GameTexturePackWriter::Build(PackOf(layout)));
        context.Write("house\\house_upgrades.hsu", HousePlacementWriter::Build(PlacementsOf()));
    };
    graph.Add(product);
}

// The plot behind everything, then every part in drawing order.
void HouseCatalogue::AddBackground(ProductGraph& graph) const {
    graph.Add(ProductRecipes::SvgPicture("house\\scene", "art/house/scene.svg", 1024, 1024, ProductRecipes::Format::Jpeg));
    graph.Add(ProductRecipes::Model("house\\scene", ModelShapes::Quad({0, 0, 800, kScreenHeight}),
                                    MaterialPresets::Single("house\\scene")));
    std::string layers = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<background resources_prefix=\"house\">\n"
                         "  <model name=\"scene\"/>\n";
    for (const Part& part : kParts) layers += "  <texture_pack name=\"" + std::string(part.layer) + "\"/>\n";
    layers += "</background>\n";
    graph.Add(ProductRecipes::Written("house\\background.xml", layers));
}

// The burst over a part just built and four toy balloons rising from below the screen
// to above it, swaying; the balloons' colours are the frames of one sheet.
void HouseCatalogue::AddEffects(ProductGraph& graph) const {
    ResourceListText list;
    list.Model("house/scene", "scene.mdl");
    graph.Add(ProductRecipes::SvgPicture("house\\spark", "art/game_objects/spark.svg", 16, 16));
    graph.Add(ProductRecipes::Particles("house\\build",
                                        ParticlePresets::Make(ParticlePresets::Kind::Burst, {1.0f, 0.88f, 0.54f}, 1.5f),
                                        MaterialPresets::Single("house\\spark")));
    list.Particles("game_logic/house/build", "build.psf");
    const float sways[4][6] = {
        {0, 14, -10, 12, -8, 6}, {0, -12, 10, -14, 8, -4}, {0, 8, 16, 4, -10, -2}, {0, -6, -16, -4, 10, 2}};
    const ProductRecipes::Animation colours{.parameter = "hue", .from = 0, .to = 270, .frames = 4, .speed = 0.0f};
    for (int path = 0; path < 4; ++path) {
        std::vector<ModelShapes::PathKey> keys;
        for (int frame = 0; frame < 6; ++frame)
            keys.push_back({frame, sways[path][frame], -40.0f + 140.0f * frame, 1.0f});
        const ModelShapes::Model rising = ModelShapes::Path(24, 36, keys, 8.0f);
        const std::string name = "balloon_" + std::to_string(path);
        // The first path carries the colour sheet, which the balloons' shader names.
        if (path == 0)
            graph.Add(ProductRecipes::SvgSheetModel("house\\" + name, "art/house/toy_balloon.svg", 32, 64, colours, rising));
        else
            graph.Add(ProductRecipes::Model("house\\" + name, rising, MaterialPresets::Empty()));
        list.Model("game_logic/house/" + name, name + ".mdl");
    }
    const SheetBuilder::Grid grid = SheetBuilder::GridFor(colours.frames);
    list.Shader("game_logic/house/balloon", "balloon_0", {grid.columns, grid.rows, colours.frames, 0.0f});
    graph.Add(ProductRecipes::Written("house\\resources.xml", list.Text()));
}

}  // namespace Content
