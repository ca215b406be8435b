#include "content/ProductContext.h"

#include "content/ContentHash.h"
#include "content/Product.h"
#include "content/SourceFiles.h"
#include "engine/kernel/Error.h"

namespace Content {

ProductContext::ProductContext(const Product& product, std::filesystem::path sourceFolder)
    : product_(product), sourceFolder_(std::move(sourceFolder)) {}

std::string ProductContext::ReadSource(const std::string& name) const {
    std::string bytes;
    if (!SourceFiles::Read(SourcePath(name), bytes)) throw Vantor::Error(name + ": cannot be read");
    return bytes;
}

std::uint64_t ProductContext::Seed() const { return ContentHash::Of(product_.name); }

void ProductContext::Write(const std::string& dataPath, Bytes bytes) {
    if (!outputs_.emplace(dataPath, std::move(bytes)).second)
        throw Vantor::Error(product_.name + ": writes " + dataPath + " twice");
}

void ProductContext::Write(const std::string& dataPath, const std::string& text) {
    Write(dataPath, Bytes(text.begin(), text.end()));
}

}  // namespace Content
