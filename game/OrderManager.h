#pragma once
// Decides what each new customer of the day asks for, from the products the room can
// make today (grouped by food group), the products the machines have just made and the
// customer's type. Every random number is drawn in a fixed order, so a seeded day
// replays. Owns the day's orders.

#include <memory>
#include <string>
#include <vector>

namespace GameFramework {
class Tutorial;
}

namespace Morvane {

class GameData;
class Order;
struct CustomerInfo;

class OrderManager {
public:
    // Length of the cycles that give an order's item count.
    static constexpr unsigned kCycleLength = 18;

    // Draws the starting position in the item-count cycles.
    OrderManager(GameData* gameData, GameFramework::Tutorial* tutorial, unsigned day);
    virtual ~OrderManager();
    OrderManager(const OrderManager&) = delete;
    OrderManager& operator=(const OrderManager&) = delete;

    // An orderable product of today; its group joins the groups when new. An unknown
    // name is logged and left out.
    void AddProduct(const std::string& foodName);
    // A product a machine has just delivered, offered to the next orders of its group.
    void AddMachineProduct(const std::string& foodName);
    // A new order for a customer of the type; the manager keeps it.
    Order* GenerateOrder(const CustomerInfo& type);
    void Update();

    const std::vector<std::string>& GetGroups() const { return groups_; }
    const std::vector<std::string>& GetProducts(std::size_t group) const { return products_[group]; }
    const std::vector<std::string>& GetMade(std::size_t group) const { return made_[group]; }
    const std::vector<std::unique_ptr<Order>>& GetOrders() const { return orders_; }
    unsigned GetSizeCounter() const { return sizeCounter_; }

private:
    struct Item {
        std::string name;
        bool machineMade = false;
    };
    enum class DrinkState { Absent, Optional, Required };

    Order* Keep(std::vector<std::string> items);
    // The one-item order a tutorial hint waits for, or "".
    std::string TutorialOrder() const;
    // The chosen group indices, must groups in front, at most one optional drink.
    std::vector<std::size_t> ChooseGroups(const CustomerInfo& type) const;
    unsigned NextItemCount(std::size_t groupCount);
    Item DrawItem(std::size_t group);
    void RedrawOneCreamItem(std::vector<Item>& items, const std::vector<std::size_t>& groups) const;
    // The group's position, or the group count when it is not among the groups.
    std::size_t FindGroup(const std::string& group) const;

    GameData* gameData_;
    GameFramework::Tutorial* tutorial_;
    unsigned day_;
    std::vector<std::string> groups_;
    std::vector<std::vector<std::string>> products_;
    std::vector<std::vector<std::string>> made_;
    std::vector<std::unique_ptr<Order>> orders_;
    unsigned sizeCounter_;
};

}  // namespace Morvane
