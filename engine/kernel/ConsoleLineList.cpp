#include "engine/kernel/ConsoleLineList.h"

#include "engine/kernel/ConsoleFont.h"

namespace Vantor {

void ConsoleLineList::Add(const std::wstring& text, const Color& colour, float width) {
    std::wstring piece;
    for (std::size_t i = 0; i < text.size(); ++i) {
        piece += text[i];
        // A line break ends the row anyway; a lone character that does not fit would
        // only start the same row again, so it keeps the row.
        if (text[i] != L'\n' && piece.size() > 1 && font_.Measure(piece) > width) {
            piece.back() = L'\n';
            --i;  // the character starts the next row
        }
        const bool rowEnd = piece.back() == L'\n';
        if (rowEnd || i + 1 == text.size()) {
            lines_.push_back({colour, piece, rowEnd, font_.Measure(piece)});
            piece.clear();
        }
    }
}

ConsoleLineList::View ConsoleLineList::Arrange(int scroll, float bottomY, float topY, float lineHeight) const {
    View view;
    view.rowY = bottomY;
    int toSkip = scroll;
    // A row-end piece closes the row before the one at rowY, which starts right after it.
    for (std::size_t i = lines_.size(); i-- > 0;) {
        if (!lines_[i].rowEnd) continue;
        if (toSkip > 0) {
            --toSkip;
        } else if (view.rowY > topY) {
            view.first = i + 1;
            break;
        } else {
            view.rowY += lineHeight;
        }
    }
    view.scroll = scroll - toSkip;
    return view;
}

}  // namespace Vantor
