#include "content/DataSetCatalogue.h"

#include <algorithm>
#include <vector>

#include "content/ProductRecipes.h"

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

}  // namespace

DataSetCatalogue::DataSetCatalogue(std::filesystem::path sourceFolder) : sourceFolder_(std::move(sourceFolder)) {}

void DataSetCatalogue::AddTo(ProductGraph& graph) const {
    AddTexts(graph);
    AddFixedPictures(graph);
    AddXml(graph);
    AddFonts(graph);
}

void DataSetCatalogue::AddTexts(ProductGraph& graph) const {
    graph.Add(ProductRecipes::MergedTexts("texts\\texts.xml", FilesOf(sourceFolder_, "texts", ".xml")));
}

// Textures the code names by their paths.
void DataSetCatalogue::AddFixedPictures(ProductGraph& graph) const {
    graph.Add(ProductRecipes::SvgPicture("common\\empty", "art/common/empty.svg", 8, 8));
    graph.Add(ProductRecipes::SvgPicture("console\\console", "art/console/console.svg", 64, 64));
}

// The fonts the code names, from the DejaVu typefaces of the system's font package,
// white (the code tints them), with the typefaces' licence beside them.
void DataSetCatalogue::AddFonts(ProductGraph& graph) const {
    const std::string sans = std::string(kTypefaceFolder) + "/DejaVuSans.ttf";
    for (const char* name : {"common", "common_0", "common_1", "common_2"})
        graph.Add(ProductRecipes::Font(std::string("fonts\\") + name, sans, 18, false));
    graph.Add(ProductRecipes::Font("fonts\\console", std::string(kTypefaceFolder) + "/DejaVuSansMono.ttf", 14, true));
    graph.Add(ProductRecipes::Copy("fonts\\licence_dejavu.txt", kTypefaceLicence));
}

void DataSetCatalogue::AddXml(ProductGraph& graph) const {
    graph.Add(ProductRecipes::XmlCopy("levels\\levels.xml", "xml/levels/levels.xml"));
}

}  // namespace Content
