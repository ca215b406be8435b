#pragma once
// The per-user half of a material in use (one model, GUI window, sprite group or
// particle system): its own copy of the descriptor, whose blending, blend factors,
// addressing and texture matrices stay writable, and one animation control per stage
// that animates the stage's frames. The textures come from the shared shader. Users are
// made and deleted only by the shader manager.

#include <vector>

#include "engine/render/ShaderDescriptor.h"

namespace Vantor {

class AnimationControl;
class Shader;

class ShaderUser : public ShaderDescriptor {
public:
    ShaderUser(const ShaderUser&) = delete;
    ShaderUser& operator=(const ShaderUser&) = delete;

    // The stage's frame animation (ranges, play, stop, position); null beyond the stages
    // the user was made with.
    AnimationControl* GetAnimationControl(unsigned stage) const;
    // Once per frame: advances every animated stage and picks its frame: the texture
    // frame to bind (numbered files) or the cell of the sheet (grid sheets).
    void UpdateFrames();
    // Sets the render states for this user through its shader.
    void Apply() const;

    Shader* GetShader() const { return shader_; }

private:
    friend class ShaderManager;

    // Copies the descriptor and starts a looping control per stage at the stage's speed,
    // at a random place of its frames for a random-start stage.
    ShaderUser(Shader* shader, const ShaderDescriptor& descriptor);
    // Deletes the shader with its last user.
    ~ShaderUser() override;

    // Points the stage's texture matrix at the cell of the frame.
    static void SelectGridCell(ShaderStage& stage, unsigned frame);

    Shader* shader_;                            // shared
    std::vector<AnimationControl*> controls_;  // owned, one per stage
};

}  // namespace Vantor
