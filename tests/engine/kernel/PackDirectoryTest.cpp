#include "engine/kernel/PackDirectory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Vantor::PackDirectory;
using Vantor::PackFileEntry;

std::string NameOf(int i) { return "models\\set" + std::to_string(i % 7) + "\\m" + std::to_string(i) + ".mlf"; }

// The table grows many times on the way; every name keeps its own entry.
TEST(PackDirectoryTest, EveryNameIsFoundWithItsEntryAsTheDirectoryGrows) {
    PackDirectory directory;
    EXPECT_FALSE(directory.Find("anything"));
    constexpr int kCount = 5000;
    for (int i = 0; i < kCount; ++i) directory.Add(NameOf(i), PackFileEntry{i * 10, i});
    for (int i = 0; i < kCount; ++i) {
        const std::optional<PackFileEntry> entry = directory.Find(NameOf(i));
        ASSERT_TRUE(entry) << NameOf(i);
        EXPECT_EQ(entry->offset, i * 10);
        EXPECT_EQ(entry->size, i);
    }
    for (const char* absent : {"", "models", "models\\set1\\m1.ml", "models\\set1\\m1.mlf ", "MODELS\\SET1\\M1.MLF"})
        EXPECT_FALSE(directory.Find(absent)) << absent;
}

TEST(PackDirectoryTest, ARepeatedNameKeepsItsFirstEntryAndIsListedEachTime) {
    PackDirectory directory;
    directory.Add("b", PackFileEntry{1, 2});
    directory.Add("", PackFileEntry{3, 0});
    directory.Add("a\\long name of thirteen+", PackFileEntry{5, 6});
    directory.Add("b", PackFileEntry{7, 8});
    EXPECT_EQ(directory.Find("b")->offset, 1);
    EXPECT_EQ(directory.Find("")->offset, 3);
    std::vector<std::string> names;
    directory.ForEachName([&](std::string_view name) { names.emplace_back(name); });
    EXPECT_EQ(names, (std::vector<std::string>{"b", "", "a\\long name of thirteen+", "b"}));
    directory.Clear();
    EXPECT_FALSE(directory.Find("b"));
}

}  // namespace
