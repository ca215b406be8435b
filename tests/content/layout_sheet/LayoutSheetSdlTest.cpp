// Every layout the code opens, built over the data set make_data built for the test run
// and drawn by the whole engine through OpenGL under an X server, as a player sees it:
// shown with every control, the parameters the code fills in at their longest (a long
// name, six-digit money), until every opening has ended. Each frame is kept as
// "captures/layout_<name>.png"; every text fits its control's box and every control
// lies on the 800 x 600 screen.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIWindow.h"
#include "gui_tools/GUIWindowBase.h"
#include "tests/content/layout_sheet/DataSetSdlTest.h"
#include "tests/content/lint/LayoutLint.h"

namespace {

using contentlint::LayoutLint;

// Enough frames for every opening at any frame rate (a frame counts at most 0.1 s).
constexpr int kMostFrames = 3000;
const wchar_t* const kLongName = L"Maximilian Weber";
// What the code writes into a text the layout leaves empty (a machine, a hint).
const wchar_t* const kCodeText = L"Strawberry ice cream: cold, sweet and pink, the children's favourite.";

// The values the code puts into the layouts' texts, at their longest.
const std::vector<std::pair<std::wstring, std::wstring>>& Parameters() {
    static const std::vector<std::pair<std::wstring, std::wstring>> parameters{
        {L"PROFILE_NAME", kLongName}, {L"MONEY", L"999999"}, {L"DAY", L"365"},     {L"PROGRESS", L"100"},
        {L"SERVED", L"99"},           {L"TOTAL", L"99"},     {L"CURRENT", L"999999"}, {L"NEXT", L"999999"},
        {L"COST", L"999999"},         {L"LEVEL", L"7"},      {L"PROFESSIONALISM", L"7"},
    };
    return parameters;
}

class LayoutSheetSdlTest : public datasettest::DataSetSdlTest {
protected:
    // The texts and rows as the windows' code fills them: names, places and texts the
    // code writes itself, and every parameter. Notices that stand in for filled figures
    // (no high scores yet, a machine bought, the top qualification) are disabled.
    static void Fill(GUITools::GUIWindowBase& window) {
        for (const auto& control : window.GetControls()) {
            for (const char* notice : {"/no_records", "/purchased", "/experience_max"})
                if (EndsWith(control->GetName(), notice)) window.EnableControl(*control, false);
            if (auto* text = dynamic_cast<GUITools::GUITextControl*>(control.get())) {
                for (const auto& [name, value] : Parameters()) text->SetParameter(name, value);
                const std::string& path = text->GetName();
                if (path.find("button_profile_") != std::string::npos || EndsWith(path, "/name"))
                    text->SetLiteralText(kLongName);
                if (EndsWith(path, "/place")) text->SetLiteralText(L"10.");
                if (text->keys.empty()) text->SetLiteralText(kCodeText);
            }
            if (auto* edit = dynamic_cast<GUITools::GUIEditBoxControl*>(control.get()))
                window.GetEditBox(edit->GetName())->SetText(kLongName);
        }
    }

    // Frames until every control has ended its opening and every text is printed.
    void Open(GUITools::GUIWindowBase& window) {
        window.Show(true);
        for (int frame = 0; frame < kMostFrames && !Settled(window); ++frame) Frame([&] { window.Update(); });
        EXPECT_TRUE(Settled(window)) << "still opening after " << kMostFrames << " frames";
        Frame([&] { window.Update(); });
    }

    static bool Settled(const GUITools::GUIWindowBase& window) {
        for (const auto& control : window.GetControls()) {
            if (!window.IsControlEnabled(*control)) continue;
            if (!control->IsAnimationFinished() || control->IsTransitionPending()) return false;
            if (!control->GetFader().empty() && control->GetFadeValue() < 0.999f) return false;
            const auto* text = dynamic_cast<const GUITools::GUITextControl*>(control.get());
            if (text && text->printingMode && !text->IsPrintingFinished()) return false;
        }
        return true;
    }

    static bool EndsWith(const std::string& text, const std::string& end) {
        return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
    }

    // Every enabled control on the screen, every text inside its box.
    static void ExpectInside(const GUITools::GUIWindowBase& window) {
        for (const auto& control : window.GetControls()) {
            if (!window.IsControlEnabled(*control)) continue;
            SCOPED_TRACE(control->GetName());
            EXPECT_TRUE(control->IsShown());
            const Vantor::Vector2 corner = control->GetWindow()->GetAbsolutePosition() + control->GetPosition();
            const Vantor::Vector2& size = control->GetSize();
            EXPECT_GE(corner.x, 0.0f);
            EXPECT_GE(corner.y, 0.0f);
            EXPECT_LE(corner.x + size.x, kScreenWidth);
            EXPECT_LE(corner.y + size.y, kScreenHeight);
            if (const auto* text = dynamic_cast<const GUITools::GUITextControl*>(control.get())) {
                EXPECT_LE(text->lines.extent.x, size.x + 0.5f);
                EXPECT_LE(text->lines.extent.y, size.y + 0.5f);
            }
        }
    }

};

TEST_F(LayoutSheetSdlTest, EveryLayoutShowsEveryControlOnTheScreenWithItsTextsInTheirBoxes) {
    for (const LayoutLint::Layout& layout : LayoutLint::Layouts()) {
        SCOPED_TRACE(layout.name);
        GUITools::GUIWindowBase window(keeper_.get(), tools_.get(), nullptr, layout.name);
        Fill(window);
        Open(window);
        ExpectInside(window);
        Vantor::Image picture;
        Capture(picture, "layout_" + layout.name);
        window.Show(false);
        for (int frame = 0; frame < kMostFrames && window.IsVisible(); ++frame) Frame([&] { window.Update(); });
    }
}

}  // namespace
