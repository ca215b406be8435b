#pragma once
// What the tests of the room's objects share: the food items' data with a room of
// distributors and automatic machines laid out on the 800 x 600 screen, their models
// (parts whose material holds a strip of coloured frames), the day's sound effects on
// the headless mixer, and the pointer moved and clicked through the platform layer.
//
// Distributors, each offering "A": "stand" with the slot models 0, 1 and 3 and nothing
// else; "shelf" with four slots, a selection area, a lower part of four frames and an
// upper part whose material has no texture stage; "bare" without any model.
// Machines: "dustbin"; "oven" turning R1 into R4 over a lower range for every group
// and a longer upper range for g1, with a general input place and an output place for g4;
// "steamer", the same with "hide_input" and a lower range only; "toaster" without
// productions or animations; "fryer" without productions, with an input place for g1
// only; and three machines without models named for their sounds. The clock's model
// holds all the strip's frames.

#include <cstdint>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "content/ShaderFileWriter.h"
#include "content/TgaWriter.h"
#include "content/VersionedFileWriting.h"
#include "content/WavWriter.h"
#include "framework/AudioManager.h"
#include "framework/SoundEffect.h"
#include "game/CursorFood.h"
#include "game/Food.h"
#include "platform/WinUserSeams.h"
#include "tests/game/FoodTestSupport.h"

namespace gametest {

class RoomTest : public FoodTest {
protected:
    // Frame colours of the parts' strips, frame 0 first.
    static constexpr std::uint32_t kFrameColours[] = {0xFF202020, 0xFF4060FF, 0xFF40C040, 0xFFFFFF40,
                                                      0xFFFF8000, 0xFF00FFFF, 0xFFFF00FF, 0xFFFFFFFF};
    static constexpr std::size_t kFrameCount = std::size(kFrameColours);

    void SetUp() override {
        FoodTest::SetUp();
        Gui().SetScreenSize(800, 600);
        WriteStrip();
        LoadFood(true, kRoom, RoomElements());
        WriteBeep();
        audio_ = std::make_unique<GameFramework::AudioManager>(1.0f, 1.0f, engine_->GetSoundManager());
        for (const char* key : {"26", "29", "30", "31", "32", "33", "34", "35", "36"})
            audio_->AddEffect(key, L"audio\\beep.wav", false, 1, false);
        hand_ = std::make_unique<Morvane::CursorFood>(data_.get(), nullptr);
        Frame(0.1f, [] {});
        Heard();
        Errors();
    }
    void TearDown() override {
        hand_.reset();
        audio_.reset();
        FoodTest::TearDown();
    }

    // The effects started since the last call.
    std::vector<std::string> Heard() {
        std::vector<std::string> heard;
        for (const GameFramework::SoundEffect* effect : audio_->GetEffects()) {
            float& seen = lastStarts_[effect->key];
            if (effect->lastStart != seen) heard.push_back(effect->key);
            seen = effect->lastStart;
        }
        return heard;
    }

    // The pointer over a point of the GUI screen (origin at the bottom left).
    static void PointAt(const Vantor::Vector2& point) {
        MoveMouseToPixel(static_cast<int>(point.x), static_cast<int>(600.0f - point.y));
    }
    static void Click(bool right = false) {
        const auto button = right ? platform::seam::MouseButton::Right : platform::seam::MouseButton::Left;
        platform::seam::InjectMouseButton(button, true);
        platform::seam::InjectMouseButton(button, false);
    }
    // The hand holds the layers, bottom first.
    void Hold(const std::vector<std::string>& layers) {
        hand_->Clear();
        for (const std::string& layer : layers) hand_->GetFood()->AddIngredient(layer);
    }
    static std::vector<std::string> LayersOf(const Morvane::Food* food) {
        std::vector<std::string> names;
        if (!food) return names;
        for (std::size_t i = 0; i < food->GetLayers().size(); ++i) names.push_back(food->GetLayerName(i));
        return names;
    }

    std::unique_ptr<GameFramework::AudioManager> audio_;
    std::unique_ptr<Morvane::CursorFood> hand_;

private:
    static constexpr const char* kRoom = R"(<room day_time="120">
  <distributors><stand ingredient="A"/><shelf ingredient="A"/><bare ingredient="A"/></distributors>
  <automatic_machines>
    <dustbin layer="1"><productions/><animations/></dustbin>
    <oven layer="2">
      <productions><bake input="R1" output="R4"/></productions>
      <animations>
        <all group="" layer="lower" start_frame="0" end_frame="3" time="0.4"/>
        <top group="g1" layer="upper" start_frame="4" end_frame="7" time="0.6"/>
        <other group="g2" layer="lower upper" start_frame="0" end_frame="1" time="5"/>
      </animations>
    </oven>
    <steamer layer="3">
      <productions hide_input="1"><steam input="R1" output="R4"/></productions>
      <animations><all group="" layer="lower" start_frame="0" end_frame="3" time="0.3"/></animations>
    </steamer>
    <toaster layer="2"><productions/><animations/></toaster>
    <fryer layer="2"><productions/><animations/></fryer>
    <ice_cream_maker><productions/><animations/></ice_cream_maker>
    <coffee_cream_mixer><productions/><animations/></coffee_cream_mixer>
    <popcorn_cart><productions/><animations/></popcorn_cart>
  </automatic_machines>
</room>)";

    // A quad model with a material of the frames (none: no texture stage) as a
    // resource element of the key.
    std::string Model(const std::string& key, Vantor::Vector2 minimum, Vantor::Vector2 maximum,
                      std::uint32_t frames = 0) {
        std::string file = key;
        for (char& c : file)
            if (c == '/') c = '_';
        GameDataFolder::WriteQuad("models\\" + file + ".mdl", minimum, maximum);
        Content::ShaderFileWriter::Shader material;
        if (frames > 0) {
            Content::ShaderFileWriter::Stage stage;
            stage.kind = 1;
            stage.frames = static_cast<std::int32_t>(frames);
            stage.columns = static_cast<std::int32_t>(kFrameCount);
            stage.textureName = "ui\\pictures\\strip";
            material.flags = 1;
            material.blendFactors[0] = 4;
            material.blendFactors[1] = 5;
            material.stages.push_back(stage);
        }
        Content::ShaderFileWriter::WriteFile(L"data\\ui\\models\\" + std::wstring(file.begin(), file.end()) + L".srf",
                                             material);
        return GameDataFolder::Element(key, "model", "file_name=\"models\\" + file + ".mdl\"");
    }

    std::string RoomElements() {
        std::string elements;
        const std::string stand = "room/distributors/stand/";
        for (int digit : {0, 1, 3})
            elements += Model(stand + "input_" + std::to_string(digit), {20.0f + 140.0f * digit, 450.0f},
                              {40.0f + 140.0f * digit, 470.0f});
        const std::string shelf = "room/distributors/shelf/";
        for (int digit = 0; digit < 4; ++digit)
            elements += Model(shelf + "input_" + std::to_string(digit), {20.0f + 140.0f * digit, 300.0f},
                              {40.0f + 140.0f * digit, 320.0f});
        elements += Model(shelf + "selection", {10.0f, 290.0f}, {600.0f, 380.0f});
        elements += Model(shelf + "lower", {10.0f, 290.0f}, {600.0f, 380.0f}, 4);
        elements += Model(shelf + "upper", {10.0f, 370.0f}, {600.0f, 380.0f});

        const std::string machines = "room/automatic_machines/";
        elements += Model(machines + "dustbin/selection", {700.0f, 20.0f}, {780.0f, 120.0f});
        for (const auto& [name, left] : {std::pair{"oven", 20.0f}, {"steamer", 220.0f}, {"toaster", 420.0f}}) {
            const std::string prefix = machines + name + "/";
            elements += Model(prefix + "selection", {left, 20.0f}, {left + 180.0f, 250.0f});
            elements += Model(prefix + "input", {left + 20.0f, 40.0f}, {left + 140.0f, 100.0f});
            elements += Model(prefix + (name == std::string("oven") ? "output_g4" : "output"),
                              {left + 20.0f, 130.0f}, {left + 140.0f, 190.0f});
            if (name != std::string("toaster"))
                elements += Model(prefix + "lower", {left, 20.0f}, {left + 180.0f, 250.0f}, 4);
        }
        elements += Model(machines + "oven/upper", {20.0f, 200.0f}, {200.0f, 250.0f}, kFrameCount);
        elements += Model(machines + "fryer/selection", {620.0f, 140.0f}, {690.0f, 250.0f});
        elements += Model(machines + "fryer/input_g1", {620.0f, 140.0f}, {690.0f, 160.0f});
        elements += Model(machines + "fryer/output", {620.0f, 200.0f}, {690.0f, 220.0f});
        elements += Model("room/clock/model", {700.0f, 500.0f}, {780.0f, 580.0f}, kFrameCount);
        return elements;
    }

    // The frames side by side, 8 x 8 pixels each.
    static void WriteStrip() {
        std::vector<std::uint8_t> pixels;
        for (int y = 0; y < 8; ++y)
            for (std::uint32_t argb : kFrameColours)
                for (int x = 0; x < 8; ++x)
                    pixels.insert(pixels.end(), {static_cast<std::uint8_t>(argb >> 16), static_cast<std::uint8_t>(argb >> 8),
                                                 static_cast<std::uint8_t>(argb), static_cast<std::uint8_t>(argb >> 24)});
        Content::TgaWriter::WriteFile(L"data\\ui\\pictures\\strip.tga", 8 * kFrameCount, 8, pixels);
    }

    // A tenth of a second of quiet.
    static void WriteBeep() {
        const std::vector<std::int16_t> samples(2205 * 2, 0);
        const std::vector<std::uint8_t> wav = Content::WavWriter::Write({}, Content::WavWriter::SampleBytes(samples));
        Content::VersionedFileWriting::WriteFile(L"data\\audio\\beep.wav", wav);
    }

    std::map<std::string, float> lastStarts_;
};

}  // namespace gametest
