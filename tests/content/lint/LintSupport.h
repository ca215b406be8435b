#pragma once
// What the lint's checks share: the data folder's paths as the engine writes them
// (relative, backslashes), the log's errors and warnings as problems, and the textures
// a material names.

#include <string>
#include <vector>

namespace Vantor {
class ShaderDescriptor;
}

namespace contentlint {

std::string Lower(std::string text);
// Lower case, without the dot; empty without one.
std::string Extension(const std::string& file);
std::string WithoutExtension(const std::string& file);
std::wstring Wide(const std::string& text);

// The texts of the errors, warnings and fatal errors the engine's log listed since the
// last call; the list is cleared.
std::vector<std::string> TakeLoggedProblems();

// One texture file of a material's stage, as the engine's lookup finds it.
struct StageTexture {
    unsigned stage = 0;
    // Below the data folder, lower case; without extension when no file was found.
    std::string file;
    bool found = false;
};

// Every colour and opacity file of every stage of the material, looked up through the
// engine's file manager.
std::vector<StageTexture> StageTextures(const Vantor::ShaderDescriptor& material);

}  // namespace contentlint
