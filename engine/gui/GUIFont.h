#pragma once
// A bitmap font: a glyph table read from a font file, the font's measures (size, space
// size, shift ratio, height ratio, monospace cells), and one batch model into which the
// frame's characters go as textured quads, drawn in one go at the model's depth.
//
// A loaded font owns its glyphs. An instance is a copy made by the font manager for one
// window depth: it shares its source's glyphs and draws through a batch model of its own.
// Text units above 0xFFFF have no glyph.

#include <cstdint>
#include <memory>
#include <string>

#include "engine/gui/Glyph.h"
#include "engine/kernel/Vector2.h"
#include "engine/kernel/Vector4.h"

namespace Vantor {

class Camera;
class Model;
class ShaderDescriptor;
struct ColouredVertex;

class GUIFont {
public:
    // Characters one batch holds per frame.
    static constexpr std::uint32_t kBatchCapacity = 1024;
    // Static vertices, triangle list, vertex colours, the blended list, the given depth,
    // bounds every frame, drawn, the vertex buffer kind.
    static constexpr std::uint32_t kBatchModelFlags = 0x248C29;
    // The depth of a batch model when made.
    static constexpr float kInitialDepth = -9.0f;

    // Loads the font file (its path as the file manager takes it). A file that cannot be
    // read or is broken is logged as an error and gives a font without characters.
    GUIFont(Camera* camera, const ShaderDescriptor* material, const std::wstring& path);
    // An instance of a loaded font, with the source's measures and material.
    explicit GUIFont(const GUIFont& source);
    virtual ~GUIFont();
    GUIFont& operator=(const GUIFont&) = delete;

    // The glyph of a text unit, or null.
    const Glyph* FindGlyph(std::uint32_t code) const {
        return code < glyphs_->size() ? (*glyphs_)[code].get() : nullptr;
    }
    bool HasCharacter(std::uint32_t code) const { return FindGlyph(code) != nullptr; }

    // The extent of the text's boxes turned by the angle (radians, counter-clockwise),
    // the pen advancing by the size given (negative: the font's size), the height scaled
    // by the height ratio. An empty text measures (0, 0).
    Vector2& MeasureText(Vector2& extent, const std::wstring& text, float angle, float size) const;
    // The corners of the box a character occupies with its baseline through the point:
    // top-left, bottom-left, top-right, bottom-right.
    void BuildCharacterBox(const Vector2& position, float angle, std::uint32_t code, Vector2 (&corners)[4]) const;

    // Puts the text's characters into this frame's batch, the baseline starting at the
    // point. An instance takes its source's current measures first.
    void AddText(const Vector2& start, float angle, const Color& colour, const std::wstring& text);
    // Puts one character into the batch; blanks and characters without a glyph add
    // nothing, and a full batch drops the character with an error line.
    void AddCharacter(const Vector2& position, float angle, const Color& colour, std::uint32_t code);
    // Closes the frame's batch: the model keeps drawing what it got (nothing after an
    // empty frame) and the next frame starts at the first character again.
    void EndBatch();

    float GetDepth() const;
    void SetDepth(float depth);

    const GUIFont* GetSource() const { return source_; }
    Model* GetModel() const { return model_; }
    std::uint32_t GetBatchCount() const { return batchCount_; }
    float GetSize() const { return size_; }
    void SetSize(float size) { size_ = size; }
    float GetSpaceSize() const { return spaceSize_; }
    void SetSpaceSize(float spaceSize) { spaceSize_ = spaceSize; }
    float GetShiftRatio() const { return shiftRatio_; }
    void SetShiftRatio(float shiftRatio) { shiftRatio_ = shiftRatio; }
    float GetHeightRatio() const { return heightRatio_; }
    void SetHeightRatio(float heightRatio) { heightRatio_ = heightRatio; }
    float GetWidest() const { return widest_; }
    bool IsMonospace() const { return monospace_; }
    void SetMonospace(bool monospace) { monospace_ = monospace; }

private:
    // The batch model with its index list; every vertex faces the viewer at z = 0.
    void MakeBatchModel(Camera* camera, const ShaderDescriptor* material);
    void CopyMeasures(const GUIFont& source);
    // No quad: no glyph, a line feed or white space.
    static bool IsBlank(std::uint32_t code, const Glyph* glyph);
    // How far a character's box reaches along the text.
    float BoxWidth(std::uint32_t code, const Glyph* glyph) const;
    // The box from the point along the direction (cosine, sine) by the width, and the
    // font's size up from it.
    void PlaceBox(const Vector2& position, const Vector2& direction, float width, Vector2 (&corners)[4]) const;
    // AddCharacter with the direction, the device colour and the glyph worked out.
    void PutCharacter(const Vector2& position, const Vector2& direction, std::uint32_t colour, std::uint32_t code,
                      const Glyph* glyph);

    const GUIFont* source_ = nullptr;
    std::unique_ptr<GlyphTable> ownGlyphs_;     // null for an instance
    const GlyphTable* glyphs_ = nullptr;        // the own table, or the source's
    Model* model_ = nullptr;                    // registered with the model manager
    ColouredVertex* lockedVertices_ = nullptr;  // while the batch is open
    float size_ = 1.0f;
    float spaceSize_ = 1.0f;
    float shiftRatio_ = 1.0f;
    float heightRatio_ = 1.0f;
    float widest_ = 0.0f;
    bool monospace_ = false;
    std::uint32_t batchCount_ = 0;
};

}  // namespace Vantor
