#include "game/program/ProgramResources.h"

#include <cstdint>

#include "game/GUIGameCursor.h"
#include "game/Game.h"

namespace Morvane {

namespace {

// A cup of coffee on its saucer, steam above it.
constexpr const char* kIconRows[ProgramResources::kIconSize] = {
    "................................",
    "................................",
    "................................",
    "................................",
    "..........s.....s.....s.........",
    ".........s.....s.....s..........",
    ".........s.....s.....s..........",
    "..........s.....s.....s.........",
    "...........s.....s.....s........",
    "...........s.....s.....s........",
    "..........s.....s.....s.........",
    "................................",
    "....kkkkkkkkkkkkkkkkkkkkkk......",
    "....kcccccccccccccccccccck......",
    "....kwccccccccccccccccccwkkkk...",
    "....kwwwwwwwwwwwwwwwwwwwwk..kk..",
    "....kwwwwwwwwwwwwwwwwwwwwk...k..",
    "....kwwwwwwwwwwwwwwwwwwwwk...k..",
    "....krrrrrrrrrrrrrrrrrrrrk...k..",
    "....krrrrrrrrrrrrrrrrrrrrk...k..",
    ".....kwwwwwwwwwwwwwwwwwwk...kk..",
    ".....kwwwwwwwwwwwwwwwwwwkkkkk...",
    "......kwwwwwwwwwwwwwwwwk........",
    ".......kwwwwwwwwwwwwwwk.........",
    "........kwwwwwwwwwwwwk..........",
    ".........kkkkkkkkkkkk...........",
    "..kkkkkkkkkkkkkkkkkkkkkkkkkk....",
    "..kppppppppppppppppppppppppk....",
    "...kkkkkkkkkkkkkkkkkkkkkkkk.....",
    "................................",
    "................................",
    "................................",
};

constexpr bool RowsFillTheSquare() {
    for (const char* row : kIconRows) {
        int length = 0;
        while (row[length]) ++length;
        if (length != ProgramResources::kIconSize) return false;
    }
    return true;
}
static_assert(RowsFillTheSquare(), "every row of the icon holds one character per pixel");

std::uint32_t Colour(char code) {
    switch (code) {
    case 'k': return 0xFF3B2314;  // outline, dark roast
    case 'c': return 0xFF6F4325;  // coffee
    case 'w': return 0xFFF4EDE4;  // china
    case 'r': return 0xFFC0392B;  // the cup's band
    case 'p': return 0xFFD9CFC1;  // saucer
    case 's': return 0xA0E6E6E6;  // steam
    default: return 0x00000000;
    }
}

void DefineCursor(int kind, LPCWSTR systemCursor) {
    platform::DefineCursorResource(static_cast<WORD>(GUIGameCursor::kCursorResources[kind]), systemCursor);
}

}  // namespace

platform::IconPicture ProgramResources::IconPicture() {
    platform::IconPicture picture{kIconSize, kIconSize, {}};
    picture.pixels.reserve(kIconSize * kIconSize);
    for (const char* row : kIconRows)
        for (int x = 0; x < kIconSize; ++x) picture.pixels.push_back(Colour(row[x]));
    return picture;
}

void ProgramResources::Define() {
    platform::DefineIconResource(static_cast<WORD>(Game::kIconResource), IconPicture());
    // Kind 0 is the plain pointer; the other two point at something to take.
    DefineCursor(0, IDC_ARROW);
    DefineCursor(1, IDC_HAND);
    DefineCursor(2, IDC_HAND);
}

}  // namespace Morvane
