#pragma once
// What the tests of food items share: the recipes R1 (A, B), R2 (A, B, C, D; A not
// drawn), R3 (C, A) and R4 (F, G, H) in that file order before the small game's own,
// the ingredient E that no recipe uses, their pictures and glows, placement boxes per group and place,
// the done symbol, the cursor's particle effects, and frames of a chosen length on
// the virtual clock.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "content/ModelFileWriter.h"
#include "content/TgaWriter.h"
#include "engine/gui/GUIManager.h"
#include "engine/kernel/Engine.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/kernel/Window_WinOS.h"
#include "game/GUIGameCursor.h"
#include "platform/Clock.h"
#include "platform/WinUser.h"
#include "platform/WinUserSeams.h"
#include "tests/game/GameDataTestSupport.h"
#include "tests/tools/ResourceFileSupport.h"

namespace gametest {

class FoodTest : public GameDataTest {
protected:
    // Placement box of place n: (5, 40 n) to (125, 40 n + 60). Each ingredient's picture
    // is a quad of (0, 0) to (120, 60) in its own colour, its glow a frame around it.
    // The done symbol: 20 x 20.
    static constexpr float kPlaceLeft = 5.0f;
    static constexpr float kPlaceRight = 125.0f;
    static constexpr float kPlaceStep = 40.0f;
    static constexpr float kPlaceHeight = 60.0f;
    static constexpr float kDoneSide = 20.0f;

    // The recipes' data, with the done symbol's shader (a texture stage to animate) or
    // without it (the keeper's default then); a room in place of the small game's and
    // more resource elements when given, and other customer definitions.
    Morvane::GameData& LoadFood(bool animatedDoneSymbol = true, const std::string& room = "",
                                const std::string& moreElements = "", std::optional<std::string> customers = {}) {
        std::string elements;
        GameDataFolder::WriteQuad("models\\ingredient.mdl", {0.0f, 0.0f}, {kPlaceRight - kPlaceLeft, kPlaceHeight});
        GameDataFolder::WriteColourPicture("glow", 0xFFFFFFFF, true);
        std::vector<std::pair<std::string, std::uint32_t>> ingredients = {
            {"A", 0xFFE03020}, {"B", 0xFFF0D040}, {"C", 0xFF3060E0}, {"D", 0xFFC040C0},
            {"E", 0xFF808080}, {"F", 0xFFF08020}, {"G", 0xFFFFF0D0}, {"H", 0xFF8B4513}};
        ingredients.insert(ingredients.end(), moreIngredients_.begin(), moreIngredients_.end());
        std::string moreCosts;
        for (const auto& [name, colour] : moreIngredients_) moreCosts += "<" + name + " cost=\"1\"/>";
        for (const auto& [name, colour] : ingredients) elements += GameDataFolder::IngredientElements(name, colour);
        for (const auto& [group, places] : {std::pair{"g1", 2}, {"g2", 4}, {"g3", 2}, {"g4", 3}, {"tart", 3}, {"coffee", 2}}) {
            for (int place = 0; place < places; ++place) {
                const std::string key = std::string(group) + "_" + std::to_string(place);
                GameDataFolder::WriteQuad("models\\" + key + ".mdl", {kPlaceLeft, kPlaceStep * place},
                          {kPlaceRight, kPlaceStep * place + kPlaceHeight});
                elements += GameDataFolder::Element("provisions/food/" + key, "model",
                                                    "file_name=\"models\\" + key + ".mdl\"");
            }
        }
        GameDataFolder::WriteQuad("models\\done.mdl", {0.0f, 0.0f}, {kDoneSide, kDoneSide});
        elements += GameDataFolder::Element("provisions/food/done/model", "model", "file_name=\"models\\done.mdl\"");
        if (animatedDoneSymbol)
            elements += GameDataFolder::Element("provisions/food/done/shader", "shader",
                                                "texture_name=\"pictures\\glow.tga\"");
        GameDataFolder::WriteParticles(L"ui\\particles\\cursor.prt");
        for (const char* effect : {"ui/cursor_train", "ui/cursor_click"})
            elements += GameDataFolder::Element(effect, "particles", "file_name=\"particles\\cursor.prt\"");
        GameDataFolder::WriteResourceList(L"data\\ui\\food.xml", elements + moreElements);
        Definitions game = baseGame_;
        if (!room.empty()) game.room = room;
        game.provisions = R"(<provisions>
  <ingredients><A cost="1"/><B cost="1"/><C cost="1"/><D cost="1"/><E cost="1"/><F cost="1"/><G cost="1"/>
    <H cost="1"/><base cost="1"/><cream cost="2"/><cherry cost="3"/><coffee_beans cost="1"/>)" + moreCosts + R"(</ingredients>
  <food>
    <R1 group="g1" cost="10"><A/><B/></R1>
    <R2 group="g2" cost="20"><A visible="0"/><B/><C/><D/></R2>
    <R3 group="g3" cost="30"><C/><A/></R3>
    <R4 group="g4" cost="40"><F/><G/><H/></R4>
    <cake group="cake" cost="10"><base/><cream/><cherry visible="0"/></cake>
    <coffee group="drink" cost="5"><coffee_beans/></coffee>
    <beans group="drink" can_order="0" cost="0"><coffee_beans/></beans>)" + moreRecipes_ + R"(
  </food>
</provisions>)";
        if (customers) game.customers = customers;
        return Load(game, {L"data\\ui\\food.xml"});
    }

    // A frame of the given length; the step runs between the engine's frame start and end.
    template <typename Step>
    void Frame(float seconds, Step step) {
        platform::seam::AdvanceVirtualTime(static_cast<std::uint64_t>(seconds * 1e6f + 0.5f));
        engine_->BeginFrame();
        step();
        engine_->EndFrame();
    }

    // The definitions the recipes' data starts from, more ingredients with their colours
    // and more recipes (elements of "food").
    Definitions baseGame_ = SmallGame();
    std::vector<std::pair<std::string, std::uint32_t>> moreIngredients_;
    std::string moreRecipes_;

    // The mouse over a pixel of the window's client area.
    static void MoveMouseToPixel(int x, int y) {
        POINT pixel{x, y};
        ClientToScreen(static_cast<Vantor::Window_WinOS*>(Vantor::Window::Instance())->GetWindowHandle(), &pixel);
        platform::seam::InjectMouseMove(pixel.x, pixel.y);
    }
    // The program's cursor resources, until the game's executable defines them.
    static void DefineCursorResources() {
        for (int id : Morvane::GUIGameCursor::kCursorResources)
            platform::DefineCursorResource(static_cast<WORD>(id), IDC_ARROW);
    }
    // A point as a comparable, printable pair.
    static std::pair<float, float> XY(const Vantor::Vector2& point) { return {point.x, point.y}; }
    static Vantor::GUIManager& Gui() { return *Vantor::GUIManager::Instance(); }
    // The error lines logged since the last call.
    static std::vector<std::string> Errors() { return enginetest::TakeErrors(*Vantor::MessageManager::Instance()); }
};

}  // namespace gametest
