#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "content/MakeDataCommand.h"
#include "engine/kernel/Error.h"
#include "tests/content/ContentTestSupport.h"
#include "tests/support/TempFolder.h"

namespace {

using Content::MakeDataCommand;
using testing::AllOf;
using testing::HasSubstr;
using testing::Not;
using testing::StartsWith;

TEST(MakeDataCommand, ReadsItsOptions) {
    const MakeDataCommand command("/src");
    const MakeDataCommand::Arguments plain = command.Parse({"out/data"});
    EXPECT_EQ("out/data", plain.dataFolder);
    EXPECT_EQ("/src", plain.sourceFolder);
    EXPECT_EQ(0u, plain.options.jobs);
    EXPECT_FALSE(plain.options.quiet);
    const MakeDataCommand::Arguments all = command.Parse({"--jobs", "3", "--quiet", "--source", "mine", "d"});
    EXPECT_EQ(3u, all.options.jobs);
    EXPECT_TRUE(all.options.quiet);
    EXPECT_EQ("mine", all.sourceFolder);
    EXPECT_EQ("d", all.dataFolder);
    for (const std::vector<std::string>& wrong : std::vector<std::vector<std::string>>{
             {}, {"--jobs", "0", "d"}, {"--jobs", "x", "d"}, {"--jobs"}, {"a", "b"}, {"--fast", "d"}}) {
        EXPECT_THROW(command.Parse(wrong), Vantor::Error);
    }
}

// The project's own sources with the console picture broken: the run answers 1 and
// names the source, and still builds the rest.
TEST(MakeDataCommand, AFailureAnswersOneNamingItsSource) {
    testsupport::TempFolder folder;
    std::filesystem::create_directories(folder.Path() / "src");
    for (const char* area : {"art", "texts", "xml"})
        std::filesystem::copy(std::filesystem::path(MORVANE_CONTENT_SOURCE_FOLDER) / area, folder.Path() / "src" / area,
                              std::filesystem::copy_options::recursive);
    const std::string console = folder.ReadFile("src/art/console/console.svg");
    folder.WriteFile("src/art/console/console.svg", "<svg");
    const MakeDataCommand command(folder.Path() / "src");
    std::ostringstream out;
    EXPECT_EQ(1, command.Run({"--jobs", "2", (folder.Path() / "data").string()}, out));
    EXPECT_THAT(out.str(), HasSubstr("console\\console.png: art/console/console.svg: not a valid SVG document"));
    EXPECT_THAT(out.str(), HasSubstr("make_data: 1 failed:\n  console\\console.png: art/console/console.svg"));
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "data/texts/texts.xml"));

    folder.WriteFile("src/art/console/console.svg", console);
    std::ostringstream again;
    EXPECT_EQ(0, command.Run({"--quiet", (folder.Path() / "data").string()}, again));
    EXPECT_THAT(again.str(), AllOf(StartsWith("make_data: "), HasSubstr(" products, 1 built, "), Not(HasSubstr("failed"))));
}

TEST(MakeDataCommand, AWrongCommandLineShowsTheUsage) {
    std::ostringstream out;
    EXPECT_EQ(1, MakeDataCommand("/src").Run({"--jobs"}, out));
    EXPECT_THAT(out.str(), HasSubstr("usage: make_data [--jobs N] [--quiet] [--source <folder>] <data folder>"));
}

}  // namespace
