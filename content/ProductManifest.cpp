#include "content/ProductManifest.h"

#include <fstream>
#include <sstream>

#include "engine/kernel/Error.h"

namespace Content {

namespace {

constexpr const char* kHeader = "make_data manifest 1";

}  // namespace

std::filesystem::path ProductManifest::PathFor(const std::filesystem::path& dataFolder) {
    std::filesystem::path folder = dataFolder.lexically_normal();
    if (folder.filename().empty()) folder = folder.parent_path();
    return folder.parent_path() / (folder.filename().string() + ".manifest");
}

void ProductManifest::Load(const std::filesystem::path& file) {
    entries_.clear();
    std::ifstream in(file);
    std::string line;
    if (!std::getline(in, line) || line != kHeader) return;
    Entry* current = nullptr;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string kind;
        fields >> kind;
        if (kind == "product") {
            std::string fingerprint, name;
            fields >> fingerprint;
            std::getline(fields >> std::ws, name);
            current = &entries_[name];
            current->fingerprint = fingerprint;
        } else if (kind == "output" && current) {
            Output output;
            fields >> output.size >> output.hash;
            std::getline(fields >> std::ws, output.path);
            current->outputs.push_back(output);
        }
    }
}

void ProductManifest::Save(const std::filesystem::path& file) const {
    std::ostringstream text;
    text << kHeader << '\n';
    for (const auto& [name, entry] : entries_) {
        text << "product " << entry.fingerprint << ' ' << name << '\n';
        for (const Output& output : entry.outputs)
            text << "output " << output.size << ' ' << output.hash << ' ' << output.path << '\n';
    }
    std::filesystem::path temporary = file;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text.str();
        if (!out) throw Vantor::Error("cannot write " + temporary.string());
    }
    std::filesystem::rename(temporary, file);
}

const ProductManifest::Entry* ProductManifest::Find(const std::string& product) const {
    auto found = entries_.find(product);
    return found == entries_.end() ? nullptr : &found->second;
}

}  // namespace Content
