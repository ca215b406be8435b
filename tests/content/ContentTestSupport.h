#pragma once
// What the data builder's tests share: one log and one file manager over a temporary
// base folder whose "data" folder the engine's readers read (the managers' holders
// keep one instance for the whole program), and small SVG sources.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace contenttest {

// The base folder's "data" folder, created with the managers on first use.
const std::filesystem::path& DataFolder();
// Writes bytes below the data folder and returns the engine's path of the file
// ("pictures\a.png" for "pictures/a.png").
std::wstring WriteData(const std::string& relative, const std::vector<std::uint8_t>& bytes);
// The error and warning lines logged since the last call.
std::vector<std::string> TakeLoggedProblems();

// An SVG document of the size with the body inside it (inline: the drawing tests use it
// without the managers above).
inline std::string Svg(int width, int height, const std::string& body) {
    const std::string w = std::to_string(width), h = std::to_string(height);
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w +
           " " + h + "\">" + body + "</svg>";
}

}  // namespace contenttest
