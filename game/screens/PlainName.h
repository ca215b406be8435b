#pragma once
// A player's name as plain text. Names reach text controls as parameters and literals,
// where "{" and "}" would open style blocks, "|" break the line and "%" start a
// parameter: those characters are removed from typed names and from names shown.
// Lookups keep the names as stored.

#include <string>

namespace Morvane {

std::wstring PlainName(const std::wstring& name);

}  // namespace Morvane
