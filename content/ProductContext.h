#pragma once
// What a product's builder sees: its sources, a seed of its own and the outputs it
// writes. Outputs are collected in memory; the graph puts them on disk afterwards.

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace Content {

struct Product;

class ProductContext {
public:
    using Bytes = std::vector<std::uint8_t>;

    ProductContext(const Product& product, std::filesystem::path sourceFolder);

    const Product& GetProduct() const { return product_; }
    // A source's bytes; the name is relative to the source folder. Throws
    // Vantor::Error naming the source when it cannot be read.
    std::string ReadSource(const std::string& name) const;
    std::filesystem::path SourcePath(const std::string& name) const { return sourceFolder_ / name; }
    // Derived from the product's name only, so every run and job count sees the same.
    std::uint64_t Seed() const;

    // An output relative to the data folder, with backslashes. Writing one twice throws.
    void Write(const std::string& dataPath, Bytes bytes);
    void Write(const std::string& dataPath, const std::string& text);
    const std::map<std::string, Bytes>& Outputs() const { return outputs_; }

private:
    const Product& product_;
    std::filesystem::path sourceFolder_;
    std::map<std::string, Bytes> outputs_;
};

}  // namespace Content
