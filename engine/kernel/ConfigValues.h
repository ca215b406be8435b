#pragma once
// Storage of the engine's own configuration variables. The configuration writes
// parsed values straight into these fields; the render system and the framework's
// windows read (and the render system writes) them directly.

#include <cstdint>
#include <string>

namespace Vantor {

struct ConfigValues {
    std::string mode;               // "v_mode"
    bool fullscreen = false;        // "v_fullscreen"
    bool vsync = false;             // "v_vsync"
    float brightness = 0.0f;        // "v_brightness"
    float contrast = 0.0f;          // "v_contrast"
    float gamma = 0.0f;             // "v_gamma"
    bool useMipMapping = false;     // "r_use_mip_mapping"
    bool showOctreeNodes = false;   // "r_show_octree_nodes"
    bool showFacesEdges = false;    // "r_show_faces_edges"
    bool showFacesNormals = false;  // "r_show_faces_normals"
    bool showMipMaps = false;       // "r_show_mip_maps"
    int32_t textureAnisotropy = 0;  // "r_texture_anisotropy"
    bool invertMouse = false;       // "c_invert_mouse"
    int32_t screenshotFormat = 0;   // "sc_take_screenshot_format"
};

}  // namespace Vantor
