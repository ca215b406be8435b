// The tool manager's template root: every ".xml" file of the windows folder in sorted
// order, broken files logged and skipped, sub-folders and other files left alone.

#include <gtest/gtest.h>

#include "tests/gui_tools/GUIToolsTestSupport.h"
#include "tools/XMLNode.h"

namespace {

class GUIToolManagerTest : public guitoolstest::GUIToolsTest {
protected:
    void SetUp() override {
        GUIToolsTest::SetUp();
        WriteTexts(R"(<texts language="english" />)");
    }

    // The element names of the root's children, in order.
    std::vector<std::string> TopElements() const {
        std::vector<std::string> names;
        for (const GameTools::XMLNode* top : tools_->GetTemplateRoot()->children) names.push_back(top->name);
        return names;
    }
};

TEST_F(GUIToolManagerTest, ReadsEveryFileOfTheFolderInSortedOrderAndNotItsSubFolders) {
    WriteTemplate("b.xml", R"(<button name="w" />)");
    WriteTemplate("a.xml", R"(<window name="w" position="1 2" />)");
    WriteTemplate("c_Menu.xml", R"(<slider name="Menu" />)");
    WriteTemplate("notes.txt", R"(<check_box name="n" />)");
    WriteTemplate("sub/c.xml", R"(<edit_box name="c" />)");
    MakeToolManager();

    EXPECT_EQ(tools_->GetFileNames(), (std::vector<std::wstring>{L"a.xml", L"b.xml", L"c_menu.xml"}));
    EXPECT_EQ(TopElements(), (std::vector<std::string>{"window", "button", "slider"}));
    EXPECT_EQ(tools_->GetTemplateRoot()->children[2]->GetAttribute("name", 0)->GetString(), "Menu");
    EXPECT_TRUE(TakeErrors().empty());

    // Of two top elements of one name, the one of the earlier file describes the window.
    const GUITools::GUIWindowBase& window = MakeWindow("w");
    ASSERT_NE(window.GetWindowControl("w"), nullptr);
    EXPECT_EQ(guitoolstest::Pair(window.GetWindowControl("w")->GetPosition()), std::make_pair(1.0f, 2.0f));
}

TEST_F(GUIToolManagerTest, LogsABrokenFileOnceAndReadsTheFilesAfterIt) {
    WriteTemplate("a.xml", R"(<window name="broken" <button />)");
    WriteTemplate("b.xml", R"(<window name="one" /><window name="two" />)");
    WriteTemplate("c.xml", R"(<window name="good" />)");
    MakeToolManager();

    EXPECT_EQ(tools_->GetFileNames(), (std::vector<std::wstring>{L"c.xml"}));
    EXPECT_EQ(TopElements(), (std::vector<std::string>{"window"}));
    const std::vector<std::string> errors = TakeErrors();
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_NE(errors[0].find("XML format error"), std::string::npos) << errors[0];
    EXPECT_NE(errors[1].find("XML format error"), std::string::npos) << errors[1];
}

TEST_F(GUIToolManagerTest, AnEmptyOrMissingFolderGivesARootWithoutChildren) {
    MakeToolManager();
    ASSERT_NE(tools_->GetTemplateRoot(), nullptr);
    EXPECT_TRUE(tools_->GetTemplateRoot()->children.empty());
    EXPECT_EQ(tools_->GetTemplateRoot()->name, "");
    tools_.reset();

    home_.folder.WriteFile("data/ui/windows/sub/only.xml", "<window name=\"w\" />");
    MakeToolManager();
    EXPECT_TRUE(tools_->GetTemplateRoot()->children.empty());
    ASSERT_NE(tools_->GetFontTool(), nullptr);
    ASSERT_NE(tools_->GetTextTool(), nullptr);
}

}  // namespace
