#include "game/TutorialScript.h"

#include <algorithm>
#include <iterator>

#include "engine/input/Controls.h"
#include "engine/kernel/MessageManager.h"
#include "framework/Tutorial.h"
#include "game/AutomaticMachine.h"
#include "game/CursorFood.h"
#include "game/CustomerManager.h"
#include "game/Distributor.h"
#include "game/Food.h"
#include "game/GameLogic.h"

namespace Morvane {

namespace {

constexpr const char* kCoffeeMachine = "coffee_black";
constexpr const char* kCoffeeCup = "coffee_cup";
constexpr float kNow = -1.0f;

enum class Condition { PreviousShown, FirstDay, CoffeeDay };
enum class Kind { None, Distributor, Machine, Customers };

struct Element {
    Kind kind = Kind::None;
    const char* name = "";
};

constexpr Element D(const char* name) { return {Kind::Distributor, name}; }
constexpr Element M(const char* name) { return {Kind::Machine, name}; }
constexpr Element kCustomers{Kind::Customers, "every customer"};

}  // namespace

struct HintStart {
    int hint;
    Condition condition;
    float delay;
    // Level timer paused and arrivals held.
    bool holdsDay;
    bool nextCustomerNow;
    Element highlights[2];
};

namespace {

// In the order they are tried; the first that applies starts.
const HintStart kStarts[] = {
    {1, Condition::FirstDay, 2.0f, true, false, {}},
    {2, Condition::PreviousShown, 2.2f, false, true, {D("cracker_waffle")}},
    {3, Condition::PreviousShown, 0.3f, false, false, {D("jelly_green")}},
    {4, Condition::PreviousShown, 0.3f, false, false, {D("cracker_chocolate")}},
    {5, Condition::PreviousShown, 0.3f, false, false, {kCustomers}},
    {6, Condition::PreviousShown, 2.2f, false, true, {D("cracker_fancy"), D("jelly_red")}},
    {7, Condition::PreviousShown, 2.0f, false, false, {D("jelly_green")}},
    {8, Condition::PreviousShown, 1.0f, false, false, {M("dustbin")}},
    {9, Condition::PreviousShown, 1.4f, false, false, {}},
    {10, Condition::CoffeeDay, 2.0f, true, true, {}},
    {11, Condition::PreviousShown, 0.5f, false, false, {D(kCoffeeCup)}},
    {12, Condition::PreviousShown, 0.5f, false, false, {M(kCoffeeMachine)}},
    {13, Condition::PreviousShown, 3.5f, false, false, {M(kCoffeeMachine), kCustomers}},
    {14, Condition::PreviousShown, 2.0f, false, false, {D(kCoffeeCup)}},
    {15, Condition::PreviousShown, 0.1f, false, false, {M(kCoffeeMachine)}},
    {16, Condition::PreviousShown, 0.5f, false, false, {D(kCoffeeCup)}},
    {17, Condition::PreviousShown, 0.5f, false, false, {M(kCoffeeMachine)}},
    {18, Condition::PreviousShown, 0.5f, false, false, {}},
    {19, Condition::PreviousShown, 0.5f, false, false, {M(kCoffeeMachine)}},
    {20, Condition::PreviousShown, 0.0f, false, false, {M(kCoffeeMachine)}},
    {21, Condition::PreviousShown, 0.0f, false, false, {M(kCoffeeMachine), kCustomers}},
    {22, Condition::PreviousShown, 0.0f, false, false, {}},
};

}  // namespace

TutorialScript::TutorialScript(GameLogic& day) : day_(day) {}

bool TutorialScript::AllowsRightClickServing(bool hintActive, int hint) {
    return !hintActive || (hint != 19 && hint != 20);
}

void TutorialScript::RunStarts() {
    for (const HintStart& start : kStarts) {
        if (!Applies(start)) continue;
        Begin(start);
        return;
    }
}

bool TutorialScript::Applies(const HintStart& start) const {
    const GameFramework::Tutorial& tutorial = *day_.GetTutorial();
    if (tutorial.IsShown(static_cast<unsigned>(start.hint))) return false;
    switch (start.condition) {
        case Condition::FirstDay:
            return day_.GetDay() == 0;
        case Condition::CoffeeDay: {
            const auto& machines = day_.GetRoomMachineNames();
            return day_.GetDay() != 0 && std::find(machines.begin(), machines.end(), kCoffeeMachine) != machines.end();
        }
        case Condition::PreviousShown:
            break;
    }
    return tutorial.IsShown(static_cast<unsigned>(start.hint - 1));
}

void TutorialScript::Begin(const HintStart& start) {
    if (start.nextCustomerNow) NextCustomerNow();
    day_.GetTutorial()->StartHint(start.hint, start.delay);
    if (start.holdsDay) HoldDay(true);
    for (const Element& element : start.highlights) {
        switch (element.kind) {
            case Kind::None:
                break;
            case Kind::Customers:
                day_.GetCustomerManager()->EnableCustomersInput();
                break;
            case Kind::Distributor:
                if (Distributor* distributor = day_.FindDistributor(element.name))
                    distributor->EnableInput();
                else
                    ReportMissing("distributor", element.name);
                break;
            case Kind::Machine:
                if (AutomaticMachine* machine = day_.FindAutomaticMachine(element.name))
                    machine->EnableInput();
                else
                    ReportMissing("machine", element.name);
                break;
        }
    }
}

void TutorialScript::ReportMissing(const char* kind, const std::string& name) {
    if (!missing_.insert(name).second) return;
    Vantor::MessageManager::Instance()->PrintWarning(std::string("The tutorial's ") + kind + " \"" + name +
                                                      "\" is not in the room: its highlight is skipped");
}

void TutorialScript::RunFinishes() {
    GameFramework::Tutorial& tutorial = *day_.GetTutorial();
    const int hint = tutorial.GetHint();
    if (!IsDone(hint)) return;
    tutorial.FinishHint();
    AfterFinish(hint);
}

bool TutorialScript::IsDone(int hint) {
    GameFramework::Tutorial& tutorial = *day_.GetTutorial();
    switch (hint) {
        case 1:
        case 9:
        case 10:
        case 22:
            return KeyPressed();
        case 2:
            return Holds("cracker_waffle");
        case 3:
            return Holds("jelly_green");
        case 4:
            return Holds("cracker_chocolate");
        case 6:
            // The player has built the three-layer order.
            if (HandLayers() == 3) tutorial.SetPending(0);
            return day_.GetCustomerManager()->GetCustomersCome() == 2 &&
                   day_.GetCustomerManager()->CountActiveCustomers() == 0 && HandEmpty();
        case 7:
            return !HandEmpty();
        case 11:
            return Holds(kCoffeeCup);
        case 13:
            if (HandEmpty()) {
                tutorial.ClearPending(0);
            } else {
                tutorial.SetPending(0);
                tutorial.SetPending(1);
            }
            return HandEmpty() && CoffeeMachineIdle();
        case 14:
            KeepCustomersComing();
            return Holds(kCoffeeCup);
        case 15:
            KeepCustomersComing();
            return HandEmpty();
        case 16:
            KeepCustomersComing();
            return Holds(kCoffeeCup);
        case 17:
        case 19:
            return Is(kCoffeeMachine);
        case 21:
            return HandEmpty() && !CoffeeMachineHasFinished();
        case 5:
        case 8:
        case 12:
        case 18:
        case 20:
            return HandEmpty();
        default:
            return false;
    }
}

void TutorialScript::AfterFinish(int hint) {
    if (hint == 13) NextCustomerNow();
    if (hint == 9 || hint == 22) {
        HoldDay(false);
        day_.GetCustomerManager()->SetTimeToNextCustomer(kResumeGap);
    }
}

bool TutorialScript::KeyPressed() const {
    Vantor::Controls* controls = Vantor::Controls::Instance();
    if (day_.GetTutorial()->GetElapsed() <= kKeyPressDelay || !controls->IsAnyKeyPressed()) return false;
    // The press that closes the hint must not act anywhere else.
    controls->BlockUntilReleased();
    return true;
}

bool TutorialScript::Holds(const std::string& ingredient) const {
    return day_.GetCursorFood()->GetFood()->HasIngredient(ingredient);
}

bool TutorialScript::Is(const std::string& recipe) const { return day_.GetCursorFood()->GetFood()->GetName() == recipe; }

bool TutorialScript::HandEmpty() const { return HandLayers() == 0; }

std::size_t TutorialScript::HandLayers() const { return day_.GetCursorFood()->GetFood()->GetLayers().size(); }

bool TutorialScript::CoffeeMachineHasFinished() const {
    const AutomaticMachine* machine = day_.FindAutomaticMachine(kCoffeeMachine);
    return machine && machine->GetFinishedItem();
}

bool TutorialScript::CoffeeMachineIdle() const {
    const AutomaticMachine* machine = day_.FindAutomaticMachine(kCoffeeMachine);
    return !machine || (!machine->GetItemInProduction() && !machine->GetFinishedItem());
}

void TutorialScript::NextCustomerNow() { day_.GetCustomerManager()->SetTimeToNextCustomer(kNow); }

void TutorialScript::KeepCustomersComing() {
    if (day_.GetCustomerManager()->CountActiveCustomers() < 2) NextCustomerNow();
}

void TutorialScript::HoldDay(bool hold) {
    day_.SetTimerPaused(hold);
    day_.GetCustomerManager()->SetSpawnHold(hold);
}

}  // namespace Morvane
