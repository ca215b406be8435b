#include "content/StoryCatalogue.h"

#include <algorithm>
#include <string>

#include "content/CharacterPoses.h"
#include "content/MaterialPresets.h"
#include "content/ModelShapes.h"
#include "content/ProductRecipes.h"
#include "content/ResourceListText.h"

namespace Content {

namespace {

constexpr const char* kCharacters = "ui\\characters\\";

// A portrait stands on the screen's bottom edge at a side: 200 x 400 units, drawn at
// 256 x 512 pixels.
constexpr float kPortraitWidth = 200, kPortraitHeight = 400;
constexpr int kPortraitPixelsWide = 256, kPortraitPixelsHigh = 512;
constexpr float kLeftSide = 0, kRightSide = 800 - kPortraitWidth;

// The balloon shapes of the two character names, around their text areas (GUI units).
struct Balloon {
    const char* name;
    ModelShapes::Rect textArea;
    bool left;  // the speaker stands at the left edge
};

const Balloon kBalloons[] = {
    {"main_menu_balloon_left_small", {90, 390, 207, 84}, true},
    {"main_menu_balloon_right_small", {508, 369, 207, 84}, false},
    {"main_menu_balloon_right_big", {462, 368, 253, 104}, false},
    {"build_balloon_left_small", {90, 390, 207, 84}, true},
    {"build_balloon_left_big", {90, 390, 253, 104}, true},
    {"build_balloon_right_small", {508, 369, 207, 84}, false},
    {"build_balloon_right_big", {462, 368, 253, 104}, false},
    {"build_balloon_right_very_big", {414, 368, 303, 104}, false},
};

// The body keeps this margin around the text; the tail hangs below it.
constexpr float kMargin = 20, kTail = 36;
// Where the tail points: above the speaker's head.
constexpr float kLeftSpeaker = 110, kRightSpeaker = 690;

}  // namespace

void StoryCatalogue::AddTo(ProductGraph& graph) {
    AddPortraits(graph);
    AddBalloons(graph);
    AddFinalBackground(graph);
}

void StoryCatalogue::AddPortraits(ProductGraph& graph) {
    for (const CharacterPoses::Pose& pose : CharacterPoses::All())
        graph.Add(ProductRecipes::SvgPicture(kCharacters + pose.name, pose.source, kPortraitPixelsWide,
                                             kPortraitPixelsHigh, ProductRecipes::Format::Png, pose.parameters));
    // The pictures come through the windows' shaders; the models only place them.
    const struct {
        const char* name;
        float x;
    } portraits[] = {{"main_menu_npc", kRightSide}, {"main_menu_girl", kLeftSide}, {"build_worker", kLeftSide},
                     {"build_girl", kRightSide}};
    for (const auto& portrait : portraits)
        graph.Add(ProductRecipes::Model(kCharacters + std::string(portrait.name),
                                        ModelShapes::Quad({portrait.x, 0, kPortraitWidth, kPortraitHeight}),
                                        MaterialPresets::Empty()));
}

SvgTemplate::Parameters StoryCatalogue::BalloonShape(double width, double height, double tail, double tip,
                                                     bool towardsLeft) {
    // The tail's root leans away from the speaker, so that the tail slants towards him.
    const double root = tip + (towardsLeft ? 22.0 : -22.0);
    const double bodyHeight = height - tail - 6;
    return {{"width", width},
            {"height", height},
            {"bodyWidth", width - 6},
            {"bodyHeight", bodyHeight},
            {"bodyBottom", 3 + bodyHeight},
            {"tail", tail},
            {"tip", tip},
            {"tipY", height - 2},
            {"tailLeft", root - 14},
            {"tailRight", root + 14},
            {"tailLeftInner", root - 11},
            {"tailRightInner", root + 11},
            {"highlight", width - 40}};
}

void StoryCatalogue::AddBalloons(ProductGraph& graph) {
    for (const Balloon& balloon : kBalloons) {
        const ModelShapes::Rect& area = balloon.textArea;
        const ModelShapes::Rect quad{area.x - kMargin, area.y - kMargin - kTail, area.width + 2 * kMargin,
                                     area.height + 2 * kMargin + kTail};
        const double tip = std::clamp((balloon.left ? kLeftSpeaker : kRightSpeaker) - quad.x, 30.0f, quad.width - 30.0f);
        const std::string path = kCharacters + std::string(balloon.name);
        graph.Add(ProductRecipes::SvgPicture(path, kBalloonArt, 512, 256, ProductRecipes::Format::Png,
                                             BalloonShape(quad.width, quad.height, kTail, tip, balloon.left)));
        graph.Add(ProductRecipes::Model(path, ModelShapes::Quad(quad), MaterialPresets::Single(path)));
    }
}

void StoryCatalogue::AddFinalBackground(ProductGraph& graph) {
    const std::string folder = "final\\";
    ResourceListText list;
    graph.Add(ProductRecipes::SvgPicture(folder + "scene", "art/final/scene.svg", 1024, 1024, ProductRecipes::Format::Jpeg));
    graph.Add(ProductRecipes::Model(folder + "scene", ModelShapes::Quad({0, 0, 800, 600}), MaterialPresets::Single(folder + "scene")));
    list.Model("final/scene", "scene.mdl");
    // A cloud drifting along the horizon and the balloon rising away over the sea, each
    // a key-frame path at 20 frames a second: the cloud crosses in half a minute, the
    // balloon takes a whole one, longer than the credits roll.
    graph.Add(ProductRecipes::SvgPicture(folder + "cloud", "art/ui/background/cloud.svg", 256, 128));
    graph.Add(ProductRecipes::Model(folder + "cloud_layer", ModelShapes::Path(200, 100, {{0, -120, 520}, {599, 920, 500}}, 20.0f),
                                    MaterialPresets::Single(folder + "cloud")));
    list.Model("final/cloud_layer", "cloud_layer.mdl");
    graph.Add(ProductRecipes::SvgPicture(folder + "balloon", "art/final/balloon.svg", 128, 256));
    graph.Add(ProductRecipes::Model(folder + "balloon_layer",
                                    ModelShapes::Path(90, 120, {{0, 160, 200, 1.0f}, {1199, 600, 470, 0.35f}}, 20.0f),
                                    MaterialPresets::Single(folder + "balloon")));
    list.Model("final/balloon_layer", "balloon_layer.mdl");
    graph.Add(ProductRecipes::Written(folder + "resources.xml", list.Text()));
    graph.Add(ProductRecipes::Written(folder + "background.xml",
                                      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                                      "<background resources_prefix=\"final\">\n"
                                      "  <model name=\"scene\"/>\n"
                                      "  <model name=\"cloud_layer\"/>\n"
                                      "  <model name=\"balloon_layer\"/>\n"
                                      "</background>\n"));
}

}  // namespace Content
