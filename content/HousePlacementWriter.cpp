#include "content/HousePlacementWriter.h"

#include "content/VersionedFileWriting.h"

namespace Content {

using VersionedFileWriting::Put;

HousePlacementWriter::Bytes HousePlacementWriter::Build(const File& file) {
    Bytes bytes;
    VersionedFileWriting::PutHead(bytes, file.magic, file.version);
    Put(bytes, file.entryCount.value_or(static_cast<std::int32_t>(file.entries.size())));
    for (const Entry& entry : file.entries) {
        VersionedFileWriting::PutName(bytes, entry.layerName, "House layer name");
        VersionedFileWriting::PutName(bytes, entry.textureName, "House picture name");
        Put(bytes, entry.x);
        Put(bytes, entry.y);
        for (std::uint32_t extra : entry.extra) Put(bytes, extra);
    }
    VersionedFileWriting::PutTotalLength(bytes);
    return bytes;
}

void HousePlacementWriter::WriteFile(const std::wstring& path, const File& file) {
    VersionedFileWriting::WriteFile(path, Build(file));
}

}  // namespace Content
