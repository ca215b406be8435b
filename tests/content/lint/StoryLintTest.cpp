#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tests/content/lint/DataLint.h"
#include "tests/support/TempFolder.h"

namespace {

using testing::Contains;
using testing::HasSubstr;
namespace fs = std::filesystem;

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// A copy of the built data set whose text table lost a dialogue's first step and holds a
// line too long for its balloon: the lint names both.
TEST(StoryLint, AMissingFirstStepAndALineTooLongForItsBalloonAreNamed) {
    testsupport::TempFolder folder;
    const fs::path data = folder.Path() / "data";
    fs::copy(MORVANE_DATA_SET_FOLDER, data, fs::copy_options::recursive);
    std::ifstream file(data / "texts" / "texts.xml", std::ios::binary);
    std::string table((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    file.close();
    table = Replaced(table, "owner_trip_0", "owner_trip_9");
    table = Replaced(table, "girl_trip_0", "girl_trip_9");
    table = Replaced(table, "Like a kitten! I can't wait to start.",
                     "Like a kitten in a basket of warm laundry on a sunny afternoon by the window, and now I "
                     "cannot wait to start baking for every single customer in this lovely harbour town, the "
                     "fishermen, the children on their way to school, the old ladies on the pier and the mayor!");
    folder.WriteFile("data/texts/texts.xml", table);
    const std::vector<std::string> problems = contentlint::DataLint(data).Run();
    EXPECT_THAT(problems, Contains(HasSubstr("dialogue \"trip\" has no step 0")));
    EXPECT_THAT(problems, Contains(HasSubstr("\"meeting/girl_hello\" does not fit its balloon's 207x84 units")));
}

}  // namespace
