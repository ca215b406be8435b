#include "engine/kernel/SlotTable.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Vantor::SlotTable;

struct Tracked {
    Tracked(int id, std::vector<int>& deleted) : id(id), deleted(deleted) {}
    ~Tracked() { deleted.push_back(id); }
    int id;
    std::vector<int>& deleted;
};

// The live objects' ids in creation order, read through their slots.
std::vector<int> LiveIds(const SlotTable<Tracked>& table) {
    std::vector<int> ids;
    for (std::uint32_t slot : table.GetLiveIds()) ids.push_back(table.Get(slot)->id);
    return ids;
}

TEST(SlotTableTest, PackingRenumbersTheLiveSlotsAndKeepsTheirCreationOrder) {
    std::vector<int> deleted;
    SlotTable<Tracked> table;
    Tracked* first = new Tracked(1, deleted);
    Tracked* second = new Tracked(2, deleted);
    table.Add(first);
    table.Add(second);
    table.Add(new Tracked(3, deleted));
    table.Remove(first);
    EXPECT_EQ(table.Add(new Tracked(4, deleted)), 0u) << "the freed slot is reused";
    table.Remove(second);

    table.Pack();
    EXPECT_EQ(table.GetSlots().size(), 2u);
    EXPECT_EQ(table.GetSlots()[0]->id, 4);
    EXPECT_EQ(table.GetSlots()[1]->id, 3);
    EXPECT_EQ(LiveIds(table), (std::vector<int>{3, 4}));
    EXPECT_EQ(table.Add(new Tracked(5, deleted)), 2u) << "no freed slot is left after packing";

    table.DeleteAll();
    EXPECT_EQ(deleted, (std::vector<int>{3, 4, 5})) << "creation order";
    EXPECT_EQ(table.GetLiveCount(), 0u);
    EXPECT_EQ(table.Get(0), nullptr);
    delete first;
    delete second;
}

}  // namespace
