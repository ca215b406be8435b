#pragma once
// One attribute of an XML element: its name and its text.

#include <string>

#include "tools/XMLValue.h"

namespace GameTools {

struct XMLAttribute {
    std::string name;
    XMLValue value;
};

}  // namespace GameTools
