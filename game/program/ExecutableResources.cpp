// Compiled into the game's executable alone: its resources exist from the start of
// the process, before WinMain runs.

#include "game/program/ProgramResources.h"

namespace {

const bool defined = [] {
    Morvane::ProgramResources::Define();
    return true;
}();

}  // namespace
