#pragma once
// A resource list as the game's data keeper reads it, written entry by entry: the
// parts of an entry's key before its last ("room/clock" of "room/clock/model") become
// the group elements around it. Files and textures are relative to the list's folder,
// with backslashes.

#include <string>

namespace Content {

class ResourceListText {
public:
    // A grid sheet's layout as the shader element gives it.
    struct Sheet {
        int columns = 1;
        int rows = 1;
        int frames = 1;
        float speed = 0.0f;
    };

    void Model(const std::string& key, const std::string& file);
    void Particles(const std::string& key, const std::string& file);
    // Alpha-blended, one picture.
    void Shader(const std::string& key, const std::string& texture);
    void Shader(const std::string& key, const std::string& texture, const Sheet& sheet);

    // The whole list: "<resources>" around the entries, in the order they were added.
    std::string Text() const;

private:
    void Add(const std::string& key, const std::string& element, const std::string& attributes);

    std::string entries_;
};

}  // namespace Content
