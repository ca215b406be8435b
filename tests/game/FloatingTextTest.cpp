// Floating texts on the virtual clock: growing, rising, fading and ending at their
// ages, the lines cut at line feeds and centred as a block, the money text from the
// text table, and the manager deleting finished texts in order.

#include "game/GUIGameLogicTextManager.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/TextPrint.h"
#include "game/GUIGameLogicText.h"
#include "tests/gui_tools/GUIToolsTestSupport.h"

namespace {

using Morvane::GUIGameLogicText;
using Morvane::GUIGameLogicTextManager;
using testing::ElementsAre;

constexpr float kFontSize = 20.0f;
const Vantor::Vector2 kSpot{400.0f, 300.0f};

class FloatingTextTest : public guitoolstest::GUIToolsTest {
protected:
    void SetUp() override {
        GUIToolsTest::SetUp();
        WriteFont("tip", "size=\"20\"");
        WriteTexts(R"(<texts><game_logic><plus_money text="+%money% coins"/></game_logic></texts>)");
        MakeTools();
        Frame();
        manager_ = std::make_unique<GUIGameLogicTextManager>(texts_.get(), fonts_.get(), "tip", nullptr);
    }
    void TearDown() override {
        manager_.reset();
        GUIToolsTest::TearDown();
    }

    // Frames of 0.05 s up to the age, then the manager's update; the prints of that update.
    std::vector<Vantor::TextPrint> At(float age) {
        while (elapsed_ + 0.0001f < age) {
            const float step = std::min(0.05f, age - elapsed_);
            Frame(step);
            elapsed_ += step;
            if (elapsed_ + 0.0001f < age) manager_->Update();
        }
        manager_->Update();
        std::vector<Vantor::TextPrint> prints;
        const Vantor::GUIWindow& window = *manager_->GetWindow();
        for (int i = 0; i < window.GetPrintCount(); ++i) prints.push_back(window.GetTextPrint(i));
        return prints;
    }
    float Width(const std::wstring& line, float size) const {
        Vantor::Vector2 extent;
        fonts_->GetFont("tip")->MeasureText(extent, line, 0.0f, size);
        return extent.x;
    }

    std::unique_ptr<GUIGameLogicTextManager> manager_;
    float elapsed_ = 0.0f;
};

TEST_F(FloatingTextTest, GrowsRisesFadesAndEnds) {
    EXPECT_EQ(GUIGameLogicTextManager::kOrder, manager_->GetWindow()->GetOrder());
    manager_->AddText(L"+5", kSpot);
    const struct {
        float age;
        float size;
        float alpha;
        float rise;
    } cases[] = {{0.1f, 10.0f, 0.5f, 0.0f},
                 {0.2f, 20.0f, 1.0f, 0.0f},
                 {1.2f, 20.0f, 1.0f, 35.0f},
                 {1.575f, 20.0f, 0.5f, 48.125f}};
    for (const auto& expected : cases) {
        const std::vector<Vantor::TextPrint> prints = At(expected.age);
        ASSERT_EQ(1u, prints.size()) << expected.age;
        const Vantor::TextPrint& print = prints[0];
        EXPECT_NEAR(expected.size, print.size, 0.01f) << expected.age;
        EXPECT_NEAR(expected.alpha, print.colour.w, 0.01f) << expected.age;
        EXPECT_NEAR(kSpot.x - Width(L"+5", print.size) / 2.0f, print.position.x, 0.01f) << expected.age;
        EXPECT_NEAR(kSpot.y - print.size / 2.0f + expected.rise, print.position.y, 0.01f) << expected.age;
        EXPECT_EQ(0, print.fontId);
    }
    EXPECT_EQ(1u, manager_->GetTexts().size());
    EXPECT_EQ(0u, At(1.96f).size());
    EXPECT_TRUE(manager_->GetTexts().empty()) << "deleted in the update that finds it over";
}

TEST_F(FloatingTextTest, LinesAreCentredAsABlock) {
    manager_->AddText(L"Tip\n+12\n", kSpot);
    ASSERT_THAT(manager_->GetTexts()[0]->GetLines(), ElementsAre(L"Tip", L"+12")) << "a final feed adds no line";
    const std::vector<Vantor::TextPrint> prints = At(0.2f);
    ASSERT_EQ(2u, prints.size());
    EXPECT_EQ(L"Tip", prints[0].text);
    EXPECT_NEAR(kSpot.y, prints[0].position.y, 0.01f) << "the first line above the spot";
    EXPECT_NEAR(kSpot.y - kFontSize, prints[1].position.y, 0.01f) << "the second below it";
    EXPECT_NEAR(kSpot.x - Width(L"+12", kFontSize) / 2.0f, prints[1].position.x, 0.01f);
}

TEST_F(FloatingTextTest, LineFeedsCutTheText) {
    const struct {
        std::wstring text;
        std::vector<std::wstring> lines;
    } cases[] = {{L"one", {L"one"}},
                 {L"a\n\nb", {L"a", L"", L"b"}},
                 {L"\n", {L""}},
                 {L"", {}}};
    for (const auto& [text, lines] : cases)
        EXPECT_EQ(lines, GUIGameLogicText({0.0f, 0.0f}, text, 0, manager_->GetWindow()).GetLines());
}

TEST_F(FloatingTextTest, MoneyTextFillsTheAmountInAnyCase) {
    manager_->AddMoneyText(25, kSpot);
    const std::vector<Vantor::TextPrint> prints = At(0.1f);
    ASSERT_EQ(1u, prints.size());
    EXPECT_EQ(L"+25 coins", prints[0].text);
}

TEST_F(FloatingTextTest, FinishedTextsLeaveTheOthersInOrder) {
    manager_->AddText(L"first", kSpot);
    At(1.0f);
    manager_->AddText(L"second", kSpot);
    manager_->AddText(L"third", kSpot);
    At(2.0f);
    ASSERT_EQ(2u, manager_->GetTexts().size());
    EXPECT_THAT(manager_->GetTexts()[0]->GetLines(), ElementsAre(L"second"));
    EXPECT_THAT(manager_->GetTexts()[1]->GetLines(), ElementsAre(L"third"));
}

}  // namespace
