#include "content/GameTexturePackWriter.h"

#include "content/VersionedFileWriting.h"

namespace Content {

using VersionedFileWriting::Put;

GameTexturePackWriter::Bytes GameTexturePackWriter::Build(const Pack& pack) {
    Bytes file;
    VersionedFileWriting::PutHead(file, pack.magic, pack.version);
    Put(file, pack.atlasCount);
    Put(file, pack.pictureCount.value_or(static_cast<std::int32_t>(pack.pictures.size())));
    for (const Picture& picture : pack.pictures) {
        VersionedFileWriting::PutName(file, picture.name, "Texture pack picture name");
        Put(file, picture.atlasIndex);
        for (float value : picture.start) Put(file, value);
        for (float value : picture.end) Put(file, value);
    }
    VersionedFileWriting::PutTotalLength(file);
    return file;
}

void GameTexturePackWriter::WriteFile(const std::wstring& path, const Pack& pack) {
    VersionedFileWriting::WriteFile(path, Build(pack));
}

}  // namespace Content
