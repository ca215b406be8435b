#include <gtest/gtest.h>

#include "tests/tools/XMLTestSupport.h"
#include "tools/XMLNode.h"

namespace {

using GameTools::XMLNode;

// Element texts name the elements the queries should find.
const char* const kTree =
    "<root>"
    "<a>one</a>"
    "<a>two<b>first b</b><b>second b</b></a>"
    "<a>three<b>third b</b></a>"
    "<faders><fader name='f1'>f1</fader><fader name=\"f2\" kind='x'>f2</fader></faders>"
    "<boxes><box name='big box'>big</box><box name='box'>small</box><crate name='box'>crate</crate></boxes>"
    "</root>";

class XMLPathTest : public ::testing::Test {
protected:
    XMLPathTest() : root_(xmltest::ParseDocument(kTree)) {}

    // Text of the first element found, "null" when none.
    std::string Find(const std::string& path) const {
        const XMLNode* found = XMLNode::FindNode(root_.get(), path);
        return found ? found->value.GetString() : "null";
    }

    std::unique_ptr<XMLNode> root_;
};

TEST_F(XMLPathTest, PathsOfNamesFindTheFirstMatchDepthFirst) {
    EXPECT_EQ(XMLNode::FindNode(root_.get(), ""), root_.get());
    EXPECT_EQ(Find("a"), "one");
    EXPECT_EQ(Find("a/b"), "first b");
    EXPECT_EQ(Find("/a/b"), "first b");
    EXPECT_EQ(Find("a//b"), "first b");
    EXPECT_EQ(Find("a/b/"), "first b");
    EXPECT_EQ(Find("a/c"), "null");
    EXPECT_EQ(Find("b"), "null");
    EXPECT_EQ(XMLNode::FindNode(nullptr, ""), nullptr);

    std::vector<XMLNode*> all;
    XMLNode::MatchPath(root_.get(), "a/b", all);
    std::vector<std::string> texts;
    for (const XMLNode* node : all) texts.push_back(node->value.GetString());
    EXPECT_EQ(texts, (std::vector<std::string>{"first b", "second b", "third b"}));
}

TEST_F(XMLPathTest, FiltersCompareAttributeTextsExactly) {
    const std::pair<const char*, const char*> cases[] = {
        {"/faders/fader[name='f2']", "f2"},
        {"faders/fader[name=\"f1\"]", "f1"},
        {"faders/fader[kind='x' name='f2']", "f2"},
        {"faders/fader[kind='x',name='f1']", "null"},
        {"faders/fader[name='F2']", "null"},
        {"faders/fader[]", "f1"},
        {"faders/fader[name='f2']junk/", "f2"},
        {"boxes/box[name='big box']", "big"},
        {"boxes/box[name=box]", "null"},
        {"boxes/[name=\"box\"]", "small"},
        {"boxes/[name='box']/", "small"},
        {"/[name='f1']", "null"},
        {"faders/[name='f2']", "f2"},
        {"boxes/box[name='a/b']", "null"},
        {"boxes/box[name='box'", "null"},
        {"boxes/box]", "null"},
        {"boxes]/box[name='box']", "null"},
    };
    for (const auto& [path, expected] : cases) EXPECT_EQ(Find(path), expected) << path;

    std::vector<XMLNode*> all;
    XMLNode::MatchPath(root_.get(), "boxes/[name='box']", all);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[1]->name, "crate");
}

TEST(XMLFilterTest, PairsAreReadOrTheFilterIsRejected) {
    struct Case {
        const char* text;
        bool accepted;
        std::vector<std::string> names;
        std::vector<std::string> values;
    };
    const Case cases[] = {
        {"", true, {}, {}},
        {"name='x'", true, {"name"}, {"x"}},
        {" a = \"x y\" ,b='2';c='3'd='\"'", true, {"a", "b", "c", "d"}, {"x y", "2", "3", "\""}},
        {",;a='1'", true, {"a"}, {"1"}},
        {"a b='1'", true, {"ab"}, {"1"}},
        {"a=''", true, {"a"}, {""}},
        {"a=x", false, {}, {}},
        {"='x'", false, {}, {}},
        {"a", false, {}, {}},
        {"a='x", false, {}, {}},
        {"a=", false, {}, {}},
        {"a,b='1'", false, {}, {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> names{"old"};
        std::vector<std::string> values{"old"};
        EXPECT_EQ(XMLNode::ParseFilter(c.text, names, values), c.accepted) << c.text;
        if (!c.accepted) continue;
        EXPECT_EQ(names, c.names) << c.text;
        EXPECT_EQ(values, c.values) << c.text;
    }
}

}  // namespace
