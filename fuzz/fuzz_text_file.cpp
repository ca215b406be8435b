// Fuzzes the text file reader: byte-order mark detection, the four encodings, line
// endings, word mode and comment removal, over a memory stream of the input.

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileTextual.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1 || size > 0xFFFFFF) return 0;
    // The first byte chooses how the rest is read.
    const std::uint8_t how = data[0];
    auto* stream = new Vantor::FileBinary(L"Z:\\fuzz\\text.txt", 0, 0, static_cast<std::uint32_t>(size - 1),
                                          data + 1, false);
    Vantor::FileTextual text(stream, Vantor::FileTextual::kRead, Vantor::TextEncoding::EightBit);
    const bool stripComments = how & 1;
    const bool wordMode = how & 2;
    if (how & 4) {
        std::wstring all;
        text.ReadAll(all, stripComments);
    } else if (how & 8) {
        std::wstring line;
        while (text.ReadLine(line, stripComments, wordMode)) {
        }
    } else {
        std::string line;
        while (text.ReadLine(line, stripComments, wordMode)) {
        }
    }
    return 0;
}
