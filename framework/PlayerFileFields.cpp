#include "framework/PlayerFileFields.h"

#include <algorithm>

#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/StringHelpers.h"

namespace GameFramework {

namespace {

bool IsHighSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

}  // namespace

void PlayerFileFields::WriteName(Vantor::FileBinary& file, const std::wstring& name) {
    std::size_t length = std::min(name.size(), kMaxNameLength);
    if (length < name.size() && IsHighSurrogate(name[length - 1])) --length;
    file.WriteWideString(name.substr(0, length));
}

std::wstring PlayerFileFields::ReadName(Vantor::FileBinary& file) {
    wchar_t name[kMaxNameLength + 1];
    file.ReadWideString(name);
    return name;
}

std::uint32_t PlayerFileFields::ReadCount(Vantor::FileBinary& file, std::uint32_t recordSize) {
    std::uint32_t count = 0;
    file.Read(&count, sizeof(count), 1);
    const std::uint32_t left = file.GetSize() - file.GetPosition();
    if (count > left / recordSize)
        throw Vantor::FileError("Failed to read " + Vantor::ToString(static_cast<unsigned int>(count), 0) +
                                " records from \"" + Vantor::ToNarrow(file.GetPath()) + "\" file");
    return count;
}

}  // namespace GameFramework
