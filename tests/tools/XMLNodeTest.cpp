#include "tools/XMLNode.h"

#include <gtest/gtest.h>

#include "engine/kernel/FatalError.h"
#include "tests/engine/kernel/FileTestSupport.h"

namespace {

using GameTools::XMLNode;

// An element that tells when it is destroyed.
class WatchedNode : public XMLNode {
public:
    WatchedNode(const std::string& name, XMLNode* parent, bool& destroyed) : XMLNode(name, parent), destroyed_(destroyed) {}
    ~WatchedNode() override { destroyed_ = true; }

private:
    bool& destroyed_;
};

std::vector<std::string> Names(const std::vector<XMLNode*>& nodes) {
    std::vector<std::string> names;
    for (const XMLNode* node : nodes) names.push_back(node->name + "=" + node->value.GetString());
    return names;
}

std::vector<std::string> IndexNames(const XMLNode& node) {
    std::vector<std::string> names;
    for (const auto& [name, child] : node.childIndex) names.push_back(name + "=" + child->value.GetString());
    return names;
}

TEST(XMLNodeTest, ChildrenKeepDocumentOrderInListAndIndex) {
    XMLNode root("root");
    new XMLNode("item", "first", &root);
    new XMLNode("other", "", &root);
    new XMLNode("item", "second", &root);

    EXPECT_EQ(root.GetChild("item", XMLNode::kReportSilent)->value.GetString(), "first");
    std::vector<XMLNode*> found{&root};
    root.GetChildren("item", found);
    EXPECT_EQ(Names(found), (std::vector<std::string>{"item=first", "item=second"}));
    root.GetChildren(found);
    EXPECT_EQ(Names(found), (std::vector<std::string>{"item=first", "other=", "item=second"}));
    for (const XMLNode* child : found) EXPECT_EQ(child->parent, &root);

    XMLNode* added = root.AddNewChild();
    EXPECT_EQ(root.children.back(), added);
    EXPECT_EQ(added->name, "");
    EXPECT_EQ(added->parent, &root);
}

TEST(XMLNodeTest, AddChildMovesAnElementWithoutDestroyingIt) {
    bool destroyed = false;
    XMLNode from("from");
    XMLNode to("to");
    new XMLNode("stays", &from);
    auto* moved = new WatchedNode("moved", &from, destroyed);
    new XMLNode("moved", "kept", moved);

    EXPECT_EQ(to.AddChild(moved), moved);
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(moved->parent, &to);
    EXPECT_EQ(Names(from.children), (std::vector<std::string>{"stays="}));
    EXPECT_EQ(IndexNames(from), (std::vector<std::string>{"stays="}));
    EXPECT_EQ(Names(to.children), (std::vector<std::string>{"moved="}));
    EXPECT_EQ(to.GetChild("moved", XMLNode::kReportSilent)->children.size(), 1u);

    // Moving within the same parent makes it the last child.
    new XMLNode("later", &to);
    to.AddChild(moved);
    EXPECT_EQ(Names(to.children), (std::vector<std::string>{"later=", "moved="}));
    EXPECT_EQ(to.childIndex.size(), 2u);
    EXPECT_FALSE(destroyed);
}

// A cycle would make the tree own itself.
TEST(XMLNodeTest, AddChildRefusesNullItselfAndItsAncestors) {
    XMLNode root("root");
    XMLNode* middle = new XMLNode("middle", &root);
    XMLNode* leaf = new XMLNode("leaf", middle);
    EXPECT_EQ(leaf->AddChild(nullptr), nullptr);
    EXPECT_EQ(leaf->AddChild(leaf), nullptr);
    EXPECT_EQ(leaf->AddChild(&root), nullptr);
    EXPECT_EQ(leaf->AddChild(middle), nullptr);
    EXPECT_EQ(middle->parent, &root);
    EXPECT_EQ(leaf->parent, middle);
    EXPECT_TRUE(leaf->children.empty());
}

TEST(XMLNodeTest, RemoveChildDestroysOnlyItsOwnChildren) {
    bool destroyed = false;
    XMLNode root("root");
    XMLNode other("other");
    auto* child = new WatchedNode("child", &root, destroyed);
    root.RemoveChild(nullptr);
    other.RemoveChild(child);
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(root.children.size(), 1u);

    root.RemoveChild(child);
    EXPECT_TRUE(destroyed);
    EXPECT_TRUE(root.children.empty());
    EXPECT_TRUE(root.childIndex.empty());
}

TEST(XMLNodeTest, DestroyingAChildUnlinksItFromItsParent) {
    XMLNode root("root");
    XMLNode* first = new XMLNode("a", &root);
    new XMLNode("a", "second", &root);
    new XMLNode("grandchild", first);
    delete first;
    EXPECT_EQ(Names(root.children), (std::vector<std::string>{"a=second"}));
    EXPECT_EQ(IndexNames(root), (std::vector<std::string>{"a=second"}));
}

TEST(XMLNodeTest, RenamedChildIsStillUnlinkedFromTheIndex) {
    XMLNode root("root");
    XMLNode* child = root.AddNewChild();
    child->name = "named";
    root.RemoveChild(child);
    EXPECT_TRUE(root.childIndex.empty());
}

// One element per level: destruction must not nest a call per level.
TEST(XMLNodeTest, DestroyingADeepTreeDoesNotExhaustTheStack) {
    auto* root = new XMLNode("level");
    XMLNode* deepest = root;
    for (int i = 0; i < 200000; ++i) deepest = new XMLNode("level", deepest);
    delete root;
}

TEST(XMLNodeTest, PathRunsFromTheOutermostNamedElementPastHolders) {
    XMLNode holder;
    XMLNode* room = holder.AddChild(new XMLNode("room"));
    XMLNode* machine = new XMLNode("mixer", new XMLNode("automatic_machines", room));
    EXPECT_EQ(holder.GetPath(), "");
    EXPECT_EQ(room->GetPath(), "/room");
    EXPECT_EQ(machine->GetPath(), "/room/automatic_machines/mixer");
}

TEST(XMLNodeTest, AttributesAreSetAndFoundByName) {
    XMLNode node("node");
    node.SetAttribute("b", L"1");
    node.SetAttribute("a", L"2");
    node.SetAttribute("b", L"3");
    ASSERT_EQ(node.attributes.size(), 2u);
    EXPECT_EQ(node.attributes[0]->name, "b");
    EXPECT_EQ(node.attributes[0]->value.GetWideString(), L"3");
    EXPECT_EQ(node.attributes[0]->value.GetState(), GameTools::XMLValue::kWideCurrent);
    EXPECT_EQ(node.attributes[1]->name, "a");
    EXPECT_EQ(node.FindAttribute("a"), node.attributes[1]);
    EXPECT_EQ(node.GetAttribute("a", XMLNode::kReportFatal), &node.attributes[1]->value);
    EXPECT_TRUE(node.HasAttribute("b"));
    EXPECT_FALSE(node.HasAttribute("c"));
    EXPECT_EQ(node.FindAttribute("c"), nullptr);
    EXPECT_EQ(node.attributeIndex.size(), 2u);
}

// The messages of the report levels, under a holder that adds nothing to the path.
class XMLNodeReportTest : public ::testing::Test {
protected:
    XMLNodeReportTest() {
        resources_ = new XMLNode("resources", &holder_);
        model_ = new XMLNode("model", resources_);
        filetest::FreshLog();
    }

    XMLNode holder_;
    XMLNode* resources_;
    XMLNode* model_;
};

TEST_F(XMLNodeReportTest, MissingAttributeIsReportedAtTheChosenLevel) {
    const std::string text = "Failed to find \"file_name\" attribute in \"/resources/model\" node";
    struct Case {
        int level;
        std::vector<std::string> logged;
    };
    const Case cases[] = {
        {XMLNode::kReportSilent, {}},
        {XMLNode::kReportWarning, {"\nWarning: " + text + "!\n\n"}},
        {XMLNode::kReportError, {"\nError: " + text + "!\n\n"}},
        {7, {}},
        {-1, {}},
    };
    for (const Case& c : cases) {
        filetest::FreshLog();
        EXPECT_EQ(model_->GetAttribute("file_name", c.level), nullptr);
        EXPECT_EQ(filetest::LoggedTexts(), c.logged) << c.level;
    }

    filetest::FreshLog();
    try {
        model_->GetAttribute("file_name", XMLNode::kReportFatal);
        FAIL() << "a fatal report returned";
    } catch (const Vantor::FatalError& error) {
        EXPECT_EQ(error.GetText(), text);
    }
    EXPECT_EQ(filetest::LoggedTexts(), (std::vector<std::string>{"PROGRAM ABORTING: " + text + "\n"}));
}

TEST_F(XMLNodeReportTest, MissingChildNamesItsPath) {
    EXPECT_EQ(model_->GetChild("mesh", XMLNode::kReportError), nullptr);
    EXPECT_EQ(filetest::LoggedTexts(),
              (std::vector<std::string>{"\nError: Failed to find \"/resources/model/mesh\" node!\n\n"}));
    filetest::FreshLog();
    EXPECT_EQ(holder_.GetChild("texts", XMLNode::kReportWarning), nullptr);
    EXPECT_EQ(filetest::LoggedTexts(), (std::vector<std::string>{"\nWarning: Failed to find \"/texts\" node!\n\n"}));
    EXPECT_THROW(resources_->GetChild("shader", XMLNode::kReportFatal), Vantor::FatalError);
}

}  // namespace
