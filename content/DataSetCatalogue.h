#pragma once
// Every product of the game's data folder, declared from the sources below the source
// folder (content/ in the repository): pictures, sheets, models, particle systems,
// sounds, fonts and XML. Areas whose sources are folders of files take every file of
// the folder, in name order, so that adding a source adds its product.

#include <filesystem>

#include "content/ProductGraph.h"


namespace Content {

class DataSetCatalogue {
public:
    explicit DataSetCatalogue(std::filesystem::path sourceFolder);

    void AddTo(ProductGraph& graph) const;

private:
    void AddTexts(ProductGraph& graph) const;
    void AddFixedPictures(ProductGraph& graph) const;
    void AddXml(ProductGraph& graph) const;
    void AddFonts(ProductGraph& graph) const;
    void AddSounds(ProductGraph& graph) const;

    std::filesystem::path sourceFolder_;
};

}  // namespace Content
