#pragma once
// What a day's room offers, decided from the machines standing in it: the products its
// machines turn inputs into (a production counts only when the machine making its input,
// if any, stands in the room too) and the foods made by hand, the products customers may
// order, the ingredients those inputs need, the distributors that take part and the
// customer types whose compulsory food groups the room can serve.

#include <map>
#include <string>
#include <vector>

namespace Morvane {

class GameData;
struct CustomerInfo;
struct FoodInfo;

class DayProducts {
public:
    // roomMachines: the machines standing in the room, the dustbin first.
    DayProducts(const GameData& gameData, const std::vector<std::string>& roomMachines);

    // Sorted by name; a production's foods without a definition are left out (logged).
    const std::map<std::string, const FoodInfo*>& GetInputs() const { return inputs_; }
    const std::map<std::string, const FoodInfo*>& GetOutputs() const { return outputs_; }
    // The outputs that may be ordered, in name order.
    std::vector<std::string> OrderableProducts() const;
    // The inputs' ingredients, in name order and layer order, each once.
    std::vector<std::string> NeededIngredients() const;
    // The distributors whose machines all stand in the room and whose ingredient is
    // needed, in definition order.
    std::vector<std::string> DistributorNames() const;
    // The customer types that may come, in definition order.
    std::vector<const CustomerInfo*> CustomerTypes() const;

private:
    void AddProductions(const std::string& machineName);
    // The name of the first machine definition listing the food among its outputs, or "".
    std::string MakerOf(const std::string& foodName) const;
    bool IsRoomMachine(const std::string& name) const;
    void Add(std::map<std::string, const FoodInfo*>& products, const std::string& foodName);
    // The food groups of the outputs in name order, each once.
    std::vector<std::string> OutputGroups() const;

    const GameData& gameData_;
    std::vector<std::string> roomMachines_;
    std::map<std::string, const FoodInfo*> inputs_;
    std::map<std::string, const FoodInfo*> outputs_;
};

}  // namespace Morvane
