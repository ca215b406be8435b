// The café day's and the house's data as the game uses them: the built data set passes,
// and each kind of fault planted in a copy of it is named.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "content/ModelFileWriter.h"
#include "content/ModelShapes.h"
#include "content/SourceFiles.h"
#include "tests/content/lint/GameDataLint.h"
#include "tests/support/TempFolder.h"

namespace {

using contentlint::GameDataLint;
using testing::Contains;
using testing::HasSubstr;
using testing::IsEmpty;
namespace fs = std::filesystem;

fs::path BuiltDataSet() { return MORVANE_DATA_SET_FOLDER; }

TEST(GameDataLint, TheBuiltDataSetPasses) {
    ASSERT_TRUE(fs::is_directory(BuiltDataSet())) << "make_data has not built " << BuiltDataSet();
    EXPECT_THAT(GameDataLint(BuiltDataSet()).Run(), IsEmpty());
}

class GameDataFault : public testing::Test {
protected:
    fs::path Data() const { return folder_.Path() / "data"; }
    void Fresh() const {
        fs::remove_all(Data());
        fs::copy(BuiltDataSet(), Data(), fs::copy_options::recursive);
    }
    // Replaces the text's first occurrence in the file; the text must be there.
    void Replace(const std::string& file, const std::string& text, const std::string& by) const {
        std::string bytes;
        ASSERT_TRUE(Content::SourceFiles::Read(Data() / file, bytes)) << file;
        const std::size_t at = bytes.find(text);
        ASSERT_NE(at, std::string::npos) << text;
        folder_.WriteFile("data/" + file, bytes.replace(at, text.size(), by));
    }

    testsupport::TempFolder folder_;
};

TEST_F(GameDataFault, EachPlantedFaultIsNamed) {
    struct Case {
        std::string file, text, by, problem;
    };
    const Case cases[] = {
        {"game_objects/room.xml", "end_frame=\"7\" time=\"3.0\"", "end_frame=\"9\" time=\"3.0\"",
         "room: machine \"coffee_black\": frames 0-9 beyond the 8 frames of its lower sheet"},
        // Two layers of the first cake, after it.
        {"game_objects/provisions.xml", "</food>", "<cake_99 group=\"cake\" cost=\"1\"><cracker_waffle/><jelly_green/></cake_99></food>",
         "provisions: food \"cake_99\" built layer by layer is laid out as \"cake_00\""},
        {"game_objects/room_resources.xml", "<model name=\"selection\" file_name=\"room\\cream_machine_selection.mdl\"/>", "",
         "keys: no model \"room/automatic_machines/cream_machine/selection\""},
        {"game_objects/customers.xml", "<order group=\"cake\" must_order=\"1\"/>", "<order group=\"coffee\" must_order=\"1\"/>",
         "customers: the first customer type must order cakes only"},
        {"game_objects/room.xml", "<coffee_cup ingredient=\"coffee_cup\"/>", "<coffee_cup ingredient=\"soda_glass\"/>",
         "day with 1 machines: no distributor hands out \"coffee_cup\""},
        {"game_objects/customers.xml", "<order group=\"ice_cream\" must_order=\"1\"/>", "<order group=\"ice_cream\"/>",
         "day with 0 machines: customer type \"child\" comes and can order nothing"},
        {"house/background.xml", "<texture_pack name=\"upgrade_door\"/>", "", "house: upgrade \"door\" shows no layer"},
        {"house/upgrades.xml", "<fence ", "<windows_bay cost=\"1\"/><fence ",
         "upgrades: \"windows_bay\" holds the name of \"windows\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.problem);
        Fresh();
        Replace(c.file, c.text, c.by);
        EXPECT_THAT(GameDataLint(Data()).Run(), Contains(HasSubstr(c.problem)));
    }
}

TEST_F(GameDataFault, AnArrowEndingBesideItsElementIsNamed) {
    Fresh();
    const auto elsewhere = Content::ModelFileWriter::Build(Content::ModelShapes::Bounds({0, 0, 40, 40}));
    folder_.WriteFile("data/game_objects/room/cracker_waffle_selection.mdl", std::string(elsewhere.begin(), elsewhere.end()));
    EXPECT_THAT(GameDataLint(Data()).Run(),
                Contains("tutorial: the arrow at (457, 368) ends outside \"room/distributors/cracker_waffle/selection\""));
}

}  // namespace
