#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "content/MaterialPresets.h"
#include "content/ModelShapes.h"
#include "content/PictureEncoder.h"
#include "content/ProductGraph.h"
#include "content/ProductRecipes.h"
#include "content/SheetBuilder.h"
#include "content/SvgRasteriser.h"
#include "content/SvgTemplate.h"
#include "engine/kernel/Error.h"
#include "tests/content/ContentTestSupport.h"
#include "tests/support/TempFolder.h"

namespace {

using Content::ProductGraph;
using Content::ProductRecipes;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::StartsWith;
namespace fs = std::filesystem;

std::string Text(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

// A source folder and a data folder beside it, and a small data set of every kind of
// product over the sources.
class ProductGraphTest : public testing::Test {
protected:
    ProductGraphTest() {
        folder_.WriteFile("src/art/dot.svg", contenttest::Svg(16, 16, "<circle cx='8' cy='8' r='6' fill='#c04020'/>"));
        folder_.WriteFile("src/art/bar.svg", contenttest::Svg(32, 8, "<rect width='32' height='8' fill='#2040c0'/>"));
        folder_.WriteFile("src/art/spin.svg",
                          contenttest::Svg(16, 16, "<rect x='4' y='4' width='8' height='8' fill='#208040' "
                                                   "transform='rotate(${t} 8 8)'/>"));
        folder_.WriteFile("src/sounds/beep.score", "sound length=0.2\ntone for=0.1 from=660 to=880\n");
    }

    ProductGraph Graph(bool withBar = true) const {
        ProductGraph graph(folder_.Path() / "src");
        graph.Add(ProductRecipes::SvgPicture("art\\dot", "art/dot.svg", 16, 16));
        if (withBar) graph.Add(ProductRecipes::SvgPicture("art\\bar", "art/bar.svg", 32, 8, ProductRecipes::Format::JpegWithAlpha));
        graph.Add(ProductRecipes::SvgSheet("art\\spin", "art/spin.svg", 16, 16, {"t", 0, 90, 6, 12.0f}));
        graph.Add(ProductRecipes::Sound("audio\\beep.ogg", "sounds/beep.score"));
        graph.Add(ProductRecipes::Model("models\\quad", Content::ModelShapes::UnitQuad(),
                                        Content::MaterialPresets::Single("art\\dot")));
        return graph;
    }

    ProductGraph::Summary Build(const ProductGraph& graph, unsigned jobs = 2, const std::string& data = "data") {
        ProductGraph copy = graph;
        std::ostringstream out;
        ProductGraph::Options options;
        options.jobs = jobs;
        options.out = &out;
        ProductGraph::Summary summary = copy.Build(folder_.Path() / data, options);
        lines_ = out.str();
        return summary;
    }

    // Every file of the data folder with its bytes.
    std::map<std::string, std::string> Files(const std::string& data = "data") const {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(folder_.Path() / data))
            if (entry.is_regular_file())
                files[fs::relative(entry.path(), folder_.Path() / data).string()] =
                    folder_.ReadFile(fs::relative(entry.path(), folder_.Path()).string());
        return files;
    }

    std::map<std::string, fs::file_time_type> Times() const {
        std::map<std::string, fs::file_time_type> times;
        for (const auto& entry : fs::recursive_directory_iterator(folder_.Path() / "data"))
            times[entry.path().string()] = fs::last_write_time(entry.path());
        return times;
    }

    testsupport::TempFolder folder_;
    std::string lines_;
};

TEST_F(ProductGraphTest, OneJobAndFourJobsWriteTheSameBytes) {
    EXPECT_TRUE(Build(Graph(), 1, "one").Succeeded());
    EXPECT_TRUE(Build(Graph(), 4, "four").Succeeded());
    const auto one = Files("one");
    EXPECT_EQ(8u, one.size());
    EXPECT_EQ(one, Files("four"));
    EXPECT_TRUE(one.count("art/bar_alpha.jpg"));
    EXPECT_TRUE(one.count("art/spin.srf"));
    EXPECT_TRUE(one.count("models/quad.srf"));
}

TEST_F(ProductGraphTest, ASecondRunRebuildsNothingAndTouchesNoFile) {
    ASSERT_EQ(5u, Build(Graph()).built);
    EXPECT_THAT(lines_, HasSubstr("] audio\\beep.ogg "));
    const auto times = Times();
    const ProductGraph::Summary again = Build(Graph());
    EXPECT_EQ(0u, again.built);
    EXPECT_EQ(5u, again.reused);
    EXPECT_EQ("", lines_);
    EXPECT_EQ(times, Times());
    // The manifest lies beside the data folder, never in it.
    EXPECT_TRUE(fs::exists(folder_.Path() / "data.manifest"));
    EXPECT_FALSE(Files().count("data.manifest"));
}

TEST_F(ProductGraphTest, EditingASourceRebuildsExactlyItsProducts) {
    Build(Graph());
    folder_.WriteFile("src/art/spin.svg", contenttest::Svg(16, 16, "<rect x='2' y='2' width='12' height='12' "
                                                                   "fill='#208040' transform='rotate(${t} 8 8)'/>"));
    const ProductGraph::Summary summary = Build(Graph());
    EXPECT_EQ(1u, summary.built);
    ASSERT_EQ(1u, summary.timings.size());
    EXPECT_EQ("art\\spin.png", summary.timings[0].product);
}

TEST_F(ProductGraphTest, AFileDeletedByHandIsMadeAgain) {
    Build(Graph());
    fs::remove(folder_.Path() / "data/art/bar_alpha.jpg");
    EXPECT_EQ(1u, Build(Graph()).built);
    EXPECT_TRUE(fs::exists(folder_.Path() / "data/art/bar_alpha.jpg"));
}

TEST_F(ProductGraphTest, AProductNoLongerDeclaredHasItsFilesRemovedButNoOtherFile) {
    Build(Graph());
    folder_.WriteFile("data/art/mine.txt", "not the builder's");
    const ProductGraph::Summary summary = Build(Graph(false));
    EXPECT_EQ(2u, summary.removed);
    EXPECT_FALSE(fs::exists(folder_.Path() / "data/art/bar.jpg"));
    EXPECT_FALSE(fs::exists(folder_.Path() / "data/art/bar_alpha.jpg"));
    EXPECT_TRUE(fs::exists(folder_.Path() / "data/art/mine.txt"));
    EXPECT_TRUE(fs::exists(folder_.Path() / "data/art/dot.png"));
}

TEST_F(ProductGraphTest, AManifestLineOutsideTheDataFolderIsNotFollowed) {
    folder_.WriteFile("precious.txt", "keep");
    // An old product, and a current one whose record was tampered with.
    folder_.WriteFile("data.manifest", "make_data manifest 1\nproduct 0 old\noutput 4 0 ..\\precious.txt\n"
                                       "product 0 art\\dot.png\noutput 4 0 ..\\precious.txt\n");
    EXPECT_TRUE(Build(Graph()).Succeeded());
    EXPECT_EQ("keep", folder_.ReadFile("precious.txt"));
    EXPECT_EQ(0u, Build(Graph()).built);
}

TEST_F(ProductGraphTest, EmptiedFoldersGoWithTheirLastFile) {
    Build(Graph());
    ProductGraph graph(folder_.Path() / "src");
    graph.Add(ProductRecipes::SvgPicture("art\\dot", "art/dot.svg", 16, 16));
    Build(graph);
    EXPECT_FALSE(fs::exists(folder_.Path() / "data/audio"));
    EXPECT_FALSE(fs::exists(folder_.Path() / "data/models"));
    EXPECT_TRUE(fs::exists(folder_.Path() / "data"));
}

TEST_F(ProductGraphTest, ABrokenSourceFailsNamingItAndTheOthersAreStillBuilt) {
    struct Case {
        std::string file, text, expected;
    };
    for (const Case& c : std::vector<Case>{
             {"src/art/dot.svg", "<svg><rect", "art/dot.svg: not a valid SVG document"},
             {"src/art/dot.svg", contenttest::Svg(16, 16, "<text>A</text>"), "art/dot.svg: holds a text element"},
             {"src/sounds/beep.score", "sound length=0.2\ntone for=x\n", "sounds/beep.score:2: \"for\" is not a number"},
             {"src/art/spin.svg", contenttest::Svg(16, 16, "${u}"), "art/spin.svg: no value for parameter \"u\""},
         }) {
        SCOPED_TRACE(c.expected);
        const std::string saved = folder_.ReadFile(c.file);
        folder_.WriteFile(c.file, c.text);
        const ProductGraph::Summary summary = Build(Graph(), 2, "broken");
        ASSERT_EQ(1u, summary.failures.size());
        EXPECT_THAT(summary.failures[0], HasSubstr(c.expected));
        EXPECT_THAT(lines_, HasSubstr("error: "));
        EXPECT_EQ(4u, summary.built + summary.reused);
        folder_.WriteFile(c.file, saved);
        // Mended, the product is built on the next run.
        const ProductGraph::Summary mended = Build(Graph(), 2, "broken");
        EXPECT_TRUE(mended.Succeeded());
        EXPECT_EQ(1u, mended.built);
    }
}

TEST_F(ProductGraphTest, AMissingSourceFailsNamingIt) {
    fs::remove(folder_.Path() / "src/art/bar.svg");
    const ProductGraph::Summary summary = Build(Graph());
    EXPECT_THAT(summary.failures, ElementsAre("art\\bar.jpg: art/bar.svg: cannot be read"));
}

TEST_F(ProductGraphTest, TwoProductsOfOneNameOrOutputsOutsideTheDataFolderAreRefused) {
    ProductGraph graph(folder_.Path() / "src");
    graph.Add(ProductRecipes::SvgPicture("art\\dot", "art/dot.svg", 16, 16));
    EXPECT_THROW(graph.Add(ProductRecipes::SvgPicture("art\\dot", "art/bar.svg", 16, 16)), Vantor::Error);
    graph.Add(ProductRecipes::SvgPicture("..\\escape", "art/dot.svg", 16, 16));
    const ProductGraph::Summary summary = Build(graph);
    EXPECT_THAT(summary.failures, ElementsAre(HasSubstr("output path outside the data folder")));
    EXPECT_FALSE(fs::exists(folder_.Path() / "escape.png"));
}

// Each state's cell carries the state's shade, in the order the "net" shader of a GUI
// resource list counts them; the list describes the grid, so no material is written.
TEST_F(ProductGraphTest, ButtonsAndCheckBoxesLayTheirStatesOutInGrids) {
    const std::string state = contenttest::Svg(8, 8, "<rect width='8' height='8' fill='rgb(${state},0,0)'/>");
    folder_.WriteFile("src/art/state.svg", state);
    ProductGraph graph(folder_.Path() / "src");
    graph.Add(ProductRecipes::SvgButton("ui\\button", "art/state.svg", 8, 8));
    graph.Add(ProductRecipes::SvgCheckBox("ui\\check", "art/state.svg", 8, 8));
    ASSERT_TRUE(Build(graph).Succeeded());
    const auto files = Files();
    struct Case {
        std::string name;
        int states;
        Content::SheetBuilder::Grid grid;
    };
    for (const Case& c : {Case{"button", 4, Content::SheetBuilder::kButton}, Case{"check", 8, Content::SheetBuilder::kCheckBox}}) {
        std::vector<Content::Picture> frames;
        for (int s = 0; s < c.states; ++s)
            frames.push_back(Content::SvgRasteriser::Render(Content::SvgTemplate::Fill(state, "state", {{"state", s}}),
                                                            "state", 8, 8));
        EXPECT_EQ(files.at("ui/" + c.name + ".png"), Text(Content::PictureEncoder::Png(Content::SheetBuilder::Pack(frames, c.grid))));
        EXPECT_FALSE(files.count("ui/" + c.name + ".srf"));
    }
}

// XML goes through the game's parser before it is copied; the text table's areas may
// not define one key twice.
TEST_F(ProductGraphTest, XmlTheGameWouldRefuseFailsNamingItsSource) {
    struct Case {
        std::string levels, texts, problem;
    };
    const std::string levels = "<levels><stage><level/></stage></levels>";
    const std::string texts = "<texts language='english'><common><back text='Back'/></common></texts>";
    for (const Case& c : std::vector<Case>{
             {"<levels><stage></level></levels>", "<texts><other text='x'/></texts>", "levels\\levels.xml: xml/levels.xml: XML format error at line 1"},
             {levels, "<texts><common><back text='x'/></texts>", "texts\\texts.xml: texts/b.xml: XML format error"},
             {levels, "<texts><common><back text='Again'/></common></texts>",
              "texts\\texts.xml: texts/b.xml: text key \"common/back\" is also defined in texts/a.xml"},
             {levels, "<texts><common><back_to_menu text='Menu'/></common></texts>", ""},
         }) {
        SCOPED_TRACE(c.problem);
        folder_.WriteFile("src/xml/levels.xml", c.levels);
        folder_.WriteFile("src/texts/a.xml", texts);
        folder_.WriteFile("src/texts/b.xml", c.texts);
        ProductGraph graph(folder_.Path() / "src");
        graph.Add(ProductRecipes::XmlCopy("levels\\levels.xml", "xml/levels.xml"));
        graph.Add(ProductRecipes::MergedTexts("texts\\texts.xml", {"texts/a.xml", "texts/b.xml"}));
        const ProductGraph::Summary summary = Build(graph);
        if (c.problem.empty()) {
            EXPECT_TRUE(summary.Succeeded());
            // The byte-order mark makes the game read the texts as UTF-8.
            EXPECT_EQ("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<texts language=\"english\"><common><back text='Back'/>"
                      "</common><common><back_to_menu text='Menu'/></common></texts>\n",
                      folder_.ReadFile("data/texts/texts.xml"));
        } else {
            EXPECT_THAT(summary.failures, ElementsAre(StartsWith(c.problem)));
        }
    }
}

TEST_F(ProductGraphTest, ProgressLinesCountEveryProduct) {
    Build(Graph(), 1);
    std::istringstream lines(lines_);
    std::vector<std::string> counters;
    for (std::string line; std::getline(lines, line);) counters.push_back(line.substr(0, line.find(']') + 1));
    EXPECT_THAT(counters, ElementsAre("[1/5]", "[2/5]", "[3/5]", "[4/5]", "[5/5]"));
}

}  // namespace
