#include "game/screens/PlainName.h"

#include <algorithm>

namespace Morvane {

std::wstring PlainName(const std::wstring& name) {
    std::wstring plain = name;
    std::erase_if(plain, [](wchar_t c) { return c == L'{' || c == L'}' || c == L'|' || c == L'%'; });
    return plain;
}

}  // namespace Morvane
