#include "engine/kernel/ObjectManager.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "engine/kernel/ContainerHelpers.h"
#include "engine/kernel/GlobalPointerHolder.h"

namespace {

using Vantor::ObjectManager;

// Records the id of every destroyed object, so tests see what was deleted, how
// often and in which order.
struct Tracked {
    Tracked(int id, std::vector<int>& deleted) : id(id), deleted(deleted) {}
    virtual ~Tracked() { deleted.push_back(id); }
    int id;
    std::vector<int>& deleted;
};

// Deleting through the base must reach this destructor too.
struct DerivedTracked : Tracked {
    DerivedTracked(int id, std::vector<int>& deleted) : Tracked(id, deleted) {}
    ~DerivedTracked() override { deleted.push_back(-id); }
};

class ObjectManagerTest : public ::testing::Test {
protected:
    Tracked* Make(int id) { return new Tracked(id, deleted); }

    // Slot contents as ids, 0 for an empty slot.
    static std::vector<int> Ids(const ObjectManager<Tracked>& manager) {
        std::vector<int> ids;
        for (Tracked* t : manager.GetSlots()) ids.push_back(t ? t->id : 0);
        return ids;
    }

    std::vector<int> deleted;
};

TEST_F(ObjectManagerTest, FreedSlotIsReusedLastFreedFirst) {
    ObjectManager<Tracked> manager;
    Tracked* objects[5];
    for (int i = 0; i < 5; ++i) {
        objects[i] = Make(i + 1);
        manager.AddObject(objects[i]);
    }
    EXPECT_TRUE(manager.RemoveObject(objects[1]));
    EXPECT_TRUE(manager.RemoveObject(objects[3]));  // 3 live of 5: no packing
    EXPECT_EQ(Ids(manager), (std::vector<int>{1, 0, 3, 0, 5}));
    EXPECT_EQ(manager.GetCount(), 3u);

    manager.AddObject(Make(6));
    manager.AddObject(Make(7));
    EXPECT_EQ(Ids(manager), (std::vector<int>{1, 7, 3, 6, 5}));
    EXPECT_EQ(manager.GetCount(), 5u);
    delete objects[1];
    delete objects[3];
}

TEST_F(ObjectManagerTest, SlotsArePackedWhenFewerThanHalfAreLive) {
    ObjectManager<Tracked> manager;
    Tracked* a = Make(1);
    Tracked* b = Make(2);
    manager.AddObject(a);
    manager.AddObject(b);
    manager.AddObject(Make(3));

    manager.RemoveObject(b);  // 2 of 3 live: the slot stays empty
    EXPECT_EQ(Ids(manager), (std::vector<int>{1, 0, 3}));
    manager.RemoveObject(a);  // 1 of 3 live: packed, the freed ids forgotten
    EXPECT_EQ(Ids(manager), (std::vector<int>{3}));
    manager.AddObject(Make(4));  // appends
    EXPECT_EQ(Ids(manager), (std::vector<int>{3, 4}));
    EXPECT_EQ(manager.GetCount(), 2u);
    EXPECT_TRUE(deleted.empty());  // removing never deletes
    delete a;
    delete b;
}

TEST_F(ObjectManagerTest, RemovingAnUnknownObjectChangesNothing) {
    ObjectManager<Tracked> manager;
    Tracked* a = Make(1);
    Tracked stranger(9, deleted);
    manager.AddObject(a);
    manager.AddObject(Make(2));
    manager.AddObject(nullptr);

    EXPECT_FALSE(manager.RemoveObject(nullptr));
    EXPECT_FALSE(manager.RemoveObject(&stranger));
    EXPECT_EQ(Ids(manager), (std::vector<int>{1, 2}));
    EXPECT_TRUE(manager.RemoveObject(a));
    EXPECT_FALSE(manager.RemoveObject(a));
    EXPECT_EQ(manager.GetCount(), 1u);
    delete a;
}

TEST_F(ObjectManagerTest, DestructionDeletesEveryLiveObjectOnceInSlotOrder) {
    Tracked* removed = Make(2);
    {
        ObjectManager<Tracked> manager;
        manager.AddObject(Make(1));
        manager.AddObject(removed);
        manager.AddObject(new DerivedTracked(3, deleted));
        manager.AddObject(Make(4));
        manager.RemoveObject(removed);
    }
    EXPECT_EQ(deleted, (std::vector<int>{1, -3, 3, 4}));
    delete removed;
}

#ifndef NDEBUG
TEST_F(ObjectManagerTest, AddingAnObjectTwiceIsCaughtInDebugBuilds) {
    EXPECT_DEATH(
        {
            ObjectManager<Tracked> manager;
            Tracked* a = Make(1);
            manager.AddObject(a);
            manager.AddObject(a);
        },
        "registered twice");
}
#endif

struct HeldManager : Vantor::GlobalPointerHolder<HeldManager> {};

TEST(GlobalPointerHolderTest, RegistersAndReplacesTheInstance) {
    EXPECT_EQ(HeldManager::Instance(), nullptr);
    HeldManager first;
    HeldManager second;
    EXPECT_EQ(HeldManager::Instance(&first), &first);
    EXPECT_EQ(HeldManager::Instance(nullptr), &first);
    EXPECT_EQ(HeldManager::Instance(&second), &second);
    EXPECT_EQ(HeldManager::Instance(), &second);
}

TEST_F(ObjectManagerTest, DeleteAllHelpersDeleteInOrderAndEmpty) {
    std::vector<Tracked*> list = {Make(1), nullptr, Make(2)};
    Vantor::DeleteAllAndClear(list);
    EXPECT_TRUE(list.empty());
    std::map<int, Tracked*> byKey = {{3, Make(30)}, {1, Make(10)}, {2, nullptr}};
    Vantor::DeleteAllMapValues(byKey);
    EXPECT_TRUE(byKey.empty());
    EXPECT_EQ(deleted, (std::vector<int>{1, 2, 10, 30}));
}

TEST_F(ObjectManagerTest, FillNullAndRemoveNullsNeverDelete) {
    Tracked a(1, deleted);
    Tracked b(2, deleted);
    std::vector<Tracked*> list = {nullptr, &a, nullptr, &b, nullptr};
    Vantor::RemoveNulls(list);
    EXPECT_EQ(list, (std::vector<Tracked*>{&a, &b}));
    Vantor::FillNull(list);
    EXPECT_EQ(list, (std::vector<Tracked*>{nullptr, nullptr}));
    EXPECT_TRUE(deleted.empty());
}

}  // namespace
