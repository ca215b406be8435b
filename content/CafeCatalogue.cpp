#include "content/CafeCatalogue.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "content/MaterialPresets.h"
#include "content/ProductRecipes.h"
#include "content/ResourceListText.h"
#include "content/SheetBuilder.h"

namespace Content {

namespace {

using Rect = ModelShapes::Rect;
using Parameters = SvgTemplate::Parameters;

constexpr const char* kArt = "art/game_objects/";
constexpr const char* kObjects = "game_objects\\";
constexpr float kPixelsPerUnit = 1.28f;

struct Colour {
    double r, g, b;
};

Parameters Coloured(Colour colour, Parameters parameters = {}) {
    parameters["r"] = colour.r;
    parameters["g"] = colour.g;
    parameters["b"] = colour.b;
    return parameters;
}

// The smallest power-of-two side that shows the units at the style's resolution.
int Side(float units) {
    int side = 8;
    while (side < units * kPixelsPerUnit && side < 1024) side *= 2;
    return side;
}

// An ingredient: its template, its size in GUI units and its colour.
struct IngredientArt {
    const char* name;
    const char* shape;
    float width, height;
    Colour colour;
};

const IngredientArt kIngredients[] = {
    {"cracker_waffle", "cracker", 48, 12, {224, 168, 74}},
    {"cracker_chocolate", "cracker", 48, 12, {107, 67, 48}},
    {"cracker_fancy", "cracker", 48, 12, {230, 140, 170}},
    {"jelly_green", "jelly", 48, 10, {110, 190, 90}},
    {"jelly_red", "jelly", 48, 10, {200, 60, 70}},
    {"jelly_yellow", "jelly", 48, 10, {250, 210, 90}},
    {"coffee_cup", "cup", 36, 36, {255, 248, 236}},
    {"soda_glass", "glass", 30, 44, {143, 184, 201}},
    {"ice_cream_cone", "cone", 30, 40, {224, 168, 74}},
    {"candyfloss_stick", "stick", 30, 44, {143, 184, 201}},
    {"popcorn_box", "box", 32, 36, {166, 61, 64}},
    {"coffee_black", "drink", 26, 10, {43, 29, 20}},
    {"coffee_mocha", "drink", 26, 10, {107, 67, 48}},
    {"coffee_latte", "drink", 26, 10, {190, 140, 90}},
    {"soda_cola", "soda", 24, 32, {90, 50, 30}},
    {"soda_orange", "soda", 24, 32, {240, 122, 42}},
    {"soda_lemon", "soda", 24, 32, {235, 215, 70}},
    {"soda_berry", "soda", 24, 32, {150, 50, 110}},
    {"ice_cream_vanilla", "scoop", 30, 24, {255, 240, 200}},
    {"ice_cream_chocolate", "scoop", 30, 24, {107, 67, 48}},
    {"ice_cream_strawberry", "scoop", 30, 24, {240, 150, 170}},
    {"candyfloss_pink", "floss", 30, 30, {250, 170, 200}},
    {"candyfloss_blue", "floss", 30, 30, {150, 200, 240}},
    {"popcorn_salty", "popcorn", 32, 16, {255, 240, 190}},
    {"popcorn_caramel", "popcorn", 32, 16, {224, 168, 74}},
    {"cream", "cream", 30, 12, {255, 250, 240}},
};

// Where each layer of a food group lies, bottom first: the layer's corner and the
// group's extent (width, top of the layer).
struct LayerPlaces {
    const char* group;
    std::vector<Rect> places;
};

const LayerPlaces kLayerPlaces[] = {
    {"cake", {{0, 0, 48, 12}, {0, 10, 48, 10}, {0, 18, 48, 12}}},
    {"coffee", {{0, 0, 36, 36}, {5, 24, 31, 10}, {3, 30, 33, 12}}},
    {"soda", {{0, 0, 30, 44}, {3, 3, 27, 32}}},
    {"ice_cream", {{0, 0, 30, 40}, {0, 28, 30, 24}, {0, 46, 30, 12}}},
    {"candyfloss", {{0, 0, 30, 44}, {0, 16, 30, 30}}},
    {"popcorn", {{0, 0, 32, 36}, {0, 26, 32, 16}}},
};

// A distributor: its tray, the tray's colour and the places of its items.
struct DistributorArt {
    const char* name;
    Rect tray;
    Colour colour;
    std::vector<Rect> slots;
};

const Colour kWalnut{138, 90, 60}, kCaramel{181, 119, 58}, kSage{126, 156, 107}, kSky{143, 184, 201};

// Three item places side by side on a tray, 38 units apart.
std::vector<Rect> ThreeSlots(const Rect& tray) {
    std::vector<Rect> slots;
    for (int i = 0; i < 3; ++i) slots.push_back({tray.x + 4 + 38.0f * i, tray.y + 6, 36, 40});
    return slots;
}

// The coffee cups' places are 45 units apart: the tutorial's arrows point at them.
const std::vector<DistributorArt>& Distributors() {
    static const std::vector<DistributorArt> distributors{
        {"cracker_waffle", {435, 380, 60, 40}, kWalnut, {{441, 392, 48, 20}}},
        {"cracker_chocolate", {370, 380, 60, 40}, kWalnut, {{376, 392, 48, 20}}},
        {"cracker_fancy", {305, 380, 60, 40}, kWalnut, {{311, 392, 48, 20}}},
        {"jelly_green", {372, 452, 56, 40}, kCaramel, {{376, 464, 48, 20}}},
        {"jelly_red", {432, 452, 56, 40}, kCaramel, {{436, 464, 48, 20}}},
        {"jelly_yellow", {312, 452, 56, 40}, kCaramel, {{316, 464, 48, 20}}},
        {"coffee_cup", {625, 395, 140, 46}, kSky, {{630, 400, 44, 40}, {675, 400, 44, 40}, {720, 400, 44, 40}}},
        {"soda_glass", {560, 345, 118, 46}, kSage, ThreeSlots({560, 345, 118, 46})},
        {"ice_cream_cone", {680, 345, 118, 46}, kSage, ThreeSlots({680, 345, 118, 46})},
        {"candyfloss_stick", {560, 298, 118, 46}, kSage, ThreeSlots({560, 298, 118, 46})},
        {"popcorn_box", {680, 298, 118, 46}, kSage, ThreeSlots({680, 298, 118, 46})},
    };
    return distributors;
}

// A machine: its picture, where it takes the food in and gives it out, and its colour.
struct MachineArt {
    const char* name;
    Rect picture;
    Colour colour;
};

// The input and output places: the bottom corners of the picture, or the coffee
// machine's, where the tutorial's arrows point.
Rect InputPlace(const MachineArt& machine) {
    if (std::string(machine.name) == "coffee_black") return {502, 425, 48, 48};
    return {machine.picture.x + 4, machine.picture.y + 4, 38, 44};
}

Rect OutputPlace(const MachineArt& machine) {
    if (std::string(machine.name) == "coffee_black") return {650, 500, 52, 56};
    return {machine.picture.x + machine.picture.width - 42, machine.picture.y + 4, 38, 44};
}

const std::vector<MachineArt>& Machines() {
    static const std::vector<MachineArt> machines{
        {"coffee_black", {500, 440, 200, 150}, {107, 67, 48}},
        {"soda_cola", {6, 500, 78, 96}, {166, 61, 64}},
        {"soda_orange", {88, 500, 78, 96}, {240, 122, 42}},
        {"soda_lemon", {170, 500, 78, 96}, {224, 190, 60}},
        {"soda_berry", {252, 500, 78, 96}, {150, 50, 110}},
        {"coffee_mocha", {334, 500, 78, 96}, {74, 46, 31}},
        {"coffee_latte", {416, 500, 78, 96}, {181, 119, 58}},
        {"ice_cream_vanilla", {4, 400, 96, 94}, {246, 231, 200}},
        {"ice_cream_chocolate", {102, 400, 96, 94}, {107, 67, 48}},
        {"ice_cream_strawberry", {200, 400, 96, 94}, {240, 150, 170}},
        {"popcorn_salty", {4, 302, 96, 94}, {224, 168, 74}},
        {"popcorn_caramel", {102, 302, 96, 94}, {181, 119, 58}},
        {"candyfloss_pink", {200, 302, 96, 94}, {250, 170, 200}},
        {"candyfloss_blue", {708, 444, 86, 78}, {150, 200, 240}},
        {"cream_machine", {300, 300, 110, 76}, {126, 156, 107}},
    };
    return machines;
}

const Rect kDustbin{420, 200, 72, 90};
const Rect kClock{724, 528, 64, 64};

// Customer places: the figure, stepping up to its place (rising and growing a little as
// it fades in, so that its first frame's box, round which its code sets the rating's
// bursts, stands where it ends), and its order balloon below it.
const float kPlaceCentres[] = {244, 80, 556, 718};
constexpr float kFigureWidth = 80, kFigureHeight = 160, kFigureBottom = 130;
constexpr int kWalkFrames = 51;
constexpr float kWalkSpeed = 95.0f;
const Rect kBalloon{0, 0, 160, 100};

struct CustomerArt {
    const char* name;
    Colour shirt, hair;
};

const CustomerArt kCustomers[] = {
    {"regular", {126, 156, 107}, {107, 67, 48}},     {"student", {143, 184, 201}, {43, 29, 20}},
    {"office_worker", {77, 91, 102}, {74, 46, 31}},  {"child", {240, 122, 42}, {224, 168, 74}},
    {"grandparent", {166, 61, 64}, {230, 230, 230}}, {"tourist", {255, 224, 138}, {138, 90, 60}},
    {"artist", {150, 50, 110}, {43, 29, 20}},
};

// The decorations standing where a soda machine, the coffee machine and the chocolate
// ice cream machine will stand.
struct Decoration {
    const char* name;
    const char* source;
    const char* machine;
};

const Decoration kDecorations[] = {
    {"frame_soda", "frame_soda.svg", "soda_cola"},
    {"frame_coffee", "frame_coffee.svg", "coffee_black"},
    {"palm_ice_cream_chocolate", "palm.svg", "ice_cream_chocolate"},
};

// The sign a machine shows: the first kind its name holds, "ice_cream" before "cream".
Parameters Sign(const std::string& machine, Parameters parameters) {
    const char* const kinds[] = {"ice_cream", "coffee", "soda", "candyfloss", "popcorn", "cream"};
    bool shown = false;
    for (const char* kind : kinds) {
        const bool holds = !shown && machine.find(kind) != std::string::npos;
        parameters[kind] = holds ? 1 : 0;
        shown = shown || holds;
    }
    return parameters;
}

const MachineArt& MachineNamed(const std::string& name) {
    for (const MachineArt& machine : Machines())
        if (name == machine.name) return machine;
    return Machines().front();
}

std::string Place(int number) { return (number < 10 ? "0" : "") + std::to_string(number); }

void AddList(ProductGraph& graph, const std::string& path, const ResourceListText& list) {
    graph.Add(ProductRecipes::Written(path, list.Text()));
}

}  // namespace

void CafeCatalogue::AddTo(ProductGraph& graph) const {
    AddProvisions(graph);
    AddRoom(graph);
    AddCustomers(graph);
    AddBackground(graph);
}

void CafeCatalogue::AddPicture(ProductGraph& graph, const std::string& path, const std::string& source,
                               const Rect& rect, const Parameters& parameters) {
    graph.Add(ProductRecipes::SvgPicture(path, kArt + source, Side(rect.width), Side(rect.height),
                                         ProductRecipes::Format::Png, parameters));
    graph.Add(ProductRecipes::Model(path, ModelShapes::Quad(rect), MaterialPresets::Single(path)));
}

void CafeCatalogue::AddBounds(ProductGraph& graph, const std::string& path, const Rect& rect) {
    graph.Add(ProductRecipes::Model(path, ModelShapes::Bounds(rect), MaterialPresets::Empty()));
}

// Ingredients with their glows, the food's layer places and the served mark.
void CafeCatalogue::AddProvisions(ProductGraph& graph) const {
    ResourceListText list;
    for (const IngredientArt& ingredient : kIngredients) {
        const std::string name = ingredient.name, file = "ingredients\\" + name;
        const Rect rect{0, 0, ingredient.width, ingredient.height};
        const std::string source = std::string(ingredient.shape) + ".svg";
        AddPicture(graph, kObjects + file, source, rect, Coloured(ingredient.colour, {{"body", 1}, {"glow", 0}}));
        graph.Add(ProductRecipes::SvgPicture(kObjects + file + "_selection", kArt + source, Side(rect.width),
                                             Side(rect.height), ProductRecipes::Format::Png,
                                             Coloured(ingredient.colour, {{"body", 0}, {"glow", 1}})));
        list.Model("provisions/ingredients/models/" + name, file + ".mdl");
        list.Shader("provisions/ingredients/shaders/" + name, file);
        list.Shader("provisions/ingredients/shaders/" + name + "_selection", file + "_selection");
    }
    for (const LayerPlaces& group : kLayerPlaces) {
        for (std::size_t n = 0; n < group.places.size(); ++n) {
            const std::string name = std::string(group.group) + "_" + std::to_string(n);
            Rect box = group.places[n];
            box.width = group.places[0].width - box.x;
            AddBounds(graph, kObjects + std::string("food\\") + name, box);
            list.Model("provisions/food/" + name, "food\\" + name + ".mdl");
        }
    }
    const ProductRecipes::Animation grow{.parameter = "size", .from = 0.2, .to = 1.0, .frames = 8, .speed = 16.0f};
    graph.Add(ProductRecipes::SvgSheetModel(std::string(kObjects) + "food\\done", kArt + std::string("done.svg"),
                                            Side(24), Side(24), grow, ModelShapes::Quad({0, 0, 24, 24})));
    const SheetBuilder::Grid grid = SheetBuilder::GridFor(grow.frames);
    list.Model("provisions/food/done/model", "food\\done.mdl");
    list.Shader("provisions/food/done/shader", "food\\done", {grid.columns, grid.rows, grow.frames, grow.speed});
    AddList(graph, std::string(kObjects) + "provisions_resources.xml", list);
}

// Distributors, machines, the dustbin, the clock and the machines' previews.
void CafeCatalogue::AddRoom(ProductGraph& graph) const {
    ResourceListText list;
    for (const DistributorArt& distributor : Distributors()) {
        const std::string key = "room/distributors/" + std::string(distributor.name) + "/";
        const std::string file = "room\\" + std::string(distributor.name) + "_";
        AddPicture(graph, kObjects + file + "lower", "distributor.svg", distributor.tray, Coloured(distributor.colour));
        AddBounds(graph, kObjects + file + "selection", distributor.tray);
        list.Model(key + "lower", file + "lower.mdl");
        list.Model(key + "selection", file + "selection.mdl");
        for (std::size_t i = 0; i < distributor.slots.size(); ++i) {
            const std::string slot = "input_" + std::to_string(i);
            AddBounds(graph, kObjects + file + slot, distributor.slots[i]);
            list.Model(key + slot, file + slot + ".mdl");
        }
    }
    const ProductRecipes::Animation lid{.parameter = "lid", .from = 0, .to = -50, .frames = 4, .speed = 10.0f};
    graph.Add(ProductRecipes::SvgSheetModel(std::string(kObjects) + "room\\dustbin_lower", kArt + std::string("dustbin.svg"),
                                            Side(kDustbin.width), Side(kDustbin.height), lid, ModelShapes::Quad(kDustbin)));
    AddBounds(graph, std::string(kObjects) + "room\\dustbin_selection", kDustbin);
    list.Model("room/automatic_machines/dustbin/lower", "room\\dustbin_lower.mdl");
    list.Model("room/automatic_machines/dustbin/selection", "room\\dustbin_selection.mdl");
    for (const MachineArt& machine : Machines()) {
        const std::string name = machine.name, key = "room/automatic_machines/" + name + "/";
        const std::string file = "room\\" + name + "_";
        const Parameters look = Sign(name, Coloured(machine.colour));
        const ProductRecipes::Animation work{.frames = 8, .fixed = look};
        graph.Add(ProductRecipes::SvgSheetModel(kObjects + file + "lower", kArt + std::string("machine.svg"),
                                                Side(machine.picture.width), Side(machine.picture.height), work,
                                                ModelShapes::Quad(machine.picture)));
        const Rect input = InputPlace(machine), output = OutputPlace(machine);
        const float bottom = std::min(machine.picture.y, input.y);
        AddBounds(graph, kObjects + file + "selection",
                  {machine.picture.x, bottom, machine.picture.width, machine.picture.y + machine.picture.height - bottom});
        AddBounds(graph, kObjects + file + "input", input);
        AddBounds(graph, kObjects + file + "output", output);
        for (const char* part : {"lower", "selection", "input", "output"})
            list.Model(key + part, file + part + ".mdl");
        const std::string preview = "machines\\preview_" + name;
        graph.Add(ProductRecipes::SvgPicture(kObjects + preview, kArt + std::string("machine.svg"), 128, 128,
                                             ProductRecipes::Format::Png, Sign(name, Coloured(machine.colour, {{"t", 0}}))));
        list.Shader("ui/machines/preview_" + name, preview);
    }
    graph.Add(ProductRecipes::SvgSheetModel(std::string(kObjects) + "room\\clock", kArt + std::string("clock.svg"),
                                            Side(kClock.width), Side(kClock.height), {.parameter = "angle", .from = 0, .to = 345, .frames = 24, .speed = 0.0f},
                                            ModelShapes::Quad(kClock)));
    list.Model("room/clock/model", "room\\clock.mdl");
    AddList(graph, std::string(kObjects) + "room_resources.xml", list);
}

// The places where customers stand, their pictures and the order balloon.
void CafeCatalogue::AddCustomers(ProductGraph& graph) const {
    ResourceListText list;
    for (int place = 0; place < static_cast<int>(std::size(kPlaceCentres)); ++place) {
        const float centre = kPlaceCentres[place];
        const std::string key = "customers/models/" + Place(place) + "/", file = "customers\\place_" + Place(place) + "_";
        const float middle = kFigureBottom + kFigureHeight / 2;
        graph.Add(ProductRecipes::Model(kObjects + file + "customer",
                                        ModelShapes::Path(kFigureWidth, kFigureHeight,
                                                          {{0, centre, middle - 12, 0.9f}, {kWalkFrames - 1, centre, middle, 1}},
                                                          kWalkSpeed),
                                        MaterialPresets::Empty()));
        AddBounds(graph, kObjects + file + "selection",
                  {centre - kFigureWidth / 2, kFigureBottom, kFigureWidth, kFigureHeight});
        AddBounds(graph, kObjects + file + "balloon", {centre - kBalloon.width / 2, 20, kBalloon.width, kBalloon.height});
        for (const char* part : {"customer", "selection", "balloon"}) list.Model(key + part, file + part + ".mdl");
    }
    for (const CustomerArt& customer : kCustomers) {
        const std::string file = "customers\\" + std::string(customer.name);
        graph.Add(ProductRecipes::SvgPicture(kObjects + file, kArt + std::string("figure.svg"), Side(kFigureWidth),
                                             Side(kFigureHeight), ProductRecipes::Format::Png,
                                             Coloured(customer.shirt, {{"hr", customer.hair.r},
                                                                       {"hg", customer.hair.g},
                                                                       {"hb", customer.hair.b}})));
        list.Shader("customers/shaders/" + std::string(customer.name), file);
    }
    AddPicture(graph, std::string(kObjects) + "customers\\balloon", "balloon.svg", kBalloon, {});
    list.Model("customers/balloon/model", "customers\\balloon.mdl");
    // Three items side by side, each laid at the corner of its place.
    for (int place = 0; place < 3; ++place) {
        for (const LayerPlaces& group : kLayerPlaces) {
            const std::string name = "place_" + Place(place) + "_" + group.group;
            AddBounds(graph, kObjects + std::string("customers\\") + name,
                      {6.0f + 50.0f * place, 24, group.places[0].width, group.places[0].height});
            list.Model("customers/balloon/place_" + Place(place) + "/" + group.group, "customers\\" + name + ".mdl");
        }
    }
    graph.Add(ProductRecipes::SvgSheetModel(std::string(kObjects) + "customers\\smile", kArt + std::string("smile.svg"),
                                            Side(24), Side(24), {.parameter = "mouth", .from = 1, .to = -1, .frames = 49, .speed = 0.0f},
                                            ModelShapes::Quad({128, 4, 24, 24})));
    list.Model("customers/balloon/smile", "customers\\smile.mdl");
    graph.Add(ProductRecipes::SvgSheetModel(std::string(kObjects) + "customers\\patience", kArt + std::string("patience.svg"),
                                            Side(100), Side(8), {.parameter = "hue", .from = 120, .to = 0, .frames = 3, .speed = 0.0f},
                                            ModelShapes::ProgressBar({14, 10, 100, 8}, 21)));
    list.Model("customers/balloon/smile_progress", "customers\\patience.mdl");
    AddList(graph, std::string(kObjects) + "customers_resources.xml", list);
}

// The room behind the day, with the decorations the machines replace.
void CafeCatalogue::AddBackground(ProductGraph& graph) const {
    ResourceListText list;
    std::string layers = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<background resources_prefix=\"background\">\n";
    graph.Add(ProductRecipes::SvgPicture("background\\room", kArt + std::string("room.svg"), 1024, 1024,
                                         ProductRecipes::Format::Jpeg));
    graph.Add(ProductRecipes::Model("background\\room", ModelShapes::Quad({0, 0, 800, 600}),
                                    MaterialPresets::Single("background\\room")));
    list.Model("background/room", "room.mdl");
    layers += "  <model name=\"room\"/>\n";
    for (const Decoration& decoration : kDecorations) {
        const std::string name = decoration.name;
        AddPicture(graph, "background\\" + name, decoration.source, MachineNamed(decoration.machine).picture, {});
        list.Model("background/" + name, name + ".mdl");
        layers += "  <model name=\"" + name + "\"/>\n";
    }
    layers += "</background>\n";
    graph.Add(ProductRecipes::Written("background\\background.xml", layers));
    AddList(graph, "background\\resources.xml", list);
}

}  // namespace Content
