// One template element made into a control: the common attributes, faders, the text,
// edit box, slider and scroll attributes, and what the kinds push into their elements
// in every visible frame.

#include <gtest/gtest.h>

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIScroll.h"
#include "tests/gui_tools/GUIToolsTestSupport.h"

namespace {

using guitoolstest::Pair;

class ControlTemplateParserTest : public guitoolstest::GUIToolsTest {
protected:
    void SetUp() override {
        GUIToolsTest::SetUp();
        WriteFont("plain", "size=\"10\" space_size=\"0.5\"");
        WriteTexts(R"(<texts language="english"><word text="Word" /></texts>)");
        AddFramesModel("frames", 1);
        TakeErrors();
    }

    // A window "window_test" whose only child is the element, with the faders.
    GUITools::GUIWindowBase& Build(const std::string& child, const std::string& faders = "<faders />") {
        WriteTemplate("window.xml", "<window name=\"window_test\">" + child + "</window>");
        WriteTemplate("faders.xml", faders);
        MakeToolManager();
        return MakeWindow("window_test");
    }

    // Shown, one frame on.
    void ShowAndRun(GUITools::GUIWindowBase& window) {
        window.Show(true);
        Frame();
    }
};

TEST_F(ControlTemplateParserTest, CommonAttributesWithOneNumberAndASelectionSizeAlone) {
    GUITools::GUIWindowBase& window =
        Build(R"(<check_box name="c" position="7" size="20 30" height="4" selection_size="5 6" fader="" />)");
    const GUITools::GUICheckBoxControl& control = *window.GetCheckBoxControl("window_test/c");
    EXPECT_EQ(Pair(control.GetPosition()), std::make_pair(7.0f, 0.0f));
    EXPECT_EQ(Pair(control.GetSize()), std::make_pair(20.0f, 30.0f));
    EXPECT_EQ(control.GetOrder(), 4);
    EXPECT_TRUE(control.HasSelection());
    EXPECT_EQ(Pair(control.GetSelectionPosition()), std::make_pair(0.0f, 0.0f));
    EXPECT_EQ(Pair(control.GetSelectionSize()), std::make_pair(5.0f, 6.0f));
    EXPECT_EQ(control.GetFader(), "");
    ShowAndRun(window);
    EXPECT_EQ(Pair(control.GetWindow()->GetPosition()), std::make_pair(7.0f, 0.0f));
    EXPECT_TRUE(control.GetWindow()->IsSelectionOn());
}

TEST_F(ControlTemplateParserTest, AFaderIsTimedUnlessItsTypeIsModelAnimation) {
    const struct {
        const char* type;
        float fadeAfterHalfASecond;
    } cases[] = {{"", 0.625f}, {"type=\"fancy\"", 0.625f}, {"type=\"model_animation\"", 0.25f}};
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.type);
        TearDown();
        SetUp();
        GUITools::GUIWindowBase& window = Build(R"(<window name="w" model="frames" fader="half" />)",
                                                std::string("<faders><fader name=\"half\" min=\"0.25\" ") +
                                                    entry.type + " /></faders>");
        window.Show(true);
        Run(0.5f);
        const GUITools::GUIControl& control = *window.GetControl("window_test/w");
        EXPECT_EQ(control.GetFader(), "half");
        EXPECT_NEAR(control.GetFadeValue(), entry.fadeAfterHalfASecond, 0.001f);
    }
}

TEST_F(ControlTemplateParserTest, EditBoxSettingsAreCarriedIntoTheBoxWhileVisible) {
    const struct {
        const char* attributes;
        std::uint16_t cursor;
        int fontId;
    } cases[] = {
        {"", u'_', -1},
        {R"(cursor_character="" font="plain")", u' ', 0},
        {R"(cursor_character="#*")", u'#', -1},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.attributes);
        TearDown();
        SetUp();
        GUITools::GUIWindowBase& window =
            Build(std::string("<edit_box name=\"e\" max_character_count=\"2\" ") + entry.attributes + " />");
        GUITools::GUIEditBoxControl& control = *window.GetEditBoxControl("window_test/e");
        EXPECT_EQ(control.cursorCharacter, entry.cursor);
        EXPECT_EQ(control.GetFontId(), entry.fontId);
        Vantor::GUIEditBox& box = *window.GetEditBox("window_test/e");
        box.SetText(L"abc");
        EXPECT_EQ(box.GetCaret(), 3);
        ShowAndRun(window);
        // The count of two has reached the box: the caret stops on the second character.
        box.SetText(L"abc");
        EXPECT_EQ(box.GetCaret(), 1);
    }
}

TEST_F(ControlTemplateParserTest, TextLabelAttributesLayTheTextOutAgain) {
    GUITools::GUIWindowBase& window = Build(R"(<text_label name="t" font="plain" text="word" size="300 50"
        alignment_h="center" font_size="20" multiline="true" printing_mode="1" />)");
    const GUITools::GUITextControl& text = *window.GetTextControl("window_test/t");
    EXPECT_EQ(text.text, L"Word");
    EXPECT_EQ(text.horizontalAlignment, "center");
    EXPECT_FLOAT_EQ(text.currentFontSize, 20.0f);
    EXPECT_FALSE(text.multiline);
    EXPECT_TRUE(text.printingMode);
}

TEST_F(ControlTemplateParserTest, ASliderWithoutThumbAttributesGetsAPlainThumbThatFollowsItsSize) {
    GUITools::GUIWindowBase& window = Build(R"(<slider name="s" size="100 10" orientation="not_vertically" />)");
    auto& slider = static_cast<GUITools::GUISliderControl&>(*window.GetControl("window_test/s"));
    const Vantor::GUIButton& thumb = *slider.GetSlider()->GetThumb();
    EXPECT_EQ(thumb.GetModel(), nullptr);
    EXPECT_EQ(Pair(thumb.GetSize()), std::make_pair(1.0f, 1.0f));
    slider.thumbSize = {6.0f, 8.0f};
    ShowAndRun(window);
    EXPECT_EQ(Pair(slider.GetSlider()->GetThumb()->GetSize()), std::make_pair(6.0f, 8.0f));
    EXPECT_TRUE(slider.GetSlider()->IsVertical());
    Frame();
}

TEST_F(ControlTemplateParserTest, AScrollTakesTheSliderAttributesAndPlacesItsButtonsByAnExactAlignment) {
    const struct {
        const char* alignment;
        int buttonOrder;
        int barOrder;
    } cases[] = {{"lower", -1, 4}, {"Lower", 2, 3}, {"lower ", 2, 3}};
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.alignment);
        TearDown();
        SetUp();
        GUITools::GUIWindowBase& window = Build(std::string(R"(<scroll name="s" height="3" size="10 100"
            toddler_size="4 5" toddler_max_position="0 90" toddler_model="frames" orientation="vertical"
            toddler_selection_position="1 1" increase_button_position="0 90" increase_button_size="10 10"
            decrease_button_selection_size="3 3" buttons_alignment=")") + entry.alignment + "\" />");
        GUITools::GUIScrollControl& scroll = *window.GetScrollControl("window_test/s");
        EXPECT_EQ(Pair(scroll.thumbSize), std::make_pair(4.0f, 5.0f));
        EXPECT_TRUE(scroll.thumbHasSelection);
        EXPECT_TRUE(scroll.decreaseButton.hasSelection);
        EXPECT_FALSE(scroll.increaseButton.hasSelection);
        ASSERT_NE(scroll.GetScroll()->GetThumb()->GetModel(), nullptr);
        ShowAndRun(window);
        const Vantor::GUIScroll& bar = *window.GetScroll("window_test/s");
        EXPECT_TRUE(bar.IsVertical());
        EXPECT_EQ(Pair(bar.GetIncreaseButton()->GetPosition()), std::make_pair(0.0f, 90.0f));
        EXPECT_EQ(Pair(bar.GetIncreaseButton()->GetSize()), std::make_pair(10.0f, 10.0f));
        EXPECT_TRUE(bar.GetDecreaseButton()->IsSelectionOn());
        EXPECT_EQ(bar.GetIncreaseButton()->GetOrder(), entry.buttonOrder);
        EXPECT_EQ(bar.GetDecreaseButton()->GetOrder(), entry.buttonOrder);
        EXPECT_EQ(bar.GetOrder(), entry.barOrder);
    }
}

TEST_F(ControlTemplateParserTest, ExclusiveInputTakesEveryPartOfASliderOrScroll) {
    GUITools::GUIWindowBase& window = Build(R"(<slider name="s" /><scroll name="b" />)");
    std::vector<Vantor::GUIWindow*>& exclusive = Vantor::GUIManager::Instance()->GetExclusiveInputList();
    window.GetControl("window_test/s")->SetExclusiveInput();
    window.GetControl("window_test/b")->SetExclusiveInput();
    const Vantor::GUISlider& slider =
        *static_cast<GUITools::GUISliderControl*>(window.GetControl("window_test/s"))->GetSlider();
    const Vantor::GUIScroll& bar = *window.GetScroll("window_test/b");
    EXPECT_EQ(exclusive, (std::vector<Vantor::GUIWindow*>{const_cast<Vantor::GUISlider*>(&slider), slider.GetThumb(),
                                                          const_cast<Vantor::GUIScroll*>(&bar), bar.GetThumb(),
                                                          bar.GetIncreaseButton(), bar.GetDecreaseButton()}));
    exclusive.clear();
}

TEST_F(ControlTemplateParserTest, DestroyingTheWindowDestroysEveryElementOnce) {
    const Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    const std::uint32_t windows = gui.GetWindows().GetCount();
    Build(R"(<scroll name="b"><slider name="s" /><edit_box name="e" /><button name="o" /></scroll>)");
    EXPECT_EQ(gui.GetScrolls().GetCount(), 1u);
    EXPECT_EQ(gui.GetSliders().GetCount(), 1u);
    windows_.clear();
    EXPECT_EQ(gui.GetWindows().GetCount(), windows);
    EXPECT_EQ(gui.GetScrolls().GetCount() + gui.GetSliders().GetCount() + gui.GetEditBoxes().GetCount() +
                  gui.GetButtons().GetCount(),
              0u);
}

}  // namespace
