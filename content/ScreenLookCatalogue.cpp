#include "content/ScreenLookCatalogue.h"

#include <algorithm>

#include "content/MaterialPresets.h"
#include "content/ModelShapes.h"
#include "content/ParticlePresets.h"
#include "content/ProductRecipes.h"
#include "engine/render/ParticleSystem.h"

namespace Content {

namespace {

constexpr const char* kSkin = "ui\\skin\\";
// The opening: the frame grows from a fifth of its size in 11 frames at 24 per second
// (0.46 s); the body fades in over it.
constexpr int kOpeningLastFrame = 10;
constexpr float kOpeningSpeed = 24.0f;
constexpr float kOpeningFirstScale = 0.2f;
constexpr int kProgressFrames = 101;
// The day's service faces: frames 0, 16, 32 and 48 are the four ratings.
constexpr int kFaceFrames = 49;
// The frame's rim shows around the body by this many units.
constexpr float kFrameRim = 8.0f;

std::string Skin(const std::string& name) { return kSkin + name; }

// A path that runs round a rectangle of the size from its bottom-left corner, a side per
// quarter of the frames, back to its start.
ModelShapes::Model Round(float width, float height, int frames, float speed) {
    const int quarter = frames / 4;
    return ModelShapes::Path(4, 4,
                             {{0, 0, 0}, {quarter, width, 0}, {2 * quarter, width, height}, {3 * quarter, 0, height},
                              {4 * quarter, 0, 0}},
                             speed);
}

// A path from the left end of a bar to its right end.
ModelShapes::Model Along(float width, float height, int frames, float speed) {
    return ModelShapes::Path(4, 4, {{0, 0, height / 2}, {frames - 1, width, height / 2}}, speed);
}

}  // namespace

void ScreenLookCatalogue::AddTo(ProductGraph& graph) {
    AddSkin(graph);
    AddWindowShapes(graph);
    AddEffects(graph);
    AddMenuBackground(graph);
}

void ScreenLookCatalogue::AddSkin(ProductGraph& graph) {
    using Format = ProductRecipes::Format;
    struct Picture {
        const char* name;
        int width, height;
    };
    for (const Picture& p : {Picture{"panel", 512, 512}, Picture{"frame", 512, 512}, Picture{"edit_box", 512, 64},
                             Picture{"scroll_track", 64, 64}, Picture{"scroll_thumb", 64, 64}, Picture{"dimmer", 8, 8},
                             Picture{"progress_fill", 512, 64}, Picture{"progress_trough", 512, 64}, Picture{"coin", 64, 64},
                             Picture{"arrow", 128, 128}})
        graph.Add(ProductRecipes::SvgPicture(Skin(p.name), "art/ui/skin/" + std::string(p.name) + ".svg", p.width,
                                             p.height, Format::Png));
    graph.Add(ProductRecipes::SvgButton(Skin("button"), "art/ui/skin/button.svg", 256, 64));
    graph.Add(ProductRecipes::SvgButton(Skin("row"), "art/ui/skin/row.svg", 512, 64));
    graph.Add(ProductRecipes::SvgButton(Skin("scroll_minus"), "art/ui/skin/scroll_minus.svg", 64, 64));
    graph.Add(ProductRecipes::SvgButton(Skin("scroll_plus"), "art/ui/skin/scroll_plus.svg", 64, 64));
    graph.Add(ProductRecipes::SvgButton(Skin("knob_close"), "art/ui/skin/knob_close.svg", 64, 64));
    graph.Add(ProductRecipes::SvgCheckBox(Skin("check_box"), "art/ui/skin/check_box.svg", 64, 64));
    using Animation = ProductRecipes::Animation;
    graph.Add(ProductRecipes::SvgListSheet(Skin("face"), "art/ui/skin/face.svg", 64, 64, Animation{"s", 1, -1, kFaceFrames}));
    graph.Add(ProductRecipes::SvgListSheet(Skin("star"), "art/ui/skin/star.svg", 64, 64, Animation{"full", 0, 1, 2}));
    graph.Add(ProductRecipes::SvgListSheet(Skin("star_full"), "art/ui/skin/star.svg", 64, 64, Animation{"full", 1, 1, 1}));
    graph.Add(ProductRecipes::SvgListSheet(Skin("mouse_left"), "art/ui/skin/mouse.svg", 64, 64, Animation{"side", 0, 0, 1}));
    graph.Add(ProductRecipes::SvgListSheet(Skin("mouse_right"), "art/ui/skin/mouse.svg", 64, 64, Animation{"side", 1, 1, 1}));
    // The cover the day's windows fade through: the picture in the lower 768 rows.
    graph.Add(ProductRecipes::SvgPicture("ui\\comics\\introduction\\background", "art/ui/comics/cover.svg", 1024, 1024,
                                         Format::Jpeg));
}

// Rectangles in GUI units (800 x 600, origin bottom left) on the 8-unit grid.
void ScreenLookCatalogue::AddWindowShapes(ProductGraph& graph) {
    // The pointing arrow: a unit quad that the code turns about its centre and stretches
    // over its window, nudging towards its tip and back once a second.
    graph.Add(ProductRecipes::Model(Skin("arrow"),
                                    ModelShapes::Path(1, 1, {{0, 0.44f, 0.5f}, {8, 0.5f, 0.5f}, {16, 0.44f, 0.5f}}, 16.0f),
                                    MaterialPresets::Single(Skin("arrow"))));
    // Progress bars fill a unit square over 101 frames (a hundredth a frame); the control's
    // size scales it and its shader gives the filling.
    graph.Add(ProductRecipes::Model(Skin("progress"), ModelShapes::ProgressBar({0, 0, 1, 1}, kProgressFrames),
                                    MaterialPresets::Single(Skin("progress_fill"))));
    struct Shape {
        const char* name;
        ModelShapes::Rect body;
    };
    const Shape shapes[] = {
        {"dialog", {160, 160, 480, 280}},  // questions with two answers
        {"menu", {224, 40, 352, 448}},     // the main menu's column of buttons
        {"sheet", {104, 40, 592, 496}},    // lists, options and results
        {"hub", {24, 24, 512, 416}},       // the figures of the start of a day
    };
    for (const Shape& shape : shapes) {
        const ModelShapes::Rect& body = shape.body;
        graph.Add(ProductRecipes::Model(Skin(std::string("panel_") + shape.name), ModelShapes::Quad(body),
                                        MaterialPresets::Single(Skin("panel"))));
        const float centreX = body.x + body.width / 2, centreY = body.y + body.height / 2;
        graph.Add(ProductRecipes::Model(
            Skin(std::string("frame_") + shape.name),
            ModelShapes::Path(body.width + 2 * kFrameRim, body.height + 2 * kFrameRim,
                              {{0, centreX, centreY, kOpeningFirstScale}, {kOpeningLastFrame, centreX, centreY, 1.0f}},
                              kOpeningSpeed),
            MaterialPresets::Single(Skin("frame"))));
    }
}

}  // namespace Content

namespace Content {

// Particle effects in GUI units, tinted from the palette (STYLE.md), and their paths.
void ScreenLookCatalogue::AddEffects(ProductGraph& graph) {
    using Kind = ParticlePresets::Kind;
    using Colour = ParticlePresets::Colour;
    const Colour butter{1.0f, 0.878f, 0.541f}, honey{0.878f, 0.659f, 0.29f}, tangerine{0.941f, 0.478f, 0.165f};
    const Colour mint{0.663f, 0.788f, 0.627f}, slate{0.302f, 0.357f, 0.4f}, milk{1.0f, 0.973f, 0.925f};
    graph.Add(ProductRecipes::SvgPicture(Skin("sparkle"), "art/ui/skin/sparkle.svg", 32, 32));
    struct Particles {
        const char* name;
        Kind kind;
        Colour colour;
        float size;
    };
    const Particles systems[] = {
        {"cursor_train", Kind::Trail, milk, 0.5f},         {"cursor_click", Kind::Burst, tangerine, 0.7f},
        {"customer_good", Kind::Burst, butter, 1.0f},      {"customer_bad", Kind::Burst, slate, 1.0f},
        {"day_complete_effect", Kind::Burst, butter, 1.5f}, {"button_hint", Kind::Sparkle, butter, 1.0f},
        {"cafe_hint", Kind::Sparkle, butter, 0.8f},        {"progress_experience_hint", Kind::Sparkle, honey, 0.8f},
        {"progress_mood_good_hint", Kind::Sparkle, mint, 0.8f}, {"progress_mood_bad_hint", Kind::Rising, slate, 0.8f},
        {"tutorial_hint", Kind::Sparkle, tangerine, 0.8f}, {"cafe_effect", Kind::Burst, butter, 1.5f},
        {"experience_effect", Kind::Burst, honey, 1.5f},
    };
    // A customer's bursts rise from the box its code sets above the figure; from a point
    // they would rise at the screen's corner.
    const std::string boxPlaced[] = {"customer_good", "customer_bad"};
    for (const Particles& p : systems) {
        ParticleFileWriter::ParticleSystem system = ParticlePresets::Make(p.kind, p.colour, p.size);
        if (std::find(std::begin(boxPlaced), std::end(boxPlaced), p.name) != std::end(boxPlaced))
            system.emitterShape = Vantor::ParticleSystem::kBoxEmitter;
        graph.Add(ProductRecipes::Particles(std::string("ui\\effects\\") + p.name, system,
                                            MaterialPresets::Single(Skin("sparkle"))));
    }

    // Paths round the buttons the start of a day and the upgrade window point at (one
    // lap in 1.5 s at the 8 frames a second the code plays them), along the bars, round a
    // star and the tutorial's text box (5 a second), and where a burst stands off its star.
    struct Path {
        const char* name;
        ModelShapes::Model model;
    };
    const Path paths[] = {
        {"button_hint_play", Round(200, 56, 12, 8)},
        {"button_hint_upgrade", Round(200, 48, 12, 8)},
        {"button_hint_build", Round(200, 48, 12, 8)},
        {"button_hint_buy", Round(200, 48, 12, 8)},
        {"cafe_hint", Round(40, 40, 8, 8)},
        {"progress_experience_hint", Along(224, 28, 12, 8)},
        {"progress_mood_good_hint", Along(224, 28, 12, 8)},
        {"progress_mood_bad_hint", Along(224, 28, 12, 8)},
        {"tutorial_hint", Round(352, 152, 8, 5)},
        {"cafe_effect", ModelShapes::Bounds({16, 16, 8, 8})},
        {"experience_effect", ModelShapes::Bounds({10, 10, 8, 8})},
        // A piece of the level-complete message flies in from above, shrinking to its
        // place: its centre reaches (0, 0) at the last of 81 frames.
        {"day_completed", ModelShapes::Path(8, 8, {{0, 0, 260, 3}, {80, 0, 0, 1}}, 60)},
    };
    for (const Path& path : paths)
        graph.Add(ProductRecipes::Model(std::string("ui\\effects\\paths\\") + path.name, path.model, MaterialPresets::Empty()));
}

// Inside the café: the street behind the window, a cloud drifting past it (30 s), the
// wall with its open window, steam over the cup on the counter and the light under a lamp
// breathing every 2 s.
void ScreenLookCatalogue::AddMenuBackground(ProductGraph& graph) {
    const std::string folder = "ui\\background\\";
    for (const char* picture : {"sky", "wall"}) {
        graph.Add(ProductRecipes::SvgPicture(folder + picture, std::string("art/ui/background/") + picture + ".svg", 1024,
                                             1024, std::string(picture) == "sky" ? ProductRecipes::Format::Jpeg
                                                                                   : ProductRecipes::Format::Png));
        graph.Add(ProductRecipes::Model(folder + picture + "_layer", ModelShapes::Quad({0, 0, 800, 600}),
                                        MaterialPresets::Single(folder + picture)));
    }
    graph.Add(ProductRecipes::SvgPicture(folder + "cloud", "art/ui/background/cloud.svg", 256, 128));
    graph.Add(ProductRecipes::Model(folder + "cloud_layer",
                                    ModelShapes::Path(160, 80, {{0, -100, 470}, {599, 440, 490}}, 20.0f),
                                    MaterialPresets::Single(folder + "cloud")));
    graph.Add(ProductRecipes::SvgPicture(folder + "glow", "art/ui/background/glow.svg", 256, 256));
    graph.Add(ProductRecipes::Model(folder + "glow_layer",
                                    ModelShapes::Path(240, 240, {{0, 420, 470, 1.0f}, {20, 420, 470, 1.1f}, {40, 420, 470, 1.0f}}, 20.0f),
                                    MaterialPresets::Single(folder + "glow")));
    graph.Add(ProductRecipes::SvgPicture(folder + "puff", "art/ui/background/puff.svg", 32, 32));
    graph.Add(ProductRecipes::Particles(folder + "steam", ParticlePresets::Make(ParticlePresets::Kind::Rising, {1, 1, 1}, 1.5f),
                                        MaterialPresets::Single(folder + "puff")));
    graph.Add(ProductRecipes::Model(folder + "steam_place", ModelShapes::Bounds({636, 156, 8, 8}), MaterialPresets::Empty()));
}

}  // namespace Content
