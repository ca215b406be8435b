#pragma once
// A customer's patience: a face in the balloon area with a progress bar under it. The
// patience runs through three stages of unequal length; the bar empties once per stage
// and between stages the face pops towards a sadder expression. Out of the stage and
// what is left of it comes the customer's mood, from 1 (just arrived) to 0 (patience
// gone), which sets the tip, the right-click choice and the service rating.

#include "engine/kernel/Vector2.h"

namespace Vantor {
class AnimationControl;
class GUIWindow;
class Model;
}  // namespace Vantor

namespace Morvane {

class GameData;

class CustomerMood {
public:
    static constexpr int kStageCount = 3;
    // Each stage's share of the whole patience time.
    static constexpr float kStageShares[kStageCount] = {2.0f / 9.5f, 3.5f / 9.5f, 4.0f / 9.5f};
    // Frames of the face's change at the end of each stage.
    static constexpr unsigned kFaceFramesPerStage = 16;
    static constexpr float kFaceChangeSpeed = 12.0f;

    // The face below the customer's figure window, at the place's balloon; invisible
    // until Start.
    CustomerMood(GameData* gameData, Vantor::GUIWindow* figureWindow, unsigned place, float cafeMood);
    virtual ~CustomerMood();
    CustomerMood(const CustomerMood&) = delete;
    CustomerMood& operator=(const CustomerMood&) = delete;

    // The face begins to fade in.
    void Start();
    // The patience no longer drains; stage and fraction stay.
    void Stop();
    // The face begins to fade out.
    void Hide();
    // Once per frame; while drains is false the patience is held full.
    void Update(bool drains);

    // Seconds of full-bar time the three stages last together.
    float GetPatienceTime() const;
    float GetMood() const { return mood_; }
    int GetStage() const { return stage_; }
    float GetStageFraction() const { return stageFraction_; }
    bool IsStopped() const { return stopped_; }
    bool IsChangingStage() const { return changingStage_; }
    // The bar's alpha as computed; its window keeps it in 8 bits.
    float GetBarAlpha() const { return barAlpha_; }
    Vantor::GUIWindow* GetSmileWindow() const { return smileWindow_; }
    Vantor::GUIWindow* GetBarWindow() const { return barWindow_; }

private:
    // The face pops and, into the last stage, reddens while the bar fades out; once it
    // has gone the next stage begins.
    void ChangeStage(float barAlpha);
    void Drain(float dt);
    void ShowOutputs(float faceAlpha, float barAlpha);

    GameData* gameData_;
    float cafeMood_;
    Vantor::Vector2 position_;
    const Vantor::Model* smileModel_;  // the game data's resource
    Vantor::GUIWindow* smileWindow_;
    Vantor::AnimationControl* smileAnimation_;  // null without a texture stage
    Vantor::GUIWindow* barWindow_;
    Vantor::AnimationControl* barTextureAnimation_;  // null without a texture stage
    Vantor::AnimationControl* barAnimation_;
    bool started_ = false;
    bool stopped_ = false;
    bool hiding_ = false;
    bool changingStage_ = false;
    int stage_ = 0;
    float stageFraction_ = 1.0f;
    float mood_ = 1.0f;
    float fadeTime_ = 0.0f;
    float barAlpha_ = 0.0f;
};

}  // namespace Morvane
