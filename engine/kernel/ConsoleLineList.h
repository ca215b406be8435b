#pragma once
// The console's text: every piece shown since the console was made, oldest first (nothing
// is ever removed), word-wrapped into rows no wider than the screen, and the choice of
// the rows a scrolled view shows.

#include <cstddef>
#include <string>
#include <vector>

#include "engine/kernel/ConsoleLine.h"

namespace Vantor {

class ConsoleFont;

class ConsoleLineList {
public:
    // The rows to draw: from the first piece to the newest, the first row at rowY and
    // each later row one line height lower.
    struct View {
        std::size_t first = 0;
        float rowY = 0.0f;
        // The scroll asked for, cut down to the rows that exist.
        int scroll = 0;
    };

    // Measures with the font, which must outlive the list.
    explicit ConsoleLineList(const ConsoleFont& font) : font_(font) {}

    // Appends the text in the colour, a new piece wherever a row ends: at each line
    // break, and before the character that would make the piece wider than the width.
    // A text without a final line break leaves its row open for the next text. A
    // character wider than the whole width stands on a row of its own.
    void Add(const std::wstring& text, const Color& colour, float width);

    // Walks back from the newest row, which lies at bottomY, skipping scroll rows, up to
    // the first row placed above topY (drawn, as the one the top edge cuts through), or
    // to the oldest row.
    View Arrange(int scroll, float bottomY, float topY, float lineHeight) const;

    const std::vector<ConsoleLine>& GetLines() const { return lines_; }

private:
    const ConsoleFont& font_;
    std::vector<ConsoleLine> lines_;
};

}  // namespace Vantor
