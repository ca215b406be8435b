#pragma once
// The mechanic's shop between days: the machines for sale one at a time (cost above 0,
// cheapest qualification first, then cheapest price), each with its picture, name,
// description, the qualification it needs beside the player's level and its cost beside
// the player's money. Figures the player lacks turn red and fade the picture; a machine
// that can be bought gets a sparkling buy button. Buying pays, records the machine in
// the profile and saves it. The mechanic stands beside the window and comments in a
// speech balloon; a new comment waits until the balloon before it has gone. Back
// reports GoToStart.
//
// With no machine for sale the window shows no machine, no arrows and no mechanic; back
// still works.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "engine/kernel/Vector4.h"
#include "framework/GUIFrameworkWindow.h"
#include "game/screens/GUIMenuWindow.h"

namespace Vantor {
class GUIButton;
}

namespace GUITools {
class GUIControl;
class GUITextControl;
class GUIWindowControl;
}  // namespace GUITools

namespace Morvane {

class GUICharacterWindow;
class GUIParticlesEffect;
class GUITextBalloonWindow;
struct MachineUpgradeInfo;
class ProfileManager;

class GUIUpgradeWindow : public GameFramework::GUIFrameworkWindow, public GUIMenuWindow {
public:
    static constexpr const char* kLayout = "window_upgrade";
    static constexpr int kDecorationOrder = 80;
    static constexpr Vantor::Color kShortColour{0.9f, 0.0f, 0.0f, 1.0f};
    static constexpr Vantor::Color kEnoughColour{0.25f, 0.8f, 0.04f, 1.0f};
    // The picture of a machine the player cannot buy yet.
    static constexpr float kFadedPreview = 0.4f;

    // Nothing is owned but the mechanic, the balloons and the sparkles made here, under
    // a decoration window below the parent.
    GUIUpgradeWindow(GameFramework::AudioManager* audio, ProfileManager* profiles, GameData* data,
                     GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Vantor::GUIWindow* parent);
    ~GUIUpgradeWindow() override;

    // Opens on the first machine not bought yet, the mechanic standing by while more can
    // be bought.
    void Open(GameFramework::WindowId source) override;
    void Update() override;
    void Close() override;

    // Shows the machine at the index (the last one for a larger index).
    void ShowMachine(unsigned int index);
    bool IsPurchased(const std::string& machineName) const;

    const std::vector<const MachineUpgradeInfo*>& GetMachines() const { return machines_; }
    // The machines the window offers, in its order: cost above 0, by qualification, then cost.
    static std::vector<const MachineUpgradeInfo*> MachinesForSale(const GameData& data);
    unsigned int GetCurrent() const { return current_; }
    GUICharacterWindow& GetMechanic() const { return *mechanic_; }
    GUITextBalloonWindow& GetSmallBalloon() const { return *smallBalloon_; }
    GUITextBalloonWindow& GetBigBalloon() const { return *bigBalloon_; }
    // Null until the mechanic first speaks.
    GUITextBalloonWindow* GetCurrentBalloon() const { return currentBalloon_; }
    GUIParticlesEffect& GetBuyHint() const { return *buyHint_; }

private:
    // What the mechanic should say about the machine shown.
    struct Comments {
        bool justBought = false;
        bool canBuy = false;
        bool lowQualification = false;
        bool noMoney = false;
    };

    // Index of the first machine not bought, counting from the start of the list.
    unsigned int FirstNotBought() const;
    // Nothing to show: every part of the machine view and both arrows off.
    void ShowNoMachine();
    void FillTexts(const MachineUpgradeInfo& machine, int playerLevel, int money);
    // Both figure texts laid out again at the smaller of their fitted sizes.
    void ShareFontSize();
    // The colour of the text's style block (numbered from 1); a text without that block
    // keeps its colours after one warning.
    static void ColourBlock(GUITools::GUITextControl& text, std::size_t block, const Vantor::Color& colour);
    void ShowBuyButton(bool purchased, bool canBuy);
    // The name, preview, description, purchased, level and cost controls.
    std::array<GUITools::GUIControl*, 6> MachineControls() const;
    // The machine's controls with their show offsets at the value.
    void SetMachineShowOffsets(float seconds);
    void AskBalloonToClose();
    void Comment();
    void Buy();

    ProfileManager* profiles_;  // not owned
    GUITools::GUITextControl& name_;
    GUITools::GUIWindowControl& preview_;
    GUITools::GUITextControl& description_;
    GUITools::GUITextControl& purchased_;
    GUITools::GUITextControl& level_;
    GUITools::GUITextControl& cost_;
    GUITools::GUIControl& buyControl_;
    GUITools::GUITextControl& buyTitle_;
    Vantor::GUIButton& previous_;
    Vantor::GUIButton& next_;
    Vantor::GUIButton& buy_;
    Vantor::GUIButton& back_;
    std::vector<const MachineUpgradeInfo*> machines_;  // the game data's
    unsigned int current_ = 0;
    float showDelay_;
    Vantor::GUIWindow* decoration_;  // the GUI manager's
    std::unique_ptr<GUIParticlesEffect> buyHint_;
    std::unique_ptr<GUICharacterWindow> mechanic_;
    std::unique_ptr<GUITextBalloonWindow> bigBalloon_;
    std::unique_ptr<GUITextBalloonWindow> smallBalloon_;
    GUITextBalloonWindow* currentBalloon_ = nullptr;
    bool moreToBuy_ = false;
    Comments comments_;
};

}  // namespace Morvane
