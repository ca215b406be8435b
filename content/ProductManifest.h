#pragma once
// The data builder's record of what it wrote: per product its fingerprint and its
// outputs with their sizes and hashes. Kept as a text file beside the data folder,
// never in it, so that only files the builder wrote are ever removed.

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace Content {

class ProductManifest {
public:
    struct Output {
        std::string path;  // relative to the data folder, backslashes
        std::uint64_t size = 0;
        std::string hash;
    };
    struct Entry {
        std::string fingerprint;
        std::vector<Output> outputs;
    };

    // "<parent>/<data folder name>.manifest".
    static std::filesystem::path PathFor(const std::filesystem::path& dataFolder);

    // A missing or unreadable manifest reads as empty: everything is then rebuilt.
    void Load(const std::filesystem::path& file);
    // Written to a temporary name and renamed, in product order.
    void Save(const std::filesystem::path& file) const;

    const Entry* Find(const std::string& product) const;
    void Set(const std::string& product, Entry entry) { entries_[product] = std::move(entry); }
    const std::map<std::string, Entry>& Entries() const { return entries_; }

private:
    std::map<std::string, Entry> entries_;
};

}  // namespace Content
