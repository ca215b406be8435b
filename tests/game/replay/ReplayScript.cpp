#include "tests/game/replay/ReplayScript.h"

#include <charconv>
#include <sstream>

namespace replay {

namespace {

using Action = ReplayStep::Action;
using Kind = Target::Kind;

struct ActionName {
    Action action;
    const char* name;
};

constexpr ActionName kActions[] = {
    {Action::Move, "move"}, {Action::Click, "click"}, {Action::RightClick, "right_click"}, {Action::Key, "key"}};

[[noreturn]] void Fail(std::size_t line, const std::string& message) {
    throw ScriptError("line " + std::to_string(line) + ": " + message);
}

template <typename Number>
bool ReadNumber(const std::string& word, Number& number) {
    const char* end = word.data() + word.size();
    const auto [stop, error] = std::from_chars(word.data(), end, number);
    return error == std::errc() && stop == end;
}

std::string FloatText(float value) {
    char digits[32];
    const auto [end, error] = std::to_chars(digits, digits + sizeof(digits), value);
    return error == std::errc() ? std::string(digits, end) : "0";
}

Target ReadTarget(std::istringstream& words, std::size_t line) {
    std::string kind;
    words >> kind;
    Target target;
    if (kind == "distributor" || kind == "machine") {
        target.kind = kind == "machine" ? Kind::Machine : Kind::Distributor;
        if (!(words >> target.name)) Fail(line, kind + " without a name");
        return target;
    }
    if (kind == "customer") {
        std::string at, place, number;
        words >> at >> place >> number;
        target.kind = Kind::Customer;
        if (at != "at" || place != "place" || !ReadNumber(number, target.place))
            Fail(line, "a customer is named \"customer at place <n>\"");
        return target;
    }
    if (kind == "point") {
        std::string x, y;
        words >> x >> y;
        if (!ReadNumber(x, target.point.x) || !ReadNumber(y, target.point.y))
            Fail(line, "a point needs two numbers");
        return target;
    }
    Fail(line, kind.empty() ? "the target is missing" : "unknown target \"" + kind + "\"");
}

std::string TargetText(const Target& target) {
    switch (target.kind) {
        case Kind::Distributor: return "distributor " + target.name;
        case Kind::Machine: return "machine " + target.name;
        case Kind::Customer: return "customer at place " + std::to_string(target.place);
        case Kind::Point: return "point " + FloatText(target.point.x) + " " + FloatText(target.point.y);
    }
    return "";
}

}  // namespace

ReplayScript ReplayScript::Parse(const std::string& text) {
    ReplayScript script;
    std::istringstream lines(text);
    std::string line;
    for (std::size_t number = 1; std::getline(lines, line); ++number) {
        std::istringstream words(line);
        std::string frame;
        if (!(words >> frame) || frame[0] == '#') continue;
        ReplayStep step;
        const bool relative = frame[0] == '+';
        if (!ReadNumber(relative ? frame.substr(1) : frame, step.frame)) Fail(number, "bad frame \"" + frame + "\"");
        if (relative && !script.steps_.empty()) step.frame += script.steps_.back().frame;

        std::string action;
        words >> action;
        const ActionName* found = nullptr;
        for (const ActionName& known : kActions)
            if (action == known.name) found = &known;
        if (!found) Fail(number, "unknown action \"" + action + "\"");
        step.action = found->action;
        if (step.action == Action::Key) {
            if (!(words >> step.key)) Fail(number, "key without a name");
        } else {
            step.target = ReadTarget(words, number);
        }
        std::string rest;
        if (words >> rest) Fail(number, "unexpected \"" + rest + "\"");
        if (!script.steps_.empty() && step.frame < script.steps_.back().frame) Fail(number, "the frame goes back");
        script.steps_.push_back(step);
    }
    return script;
}

std::string ReplayScript::ToText(const ReplayStep& step) {
    std::string text = std::to_string(step.frame) + " ";
    for (const ActionName& known : kActions)
        if (known.action == step.action) text += known.name;
    return text + " " + (step.action == Action::Key ? step.key : TargetText(step.target));
}

std::string ReplayScript::ToText() const {
    std::string text;
    for (const ReplayStep& step : steps_) text += ToText(step) + "\n";
    return text;
}

void ReplayScript::Append(const ReplayStep& step) {
    if (!steps_.empty() && step.frame < steps_.back().frame)
        throw ScriptError("step at frame " + std::to_string(step.frame) + " after frame " +
                          std::to_string(steps_.back().frame));
    steps_.push_back(step);
}

}  // namespace replay
