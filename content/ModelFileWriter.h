#pragma once
// Writes model files in the "VTMLF" layout that Vantor::Model reads, version 202 or the
// older 201 (bones without pivots). The sections follow the flags as the reader expects
// them; every count and value is written as given, so that the tests can also make
// files the reader has to refuse. The data builder writes the game's models with it.

#include <cstdint>
#include <string>
#include <vector>

namespace Content {

class ModelFileWriter {
public:
    using Bytes = std::vector<std::uint8_t>;

    struct Bone {
        bool excludeFromBounds = false;
        std::string name;
        // Written in version 202 only.
        float pivot[3] = {0, 0, 0};
        float boxMinimum[3] = {-0.5f, -0.5f, -0.5f};
        float boxMaximum[3] = {0.5f, 0.5f, 0.5f};
        std::uint16_t values[2] = {0, 0};
    };

    struct Influence {
        std::uint16_t bone = 0;
        float weight = 1.0f;
        float normal[3] = {0, 0, 1};
        float position[3] = {0, 0, 0};
    };

    struct Vertex {
        float u = 0.0f;
        float v = 0.0f;
        float normal[3] = {0, 0, 1};
        float position[3] = {0, 0, 0};
        // Skinned layout only, in place of normal and position; all of them are written.
        std::vector<Influence> influences;
    };

    struct Box {
        float minimum[3] = {0, 0, 0};
        float maximum[3] = {0, 0, 0};
    };

    struct Model {
        // 201 writes bones without pivots; every other value the 202 layout.
        std::uint32_t version = 202;
        // The first of 1 (static), 2 (key frames) and 4 (skinned) that is set chooses the
        // vertex layout; 2 or 4 adds the frames, 4 the skeleton.
        std::uint32_t flags = 0x1;
        std::uint32_t frameCount = 1;
        float speed = 0.0f;
        std::vector<Bone> bones;
        // Per frame, per bone: position xyz, rotation xyzw, scale xyz; written when there
        // are bones.
        std::vector<float> keyValues;
        // Written as u16 values when there are at most 65535 of them, else u32.
        std::vector<std::uint32_t> indices;
        // Stored as given (the records are those of `vertices`, frame-major for key frames).
        std::uint32_t vertexCount = 0;
        std::vector<Vertex> vertices;
        // One per frame for key frames, else one.
        std::vector<Box> boxes;
    };

    // The whole file, its length field filled in. A bone name longer than 254 characters
    // throws Vantor::Error.
    static Bytes Build(const Model& model);
    // Writes the file, creating its folders; a relative path lies below the base folder.
    static void WriteFile(const std::wstring& path, const Model& model);
};

}  // namespace Content
