#pragma once
// Runs the day of a game frame by frame through the game's own frame, at a fixed frame
// time on the virtual clock. Before each frame it gives the script's steps
// of that frame and then the player's step, if any; a target is found when its step
// runs, and a step whose target is not in the room is noted as a fault and not given.
// Every step given is recorded, and the record is a script that replays the day. After
// each frame the customers are watched; the log's figures are read when asked.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "tests/game/replay/CustomerWatcher.h"
#include "tests/game/replay/DayLog.h"
#include "tests/game/replay/ReplayScript.h"
#include "tests/game/replay/RoomView.h"

namespace replay {

class DayHost;
class DayPlayer;

class DayRunner {
public:
    // The frame clock's longest frame: a day takes the fewest frames.
    static constexpr float kFrameSeconds = 0.1f;

    explicit DayRunner(DayHost& game) : game_(game) {}

    // The steps to give, at the frames they name (counted from the day's first frame).
    void Follow(const ReplayScript& script) { script_ = script; }
    void SetPlayer(DayPlayer* player) { player_ = player; }

    // Frames until the day is won or the limit is reached; whether it was won.
    bool RunDay(unsigned maxFrames = 20000);
    // Frames until the condition holds after one (true) or the limit is reached.
    template <class Condition>
    bool RunUntil(Condition condition, unsigned maxFrames) {
        for (unsigned frames = 0; frames < maxFrames; ++frames) {
            RunFrame();
            if (condition()) return true;
        }
        return false;
    }

    const ReplayScript& GetRecord() const { return record_; }
    const std::vector<std::string>& GetFaults() const { return faults_; }
    // The next frame to run, counted from the day's first.
    unsigned GetFrame() const { return frame_; }
    bool IsDayWon() const;
    DayLog GetLog() const;

private:
    void RunFrame();
    void Give(const ReplayStep& step);
    RoomView Room() const;

    DayHost& game_;
    ReplayScript script_;
    std::size_t nextStep_ = 0;
    DayPlayer* player_ = nullptr;
    unsigned frame_ = 0;
    std::optional<unsigned> wonFrame_;
    ReplayScript record_;
    std::vector<std::string> faults_;
    CustomerWatcher watcher_;
};

}  // namespace replay
