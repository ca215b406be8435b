// Fonts by name: dense ids in the order of first requests, id 0 for a folder without
// font.xml (using up no id), the description's settings and its defaults.

#include <gtest/gtest.h>

#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/ShaderManager.h"
#include "tests/gui_tools/GUIToolsTestSupport.h"

namespace {

using Vantor::GUIFont;

class GUIFontToolTest : public guitoolstest::GUIToolsTest {
protected:
    void SetUp() override {
        GUIToolsTest::SetUp();
        WriteTexts("<texts language=\"english\" />");
    }
    static GUIFont* FontOfId(int id) { return Vantor::GUIManager::Instance()->GetFontManager()->GetFont(id); }
};

TEST_F(GUIFontToolTest, IdsAreDenseInTheOrderOfFirstRequestsAndAMissingFolderAnswersZero) {
    WriteFont("first", "size=\"12\"");
    WriteFont("second", "size=\"14\"");
    MakeTools();
    EXPECT_EQ(fonts_->GetFontIndex("missing"), 0) << "no font at all yet";
    EXPECT_EQ(fonts_->GetFont("missing"), nullptr);
    EXPECT_EQ(fonts_->GetFontIndex("first"), 0);
    EXPECT_EQ(fonts_->GetFontIndex("missing"), 0) << "uses up no id";
    EXPECT_EQ(fonts_->GetFontIndex("second"), 1);
    EXPECT_EQ(fonts_->GetFontIndex("first"), 0);

    // Asked again, a loaded name reads no file.
    home_.folder.WriteFile("data/fonts/second/font.xml", "<font size=\"99\" />");
    EXPECT_EQ(fonts_->GetFontIndex("second"), 1);
    EXPECT_FLOAT_EQ(fonts_->GetFont("second")->GetSize(), 14.0f);
    EXPECT_EQ(fonts_->GetFont("missing"), FontOfId(0));

    // A folder that gets its font.xml later is loaded then.
    WriteFont("missing", "");
    EXPECT_EQ(fonts_->GetFontIndex("missing"), 2);
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(GUIFontToolTest, TheDescriptionSetsTheFontAndLeavesTheRestAtItsDefaults) {
    WriteFont("scaled", "size=\"10\" virtual_size=\"20\" space_size=\"0.3\" shift_ratio=\"0.9\" monospace=\"1\"");
    WriteFont("sized", "size=\"16\"");
    home_.folder.WriteFile("data/fonts/bare/font.xml", "<other />");
    MakeTools();
    const GUIFont& scaled = *fonts_->GetFont("scaled");
    EXPECT_FLOAT_EQ(scaled.GetHeightRatio(), 2.0f);
    EXPECT_FLOAT_EQ(scaled.GetSpaceSize(), 0.3f);
    EXPECT_FLOAT_EQ(scaled.GetShiftRatio(), 0.9f);
    EXPECT_TRUE(scaled.IsMonospace());

    const GUIFont& sized = *fonts_->GetFont("sized");
    EXPECT_FLOAT_EQ(sized.GetSize(), 16.0f);
    EXPECT_FLOAT_EQ(sized.GetHeightRatio(), 1.0f) << "without a virtual size";
    EXPECT_FLOAT_EQ(sized.GetSpaceSize(), 1.0f);
    EXPECT_FLOAT_EQ(sized.GetShiftRatio(), 1.0f);
    EXPECT_FALSE(sized.IsMonospace());

    EXPECT_EQ(fonts_->GetFontIndex("bare"), 2) << "without a font element: the defaults";
    EXPECT_FLOAT_EQ(fonts_->GetFont("bare")->GetSize(), 10.0f);
}

TEST_F(GUIFontToolTest, ASizeOfZeroOrLessIsLoggedAndTheDefaultKept) {
    for (const char* name : {"zero", "negative"})
        WriteFont(name, std::string("virtual_size=\"20\" size=\"") + (name[0] == 'z' ? "0" : "-4") + "\"");
    MakeTools();
    for (const char* name : {"zero", "negative"}) {
        const GUIFont& font = *fonts_->GetFont(name);
        EXPECT_FLOAT_EQ(font.GetSize(), 10.0f) << name;
        EXPECT_FLOAT_EQ(font.GetHeightRatio(), 2.0f) << name << ": nothing divides by it";
    }
    const std::vector<std::string> errors = TakeErrors();
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_NE(errors[0].find("\"zero\""), std::string::npos) << errors[0];
}

TEST_F(GUIFontToolTest, DestroyingTheToolUnloadsItsFontsAndReleasesTheirMaterials) {
    WriteFont("first", "");
    const std::uint32_t users = Vantor::ShaderManager::Instance()->GetShaderUserCount();
    MakeTools();
    fonts_->GetFontIndex("first");
    EXPECT_GT(Vantor::ShaderManager::Instance()->GetShaderUserCount(), users);
    fonts_.reset();
    EXPECT_EQ(FontOfId(0), nullptr);
    EXPECT_EQ(Vantor::ShaderManager::Instance()->GetShaderUserCount(), users);
}

}  // namespace
