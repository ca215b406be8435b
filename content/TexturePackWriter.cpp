#include "content/TexturePackWriter.h"

#include "content/VersionedFileWriting.h"

namespace Content {

namespace {

using VersionedFileWriting::Put;

constexpr std::uint32_t kFirstVersionWithValues = 102;

template <typename Items>
std::int32_t StoredCount(const std::optional<std::int32_t>& given, const Items& items) {
    return given.value_or(static_cast<std::int32_t>(items.size()));
}

void PutPair(TexturePackWriter::Bytes& out, const float (&pair)[2]) {
    for (float value : pair) Put(out, value);
}

void PutFrame(TexturePackWriter::Bytes& out, const TexturePackWriter::Frame& frame, bool withValues) {
    Put(out, frame.atlasIndex);
    PutPair(out, frame.topLeft);
    PutPair(out, frame.bottomRight);
    PutPair(out, frame.offset);
    if (!withValues) return;
    PutPair(out, frame.furtherValues);
    Put(out, StoredCount(frame.byteCount, frame.furtherBytes));
    out.insert(out.end(), frame.furtherBytes.begin(), frame.furtherBytes.end());
}

}  // namespace

TexturePackWriter::Bytes TexturePackWriter::Build(const Pack& pack) {
    // Compared as the reader compares it: unsigned.
    const bool withValues = static_cast<std::uint32_t>(pack.version) >= kFirstVersionWithValues;
    Bytes file;
    VersionedFileWriting::PutHead(file, "GFTPF", pack.version);
    Put(file, StoredCount(pack.textureCount, pack.textures));
    for (const Texture& texture : pack.textures) {
        VersionedFileWriting::PutName(file, texture.name, "Texture pack texture name");
        if (withValues) Put(file, texture.value);
        Put(file, StoredCount(texture.frameCount, texture.frames));
        for (const Frame& frame : texture.frames) PutFrame(file, frame, withValues);
    }
    VersionedFileWriting::PutTotalLength(file);
    return file;
}

void TexturePackWriter::WriteFile(const std::wstring& path, const Pack& pack) {
    VersionedFileWriting::WriteFile(path, Build(pack));
}

}  // namespace Content
