#include "content/FontFileWriter.h"

#include "content/VersionedFileWriting.h"

namespace Content {

using VersionedFileWriting::Put;

FontFileWriter::Record FontFileWriter::WholePicture(std::uint16_t code, float width) {
    Record record;
    record.code = code;
    record.w = 1.0f;
    record.h = 1.0f;
    record.width = width;
    return record;
}

FontFileWriter::Bytes FontFileWriter::Build(const std::vector<Record>& records, std::int32_t version) {
    Bytes file;
    VersionedFileWriting::PutHead(file, "VTFNT", version);
    Put(file, static_cast<std::uint32_t>(records.size()));
    for (const Record& record : records) {
        Put(file, record.code);
        Put(file, record.x);
        Put(file, record.y);
        Put(file, record.w);
        Put(file, record.h);
        Put(file, record.width);
    }
    VersionedFileWriting::PutTotalLength(file);
    return file;
}

void FontFileWriter::WriteFile(const std::wstring& path, const std::vector<Record>& records) {
    VersionedFileWriting::WriteFile(path, Build(records));
}

}  // namespace Content
