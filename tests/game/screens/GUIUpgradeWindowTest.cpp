// The mechanic's shop: which machines are for sale and in what order, the figures the
// player lacks in red with the picture faded, one font size for both figure texts,
// buying, the mechanic's comments waiting for the balloon before, the first machine
// shown at opening, the arrows, and a shop with nothing for sale.

#include "game/screens/GUIUpgradeWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/gui/GUIButton.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/render/ShaderUser.h"
#include "framework/WindowId.h"
#include "framework/WindowResult.h"
#include "game/MachineUpgradeInfo.h"
#include "game/Profile.h"
#include "game/screens/GUICharacterWindow.h"
#include "game/screens/GUIParticlesEffect.h"
#include "game/screens/GUITextBalloonWindow.h"
#include "gui_tools/GUITextControl.h"
#include "tests/game/screens/UpgradeWindowBench.h"

namespace {

using Morvane::GUIUpgradeWindow;

class GUIUpgradeWindowTest : public screenstest::UpgradeWindowBench {
protected:
    static std::vector<std::string> Names(const GUIUpgradeWindow& shop) {
        std::vector<std::string> names;
        for (const Morvane::MachineUpgradeInfo* machine : shop.GetMachines()) names.push_back(machine->name);
        return names;
    }
    static std::vector<std::string> Warnings() {
        std::vector<std::string> warnings;
        for (const Vantor::LogMessage* message : Vantor::MessageManager::Instance()->GetMessages())
            if (message->kind == Vantor::MessageKind::Warning) warnings.push_back(message->text);
        return warnings;
    }
};

const Vantor::Color kRed = GUIUpgradeWindow::kShortColour;
const Vantor::Color kGreen = GUIUpgradeWindow::kEnoughColour;

void ExpectColour(const Vantor::Color& expected, const GUITools::GUITextControl& text, std::size_t block) {
    ASSERT_GT(text.rules.size(), block - 1) << text.GetName();
    const GUITools::GUITextRule& rule = *text.rules[block - 1];
    EXPECT_TRUE(rule.hasColour);
    EXPECT_FLOAT_EQ(expected.x, rule.colour.x) << text.GetName() << " block " << block;
    EXPECT_FLOAT_EQ(expected.y, rule.colour.y) << text.GetName() << " block " << block;
}

TEST_F(GUIUpgradeWindowTest, SellsMachinesThatCostSomethingByQualificationThenCost) {
    const GUIUpgradeWindow& shop = MakeShop();
    EXPECT_EQ((std::vector<std::string>{"grinder", "press", "mixer"}), Names(shop));
}

TEST_F(GUIUpgradeWindowTest, FiguresThePlayerLacksTurnRedFadeThePictureAndGiveTheMechanicsComment) {
    const struct {
        const char* what;
        int points;
        int money;
        bool qualified, rich;
        const wchar_t* comment;
        const char* balloon;
    } cases[] = {
        // The press needs level 2 (200 points) and costs 300.
        {"just enough of both", 200, 300, true, true, L"#can buy#", "small"},
        {"short of both", 199, 299, false, false, L"#low#", "big"},
        {"short of money", 250, 299, true, false, L"#no money#", "big"},
        {"short of qualification", 100, 1000, false, true, L"#low#", "big"},
    };
    GUIUpgradeWindow& shop = MakeShop();
    Player().AddMachine("grinder");
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.what);
        Player().SetQualification(entry.points);
        Player().SetMoney(entry.money);
        OpenShop(shop);
        ASSERT_EQ(1u, shop.GetCurrent()) << "the first machine not bought";
        EXPECT_EQ(data_->GetShaderUser("ui/machines/preview_press")->GetShader(),
                  shop.GetWindow("window_upgrade/window/preview")->GetShaderUser()->GetShader());
        ExpectColour(entry.qualified ? kGreen : kRed, Text(shop, "level"), 1);
        ExpectColour(entry.rich ? kGreen : kRed, Text(shop, "cost"), 2);
        const bool buyable = entry.qualified && entry.rich;
        EXPECT_EQ(buyable, Button(shop, "button_1").state != Vantor::GUIButton::kDisabled);
        EXPECT_EQ(buyable, shop.GetBuyHint().IsActive());
        EXPECT_NEAR(buyable ? 1.0f : GUIUpgradeWindow::kFadedPreview,
                    shop.GetWindowControl("window_upgrade/window/preview")->GetFadeValue(), 0.001f);
        EXPECT_EQ(entry.comment, Saying(shop));
        EXPECT_EQ(std::string(entry.balloon) == "small" ? &shop.GetSmallBalloon() : &shop.GetBigBalloon(),
                  shop.GetCurrentBalloon());
        EXPECT_EQ("mechanic_stand", shop.GetMechanic().GetCurrent());
        Leave(shop);
    }
}

TEST_F(GUIUpgradeWindowTest, BothFigureTextsShareTheSmallerFittedSize) {
    GUIUpgradeWindow& shop = MakeShop();
    Player().SetMoney(12345678);
    OpenShop(shop);
    const GUITools::GUITextControl& level = Text(shop, "level");
    const GUITools::GUITextControl& cost = Text(shop, "cost");
    EXPECT_FALSE(level.autoFontSize);
    EXPECT_FALSE(cost.autoFontSize);
    EXPECT_FLOAT_EQ(level.fontSize, cost.fontSize);
    EXPECT_FLOAT_EQ(level.currentFontSize, cost.currentFontSize);
    // The level text's narrow box shrank it; the cost text alone would have kept its size.
    GUITools::GUITextControl& alone = Text(shop, "cost");
    alone.fontSize = -1.0f;
    alone.autoFontSize = true;
    alone.Layout();
    EXPECT_LT(level.currentFontSize, alone.currentFontSize);
}

TEST_F(GUIUpgradeWindowTest, BuyingPaysRecordsTheMachineSavesAndTheMechanicWaitsForHisBalloon) {
    GUIUpgradeWindow& shop = MakeShop();
    Player().AddMachine("old_oven");
    Player().SetQualification(150);
    Player().SetMoney(450);
    Player().SetDay(6);
    OpenShop(shop);
    ASSERT_EQ(0u, shop.GetCurrent());
    ASSERT_EQ(L"#can buy#", Saying(shop));

    ClickOn(*shop.GetButton("window_upgrade/window/button_1"));
    Frame();
    EXPECT_EQ(50, Player().GetMoney());
    EXPECT_EQ((std::vector<std::string>{"old_oven", "grinder"}), Player().GetMachines());
    EXPECT_EQ(6, Player().GetLastMachineDay());
    EXPECT_TRUE(shop.IsPurchased("grinder"));
    EXPECT_FALSE(shop.IsPurchased("grind"));
    EXPECT_FALSE(shop.GetBuyHint().IsActive());
    EXPECT_TRUE(shop.IsControlEnabled("window_upgrade/window/purchased"));
    EXPECT_FALSE(shop.IsControlEnabled("window_upgrade/window/button_1"));
    EXPECT_FALSE(shop.IsControlEnabled("window_upgrade/window/cost"));

    // The can-buy balloon fades out first; only then does he comment on the purchase.
    EXPECT_TRUE(shop.GetSmallBalloon().closeRequested);
    Frame();
    EXPECT_FALSE(shop.GetSmallBalloon().shown);
    EXPECT_TRUE(shop.GetSmallBalloon().active);
    ASSERT_TRUE(RunUntil([&] { return !Saying(shop).empty(); }, 2.0f));
    EXPECT_EQ(L"#buy#", Saying(shop));

    Morvane::ProfileManager reread(audio_.get(), home_.root + L"\\user");
    const auto* saved = static_cast<const Morvane::Profile*>(reread.FindProfile(L"Anna"));
    ASSERT_NE(nullptr, saved);
    EXPECT_EQ(50, saved->GetMoney());
    EXPECT_EQ((std::vector<std::string>{"old_oven", "grinder"}), saved->GetMachines());
}

TEST_F(GUIUpgradeWindowTest, OpensOnTheFirstMachineNotBoughtAndWithEverythingBoughtWithoutTheMechanic) {
    GUIUpgradeWindow& shop = MakeShop();
    Player().AddMachine("grinder");
    Player().AddMachine("mixer");
    OpenShop(shop);
    EXPECT_EQ(1u, shop.GetCurrent()) << "the press, although the mixer after it is bought";
    EXPECT_EQ("mechanic_stand", shop.GetMechanic().GetCurrent());
    EXPECT_NE(Vantor::GUIButton::kDisabled, Button(shop, "button_previous").state);
    EXPECT_NE(Vantor::GUIButton::kDisabled, Button(shop, "button_next").state);
    Leave(shop);

    Player().AddMachine("press");
    OpenShop(shop);
    EXPECT_EQ(0u, shop.GetCurrent());
    EXPECT_EQ("", shop.GetMechanic().GetCurrent());
    EXPECT_EQ(L"", Saying(shop)) << "a bought machine gets no comment";
    EXPECT_EQ(Vantor::GUIButton::kDisabled, Button(shop, "button_previous").state);
    // The opening plays with the layout's delay (the preview's show offset); a machine
    // chosen afterwards shows at once.
    for (const char* control : {"name/text", "preview", "level", "button_1"})
        EXPECT_FLOAT_EQ(0.3f, shop.GetControl("window_upgrade/window/" + std::string(control))->GetShowOffset());

    ClickOn(*shop.GetButton("window_upgrade/window/button_next"));
    Frame();
    EXPECT_EQ(1u, shop.GetCurrent());
    for (const char* control : {"name/text", "preview", "level"})
        EXPECT_FLOAT_EQ(0.0f, shop.GetControl("window_upgrade/window/" + std::string(control))->GetShowOffset());
    ClickOn(*shop.GetButton("window_upgrade/window/button_0"));
    Frame();
    EXPECT_EQ(GameFramework::WindowResult::GoToStart, shop.GetResult());
}

TEST_F(GUIUpgradeWindowTest, WithOneMachineBothArrowsAreDisabled) {
    GUIUpgradeWindow& shop = MakeShop(R"(<grinder qualification="1" cost="400"/>)");
    OpenShop(shop);
    EXPECT_EQ(Vantor::GUIButton::kDisabled, Button(shop, "button_previous").state);
    EXPECT_EQ(Vantor::GUIButton::kDisabled, Button(shop, "button_next").state);
    shop.ShowMachine(7);
    EXPECT_EQ(0u, shop.GetCurrent()) << "an index past the end shows the last machine";
}

TEST_F(GUIUpgradeWindowTest, WithNothingForSaleOnlyBackIsLeft) {
    GUIUpgradeWindow& shop = MakeShop(R"(<tap qualification="0" cost="0"/>)");
    OpenShop(shop);
    EXPECT_TRUE(shop.GetMachines().empty());
    for (const char* control : {"name/text", "preview", "description", "purchased", "level", "cost", "button_1"})
        EXPECT_FALSE(shop.IsControlEnabled("window_upgrade/window/" + std::string(control))) << control;
    EXPECT_EQ(Vantor::GUIButton::kDisabled, Button(shop, "button_previous").state);
    EXPECT_EQ(Vantor::GUIButton::kDisabled, Button(shop, "button_next").state);
    EXPECT_EQ("", shop.GetMechanic().GetCurrent());
    EXPECT_EQ(nullptr, shop.GetCurrentBalloon());
    ClickOn(*shop.GetButton("window_upgrade/window/button_0"));
    Frame();
    EXPECT_EQ(GameFramework::WindowResult::GoToStart, shop.GetResult());
}

TEST_F(GUIUpgradeWindowTest, AFigureTextWithoutItsStyleBlockKeepsItsColourAfterOneWarning) {
    GUIUpgradeWindow& shop = MakeShop();
    Text(shop, "level").SetText("'Level %LEVEL%'");
    Vantor::MessageManager::Instance()->ClearMessages();
    shop.ShowMachine(0);
    const std::vector<std::string> warnings = Warnings();
    ASSERT_EQ(1u, warnings.size());
    EXPECT_NE(std::string::npos, warnings[0].find("window_upgrade/window/level")) << warnings[0];
    EXPECT_TRUE(Text(shop, "level").rules.empty());
    ExpectColour(kRed, Text(shop, "cost"), 2);
}

}  // namespace
