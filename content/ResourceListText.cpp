#include "content/ResourceListText.h"

#include <vector>

#include "content/SvgTemplate.h"

namespace Content {

void ResourceListText::Model(const std::string& key, const std::string& file) {
    Add(key, "model", "file_name=\"" + file + "\"");
}

void ResourceListText::Particles(const std::string& key, const std::string& file) {
    Add(key, "particles", "file_name=\"" + file + "\"");
}

void ResourceListText::Shader(const std::string& key, const std::string& texture) {
    Add(key, "shader", "texture_name=\"" + texture + "\" alpha_blend=\"1\"");
}

void ResourceListText::Shader(const std::string& key, const std::string& texture, const Sheet& sheet) {
    Add(key, "shader",
        "texture_name=\"" + texture + "\" alpha_blend=\"1\" animation_type=\"net\" net_size=\"" +
            std::to_string(sheet.columns) + " " + std::to_string(sheet.rows) + "\" frame_count=\"" +
            std::to_string(sheet.frames) + "\" animation_speed=\"" + SvgTemplate::Format(sheet.speed) + "\"");
}

std::string ResourceListText::Text() const {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<resources>\n" + entries_ + "</resources>\n";
}

void ResourceListText::Add(const std::string& key, const std::string& element, const std::string& attributes) {
    std::vector<std::string> groups;
    std::size_t start = 0;
    for (std::size_t slash = key.find('/'); slash != std::string::npos; slash = key.find('/', start)) {
        groups.push_back(key.substr(start, slash - start));
        start = slash + 1;
    }
    std::string line = "  ";
    for (const std::string& group : groups) line += "<" + group + ">";
    line += "<" + element + " name=\"" + key.substr(start) + "\" " + attributes + "/>";
    for (auto group = groups.rbegin(); group != groups.rend(); ++group) line += "</" + *group + ">";
    entries_ += line + "\n";
}

}  // namespace Content
