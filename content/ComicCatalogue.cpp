#include "content/ComicCatalogue.h"

#include <string>
#include <vector>

#include "content/CharacterPoses.h"
#include "content/ModelShapes.h"
#include "content/PictureEncoder.h"
#include "content/ProductContext.h"
#include "content/ProductRecipes.h"
#include "content/ResourceListText.h"
#include "content/StoryCatalogue.h"
#include "content/SvgComposer.h"
#include "content/SvgRasteriser.h"
#include "content/SvgTemplate.h"

namespace Content {

namespace {

using Rect = ModelShapes::Rect;

constexpr const char* kFolder = "ui\\comics\\introduction\\";
constexpr const char* kKeys = "ui/comics/introduction/";
constexpr const char* kArt = "art/ui/comics/";
constexpr const char* kCharacterSources[] = {"art/ui/characters/girl.svg", "art/ui/characters/owner.svg",
                                             "art/ui/characters/mechanic.svg", "art/ui/characters/worker.svg"};

// Screen rectangles of the comic's tiers (GUI units): a page fills the screen, or its
// top or its bottom half; later pages lie over earlier ones.
constexpr float kMargin = 20, kGutter = 10;
constexpr float kTopY = 310, kTierHeight = 270, kBottomY = 20;

// A panel and the phases it is drawn in (bit n: phase n), from the scene template
// "<art>page<page>_<panel>.svg", which takes the phase as "phase" and "is0" .. "is3".
struct Panel {
    int page, panel;
    Rect rect;
    unsigned phases;
    int height;  // stacking in the layout
};

const std::vector<Panel>& Panels() {
    static const std::vector<Panel> panels{
        // Page 0: the journey, four panels over the whole page.
        {0, 0, {kMargin, kTopY, 375, kTierHeight}, 0b11, 5},
        {0, 1, {405, kTopY, 375, kTierHeight}, 0b11, 5},
        {0, 2, {kMargin, kBottomY, 375, 280}, 0b11, 5},
        {0, 3, {405, kBottomY, 375, 280}, 0b11, 5},
        // Page 1, top tier: the arrival; the wide coast panel fades over the others.
        {1, 0, {kMargin, kTopY, 240, kTierHeight}, 0b1111, 6},
        {1, 1, {kMargin, kTopY, 760, kTierHeight}, 0b0001, 7},
        {1, 2, {270, kTopY, 260, kTierHeight}, 0b1111, 6},
        {1, 3, {540, kTopY, 240, kTierHeight}, 0b1111, 6},
        // Page 2, bottom tier: inside the café.
        {2, 0, {kMargin, kBottomY, 240, kTierHeight}, 0b111, 6},
        {2, 1, {270, kBottomY, 260, kTierHeight}, 0b111, 6},
        {2, 2, {540, kBottomY, 240, kTierHeight}, 0b111, 6},
        // Page 3, top tier again: the evening in the attic.
        {3, 0, {kMargin, kTopY, 180, kTierHeight}, 0b11, 8},
        {3, 1, {210, kTopY, 180, kTierHeight}, 0b11, 8},
        {3, 2, {400, kTopY, 180, kTierHeight}, 0b10, 8},
        {3, 3, {590, kTopY, 190, kTierHeight}, 0b11, 8},
        // Page 4: the first morning, over the whole page.
        {4, 0, {kMargin, kTopY, 375, kTierHeight}, 0b11, 9},
        {4, 1, {405, kTopY, 375, kTierHeight}, 0b11, 9},
        {4, 2, {kMargin, kBottomY, 375, 280}, 0b11, 9},
        {4, 3, {405, kBottomY, 375, 280}, 0b11, 9},
        // Page 5: the café opens; the big panel fades away and leaves the harbour.
        {5, 0, {0, 0, 800, 600}, 0b1, 10},
        {5, 1, {560, 40, 200, 160}, 0b1, 11},
        {5, 2, {kMargin, kBottomY, 760, 560}, 0b1, 12},
    };
    return panels;
}

// A comic balloon: the text place of the script and where its tail points (units from
// the picture's left edge), towards a speaker on the left or on the right.
struct ComicBalloon {
    const char* name;
    Rect text;
    double tip;
    bool towardsLeft;
};

constexpr float kBalloonMargin = 16, kBalloonTail = 30;

const ComicBalloon kBalloons[] = {
    {"comics_balloon_160", {209, 401, 207, 85}, 40, true},
    {"comics_balloon_175_0", {161, 243, 206, 86}, 40, true},
    {"comics_balloon_175_1", {335, 394, 252, 105}, 90, true},
    {"comics_balloon_250_0", {219, 423, 254, 105}, 250, false},
    {"comics_balloon_250_1", {539, 235, 206, 85}, 150, false},
    {"comics_balloon_300", {356, 469, 208, 85}, 40, true},
    {"comics_balloon_382", {268, 392, 215, 94}, 40, true},
};

int PowerOfTwo(double units) {
    int side = 1;
    while (side < units * 1.28) side *= 2;
    return std::min(side, SvgRasteriser::kMaxSide);
}

std::string Number(double value) { return SvgTemplate::Format(value); }

std::string Place(const Rect& rect) {
    return "position=\"" + Number(rect.x) + " " + Number(rect.y) + "\" size=\"" + Number(rect.width) + " " +
           Number(rect.height) + "\"";
}

std::string PanelName(const Panel& panel, int phase) {
    return "comics_frame_" + std::to_string(panel.page) + "_" + std::to_string(panel.panel) + "_anim_" +
           std::to_string(phase);
}

// One panel's picture: the scene filled for the phase, with the characters placed.
Product PanelPicture(const Panel& panel, int phase) {
    const std::string name = PanelName(panel, phase);
    const std::string scene = kArt + std::string("page") + std::to_string(panel.page) + "_" + std::to_string(panel.panel) +
                              ".svg";
    const int width = PowerOfTwo(panel.rect.width), height = PowerOfTwo(panel.rect.height);
    const SvgTemplate::Parameters parameters{
        {"phase", phase},          {"is0", phase == 0},        {"is1", phase == 1},
        {"is2", phase == 2},       {"is3", phase == 3},        {"w", panel.rect.width},
        {"h", panel.rect.height},  {"w3", panel.rect.width - 3}, {"h3", panel.rect.height - 3}};
    Product product;
    product.name = kFolder + name + ".jpg";
    product.sources = {scene};
    for (const char* source : kCharacterSources) product.sources.push_back(source);
    product.parameters = "panel " + std::to_string(width) + "x" + std::to_string(height);
    for (const auto& [key, value] : parameters) product.parameters += " " + key + "=" + Number(value);
    // The poses' values come from the code, not from a source.
    for (const CharacterPoses::Pose& pose : CharacterPoses::All()) {
        product.parameters += " " + pose.name;
        for (const auto& [key, value] : pose.parameters) product.parameters += " " + key + "=" + Number(value);
    }
    product.build = [name, scene, width, height, parameters](ProductContext& context) {
        const std::string filled = SvgTemplate::Fill(context.ReadSource(scene), scene, parameters);
        const std::string composed =
            SvgComposer::Compose(filled, scene, [&](const std::string& source) { return context.ReadSource(source); });
        context.Write(kFolder + name + ".jpg",
                      PictureEncoder::Jpeg(SvgRasteriser::Render(composed, scene, width, height)));
    };
    return product;
}

void AddPictures(ProductGraph& graph, ResourceListText& list) {
    using Format = ProductRecipes::Format;
    const struct {
        const char* name;
        int width, height;
        Format format;
    } still[] = {{"desk", 1024, 1024, Format::Jpeg}, {"page", 1024, 1024, Format::Jpeg},
                 {"paper", 512, 512, Format::Png},   {"photo", 512, 256, Format::Png},
                 {"clip", 64, 128, Format::Png}};
    for (const auto& picture : still) {
        graph.Add(ProductRecipes::SvgPicture(kFolder + std::string(picture.name), kArt + std::string(picture.name) + ".svg",
                                             picture.width, picture.height, picture.format));
        list.Shader(kKeys + std::string(picture.name), "comics\\introduction\\" + std::string(picture.name));
    }
    for (const Panel& panel : Panels())
        for (int phase = 0; phase < 4; ++phase)
            if (panel.phases & (1u << phase)) {
                graph.Add(PanelPicture(panel, phase));
                list.Shader(kKeys + PanelName(panel, phase), "comics\\introduction\\" + PanelName(panel, phase));
            }
    for (const ComicBalloon& balloon : kBalloons) {
        const double width = balloon.text.width + 2 * kBalloonMargin;
        const double height = balloon.text.height + 2 * kBalloonMargin + kBalloonTail;
        graph.Add(ProductRecipes::SvgPicture(kFolder + std::string(balloon.name), StoryCatalogue::kBalloonArt, 512, 256,
                                             Format::Png,
                                             StoryCatalogue::BalloonShape(width, height, kBalloonTail, balloon.tip,
                                                                          balloon.towardsLeft)));
        list.Shader(kKeys + std::string(balloon.name), "comics\\introduction\\" + std::string(balloon.name));
    }
}

// Controls the script only shows, hides and removes fade in and out by their faders.
std::string Layout() {
    std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                      "<window name=\"window_introduction\" position=\"0 0\" size=\"800 600\">\n"
                      "  <window name=\"stage\" position=\"0 0\" size=\"800 600\" />\n";
    const auto window = [&](const std::string& name, const std::string& shader, const Rect& rect, int height,
                            const std::string& fader) {
        xml += "  <window name=\"" + name + "\" shader=\"" + shader + "\" " + Place(rect) + " height=\"" +
               std::to_string(height) + "\" fader=\"" + fader + "\" />\n";
    };
    const auto text = [&](const std::string& name, const std::string& key, const Rect& rect, const std::string& font,
                          const std::string& extra) {
        xml += "  <text_label name=\"" + name + "\" text=\"" + key + "\" " + Place(rect) + " height=\"4\" font=\"" +
               font + "\" alignment_h=\"center\" alignment_v=\"center\" multiline=\"1\" auto_font_size=\"1\" " +
               "fader=\"comic\" " + extra + "/>\n";
    };
    const std::string comics = "comics/introduction/";
    window("comics_background_0", comics + "desk", {0, 0, 800, 600}, 1, "comic");
    window("comics_photo", comics + "photo", {60, 300, 280, 180}, 2, "comic");
    window("comics_paper", comics + "paper", {330, 60, 400, 480}, 2, "comic");
    window("comics_clip", comics + "clip", {360, 470, 40, 80}, 3, "comic");
    text("comics_text_0", "introduction/letter_heading", {370, 430, 320, 60}, "common_2", "");
    text("comics_text_1", "introduction/letter_body", {370, 220, 320, 200}, "common_2", "");
    text("comics_text_2", "introduction/letter_signature", {370, 160, 320, 50}, "common_2", "");
    text("comics_accepted", "introduction/accepted", {440, 70, 260, 80}, "tip",
         "font_color=\"0.65 0.24 0.25 1\" angle=\"0.2\" ");
    window("comics_background_1", comics + "page", {0, 0, 800, 600}, 5, "comic");
    for (const Panel& panel : Panels())
        for (int phase = 0; phase < 4; ++phase)
            if (panel.phases & (1u << phase))
                window(PanelName(panel, phase), comics + PanelName(panel, phase), panel.rect, panel.height + 1,
                       "comic");
    for (const ComicBalloon& balloon : kBalloons)
        window(balloon.name, comics + balloon.name,
               {balloon.text.x - kBalloonMargin, balloon.text.y - kBalloonMargin - kBalloonTail,
                balloon.text.width + 2 * kBalloonMargin, balloon.text.height + 2 * kBalloonMargin + kBalloonTail},
               20, "comic_quick");
    xml += "  <text_label name=\"comics_balloon_text\" position=\"0 0\" size=\"200 80\" height=\"21\" font=\"common_2\" "
           "alignment_h=\"center\" alignment_v=\"center\" multiline=\"1\" auto_font_size=\"1\" fader=\"comic_quick\" />\n";
    window("comics_mouse", "skin/mouse_left", {0, 0, 32, 32}, 21, "comic_quick");
    return xml + "</window>\n";
}

}  // namespace

void ComicCatalogue::AddTo(ProductGraph& graph) {
    ResourceListText list;
    AddPictures(graph, list);
    graph.Add(ProductRecipes::Written("ui\\resources_introduction_comics.xml", list.Text()));
    graph.Add(ProductRecipes::Written("ui\\windows\\window_introduction.xml", Layout()));
    graph.Add(ProductRecipes::Written("ui\\windows\\faders_introduction.xml",
                                      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<faders>\n"
                                      "  <fader name=\"comic\" show_speed=\"2\" hide_speed=\"2\" />\n"
                                      "  <fader name=\"comic_quick\" show_speed=\"4\" hide_speed=\"4\" />\n"
                                      "</faders>\n"));
}

}  // namespace Content
