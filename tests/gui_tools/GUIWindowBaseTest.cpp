// Windows built from templates: node chains through templates, children and full names,
// the lookups and their error lines, showing, hiding and enabling controls, and the
// fatal template errors, which leave no GUI element behind.

#include <gtest/gtest.h>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/FatalError.h"
#include "engine/kernel/MessageManager.h"
#include "tests/gui_tools/GUIToolsTestSupport.h"

namespace {

using guitoolstest::Pair;

class GUIWindowBaseTest : public guitoolstest::GUIToolsTest {
protected:
    void SetUp() override {
        GUIToolsTest::SetUp();
        WriteTexts(R"(<texts language="english" />)");
        AddFramesModel("frames", 1);
        TakeErrors();
    }

    // The templates in one file each, then the tool manager and the window.
    GUITools::GUIWindowBase& Build(const std::vector<std::string>& files, const std::string& layout = "window_test") {
        for (std::size_t index = 0; index < files.size(); ++index)
            WriteTemplate("t" + std::to_string(index) + ".xml", files[index]);
        MakeToolManager();
        return MakeWindow(layout);
    }

    static std::size_t ElementCount() {
        const Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
        return gui.GetWindows().GetCount() + gui.GetButtons().GetCount() + gui.GetCheckBoxes().GetCount() +
               gui.GetEditBoxes().GetCount() + gui.GetSliders().GetCount() + gui.GetScrolls().GetCount();
    }

    // Building the layout ends with the one fatal text and leaves no GUI element behind.
    void ExpectFatal(const std::vector<std::string>& files, const std::string& layout, const std::string& text) {
        for (std::size_t index = 0; index < files.size(); ++index)
            WriteTemplate("t" + std::to_string(index) + ".xml", files[index]);
        MakeToolManager();
        const std::size_t elements = ElementCount();
        EXPECT_THROW(MakeWindow(layout), Vantor::FatalError);
        EXPECT_EQ(enginetest::Fatals(*Vantor::MessageManager::Instance()), std::vector<std::string>{text});
        EXPECT_EQ(ElementCount(), elements);
    }

    static std::vector<std::string> Names(const GUITools::GUIWindowBase& window) {
        std::vector<std::string> names;
        for (const auto& control : window.GetControls()) names.push_back(control->GetName());
        return names;
    }
};

TEST_F(GUIWindowBaseTest, AChildOfTheWindowAndOfItsTemplateTakesItsKindFromTheWindowAndEachAttributeFromTheFirst) {
    GUITools::GUIWindowBase& window = Build({
        R"(<window name="window_test" template="base" position="3 4">
             <button name="ok" position="5 6" />
             <window name="own" />
           </window>)",
        R"(<window name="base" position="1 1" size="7 8">
             <text_label name="ok" position="1 1" size="30 40" height="3" />
             <window name="extra" />
             <window name="own" size="9 9" />
           </window>)",
    });

    EXPECT_EQ(Names(window), (std::vector<std::string>{"window_test", "window_test/ok", "window_test/own",
                                                       "window_test/extra"}));
    const GUITools::GUIButtonControl* ok = window.GetButtonControl("window_test/ok");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(Pair(ok->GetPosition()), std::make_pair(5.0f, 6.0f));
    EXPECT_EQ(Pair(ok->GetSize()), std::make_pair(30.0f, 40.0f));
    EXPECT_EQ(ok->GetOrder(), 3);
    EXPECT_FALSE(window.HasTextControl("window_test/ok"));
    EXPECT_EQ(Pair(window.GetWindowControl("window_test/own")->GetSize()), std::make_pair(9.0f, 9.0f));
    EXPECT_EQ(Pair(window.GetWindowControl("window_test")->GetPosition()), std::make_pair(3.0f, 4.0f));
    // The elements hang below the root as the controls do.
    EXPECT_EQ(window.GetWindow("window_test")->GetParent(), window.GetRoot());
    EXPECT_EQ(ok->GetWindow()->GetParent(), window.GetWindow("window_test"));
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(GUIWindowBaseTest, ATemplateNamingATemplateLendsAfterTheFirst) {
    GUITools::GUIWindowBase& window = Build({
        R"(<window name="window_test"><window name="w" template="first" position="1 1" /></window>)",
        R"(<window name="first" template="second" position="2 2" size="3 3"><window name="a" /></window>)",
        R"(<window name="second" position="4 4" size="5 5" height="6"><window name="b" /></window>)",
    });
    const GUITools::GUIWindowControl& w = *window.GetWindowControl("window_test/w");
    EXPECT_EQ(Pair(w.GetPosition()), std::make_pair(1.0f, 1.0f));
    EXPECT_EQ(Pair(w.GetSize()), std::make_pair(3.0f, 3.0f));
    EXPECT_EQ(w.GetOrder(), 6);
    EXPECT_EQ(Names(window), (std::vector<std::string>{"window_test", "window_test/w", "window_test/w/a",
                                                       "window_test/w/b"}));
}

TEST_F(GUIWindowBaseTest, TwoChildrenOfOneNameMakeOneControlAndAFaderChildMakesNone) {
    GUITools::GUIWindowBase& window = Build({R"(<window name="window_test">
             <button name="twice" position="1 0" />
             <check_box name="twice" position="2 0" />
             <fader name="fading"><window name="inside" /></fader>
           </window>)"});
    EXPECT_EQ(Names(window), (std::vector<std::string>{"window_test", "window_test/twice"}));
    EXPECT_EQ(window.GetButtonControl("window_test/twice")->GetPosition().x, 1.0f);
}

TEST_F(GUIWindowBaseTest, LookupsOfUnknownNamesOrOfTheWrongKindLogTheirLineAndAnswerNull) {
    GUITools::GUIWindowBase& window = Build({R"(<window name="window_test"><text_label name="t" /></window>)"});
    const std::string text = "window_test/t";
    EXPECT_EQ(window.GetButton(text), nullptr);
    EXPECT_EQ(window.GetCheckBox(text), nullptr);
    EXPECT_EQ(window.GetEditBox(text), nullptr);
    EXPECT_EQ(window.GetScroll(text), nullptr);
    EXPECT_EQ(window.GetWindow(text), nullptr);
    EXPECT_EQ(window.GetTextControl("window_test/T"), nullptr);
    EXPECT_EQ(window.GetControl("nothing"), nullptr);
    EXPECT_FALSE(window.IsControlEnabled("nothing"));
    window.EnableControl("nothing", false);
    EXPECT_FALSE(window.HasWindowControl(text));
    EXPECT_TRUE(window.HasTextControl(text));
    EXPECT_EQ(TakeErrors(), (std::vector<std::string>{
                                "(GUIWindowBase::GetButtonControl): Unknown \"window_test/t\" control",
                                "(GUIWindowBase::GetCheckBoxControl): Unknown \"window_test/t\" control",
                                "(GUIWindowBase::GetEditBoxControl): Unknown \"window_test/t\" control",
                                "(GUIWindowBase::GetScrollControl): Unknown \"window_test/t\" control",
                                "(GUIWindowBase::GetWindowControl): Unknown \"window_test/t\" control",
                                "(GUIWindowBase::GetTextControl): Unknown \"window_test/T\" control",
                                "(GUIWindowBase::GetControl): Unknown \"nothing\" control",
                                "(GUIWindowBase::GetControl): Unknown \"nothing\" control",
                                "(GUIWindowBase::EnableControl): Unknown \"nothing\" control",
                            }));
}

TEST_F(GUIWindowBaseTest, ADisabledControlStaysHiddenThroughShowUntilEnabledAndShownAgain) {
    GUITools::GUIWindowBase& window = Build({R"(<window name="window_test"><button name="b" /></window>)"});
    const Vantor::GUIWindow& button = *window.GetButtonControl("window_test/b")->GetWindow();
    window.EnableControl("window_test/b", false);
    EXPECT_FALSE(window.IsControlEnabled("window_test/b"));
    window.Show(true);
    Frame();
    EXPECT_TRUE(window.IsVisible());
    EXPECT_TRUE(window.GetWindow("window_test")->IsVisible());
    EXPECT_FALSE(button.IsVisible());

    window.EnableControl(*window.GetControl("window_test/b"), true);
    Frame();
    EXPECT_FALSE(button.IsVisible());
    window.Show(true);
    Frame();
    EXPECT_TRUE(button.IsVisible());

    window.EnableControl("window_test/b", false);
    EXPECT_FALSE(button.IsVisible());
}

TEST_F(GUIWindowBaseTest, TheRootStaysWhileAControlHidesAndGoesInTheFirstUpdateWithoutAShownControl) {
    GUITools::GUIWindowBase& window = Build({
        R"(<window name="window_test" model="frames" fader="slow"><window name="quick" /></window>)",
        R"(<faders><fader name="slow" hide_speed="2" /></faders>)",
    });
    EXPECT_FALSE(window.IsVisible());
    window.Show(true);
    Run(1.0f);
    ASSERT_TRUE(window.IsVisible());
    window.Show(false);
    Frame();
    Frame();
    Frame();
    EXPECT_TRUE(window.IsVisible());
    EXPECT_TRUE(window.GetWindow("window_test")->IsVisible());
    EXPECT_FALSE(window.GetWindow("window_test/quick")->IsVisible());
    Frame();
    EXPECT_TRUE(window.GetWindow("window_test")->IsVisible());
    // Half a second at hide speed 2 fades it out.
    Frame();
    EXPECT_FALSE(window.GetWindow("window_test")->IsVisible());
    EXPECT_FALSE(window.IsVisible());
}

TEST_F(GUIWindowBaseTest, AWindowWithoutAnEnabledControlIsHiddenByTheFirstUpdateAfterShow) {
    GUITools::GUIWindowBase& window = Build({R"(<window name="window_test" />)"});
    window.EnableControl("window_test", false);
    window.Show(true);
    EXPECT_TRUE(window.IsVisible());
    Frame();
    EXPECT_FALSE(window.IsVisible());
}

TEST_F(GUIWindowBaseTest, TemplateErrorsAreFatal) {
    const struct {
        std::vector<std::string> files;
        std::string layout;
        std::string fatal;
    } cases[] = {
        {{R"(<window name="window_a" />)"}, "window_b", "(GUIWindowBase::GUIWindowBase): Unknown \"window_b\" window layout"},
        {{R"(<window name="window_test" template="window_test" />)"},
         "window_test",
         "(GUIWindowBase::ResolveTemplates): Template \"window_test\" leads back to itself"},
        {{R"(<window name="window_test" template="a" />)", R"(<window name="a" template="b" />)",
          R"(<window name="b" template="a" />)"},
         "window_test",
         "(GUIWindowBase::ResolveTemplates): Template \"a\" leads back to itself"},
        {{R"(<window name="window_test" template="t" />)", R"(<window name="t"><window name="x" template="t" /></window>)"},
         "window_test",
         "(GUIWindowBase::ResolveTemplates): Template \"t\" leads back to itself"},
        {{R"(<window name="window_test"><window name="a"><button /></window></window>)"},
         "window_test",
         "(GUIWindowBase::ParseControls): Failed to find attribute \"name\" in node with \"button\" name"},
        {{R"(<window name="window_test"><Button name="b" /></window>)"},
         "window_test",
         "(GUIWindowBase::ParseControls): Unknown \"Button\" control type"},
        {{R"(<window name="window_test"><button name="b" fader="none" show_action="stay" /></window>)",
          R"(<faders><fader name="other" /></faders>)"},
         "window_test",
         "(GUIWindowBase::ParseControls): Unknown \"none\" fader"},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.fatal);
        TearDown();
        SetUp();
        ExpectFatal(entry.files, entry.layout, entry.fatal);
    }
}

TEST_F(GUIWindowBaseTest, ATemplateReachedByTwoRoutesBuilds) {
    GUITools::GUIWindowBase& window = Build({
        R"(<window name="window_test" template="frame">
             <window name="a" template="part" />
             <window name="b" template="part" />
             <window name="c" template="part" />
           </window>)",
        R"(<window name="frame"><window name="c" template="part" size="2 2" /></window>)",
        R"(<button name="part" size="5 5"><window name="inner" /></button>)",
    });
    EXPECT_EQ(Names(window), (std::vector<std::string>{"window_test", "window_test/a", "window_test/a/inner",
                                                       "window_test/b", "window_test/b/inner", "window_test/c",
                                                       "window_test/c/inner"}));
    EXPECT_EQ(Pair(window.GetWindowControl("window_test/c")->GetSize()), std::make_pair(5.0f, 5.0f));
}

TEST_F(GUIWindowBaseTest, TemplatesThatMultiplyTheirChildrenWithoutBoundAreFatal) {
    std::vector<std::string> files{R"(<window name="window_test" template="t0" />)"};
    for (int level = 0; level < 14; ++level) {
        const std::string next = "t" + std::to_string(level + 1);
        files.push_back("<window name=\"t" + std::to_string(level) + "\"><window name=\"a\" template=\"" + next +
                        "\" /><window name=\"b\" template=\"" + next + "\" /></window>");
    }
    ExpectFatal(files, "window_test", "(GUIWindowBase::ParseControls): Window \"window_test\" has more than 4096 controls");
}

}  // namespace
