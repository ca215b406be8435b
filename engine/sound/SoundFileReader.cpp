#include "engine/sound/SoundFileReader.h"

#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/StringHelpers.h"

namespace Vantor {

SoundFileReader::SoundFileReader(const std::wstring& fileName)
    : fileName_(fileName), path_(FileManager::Instance()->GetDataPath(fileName)) {
    file_ = FileManager::Instance()->OpenFile(path_, false, 0, 0);
}

SoundFileReader::SoundFileReader() = default;

SoundFileReader::~SoundFileReader() { delete file_; }

void SoundFileReader::Fail(const std::string& reason) const {
    throw FileError("Failed to load " + QuotedPath(path_) + " sound file - " + reason);
}

bool SoundFileReader::IsPlayableLayout(std::uint32_t channels, std::uint32_t sampleRate) {
    return channels >= 1 && channels <= 2 && sampleRate > 0;
}

}  // namespace Vantor
