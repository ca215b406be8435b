#pragma once
// The data builder's product graph. Every product declares its sources, parameters and
// builder version; their fingerprint, kept in the manifest beside the data folder,
// decides whether a product is rebuilt. Products run on a pool of jobs; each output is
// written to a temporary name and renamed, a file whose bytes did not change is not
// touched, and the files of products that no longer exist are removed (only files the
// manifest says the builder wrote). The bytes never depend on the job count.

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "content/Product.h"
#include "content/ProductManifest.h"

namespace Content {

class ProductGraph {
public:
    struct Options {
        // 0 means one job per core.
        unsigned jobs = 0;
        bool quiet = false;
        std::ostream* out = nullptr;
    };
    struct Timing {
        std::string product;
        double milliseconds = 0.0;
    };
    struct Summary {
        unsigned built = 0;
        unsigned reused = 0;
        unsigned removed = 0;
        // "<product>: <what went wrong>", in product order.
        std::vector<std::string> failures;
        double seconds = 0.0;
        std::uint64_t bytes = 0;
        // Of the products built in this run, slowest first.
        std::vector<Timing> timings;
        bool Succeeded() const { return failures.empty(); }
    };

    explicit ProductGraph(std::filesystem::path sourceFolder);

    // Throws Vantor::Error when another product has the same name.
    void Add(Product product);
    const std::vector<Product>& Products() const { return products_; }

    Summary Build(const std::filesystem::path& dataFolder, const Options& options);

private:
    std::filesystem::path sourceFolder_;
    std::vector<Product> products_;
};

}  // namespace Content
