#include "content/SourceFiles.h"

#include <fstream>

namespace Content {

bool SourceFiles::Read(const std::filesystem::path& path, std::string& bytes) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) return false;
    std::ifstream file(path, std::ios::binary);
    bytes.resize(size);
    return file && file.read(bytes.data(), static_cast<std::streamsize>(size)) && file.peek() == EOF;
}

}  // namespace Content
