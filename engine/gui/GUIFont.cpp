#include "engine/gui/GUIFont.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <vector>

#include "engine/gui/FontFileReader.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/MessageManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/VertexBuffer.h"

namespace Vantor {

namespace {

constexpr std::uint32_t kVerticesPerCharacter = 4;
constexpr std::uint32_t kIndicesPerCharacter = 6;
constexpr std::uint32_t kBatchVertices = GUIFont::kBatchCapacity * kVerticesPerCharacter;
constexpr std::uint32_t kBatchIndices = GUIFont::kBatchCapacity * kIndicesPerCharacter;

// Position, colour and texture coordinates; z and the normal stay as made.
void PutCorner(ColouredVertex& vertex, const Vector2& position, std::uint32_t colour, float u, float v) {
    vertex.position[0] = position.x;
    vertex.position[1] = position.y;
    vertex.colour = colour;
    vertex.u = u;
    vertex.v = v;
}

}  // namespace

GUIFont::GUIFont(Camera* camera, const ShaderDescriptor* material, const std::wstring& path) {
    MakeBatchModel(camera, material);
    auto glyphs = std::make_unique<GlyphTable>();
    try {
        widest_ = FontFileReader::Read(path, *glyphs);
    } catch (const FileError& error) {
        MessageManager::Instance()->PrintError(error.GetText());
        // What was read before the error goes with the old table.
        glyphs = std::make_unique<GlyphTable>();
        widest_ = 0.0f;
    }
    ownGlyphs_ = std::move(glyphs);
    glyphs_ = ownGlyphs_.get();
}

GUIFont::GUIFont(const GUIFont& source)
    : source_(&source), glyphs_(source.glyphs_), widest_(source.widest_), monospace_(source.monospace_) {
    MakeBatchModel(source.model_->GetCamera(), source.model_->GetShaderUser());
    CopyMeasures(source);
}

GUIFont::~GUIFont() { ModelManager::Instance()->ReleaseModel(model_); }

void GUIFont::MakeBatchModel(Camera* camera, const ShaderDescriptor* material) {
    model_ = ModelManager::Instance()->CreateModel(kBatchModelFlags, kBatchVertices, kBatchIndices, 1, material, camera,
                                                   false);

    // Two triangles per character over its own four corners.
    std::vector<std::int32_t> indices(kBatchIndices);
    for (std::uint32_t j = 0; j < kBatchCapacity; ++j) {
        const auto first = static_cast<std::int32_t>(j * kVerticesPerCharacter);
        const std::int32_t quad[kIndicesPerCharacter] = {first, first + 1, first + 2, first + 2, first + 1, first + 3};
        std::copy(quad, quad + kIndicesPerCharacter, indices.begin() + j * kIndicesPerCharacter);
    }
    IndexBuffer& indexBuffer = *model_->GetIndexBuffer();
    indexBuffer.SetIndices(0, kBatchIndices, indices.data());
    indexBuffer.SetCount(0);

    VertexBuffer& vertexBuffer = *model_->GetVertexBuffer();
    ColouredVertex* vertex = vertexBuffer.LockColoured(0, kBatchVertices);
    for (std::uint32_t i = 0; i < kBatchVertices; ++i)
        PutPositionAndNormal(vertex[i], Vector3(0.0f, 0.0f, 0.0f), Vector3(0.0f, 0.0f, 1.0f));
    vertexBuffer.Unlock();
    model_->SetDepth(kInitialDepth);
}

void GUIFont::CopyMeasures(const GUIFont& source) {
    size_ = source.size_;
    spaceSize_ = source.spaceSize_;
    shiftRatio_ = source.shiftRatio_;
    heightRatio_ = source.heightRatio_;
}

bool GUIFont::IsBlank(std::uint32_t code, const Glyph* glyph) {
    if (!glyph) return true;
    // The locale decides beyond ASCII, whose blanks (line feed included) are the same
    // everywhere.
    if (code < 0x80) return code == L' ' || (code >= L'\t' && code <= L'\r');
    return std::iswspace(static_cast<std::wint_t>(code)) != 0;
}

float GUIFont::BoxWidth(std::uint32_t code, const Glyph* glyph) const {
    if (IsBlank(code, glyph)) return size_ * spaceSize_;
    return size_ * (monospace_ ? widest_ : glyph->width);
}

void GUIFont::BuildCharacterBox(const Vector2& position, float angle, std::uint32_t code, Vector2 (&corners)[4]) const {
    PlaceBox(position, {std::cos(angle), std::sin(angle)}, BoxWidth(code, FindGlyph(code)), corners);
}

void GUIFont::PlaceBox(const Vector2& position, const Vector2& direction, float width, Vector2 (&corners)[4]) const {
    const Vector2 along = direction * width;
    const Vector2 up = Vector2(-direction.y, direction.x) * size_;
    corners[0] = position + up;
    corners[1] = position;
    corners[2] = position + along + up;
    corners[3] = position + along;
}

Vector2& GUIFont::MeasureText(Vector2& extent, const std::wstring& text, float angle, float size) const {
    if (text.empty()) return extent.Set(0.0f, 0.0f);
    const float penSize = size >= 0.0f ? size : size_;
    const Vector2 direction(std::cos(angle), std::sin(angle));
    Vector2 pen;
    Vector2 minimum(10000.0f, 10000.0f);
    Vector2 maximum(-10000.0f, -10000.0f);
    for (const wchar_t unit : text) {
        const auto code = static_cast<std::uint32_t>(unit);
        const Glyph* glyph = FindGlyph(code);
        // The boxes keep the font's own size; only the pen follows the size given.
        Vector2 corners[4];
        PlaceBox(pen, direction, BoxWidth(code, glyph), corners);
        float advance;
        if (glyph)
            advance = shiftRatio_ * penSize * (monospace_ ? widest_ : glyph->width);
        else
            advance = monospace_ ? shiftRatio_ * penSize * widest_ : penSize * spaceSize_;
        pen += direction * advance;
        for (const Vector2& corner : corners) {
            minimum.Set(std::min(minimum.x, corner.x), std::min(minimum.y, corner.y));
            maximum.Set(std::max(maximum.x, corner.x), std::max(maximum.y, corner.y));
        }
    }
    extent = maximum - minimum;
    extent.y *= heightRatio_;
    return extent;
}

void GUIFont::AddText(const Vector2& start, float angle, const Color& colour, const std::wstring& text) {
    if (source_) CopyMeasures(*source_);
    const Vector2 direction(std::cos(angle), std::sin(angle));
    const std::uint32_t packed = model_->GetVertexBuffer()->PackColour(colour);
    const float cell = shiftRatio_ * widest_ * size_;
    Vector2 pen;
    for (const wchar_t unit : text) {
        const auto code = static_cast<std::uint32_t>(unit);
        const Glyph* glyph = FindGlyph(code);
        if (!monospace_) {
            PutCharacter(start + pen, direction, packed, code, glyph);
            pen += direction * (glyph ? size_ * glyph->width * shiftRatio_ : size_ * spaceSize_);
        } else if (glyph) {
            // Each character centred in a cell of the widest width.
            const float advance = size_ * glyph->width * shiftRatio_;
            const float spare = (cell - advance) * 0.5f;
            pen += direction * spare;
            PutCharacter(start + pen, direction, packed, code, glyph);
            pen += direction * (advance + spare);
        } else {
            pen += direction * cell;
        }
    }
}

void GUIFont::AddCharacter(const Vector2& position, float angle, const Color& colour, std::uint32_t code) {
    PutCharacter(position, {std::cos(angle), std::sin(angle)}, model_->GetVertexBuffer()->PackColour(colour), code,
                 FindGlyph(code));
}

// Inlined into the loop of AddText, where a call per character cost a fifth of the frame.
[[gnu::always_inline]] inline void GUIFont::PutCharacter(const Vector2& position, const Vector2& direction,
                                                         std::uint32_t colour, std::uint32_t code, const Glyph* glyph) {
    if (batchCount_ == kBatchCapacity) {
        MessageManager::Instance()->PrintError("Font: characters buffer is overflowed");
        return;
    }
    if (IsBlank(code, glyph)) return;
    if (!lockedVertices_) lockedVertices_ = model_->GetVertexBuffer()->LockColoured(0, kBatchVertices);

    // The picture at the glyph's own width, also in a monospace cell: top-left,
    // bottom-left, top-right, bottom-right.
    Vector2 corners[kVerticesPerCharacter];
    PlaceBox(position, direction, size_ * glyph->width, corners);
    const float left = glyph->x;
    const float right = glyph->x + glyph->w;
    const float bottom = glyph->y;
    const float top = glyph->y + glyph->h;
    ColouredVertex* quad = lockedVertices_ + batchCount_ * kVerticesPerCharacter;
    PutCorner(quad[0], corners[0], colour, left, top);
    PutCorner(quad[1], corners[1], colour, left, bottom);
    PutCorner(quad[2], corners[2], colour, right, top);
    PutCorner(quad[3], corners[3], colour, right, bottom);
    ++batchCount_;
    model_->GetIndexBuffer()->SetCount(batchCount_ * kIndicesPerCharacter);
}

void GUIFont::EndBatch() {
    if (batchCount_ == 0) model_->GetIndexBuffer()->SetCount(0);
    batchCount_ = 0;
    if (lockedVertices_) {
        model_->GetVertexBuffer()->Unlock();
        lockedVertices_ = nullptr;
    }
}

float GUIFont::GetDepth() const { return model_->GetDepth(); }

void GUIFont::SetDepth(float depth) { model_->SetDepth(depth); }

}  // namespace Vantor
