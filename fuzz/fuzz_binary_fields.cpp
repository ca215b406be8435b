// Fuzzes the binary field readers: numbers, narrow and wide strings, string lists
// and seeks, in an order the input chooses, over a memory stream of the input.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 0xFFFFFF) return 0;
    Vantor::FileBinary stream(L"Z:\\fuzz\\fields.bin", 0, 0, static_cast<std::uint32_t>(size), data, false);
    std::vector<std::string> list;
    for (int step = 0; step < 64; ++step) {
        std::uint8_t operation = 0;
        std::uint32_t got = 0;
        stream.Read(&operation, 1, 1, &got);
        if (got == 0) break;
        try {
            switch (operation % 7) {
                case 0: {
                    char text[255];
                    // Small capacities exercise the cut of long strings.
                    const std::size_t capacity = operation / 7 % 2 == 0 ? sizeof text : 1 + operation / 14 % 8;
                    stream.ReadString(text, capacity);
                    break;
                }
                case 1: {
                    wchar_t text[255];
                    const std::size_t capacity = operation / 7 % 2 == 0 ? 255 : 1 + operation / 14 % 8;
                    stream.ReadWideString(text, capacity);
                    break;
                }
                case 2:
                    stream.ReadStringList(list);
                    break;
                case 3: {
                    std::uint32_t value = 0;
                    stream.Read(&value, 4, 1);
                    break;
                }
                case 4: {
                    float values[3];
                    stream.Read(values, 4, 3, &got);
                    break;
                }
                case 5: {
                    std::int32_t offset = 0;
                    stream.Read(&offset, 4, 1, &got);
                    stream.Seek(operation / 7 % 4, offset);
                    break;
                }
                default: {
                    std::uint8_t bytes[300];
                    stream.Read(bytes, 1, operation, &got);
                    break;
                }
            }
        } catch (const Vantor::FileError&) {
            // Running out of bytes or a corrupt count: the stream stays usable.
        }
    }
    return 0;
}
