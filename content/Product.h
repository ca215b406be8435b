#pragma once
// One product of the data builder: the files it writes into the data folder, the
// sources and parameters they are made from, and the builder that makes them. The
// builder version is raised whenever the builder's output for the same input changes,
// so that the next run rebuilds the product.

#include <functional>
#include <string>
#include <vector>

namespace Content {

class ProductContext;

struct Product {
    // The product's main output, relative to the data folder with backslashes
    // ("ui\cursors\cursor.png"); it names the product in progress lines and seeds it.
    std::string name;
    // Files relative to the source folder; their bytes take part in the fingerprint.
    std::vector<std::string> sources;
    // Everything else the output depends on, as text.
    std::string parameters;
    int builderVersion = 1;
    // Writes the outputs through the context; throws on a bad source.
    std::function<void(ProductContext&)> build;
};

}  // namespace Content
