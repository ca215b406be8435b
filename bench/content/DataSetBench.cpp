// The whole data set built by make_data's graph: into an empty folder with two jobs,
// and again with nothing changed. The first run also prints the data set's size and
// its ten slowest products.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "content/DataSetCatalogue.h"
#include "content/ProductGraph.h"

namespace {

namespace fs = std::filesystem;

constexpr unsigned kJobs = 2;

fs::path TemporaryFolder() {
    std::string pattern = (fs::temp_directory_path() / "morvane-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    return pattern;
}

Content::ProductGraph DataSetGraph() {
    Content::ProductGraph graph(MORVANE_CONTENT_SOURCE_FOLDER);
    Content::DataSetCatalogue(MORVANE_CONTENT_SOURCE_FOLDER).AddTo(graph);
    return graph;
}

Content::ProductGraph::Summary Build(const fs::path& data) {
    Content::ProductGraph graph = DataSetGraph();
    Content::ProductGraph::Options options;
    options.jobs = kJobs;
    return graph.Build(data, options);
}

void Report(const Content::ProductGraph::Summary& summary) {
    std::fprintf(stderr, "data set: %u products, %.2f MiB; slowest:\n", summary.built,
                 static_cast<double>(summary.bytes) / (1024.0 * 1024.0));
    for (std::size_t i = 0; i < summary.timings.size() && i < 10; ++i)
        std::fprintf(stderr, "  %8.1f ms  %s\n", summary.timings[i].milliseconds, summary.timings[i].product.c_str());
}

void BM_WholeDataSetIntoAnEmptyFolder(benchmark::State& state) {
    static bool reported = false;
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path folder = TemporaryFolder();
        state.ResumeTiming();
        const Content::ProductGraph::Summary summary = Build(folder / "data");
        state.PauseTiming();
        if (!summary.Succeeded()) state.SkipWithError(summary.failures.front().c_str());
        if (!reported) Report(summary);
        reported = true;
        state.counters["bytes"] = static_cast<double>(summary.bytes);
        fs::remove_all(folder);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WholeDataSetIntoAnEmptyFolder)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_NothingChanged(benchmark::State& state) {
    const fs::path folder = TemporaryFolder();
    Build(folder / "data");
    for (auto _ : state) {
        const Content::ProductGraph::Summary summary = Build(folder / "data");
        if (summary.built != 0) state.SkipWithError("a product was rebuilt");
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_NothingChanged)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
