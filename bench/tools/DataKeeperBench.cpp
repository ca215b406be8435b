// The data keeper's resource lists, with the whole engine in a private folder.
//
// Queuing: reading a generated list of 20,000 resources into the keeper's queue against
// parsing the same file alone (parser and holder, then the tree destroyed, as the keeper
// does). The goal is at most 1.5 times the parse.
// At once: creating a list of 1,000 small resources from their files (334 models, 333
// shaders, 333 particle systems) through the keeper against creating the same resources
// straight through their managers. The goal is at most 1.2 times the direct creation.
// Both comparisons take their two sides in turns, so that both see the same machine
// load, and report the ratio. Destroying what was made is not timed.
// Stepwise: the engine frames a loading screen takes to load the 1,000 resources queued,
// one Update per frame (on the headless backend the clock stands still within a frame,
// so only the sdl backend shows the time budget at work).
//   PLATFORM_BACKEND=headless build/.../tools_bench --benchmark_filter=DataKeeper

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "content/ModelFileWriter.h"
#include "content/ParticleFileWriter.h"
#include "content/ShaderFileWriter.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "bench/support/EngineBenchHome.h"
#include "tests/tools/ResourceFileSupport.h"
#include "tools/DataKeeper.h"
#include "tools/XMLNode.h"
#include "tools/XMLParser.h"

namespace {

using Clock = std::chrono::steady_clock;
using GameTools::DataKeeper;

constexpr int kQueuedResources = 20000;
constexpr int kModels = 334;
constexpr int kShaders = 333;
constexpr int kParticleSystems = 333;
constexpr int kTextures = 10;

const std::wstring kQueueList = L"data\\bench\\queue.xml";
const std::wstring kNowList = L"data\\bench\\now.xml";

template <class Bytes>
std::string Text(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

std::string Numbered(const char* stem, int i) { return stem + std::to_string(i); }

// The engine in a private folder with the lists and the files they name.
class Home {
public:
    Home() {
        WriteFiles();
        home_.StartEngine();
    }

    void Frame(DataKeeper& keeper) {
        home_.Frame([&keeper] { keeper.Update(); });
    }

private:
    void WriteFiles() const {
        const std::string material = Text(Content::ShaderFileWriter::Build({}));
        for (int i = 0; i < kTextures; ++i)
            Write("data/bench/t/" + Numbered("t", i) + ".tga", keepertest::SolidPicture(4));
        const std::string model = Text(Content::ModelFileWriter::Build(keepertest::TriangleModel()));
        for (int i = 0; i < kModels; ++i) {
            Write("data/bench/m/" + Numbered("m", i) + ".mdl", model);
            Write("data/bench/m/" + Numbered("m", i) + ".srf", material);
        }
        const std::string particles = Text(Content::ParticleFileWriter::Build({}));
        for (int i = 0; i < kParticleSystems; ++i) {
            Write("data/bench/p/" + Numbered("p", i) + ".psf", particles);
            Write("data/bench/p/" + Numbered("p", i) + ".srf", material);
        }
        Write("data/bench/now.xml", NowList());
        Write("data/bench/queue.xml", QueueList());
    }

    void Write(const std::string& relative, const std::string& bytes) const {
        const std::filesystem::path path = home_.Folder() / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }

    static std::string NowList() {
        std::string list = "<resources>\n<models>\n";
        for (int i = 0; i < kModels; ++i)
            list += "<model name=\"" + Numbered("m", i) + "\" file_name=\"m\\" + Numbered("m", i) + ".mdl\"/>\n";
        list += "</models>\n<shaders>\n";
        for (int i = 0; i < kShaders; ++i)
            list += "<shader name=\"" + Numbered("s", i) + "\" texture_name=\"t\\" + Numbered("t", i % kTextures) +
                    "\" alpha_blend=\"1\"/>\n";
        list += "</shaders>\n<particles>\n";
        for (int i = 0; i < kParticleSystems; ++i)
            list += "<particles name=\"" + Numbered("p", i) + "\" file_name=\"p\\" + Numbered("p", i) + ".psf\"/>\n";
        return list + "</particles>\n</resources>\n";
    }

    // Groups of 100 resources of every kind with their usual attributes.
    static std::string QueueList() {
        std::string list = "<resources>\n";
        for (int i = 0; i < kQueuedResources; ++i) {
            if (i % 100 == 0) list += Numbered("<group", i / 100) + ">\n";
            const std::string name = Numbered("r", i);
            switch (i % 4) {
                case 0:
                    list += "  <model name=\"" + name + "\" file_name=\"models\\" + name +
                            ".mdl\" animation_speed=\"12\" color_verticies=\"0\"/>\n";
                    break;
                case 1:
                    list += "  <shader name=\"" + name + "\" texture_name=\"textures\\" + name +
                            "\" alpha_blend=\"1\" animation_type=\"net\" net_size=\"4 4\" frame_count=\"16\" "
                            "animation_speed=\"10\"/>\n";
                    break;
                case 2:
                    list += "  <particles name=\"" + name + "\" file_name=\"effects\\" + name + ".psf\"/>\n";
                    break;
                default:
                    list += "  <texture_pack name=\"" + name + "\" file_name=\"packs\\" + name +
                            ".tpf\" temporary_textures=\"1\"/>\n";
            }
            if (i % 100 == 99) list += Numbered("</group", i / 100) + ">\n";
        }
        return list + "</resources>\n";
    }

    benchsupport::EngineBenchHome home_;
};

Home& TheHome() {
    static Home home;
    return home;
}

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

template <class Work>
Clock::duration Timed(Work work) {
    const Clock::time_point start = Clock::now();
    work();
    return Clock::now() - start;
}

void ReportRatio(benchmark::State& state, Clock::duration keeper, Clock::duration reference) {
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["keeper_ms"] = 1000.0 * Seconds(keeper) / iterations;
    state.counters["reference_ms"] = 1000.0 * Seconds(reference) / iterations;
    state.counters["ratio"] = Seconds(keeper) / Seconds(reference);
}

// Queuing the 20,000 resources against parsing their list.
void BM_DataKeeperQueueToParseRatio(benchmark::State& state) {
    TheHome();
    Clock::duration queuing{}, parsing{};
    for (auto _ : state) {
        parsing += Timed([] {
            GameTools::XMLNode holder;
            GameTools::XMLParser().Load(&holder, kQueueList);
        });
        auto keeper = std::make_unique<DataKeeper>();
        queuing += Timed([&keeper] { keeper->LoadResourceList(kQueueList, false); });
        if (keeper->GetPendingEntries().size() != kQueuedResources) state.SkipWithError("the list was not queued");
    }
    ReportRatio(state, queuing, parsing);
}
BENCHMARK(BM_DataKeeperQueueToParseRatio)->Unit(benchmark::kMillisecond)->Iterations(20);

// What the 1,000 resources are made of when made straight through their managers.
struct DirectResources {
    DirectResources() {
        models.reserve(kModels);
        shaders.reserve(kShaders);
        particleSystems.reserve(kParticleSystems);
    }
    ~DirectResources() {
        for (Vantor::Model* model : models) delete model;
        for (Vantor::ShaderUser* shader : shaders) Vantor::ShaderManager::Instance()->ReleaseShader(shader);
        for (Vantor::ParticleSystem* system : particleSystems) delete system;
    }
    std::vector<Vantor::Model*> models;
    std::vector<Vantor::ShaderUser*> shaders;
    std::vector<Vantor::ParticleSystem*> particleSystems;
};

void CreateDirectly(DirectResources& made) {
    Vantor::ModelManager& models = *Vantor::ModelManager::Instance();
    for (int i = 0; i < kModels; ++i) {
        const std::string file = "bench\\m\\" + Numbered("m", i) + ".mdl";
        made.models.push_back(models.LoadModel(std::wstring(file.begin(), file.end()), nullptr,
                                               Vantor::ModelFlags::kVertexColours, false));
    }
    Vantor::ShaderManager& shaders = *Vantor::ShaderManager::Instance();
    for (int i = 0; i < kShaders; ++i) {
        const Vantor::ShaderDescriptor material(true, true, 0, 1, 1, 1, 0.0f,
                                                "bench\\t\\" + Numbered("t", i % kTextures), true);
        made.shaders.push_back(shaders.GetShader(material, false));
    }
    Vantor::ParticleSystemManager& particles = *Vantor::ParticleSystemManager::Instance();
    for (int i = 0; i < kParticleSystems; ++i) {
        const std::string file = "bench\\p\\" + Numbered("p", i) + ".psf";
        made.particleSystems.push_back(particles.LoadParticleSystem(std::wstring(file.begin(), file.end()), nullptr,
                                                                    false));
    }
}

// Reading the list of 1,000 resources at once against creating them directly.
void BM_DataKeeperLoadNowToDirectRatio(benchmark::State& state) {
    TheHome();
    Clock::duration keeperTime{}, directTime{};
    for (auto _ : state) {
        {
            DirectResources made;
            directTime += Timed([&made] { CreateDirectly(made); });
        }
        auto keeper = std::make_unique<DataKeeper>();
        keeperTime += Timed([&keeper] { keeper->LoadResourceList(kNowList, true); });
    }
    ReportRatio(state, keeperTime, directTime);
}
BENCHMARK(BM_DataKeeperLoadNowToDirectRatio)->Unit(benchmark::kMillisecond)->Iterations(20);

// Its own loading work is one extra step, as the game's per-day keeper has.
class OneExtraStepKeeper : public DataKeeper {
public:
    bool LoadExtraStep(int step) override { return step == kResourceSteps + 1 || step == kAllExtraSteps; }
};

// The loading screen: engine frames, each with one Update, until the list is loaded.
void BM_DataKeeperStepwiseLoadFrames(benchmark::State& state) {
    Home& home = TheHome();
    double frames = 0;
    for (auto _ : state) {
        OneExtraStepKeeper keeper;
        keeper.LoadResourceList(kNowList, false);
        while (keeper.GetStep() < keeper.GetExtraStepCount() + DataKeeper::kResourceSteps + 1) {
            home.Frame(keeper);
            ++frames;
        }
    }
    state.counters["frames"] = frames / static_cast<double>(state.iterations());
}
BENCHMARK(BM_DataKeeperStepwiseLoadFrames)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
