#pragma once
// The name of the distributor a copy of the game came from, read from
// "\data\distributor.xml" in the installation folder. It names the folder of the
// player's profiles and high scores, so it is cleaned down to the letters a to z and is
// never empty: "default" stands for a missing, damaged or empty name.

#include <string>

namespace GameFramework {

class DistributorName {
public:
    static constexpr const wchar_t* kDefault = L"default";
    static constexpr const wchar_t* kFile = L"\\data\\distributor.xml";

    // The cleaned name of the file below the installation folder.
    static std::wstring Read(const std::wstring& installPath);
    // Lower case, only "a" to "z" kept; "default" when nothing is left.
    static std::wstring Clean(const std::wstring& name);

private:
    // The "name" of the top-level "distributor" element, empty when the file, the
    // element or the attribute is missing or the file cannot be read.
    static std::wstring ReadRaw(const std::wstring& path);
};

}  // namespace GameFramework
