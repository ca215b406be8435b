#pragma once
// Brings the customers of one working day into the cafe: decides when the next one
// walks in (sooner with more machines bought and towards the end of the day), which
// type comes and at which free place it stands, makes it with an order for its type,
// updates every present customer, counts those who leave (who came, who was served,
// how well) and hands the held food to the neediest waiting customer on a right click.
// Random numbers are drawn in a fixed order (gap, type, place, then the order's own),
// so a seeded day replays.

#include <memory>
#include <utility>
#include <vector>

namespace Vantor {
class GUIWindow;
}

namespace GameFramework {
class AudioManager;
}

namespace GameTools {
class RandomSelecter;
}

namespace GUITools {
class GUIToolManager;
}

namespace Morvane {

class CursorFood;
class Customer;
class Finances;
class GameData;
class GUIGameLogicTextManager;
class OrderManager;
struct CustomerInfo;

class CustomerManager {
public:
    // Below this mood a right click no longer serves a customer.
    static constexpr float kRightClickMinimumMood = 0.01f;

    CustomerManager(GameFramework::AudioManager* audio, GameData* gameData, GUITools::GUIToolManager* tools,
                    OrderManager* orders, CursorFood* cursorFood, Vantor::GUIWindow* dayWindow, Finances* finances,
                    GUIGameLogicTextManager* floatingTexts, int day, float mood, float priceMultiplier,
                    unsigned machineCount);
    virtual ~CustomerManager();
    CustomerManager(const CustomerManager&) = delete;
    CustomerManager& operator=(const CustomerManager&) = delete;

    // A type that may come today, with the same chance as the others.
    void AddCustomerType(const CustomerInfo* type);
    // Once per running frame, with the day's progress 0..1.
    void Update(float progress, bool arrivalsAllowed, bool moodsDrain, bool rightClickServing);
    // Customers walking in, fading in or waiting.
    unsigned CountActiveCustomers() const;
    // Lets every present customer take the mouse while the tutorial restricts input.
    void EnableCustomersInput();
    // How many customers may be active at once.
    unsigned GetLimit() const;

    // Seconds before the first customer, from the machines bought.
    static float FirstGap(unsigned machineCount);
    // How busy the cafe is, 0..1, from the machines bought.
    static float BusyFactor(unsigned machineCount);
    // The bounds of the time between customers at the day's progress.
    static std::pair<float, float> GapBounds(unsigned machineCount, float progress);

    bool IsSpawnHeld() const { return spawnHold_; }
    void SetSpawnHold(bool hold) { spawnHold_ = hold; }
    float GetTimeToNextCustomer() const { return timeToNext_; }
    void SetTimeToNextCustomer(float seconds) { timeToNext_ = seconds; }
    unsigned GetCustomersCome() const { return customersCome_; }
    unsigned GetCustomersServed() const { return customersServed_; }
    float GetRatingSum() const { return ratingSum_; }
    const std::vector<std::unique_ptr<Customer>>& GetCustomers() const { return customers_; }
    const std::vector<const CustomerInfo*>& GetCustomerTypes() const { return types_; }

private:
    void Arrive(float progress);
    // The places no present customer stands at, ascending.
    std::vector<unsigned> FreePlaces() const;
    void UpdateCustomers(bool moodsDrain);
    void ServeByRightClick();

    GameFramework::AudioManager* audio_;
    GameData* gameData_;
    GUITools::GUIToolManager* tools_;
    OrderManager* orders_;
    CursorFood* cursorFood_;
    Vantor::GUIWindow* dayWindow_;
    Finances* finances_;
    GUIGameLogicTextManager* floatingTexts_;
    unsigned machineCount_;
    float mood_;
    std::unique_ptr<GameTools::RandomSelecter> typeSelector_;
    std::vector<const CustomerInfo*> types_;
    std::vector<std::unique_ptr<Customer>> customers_;
    bool spawnHold_ = false;
    float timeToNext_;
    float priceMultiplier_;
    int day_;
    unsigned customersCome_ = 0;
    unsigned customersServed_ = 0;
    float ratingSum_ = 0.0f;
    bool firstCustomerPending_;
    bool noTypeReported_ = false;
};

}  // namespace Morvane
