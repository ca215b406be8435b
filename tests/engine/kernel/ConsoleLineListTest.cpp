// The console's text: log texts word-wrapped into rows no wider than the screen, rows
// left open for the next text, and the rows a scrolled view shows. The test font's 'A'
// is 20 units wide, its line break 20.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/kernel/ConsoleFont.h"
#include "engine/kernel/ConsoleLineList.h"
#include "tests/engine/gui/GUITestSupport.h"

namespace {

using Vantor::Color;
using Vantor::ConsoleFont;
using Vantor::ConsoleLine;
using Vantor::ConsoleLineList;

const Color kRed(1, 0, 0, 1);

// Each piece as its text, with "|" for a piece that leaves its row open.
std::vector<std::wstring> Pieces(const ConsoleLineList& list) {
    std::vector<std::wstring> pieces;
    for (const ConsoleLine& line : list.GetLines()) pieces.push_back(line.rowEnd ? line.text : line.text + L"|");
    return pieces;
}

class ConsoleLineListTest : public guitest::GUITest {
protected:
    void SetUp() override {
        GUITest::SetUp();
        LoadTestFont(0, 20.0f);
    }
};

TEST_F(ConsoleLineListTest, TextsAreWrappedBeforeTheCharacterThatWouldPassTheWidth) {
    struct Case {
        std::wstring text;
        float width;
        std::vector<std::wstring> pieces;
    };
    const Case cases[] = {
        {L"AAAAA\n", 50.0f, {L"AA\n", L"AA\n", L"A\n"}},
        {L"AA\nA\n", 100.0f, {L"AA\n", L"A\n"}},
        {L"AA", 100.0f, {L"AA|"}},
        {L"AAAA", 40.0f, {L"AA\n", L"AA|"}},
        // A line break ends a full row without a blank row after it.
        {L"AA\n", 40.0f, {L"AA\n"}},
        {L"\n\n", 40.0f, {L"\n", L"\n"}},
        // Wider than the width alone: one character a row, and the wrap ends.
        {L"AAA\n", 10.0f, {L"A\n", L"A\n", L"A\n"}},
        {L"", 40.0f, {}},
    };
    for (const Case& c : cases) {
        const ConsoleFont font(*fonts_, 0);
        ConsoleLineList list(font);
        list.Add(c.text, kRed, c.width);
        EXPECT_EQ(Pieces(list), c.pieces) << "width " << c.width;
    }
}

TEST_F(ConsoleLineListTest, APieceKeepsItsColourAndWidth) {
    const ConsoleFont font(*fonts_, 0);
    ConsoleLineList list(font);
    list.Add(L"AMi", kRed, 800.0f);
    list.Add(L"A\n", Color(0, 1, 0, 1), 800.0f);
    ASSERT_EQ(list.GetLines().size(), 2u);
    EXPECT_EQ(Vantor::PackColor(list.GetLines()[0].colour), Vantor::PackColor(kRed));
    EXPECT_FLOAT_EQ(list.GetLines()[0].width, 20.0f + 16.0f + 5.0f);
    EXPECT_EQ(Vantor::PackColor(list.GetLines()[1].colour), Vantor::PackColor(Color(0, 1, 0, 1)));
    EXPECT_TRUE(list.GetLines()[1].rowEnd);
}

TEST_F(ConsoleLineListTest, WithoutAFontNothingWrapsAndRowsTakeTheFallbackHeight) {
    const ConsoleFont font(*fonts_, 9);
    EXPECT_EQ(TakeErrors(), (std::vector<std::string>{"The console has no font under the id 9, its texts are not drawn"}));
    EXPECT_FLOAT_EQ(font.GetSize(), ConsoleFont::kFallbackSize);
    EXPECT_FLOAT_EQ(font.Measure(L"AAA"), 0.0f);
    ConsoleLineList list(font);
    list.Add(L"AAAAAAAA\nA", kRed, 10.0f);
    EXPECT_EQ(Pieces(list), (std::vector<std::wstring>{L"AAAAAAAA\n", L"A|"}));
}

// Three closed rows and the open newest row "A", each row one piece.
class ConsoleViewTest : public ConsoleLineListTest {
protected:
    void SetUp() override {
        ConsoleLineListTest::SetUp();
        font_ = std::make_unique<ConsoleFont>(*fonts_, 0);
        list_ = std::make_unique<ConsoleLineList>(*font_);
        list_->Add(L"A\nA\nA\nA", kRed, 800.0f);
    }

    std::unique_ptr<ConsoleFont> font_;
    std::unique_ptr<ConsoleLineList> list_;
};

TEST_F(ConsoleViewTest, RowsArePlacedUpwardsFromTheNewestUpToTheOneTheTopCuts) {
    struct Case {
        int scroll;
        float top;
        std::size_t first;
        float rowY;
        int keptScroll;
    };
    const Case cases[] = {
        // Every row fits: from the oldest, the open row at the bottom.
        {0, 100.0f, 0, 30.0f, 0},
        // The row at 20 lies above the top: it is the first drawn, whole.
        {0, 15.0f, 1, 20.0f, 0},
        {0, -1.0f, 3, 0.0f, 0},
        // Skipped rows move the older ones down.
        {2, 100.0f, 0, 10.0f, 2},
        {1, 5.0f, 1, 10.0f, 1},
        // More than the rows there are: cut to the closed rows, the oldest at the bottom.
        {10, 100.0f, 0, 0.0f, 3},
    };
    for (const Case& c : cases) {
        const ConsoleLineList::View view = list_->Arrange(c.scroll, 0.0f, c.top, 10.0f);
        EXPECT_EQ(view.first, c.first) << "scroll " << c.scroll << ", top " << c.top;
        EXPECT_FLOAT_EQ(view.rowY, c.rowY) << "scroll " << c.scroll << ", top " << c.top;
        EXPECT_EQ(view.scroll, c.keptScroll) << "scroll " << c.scroll << ", top " << c.top;
    }
}

TEST_F(ConsoleViewTest, ARowOfSeveralPiecesIsOneRow) {
    list_->Add(L"AA", kRed, 800.0f);
    list_->Add(L"A\n", kRed, 800.0f);
    // "A", "AA" and "A\n" make the row at 10: the oldest row is the fourth, at 40.
    const ConsoleLineList::View view = list_->Arrange(0, 0.0f, 25.0f, 10.0f);
    EXPECT_EQ(view.first, 1u);
    EXPECT_FLOAT_EQ(view.rowY, 30.0f);
}

}  // namespace
