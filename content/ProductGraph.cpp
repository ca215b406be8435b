#include "content/ProductGraph.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <mutex>
#include <ostream>
#include <set>
#include <thread>

#include "content/ContentHash.h"
#include "content/ProductContext.h"
#include "content/SourceFiles.h"
#include "engine/kernel/Error.h"

namespace Content {

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A data path ("ui\cursor.png") as a path below the data folder. A path that would
// leave the folder is refused, so that neither writing nor removing reaches outside.
std::filesystem::path DiskPath(const std::filesystem::path& dataFolder, const std::string& dataPath) {
    std::string relative = dataPath;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    std::filesystem::path path = std::filesystem::path(relative).lexically_normal();
    if (relative.empty() || path.is_absolute() || *path.begin() == "..")
        throw Vantor::Error("output path outside the data folder: " + dataPath);
    return dataFolder / path;
}

bool HasSameBytes(const std::filesystem::path& path, const ProductContext::Bytes& bytes) {
    std::error_code error;
    if (std::filesystem::file_size(path, error) != bytes.size() || error) return false;
    std::string current;
    if (!SourceFiles::Read(path, current)) return false;
    return std::equal(current.begin(), current.end(), bytes.begin(), bytes.end(),
                      [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

void WriteReplacing(const std::filesystem::path& path, const ProductContext::Bytes& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::filesystem::path temporary = path;
    temporary += ".make_data.tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) throw Vantor::Error("cannot write " + temporary.string());
    }
    std::filesystem::rename(temporary, path);
}

// A manifest line naming a place outside the data folder counts as missing: the product
// is made again and its new record replaces the line.
bool OutputsIntact(const std::filesystem::path& dataFolder, const ProductManifest::Entry& entry) {
    try {
        for (const ProductManifest::Output& output : entry.outputs) {
            std::error_code error;
            if (std::filesystem::file_size(DiskPath(dataFolder, output.path), error) != output.size || error)
                return false;
        }
    } catch (const Vantor::Error&) {
        return false;
    }
    return true;
}

// Removes the folders below the data folder that the removal left empty.
void RemoveEmptyParents(const std::filesystem::path& dataFolder, std::filesystem::path folder) {
    const std::filesystem::path root = dataFolder.lexically_normal();
    std::error_code error;
    while (folder.lexically_normal() != root && folder.has_relative_path() &&
           std::filesystem::is_empty(folder, error) && !error) {
        std::filesystem::remove(folder, error);
        folder = folder.parent_path();
    }
}

// What one product's turn gave.
struct Outcome {
    enum class Kind { Reused, Built, Failed } kind = Kind::Failed;
    ProductManifest::Entry entry;
    std::string failure;
    double milliseconds = 0.0;
};

class BuildRun {
public:
    BuildRun(const std::vector<Product>& products, const std::filesystem::path& sourceFolder,
             const std::filesystem::path& dataFolder, const ProductManifest& previous,
             const ProductGraph::Options& options)
        : products_(products), sourceFolder_(sourceFolder), dataFolder_(dataFolder), previous_(previous),
          options_(options), outcomes_(products.size()) {}

    std::vector<Outcome> Run() {
        unsigned jobs = options_.jobs ? options_.jobs : std::max(1u, std::thread::hardware_concurrency());
        jobs = std::min<unsigned>(jobs, std::max<std::size_t>(1, products_.size()));
        std::vector<std::thread> workers;
        for (unsigned j = 1; j < jobs; ++j) workers.emplace_back([this] { Work(); });
        Work();
        for (std::thread& worker : workers) worker.join();
        return std::move(outcomes_);
    }

private:
    void Work() {
        for (std::size_t i = next_++; i < products_.size(); i = next_++) {
            outcomes_[i] = Make(products_[i]);
            Report(products_[i], outcomes_[i]);
        }
    }

    Outcome Make(const Product& product) {
        const Clock::time_point start = Clock::now();
        Outcome outcome;
        try {
            outcome.entry.fingerprint = Fingerprint(product);
            const ProductManifest::Entry* last = previous_.Find(product.name);
            if (last && last->fingerprint == outcome.entry.fingerprint && OutputsIntact(dataFolder_, *last)) {
                outcome.kind = Outcome::Kind::Reused;
                outcome.entry = *last;
                return outcome;
            }
            ProductContext context(product, sourceFolder_);
            product.build(context);
            for (const auto& [path, bytes] : context.Outputs()) {
                const std::filesystem::path disk = DiskPath(dataFolder_, path);
                if (!HasSameBytes(disk, bytes)) WriteReplacing(disk, bytes);
                const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
                outcome.entry.outputs.push_back({path, bytes.size(), ContentHash().Add(view).Hex()});
            }
            outcome.kind = Outcome::Kind::Built;
        } catch (const Vantor::Error& error) {
            outcome.failure = product.name + ": " + error.GetText();
        } catch (const std::exception& error) {
            outcome.failure = product.name + ": " + error.what();
        }
        outcome.milliseconds = MillisecondsSince(start);
        return outcome;
    }

    std::string Fingerprint(const Product& product) {
        ContentHash hash;
        hash.Add(product.name).Add(std::uint64_t(product.builderVersion)).Add(product.parameters);
        for (const std::string& source : product.sources) hash.Add(source).Add(SourceHash(source));
        return hash.Hex();
    }

    // Each source is read and hashed once a run, however many products share it.
    std::uint64_t SourceHash(const std::string& source) {
        {
            std::lock_guard<std::mutex> lock(hashing_);
            if (auto known = sourceHashes_.find(source); known != sourceHashes_.end()) return known->second;
        }
        std::string bytes;
        if (!SourceFiles::Read(sourceFolder_ / source, bytes)) throw Vantor::Error(source + ": cannot be read");
        const std::uint64_t value = ContentHash().Add(std::uint64_t(bytes.size())).Add(bytes).Value();
        std::lock_guard<std::mutex> lock(hashing_);
        sourceHashes_.emplace(source, value);
        return value;
    }

    void Report(const Product& product, const Outcome& outcome) {
        std::lock_guard<std::mutex> lock(printing_);
        ++done_;
        if (!options_.out) return;
        if (outcome.kind == Outcome::Kind::Failed) {
            *options_.out << "error: " << outcome.failure << '\n';
        } else if (outcome.kind == Outcome::Kind::Built && !options_.quiet) {
            const int width = static_cast<int>(std::to_string(products_.size()).size());
            char counter[48];
            std::snprintf(counter, sizeof(counter), "[%*zu/%zu] ", width, done_, products_.size());
            *options_.out << counter << product.name << ' ' << static_cast<long>(outcome.milliseconds + 0.5)
                          << " ms\n";
        }
        options_.out->flush();
    }

    const std::vector<Product>& products_;
    const std::filesystem::path& sourceFolder_;
    const std::filesystem::path& dataFolder_;
    const ProductManifest& previous_;
    const ProductGraph::Options& options_;
    std::vector<Outcome> outcomes_;
    std::atomic<std::size_t> next_{0};
    std::mutex printing_;
    std::size_t done_ = 0;
    std::mutex hashing_;
    std::map<std::string, std::uint64_t> sourceHashes_;
};

}  // namespace

ProductGraph::ProductGraph(std::filesystem::path sourceFolder) : sourceFolder_(std::move(sourceFolder)) {}

void ProductGraph::Add(Product product) {
    auto place = std::lower_bound(products_.begin(), products_.end(), product.name,
                                  [](const Product& p, const std::string& name) { return p.name < name; });
    if (place != products_.end() && place->name == product.name)
        throw Vantor::Error("two products named " + product.name);
    products_.insert(place, std::move(product));
}

ProductGraph::Summary ProductGraph::Build(const std::filesystem::path& dataFolder, const Options& options) {
    const Clock::time_point start = Clock::now();
    const std::filesystem::path manifestPath = ProductManifest::PathFor(dataFolder);
    ProductManifest previous;
    previous.Load(manifestPath);
    std::filesystem::create_directories(dataFolder);

    std::vector<Outcome> outcomes = BuildRun(products_, sourceFolder_, dataFolder, previous, options).Run();

    Summary summary;
    ProductManifest next;
    std::set<std::string> written;
    for (std::size_t i = 0; i < products_.size(); ++i) {
        const Product& product = products_[i];
        Outcome& outcome = outcomes[i];
        if (outcome.kind == Outcome::Kind::Failed) {
            summary.failures.push_back(outcome.failure);
            // Its old files stay where they are and stay on record; the next run retries.
            if (const ProductManifest::Entry* last = previous.Find(product.name)) {
                outcome.entry = *last;
                outcome.entry.fingerprint = "failed";
            } else {
                continue;
            }
        }
        for (const ProductManifest::Output& output : outcome.entry.outputs) {
            if (!written.insert(output.path).second)
                summary.failures.push_back(product.name + ": another product also writes " + output.path);
            summary.bytes += output.size;
        }
        if (outcome.kind == Outcome::Kind::Built) {
            ++summary.built;
            summary.timings.push_back({product.name, outcome.milliseconds});
        } else if (outcome.kind == Outcome::Kind::Reused) {
            ++summary.reused;
        }
        next.Set(product.name, std::move(outcome.entry));
    }

    for (const auto& [name, entry] : previous.Entries())
        for (const ProductManifest::Output& output : entry.outputs) {
            if (written.count(output.path)) continue;
            try {
                const std::filesystem::path disk = DiskPath(dataFolder, output.path);
                std::error_code error;
                if (std::filesystem::remove(disk, error)) ++summary.removed;
                RemoveEmptyParents(dataFolder, disk.parent_path());
            } catch (const Vantor::Error&) {
                // A manifest line naming a place outside the data folder is not followed.
            }
        }

    next.Save(manifestPath);
    std::stable_sort(summary.timings.begin(), summary.timings.end(),
                     [](const Timing& a, const Timing& b) { return a.milliseconds > b.milliseconds; });
    summary.seconds = MillisecondsSince(start) / 1000.0;
    return summary;
}

}  // namespace Content
