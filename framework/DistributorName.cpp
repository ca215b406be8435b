#include "framework/DistributorName.h"

#include <cwctype>

#include "engine/kernel/FileManager.h"
#include "engine/kernel/FileTextual.h"
#include "tools/XMLNode.h"
#include "tools/XMLParser.h"
#include "tools/XMLValue.h"

namespace GameFramework {

namespace {

constexpr int kSilent = 0;

}  // namespace

std::wstring DistributorName::Read(const std::wstring& installPath) {
    const std::wstring path = installPath + kFile;
    return Clean(Vantor::FileManager::ExistsOnDisk(path) ? ReadRaw(path) : std::wstring());
}

std::wstring DistributorName::ReadRaw(const std::wstring& path) {
    // Nothing of the engine exists yet: every failure is simply no name.
    try {
        Vantor::FileTextual file(path, Vantor::FileTextual::kRead, Vantor::TextEncoding::EightBit);
        GameTools::XMLNode holder;
        GameTools::XMLParser().Parse(&holder, file);
        const GameTools::XMLNode* distributor = holder.GetChild("distributor", kSilent);
        const GameTools::XMLValue* name = distributor ? distributor->GetAttribute("name", kSilent) : nullptr;
        return name ? name->GetWideString() : std::wstring();
    } catch (...) {
        return {};
    }
}

std::wstring DistributorName::Clean(const std::wstring& name) {
    std::wstring cleaned;
    for (wchar_t c : name) {
        const wchar_t lower = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
        if (lower >= L'a' && lower <= L'z') cleaned += lower;
    }
    return cleaned.empty() ? std::wstring(kDefault) : cleaned;
}

}  // namespace GameFramework
