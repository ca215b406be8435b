#include "content/PackWriter.h"

#include <gtest/gtest.h>

#include "engine/kernel/Error.h"

namespace {

using Content::PackWriter;

std::string Text(const PackWriter::Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int value : values) bytes.push_back(static_cast<char>(value));
    return bytes;
}

TEST(PackWriterTest, LaysOutTheVtpakFormat) {
    PackWriter writer;
    writer.Add("a", "xy");
    writer.Add("ui\\B.xml", "");
    // 17 header bytes, names of 3 and 10 bytes, 2 records of 8 bytes, then the data.
    const std::string header = Bytes({48, 0, 0, 0}) + "VTPAK" + Bytes({100, 0, 0, 0, 2, 0, 0, 0});
    const std::string names = Bytes({2, 'a', 0, 9}) + "ui\\B.xml" + Bytes({0});
    const std::string records = Bytes({46, 0, 0, 0, 2, 0, 0, 0, 48, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(Text(writer.Build()), header + names + records + "xy");
}

TEST(PackWriterTest, EmptyPackIsItsHeader) {
    EXPECT_EQ(Text(PackWriter().Build()), Bytes({17, 0, 0, 0}) + "VTPAK" + Bytes({100, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(PackWriterTest, AppendedPackEndsWithItsLengthAndApc) {
    PackWriter writer;
    writer.Add("a", "xy");
    const std::string pack = Text(writer.Build());
    EXPECT_EQ(Text(writer.BuildAppended({'M', 'Z'})), "MZ" + pack + Bytes({30, 0, 0, 0}) + "APC");
}

TEST(PackWriterTest, NamesLongerThanAStoredStringAreRefused) {
    PackWriter writer;
    EXPECT_THROW(writer.Add(std::string(255, 'n'), ""), Vantor::Error);
    EXPECT_NO_THROW(writer.Add(std::string(254, 'n'), ""));
}

}  // namespace
