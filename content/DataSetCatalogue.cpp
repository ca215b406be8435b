#include "content/DataSetCatalogue.h"

#include <algorithm>
#include <vector>

#include "content/CafeCatalogue.h"
#include "content/ComicCatalogue.h"
#include "content/HouseCatalogue.h"
#include "content/ProductRecipes.h"
#include "content/ScreenLookCatalogue.h"
#include "content/StoryCatalogue.h"

namespace Content {

namespace {

constexpr const char* kTypefaceFolder = "/usr/share/fonts/truetype/dejavu";
constexpr const char* kTypefaceLicence = "/usr/share/doc/fonts-dejavu-core/copyright";

// The files of a source folder with the extension, relative to the source folder, sorted.
std::vector<std::string> FilesOf(const std::filesystem::path& sourceFolder, const std::string& folder,
                                 const std::string& extension) {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(sourceFolder / folder, error))
        if (entry.is_regular_file() && entry.path().extension() == extension)
            files.push_back(folder + "/" + entry.path().filename().string());
    std::sort(files.begin(), files.end());
    return files;
}

// "ui/windows/a.xml" as the data folder's "ui\windows\a.xml".
std::string DataPath(std::string relative) {
    std::replace(relative.begin(), relative.end(), '/', '\\');
    return relative;
}

}  // namespace

DataSetCatalogue::DataSetCatalogue(std::filesystem::path sourceFolder) : sourceFolder_(std::move(sourceFolder)) {}

void DataSetCatalogue::AddTo(ProductGraph& graph) const {
    AddTexts(graph);
    AddFixedPictures(graph);
    AddXml(graph);
    AddFonts(graph);
    ScreenLookCatalogue::AddTo(graph);
    CafeCatalogue().AddTo(graph);
    HouseCatalogue().AddTo(graph);
    StoryCatalogue::AddTo(graph);
    ComicCatalogue::AddTo(graph);
    AddSounds(graph);
}

void DataSetCatalogue::AddTexts(ProductGraph& graph) const {
    graph.Add(ProductRecipes::MergedTexts("texts\\texts.xml", FilesOf(sourceFolder_, "texts", ".xml")));
}

// Textures the code names by their paths.
void DataSetCatalogue::AddFixedPictures(ProductGraph& graph) const {
    graph.Add(ProductRecipes::SvgPicture("common\\empty", "art/common/empty.svg", 8, 8));
    graph.Add(ProductRecipes::SvgPicture("console\\console", "art/console/console.svg", 64, 64));
    // Kinds 1 and 2 draw "cursor"; kind 0 names "cursor_alpha.jpg", found as that name + ".png".
    graph.Add(ProductRecipes::SvgPicture("ui\\cursors\\cursor", "art/ui/cursors/cursor.svg", 64, 64));
    graph.Add(ProductRecipes::SvgPicture("ui\\cursors\\cursor_alpha.jpg", "art/ui/cursors/cursor.svg", 64, 64));
    graph.Add(ProductRecipes::SvgPicture("splash1", "art/splash/title_card.svg", 1024, 1024,
                                         ProductRecipes::Format::Jpeg));
    graph.Add(ProductRecipes::SvgPicture("splash2", "art/splash/emblem.svg", 1024, 1024, ProductRecipes::Format::Jpeg));
}

// The fonts the code names, from the DejaVu typefaces of the system's font package, in
// the styles of STYLE.md, with the typefaces' licence beside them. Fonts the code prints
// in a colour are white; those it switches by name to show a state carry their colour.
void DataSetCatalogue::AddFonts(ProductGraph& graph) const {
    constexpr std::uint32_t kWhite = 0xFFFFFF, kInk = 0x2B1D14, kEspresso = 0x4A2E1F, kBerry = 0xA63D40;
    constexpr std::uint32_t kCream = 0xF6E7C8, kButter = 0xFFE08A, kLatte = 0xD9B98F;
    const std::string folder = std::string(kTypefaceFolder) + "/";
    const std::string sans = folder + "DejaVuSans.ttf", bold = folder + "DejaVuSans-Bold.ttf";
    const std::string mono = folder + "DejaVuSansMono.ttf";
    struct Style {
        const char* name;
        FontGenerator::Options options;
    };
    const Style styles[] = {
        {"common", {sans, 22, false, false, kWhite, 2, kInk}},
        {"common_0", {sans, 22, false, false, kEspresso, 0, 0}},
        {"common_1", {sans, 22, false, false, kBerry, 0, 0}},
        {"common_2", {sans, 22, false, false, kInk, 0, 0}},
        {"main_menu_0", {bold, 38, false, false, kCream, 3, kInk}},
        {"main_menu_1", {bold, 38, false, false, kButter, 3, kInk}},
        {"main_menu_2", {bold, 38, false, false, kLatte, 3, kInk}},
        {"tip", {bold, 28, false, false, kWhite, 3, kInk}},
        {"console", {mono, 14, true, false, kWhite, 0, 0}},
    };
    for (const Style& style : styles)
        graph.Add(ProductRecipes::Font(std::string("fonts\\") + style.name, style.options));
    graph.Add(ProductRecipes::Copy("fonts\\licence_dejavu.txt", kTypefaceLicence));
}

void DataSetCatalogue::AddXml(ProductGraph& graph) const {
    graph.Add(ProductRecipes::XmlCopy("levels\\levels.xml", "xml/levels/levels.xml"));
    // The GUI's resource lists, its layouts and fader lists, at the data path below "xml/".
    for (const char* folder : {"xml/ui", "xml/ui/background", "xml/ui/windows"})
        for (const std::string& file : FilesOf(sourceFolder_, folder, ".xml"))
            graph.Add(ProductRecipes::XmlCopy(DataPath(file.substr(4)), file));
    for (const char* definitions : {"provisions", "room", "customers", "character"})
        graph.Add(ProductRecipes::XmlCopy(std::string("game_objects\\") + definitions + ".xml",
                                          std::string("xml/game_objects/") + definitions + ".xml"));
    graph.Add(ProductRecipes::XmlCopy("house\\upgrades.xml", "xml/house/upgrades.xml"));
}

// Every score below "audio/" as the Ogg Vorbis file of the same name and folder.
void DataSetCatalogue::AddSounds(ProductGraph& graph) const {
    for (const char* folder : {"audio/menu", "audio/music", "audio/game"})
        for (const std::string& score : FilesOf(sourceFolder_, folder, ".score"))
            graph.Add(ProductRecipes::Sound(DataPath(score.substr(0, score.size() - 6) + ".ogg"), score));
}

}  // namespace Content
