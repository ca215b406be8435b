#pragma once
// The logic of the high-score window: the table and the entry to mark, if any.

#include "framework/GUIFrameworkWindow.h"

namespace GameFramework {

class HighScoresTable;
struct HighScoreEntry;

class GUIHighScoresWindowBase : public GUIFrameworkWindow {
public:
    explicit GUIHighScoresWindowBase(HighScoresTable* table) : table_(table) {}

    // A null entry marks none.
    virtual void OpenWith(WindowId source, HighScoreEntry* entry);

    HighScoresTable* GetTable() const { return table_; }
    HighScoreEntry* GetEntryToShow() const { return entryToShow_; }

private:
    HighScoresTable* table_;                  // not owned
    HighScoreEntry* entryToShow_ = nullptr;  // the table's
};

}  // namespace GameFramework
