#include "framework/windows/GUIHighScoresWindowBase.h"

namespace GameFramework {

void GUIHighScoresWindowBase::OpenWith(WindowId source, HighScoreEntry* entry) {
    Open(source);
    entryToShow_ = entry;
}

}  // namespace GameFramework
