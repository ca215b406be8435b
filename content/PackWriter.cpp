#include "content/PackWriter.h"

#include "engine/kernel/Error.h"
#include "engine/kernel/FileBinary.h"

namespace Content {

namespace {

constexpr std::size_t kHeaderSize = 17;  // length, "VTPAK", version, entry count
constexpr std::int32_t kVersion = 100;
constexpr std::size_t kMaxNameLength = 254;

void PutU32(PackWriter::Bytes& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

}  // namespace

void PackWriter::Add(const std::string& name, const Bytes& content) {
    if (name.size() > kMaxNameLength)
        throw Vantor::Error("Pack entry name longer than 254 characters: " + name);
    entries_.push_back({name, content});
}

void PackWriter::Add(const std::string& name, const std::string& content) {
    Add(name, Bytes(content.begin(), content.end()));
}

PackWriter::Bytes PackWriter::Build() const {
    std::size_t namesSize = 0;
    std::size_t dataSize = 0;
    for (const Entry& entry : entries_) {
        namesSize += 1 + entry.name.size() + 1;
        dataSize += entry.content.size();
    }
    const std::size_t dataStart = kHeaderSize + namesSize + 8 * entries_.size();
    const std::size_t total = dataStart + dataSize;
    if (total > 0x7FFFFFFF) throw Vantor::Error("Pack larger than 2 GB");

    Bytes pack;
    pack.reserve(total);
    PutU32(pack, static_cast<std::uint32_t>(total));
    for (char c : std::string("VTPAK")) pack.push_back(static_cast<std::uint8_t>(c));
    PutU32(pack, static_cast<std::uint32_t>(kVersion));
    PutU32(pack, static_cast<std::uint32_t>(entries_.size()));
    for (const Entry& entry : entries_) {
        pack.push_back(static_cast<std::uint8_t>(entry.name.size() + 1));
        pack.insert(pack.end(), entry.name.begin(), entry.name.end());
        pack.push_back(0);
    }
    std::size_t offset = dataStart;
    for (const Entry& entry : entries_) {
        PutU32(pack, static_cast<std::uint32_t>(offset));
        PutU32(pack, static_cast<std::uint32_t>(entry.content.size()));
        offset += entry.content.size();
    }
    for (const Entry& entry : entries_) pack.insert(pack.end(), entry.content.begin(), entry.content.end());
    return pack;
}

PackWriter::Bytes PackWriter::BuildAppended(const Bytes& program) const {
    Bytes pack = Build();
    Bytes out = program;
    out.insert(out.end(), pack.begin(), pack.end());
    PutU32(out, static_cast<std::uint32_t>(pack.size()));
    for (char c : std::string("APC")) out.push_back(static_cast<std::uint8_t>(c));
    return out;
}

void PackWriter::WriteFile(const std::wstring& path, const Bytes& bytes) {
    Vantor::FileBinary file(path, 1);
    file.Write(bytes.data(), 1, static_cast<std::uint32_t>(bytes.size()));
}

}  // namespace Content
