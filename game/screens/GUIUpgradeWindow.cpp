#include "game/screens/GUIUpgradeWindow.h"

#include <algorithm>
#include <array>

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/MessageManager.h"
#include "engine/render/ShaderUser.h"
#include "game/GameData.h"
#include "game/MachineUpgradeInfo.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/screens/GUICharacterWindow.h"
#include "game/screens/GUIParticlesEffect.h"
#include "game/screens/GUITextBalloonWindow.h"
#include "game/screens/RequiredControls.h"
#include "gui_tools/GUITextControl.h"
#include "gui_tools/GUIWindowControl.h"

namespace Morvane {

namespace {

constexpr const char* kMechanicBase = "main_menu_npc";
constexpr const char* kMechanicStand = "mechanic_stand";
constexpr const char* kBalloonCharacter = "main_menu";
constexpr const char* kBuyHintModel = "ui/button_hint_buy";
constexpr const char* kBuyHintEffect = "button_hint";
constexpr float kBuyHintFramesPerSecond = 8.0f;
constexpr float kBuyHintDepthOffset = -0.0401f;
constexpr float kCommentDelay = 0.1f;
constexpr const char* kPreviewPrefix = "ui/machines/preview_";
constexpr const char* kTextPrefix = "upgrade/machine_";
// The level text's block around the player's level, the cost text's around the money.
constexpr std::size_t kLevelBlock = 1;
constexpr std::size_t kMoneyBlock = 2;
constexpr Vantor::Color kPlainColour{1.0f, 1.0f, 1.0f, 1.0f};

}  // namespace

GUIUpgradeWindow::GUIUpgradeWindow(GameFramework::AudioManager* audio, ProfileManager* profiles, GameData* data,
                                   GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                                   Vantor::GUIWindow* parent)
    : GUIMenuWindow(audio, data, tools, manager, parent, kLayout),
      profiles_(profiles),
      name_(RequiredControls(*this).Text("/window/name/text")),
      preview_(RequiredControls(*this).Window("/window/preview")),
      description_(RequiredControls(*this).Text("/window/description")),
      purchased_(RequiredControls(*this).Text("/window/purchased")),
      level_(RequiredControls(*this).Text("/window/level")),
      cost_(RequiredControls(*this).Text("/window/cost")),
      buyControl_(RequiredControls(*this).Control("/window/button_1")),
      buyTitle_(RequiredControls(*this).Text("/window/button_1/title")),
      previous_(RequiredControls(*this).Button("/window/button_previous")),
      next_(RequiredControls(*this).Button("/window/button_next")),
      buy_(RequiredControls(*this).Button("/window/button_1")),
      back_(RequiredControls(*this).Button("/window/button_0")),
      machines_(MachinesForSale(*data)),
      showDelay_(preview_.GetShowOffset()),
      decoration_(Vantor::GUIManager::Instance()->CreateEmptyWindow(Vantor::GUIWindow::kShown, parent)) {
    decoration_->SetOrder(kDecorationOrder);
    mechanic_ = std::make_unique<GUICharacterWindow>(data, decoration_, kMechanicBase);
    smallBalloon_ = std::make_unique<GUITextBalloonWindow>(audio, data, tools, decoration_, kBalloonCharacter,
                                                           BalloonKind::RightSmall, true);
    bigBalloon_ = std::make_unique<GUITextBalloonWindow>(audio, data, tools, decoration_, kBalloonCharacter,
                                                         BalloonKind::RightBig, true);
    buyHint_ = std::make_unique<GUIParticlesEffect>(data, kBuyHintModel, kBuyHintEffect, buyControl_.GetPosition(),
                                                    kBuyHintFramesPerSecond, *decoration_, kBuyHintDepthOffset);
}

GUIUpgradeWindow::~GUIUpgradeWindow() {
    smallBalloon_.reset();
    bigBalloon_.reset();
    mechanic_.reset();
    buyHint_.reset();
    Vantor::GUIManager::Instance()->DestroyWindow(decoration_);
}

std::vector<const MachineUpgradeInfo*> GUIUpgradeWindow::MachinesForSale(const GameData& data) {
    std::vector<const MachineUpgradeInfo*> machines;
    for (const auto& machine : data.GetCharacter().machineUpgrades)
        if (machine->cost > 0) machines.push_back(machine.get());
    std::stable_sort(machines.begin(), machines.end(), [](const MachineUpgradeInfo* a, const MachineUpgradeInfo* b) {
        return a->qualification != b->qualification ? a->qualification < b->qualification : a->cost < b->cost;
    });
    return machines;
}

void GUIUpgradeWindow::Open(GameFramework::WindowId source) {
    GUIFrameworkWindow::Open(source);
    GUIMenuWindow::Show(true);
    moreToBuy_ = profiles_->GetCurrent()->GetMachines().size() < machines_.size();
    unsigned int first = 0;
    if (moreToBuy_) {
        mechanic_->SetCharacter(kMechanicStand);
        first = FirstNotBought();
    }
    ShowMachine(first);
    SetMachineShowOffsets(showDelay_);
    buyControl_.SetShowOffset(showDelay_);
    buyTitle_.SetShowOffset(showDelay_);
}

unsigned int GUIUpgradeWindow::FirstNotBought() const {
    unsigned int index = 0;
    while (index < machines_.size() && IsPurchased(machines_[index]->name)) ++index;
    return index;
}

void GUIUpgradeWindow::Update() {
    GUIFrameworkWindow::Update();
    GUIMenuWindow::Update();
    mechanic_->Update();
    if (currentBalloon_) currentBalloon_->Update();
    if (!IsShown()) return;
    if (previous_.clicked) {
        buyHint_->Stop(true);
        ShowMachine(current_ - 1);
    }
    if (next_.clicked) {
        buyHint_->Stop(true);
        ShowMachine(current_ + 1);
    }
    if (buy_.clicked) Buy();
    Comment();
    if (back_.clicked) {
        AskBalloonToClose();
        mechanic_->SetCharacter("");
        Report(GameFramework::WindowResult::GoToStart);
        buyHint_->Stop(true);
    }
    buyHint_->Update();
}

void GUIUpgradeWindow::Close() {
    GUIFrameworkWindow::Close();
    GUIMenuWindow::Show(false);
    buyHint_->Stop(true);
}

bool GUIUpgradeWindow::IsPurchased(const std::string& machineName) const {
    const std::vector<std::string>& bought = profiles_->GetCurrent()->GetMachines();
    return std::find(bought.begin(), bought.end(), machineName) != bought.end();
}

void GUIUpgradeWindow::ShowMachine(unsigned int index) {
    comments_ = {};
    if (machines_.empty()) {
        ShowNoMachine();
        return;
    }
    const auto count = static_cast<unsigned int>(machines_.size());
    current_ = std::min(index, count - 1);
    previous_.SetEnabled(current_ > 0);
    next_.SetEnabled(current_ < count - 1);

    const MachineUpgradeInfo& machine = *machines_[current_];
    const Profile& profile = *profiles_->GetCurrent();
    preview_.GetWindow()->SetShader(data_->GetShaderUser(kPreviewPrefix + machine.name));
    const auto points = static_cast<unsigned int>(std::max(0, profile.GetQualification()));
    const int playerLevel = data_->GetQualificationLevel(points);
    FillTexts(machine, playerLevel, profile.GetMoney());
    ShareFontSize();

    bool buyable = true;
    if (machine.qualification > playerLevel) {
        ColourBlock(level_, kLevelBlock, kShortColour);
        buyable = false;
        comments_.lowQualification = true;
    } else {
        ColourBlock(level_, kLevelBlock, kEnoughColour);
    }
    if (machine.cost > profile.GetMoney()) {
        ColourBlock(cost_, kMoneyBlock, kShortColour);
        buyable = false;
        comments_.noMoney = true;
    } else {
        cost_.colour = kPlainColour;
        ColourBlock(cost_, kMoneyBlock, kEnoughColour);
    }

    const bool purchased = IsPurchased(machine.name);
    comments_.canBuy = buyable && !purchased;
    ShowBuyButton(purchased, comments_.canBuy);
    if (comments_.canBuy) buyHint_->Start();
    preview_.SetFaderMax(buyable || purchased ? 1.0f : kFadedPreview);

    SetMachineShowOffsets(0.0f);
    name_.Show(true, true);
    preview_.Show(true, true);
    description_.Show(true, true);

    if (purchased) {
        EnableControl(purchased_, true);
        EnableControl(level_, false);
        EnableControl(cost_, false);
        purchased_.Show(true, true);
        buy_.SetEnabled(false);
        comments_.lowQualification = false;
        comments_.noMoney = false;
    } else {
        EnableControl(purchased_, false);
        EnableControl(level_, true);
        EnableControl(cost_, true);
        level_.Show(true, true);
        cost_.Show(true, true);
    }
    AskBalloonToClose();
}

void GUIUpgradeWindow::ShowNoMachine() {
    current_ = 0;
    previous_.SetEnabled(false);
    next_.SetEnabled(false);
    for (GUITools::GUIControl* control : MachineControls()) EnableControl(*control, false);
    EnableControl(buyControl_, false);
    buy_.SetEnabled(false);
}

void GUIUpgradeWindow::FillTexts(const MachineUpgradeInfo& machine, int playerLevel, int money) {
    name_.SetText(kTextPrefix + machine.name + "_name");
    description_.SetText(kTextPrefix + machine.name + "_description");
    level_.SetParameter(L"PROFESSIONALISM", std::to_wstring(machine.qualification));
    level_.SetParameter(L"LEVEL", std::to_wstring(playerLevel));
    cost_.SetParameter(L"COST", std::to_wstring(machine.cost));
    cost_.SetParameter(L"MONEY", std::to_wstring(money));
}

void GUIUpgradeWindow::ShareFontSize() {
    for (GUITools::GUITextControl* text : {&level_, &cost_}) {
        text->fontSize = -1.0f;
        text->autoFontSize = true;
        text->Layout();
    }
    const float shared = std::min(level_.currentFontSize, cost_.currentFontSize);
    for (GUITools::GUITextControl* text : {&level_, &cost_}) {
        text->autoFontSize = false;
        text->fontSize = shared;
        text->Layout();
    }
}

void GUIUpgradeWindow::ColourBlock(GUITools::GUITextControl& text, std::size_t block, const Vantor::Color& colour) {
    if (text.rules.size() < block) {
        Vantor::MessageManager::Instance()->PrintWarning("The text \"" + text.GetName() + "\" has no style block " +
                                                         std::to_string(block) + " to colour");
        return;
    }
    GUITools::GUITextRule& rule = *text.rules[block - 1];
    rule.hasColour = true;
    rule.colour = colour;
}

void GUIUpgradeWindow::ShowBuyButton(bool purchased, bool canBuy) {
    if (purchased) {
        EnableControl(buyControl_, false);
        return;
    }
    if (!IsControlEnabled(buyControl_)) {
        EnableControl(buyControl_, true);
        buyControl_.SetShowOffset(0.0f);
        buyTitle_.SetShowOffset(0.0f);
        buyControl_.Show(true, true);
    }
    buy_.SetEnabled(canBuy);
}

void GUIUpgradeWindow::SetMachineShowOffsets(float seconds) {
    for (GUITools::GUIControl* control : MachineControls()) control->SetShowOffset(seconds);
}

std::array<GUITools::GUIControl*, 6> GUIUpgradeWindow::MachineControls() const {
    return {&name_, &preview_, &description_, &purchased_, &level_, &cost_};
}

void GUIUpgradeWindow::AskBalloonToClose() {
    if (currentBalloon_ && currentBalloon_->active) currentBalloon_->closeRequested = true;
}

void GUIUpgradeWindow::Comment() {
    if (currentBalloon_ && currentBalloon_->active) return;
    const char* key = comments_.justBought         ? "upgrade/mechanic_buy"
                      : comments_.canBuy           ? "upgrade/mechanic_can_buy"
                      : comments_.lowQualification ? "upgrade/mechanic_low_qualification"
                      : comments_.noMoney          ? "upgrade/mechanic_no_money"
                                                   : nullptr;
    if (key) {
        const bool pleased = comments_.justBought || comments_.canBuy;
        currentBalloon_ = pleased ? smallBalloon_.get() : bigBalloon_.get();
        currentBalloon_->SetTextKey("center", "center", true, {0.0f, 0.0f}, {1.0f, 1.0f}, key, 0);
        currentBalloon_->keepOpen = true;
        currentBalloon_->Show(kCommentDelay);
    }
    comments_ = {};
}

void GUIUpgradeWindow::Buy() {
    const MachineUpgradeInfo& machine = *machines_[current_];
    Profile& profile = *profiles_->GetCurrent();
    profile.AddMachine(machine.name);
    profile.SetLastMachineDay(profile.GetDay());
    profile.Save();
    profile.SetMoney(profile.GetMoney() - machine.cost);
    profile.Save();
    buyHint_->Stop(true);
    ShowMachine(current_);
    comments_.justBought = true;
}

}  // namespace Morvane
