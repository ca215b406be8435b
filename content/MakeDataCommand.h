#pragma once
// The data builder's command line:
//   make_data [--jobs N] [--quiet] [--source <folder>] <data folder>
// builds every product of the data set into the data folder, prints a line per product
// built (unless --quiet) and a summary, and answers 0, or 1 when a product failed (each
// failure named on a line of its own) or the command line is wrong.

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "content/ProductGraph.h"

namespace Content {

class MakeDataCommand {
public:
    struct Arguments {
        std::filesystem::path dataFolder;
        std::filesystem::path sourceFolder;
        ProductGraph::Options options;
    };

    explicit MakeDataCommand(std::filesystem::path defaultSourceFolder);

    int Run(const std::vector<std::string>& arguments, std::ostream& out) const;

    // Throws Vantor::Error with the usage for a wrong command line.
    Arguments Parse(const std::vector<std::string>& arguments) const;
    static std::string SummaryLine(const ProductGraph::Summary& summary, std::size_t products);

private:
    std::filesystem::path defaultSourceFolder_;
};

}  // namespace Content
