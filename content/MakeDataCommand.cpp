#include "content/MakeDataCommand.h"

#include <cstdio>
#include <ostream>

#include "content/DataSetCatalogue.h"
#include "engine/kernel/Error.h"

namespace Content {

namespace {

constexpr const char* kUsage = "usage: make_data [--jobs N] [--quiet] [--source <folder>] <data folder>";

}  // namespace

MakeDataCommand::MakeDataCommand(std::filesystem::path defaultSourceFolder)
    : defaultSourceFolder_(std::move(defaultSourceFolder)) {}

MakeDataCommand::Arguments MakeDataCommand::Parse(const std::vector<std::string>& arguments) const {
    Arguments parsed;
    parsed.sourceFolder = defaultSourceFolder_;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--quiet") {
            parsed.options.quiet = true;
        } else if (argument == "--jobs" && hasValue) {
            const std::string& value = arguments[++i];
            if (value.empty() || value.size() > 4 || value.find_first_not_of("0123456789") != std::string::npos ||
                std::stoi(value) < 1)
                throw Vantor::Error(std::string("--jobs takes a number from 1\n") + kUsage);
            parsed.options.jobs = static_cast<unsigned>(std::stoi(value));
        } else if (argument == "--source" && hasValue) {
            parsed.sourceFolder = arguments[++i];
        } else if (!argument.empty() && argument[0] != '-' && parsed.dataFolder.empty()) {
            parsed.dataFolder = argument;
        } else {
            throw Vantor::Error(kUsage);
        }
    }
    if (parsed.dataFolder.empty()) throw Vantor::Error(kUsage);
    return parsed;
}

std::string MakeDataCommand::SummaryLine(const ProductGraph::Summary& summary, std::size_t products) {
    char line[256];
    std::snprintf(line, sizeof(line), "make_data: %zu products, %u built, %u reused, %u removed, %.2f s, %.1f MiB",
                  products, summary.built, summary.reused, summary.removed, summary.seconds,
                  static_cast<double>(summary.bytes) / (1024.0 * 1024.0));
    return line;
}

int MakeDataCommand::Run(const std::vector<std::string>& arguments, std::ostream& out) const {
    try {
        Arguments parsed = Parse(arguments);
        parsed.options.out = &out;
        ProductGraph graph(parsed.sourceFolder);
        DataSetCatalogue(parsed.sourceFolder).AddTo(graph);
        const ProductGraph::Summary summary = graph.Build(parsed.dataFolder, parsed.options);
        out << SummaryLine(summary, graph.Products().size()) << '\n';
        if (summary.Succeeded()) return 0;
        out << "make_data: " << summary.failures.size() << " failed:\n";
        for (const std::string& failure : summary.failures) out << "  " << failure << '\n';
        return 1;
    } catch (const Vantor::Error& error) {
        out << "make_data: " << error.GetText() << '\n';
    } catch (const std::exception& error) {
        out << "make_data: " << error.what() << '\n';
    }
    return 1;
}

}  // namespace Content
