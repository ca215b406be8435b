#pragma once
// The in-day tutorial of a working day: hints 1-9 walk the player through the first
// day's serving, hints 10-22 through the coffee machine on the first later day that has
// one. Each frame the day lets it start the next hint whose turn has come, and, while a
// hint is in progress, finish it once the player did what it asks. A hint highlights
// the room elements it speaks of, so that only they take the mouse; starting and
// finishing also hold and release the day (level timer and customer arrivals).

#include <set>
#include <string>

namespace Morvane {

class GameLogic;
struct HintStart;

class TutorialScript {
public:
    // After the hints that close a tutorial, the next customer comes this many seconds
    // after the day resumes.
    static constexpr float kResumeGap = 1.8f;
    // A key press finishes a hint only after it has been visible this long.
    static constexpr float kKeyPressDelay = 0.5f;

    explicit TutorialScript(GameLogic& day);

    // Starts at most one hint; the day calls it only while the tutorial record is ready.
    void RunStarts();
    // Tests the hint in progress and finishes it when it is done.
    void RunFinishes();
    // Right clicks serve customers except while the player learns to use the coffee
    // machine's product by hand.
    static bool AllowsRightClickServing(bool hintActive, int hint);

private:
    bool Applies(const HintStart& start) const;
    void Begin(const HintStart& start);
    void ReportMissing(const char* kind, const std::string& name);
    // Whether hint's finishing condition holds this frame, after its per-frame effects.
    bool IsDone(int hint);
    void AfterFinish(int hint);
    bool KeyPressed() const;
    bool Holds(const std::string& ingredient) const;
    bool Is(const std::string& recipe) const;
    bool HandEmpty() const;
    std::size_t HandLayers() const;
    bool CoffeeMachineHasFinished() const;
    bool CoffeeMachineIdle() const;
    void NextCustomerNow();
    // Fewer than two customers in play: another one comes at once.
    void KeepCustomersComing();
    void HoldDay(bool hold);

    GameLogic& day_;
    // Elements a hint wanted to highlight but the room lacks; each is reported once.
    std::set<std::string> missing_;
};

}  // namespace Morvane
