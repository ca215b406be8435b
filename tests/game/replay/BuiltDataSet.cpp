#include "tests/game/replay/BuiltDataSet.h"

namespace replay {

namespace fs = std::filesystem;

const std::vector<std::string>& BuiltDataSet::ReplacedFiles() {
    static const std::vector<std::string> files{"texts/texts.xml", "ui/resources_additional.xml"};
    return files;
}

const std::vector<std::wstring>& BuiltDataSet::ResourceLists() {
    static const std::vector<std::wstring> lists{
        L"data\\background\\resources.xml", L"data\\house\\resources.xml",
        L"data\\game_objects\\provisions_resources.xml", L"data\\game_objects\\room_resources.xml",
        L"data\\game_objects\\customers_resources.xml"};
    return lists;
}

void BuiltDataSet::LinkInto(const fs::path& built, const fs::path& data) {
    fs::create_directories(data);
    for (const fs::directory_entry& entry : fs::directory_iterator(built)) {
        const fs::path target = data / entry.path().filename();
        if (!fs::exists(target))
            fs::create_symlink(entry.path(), target);
        else if (entry.is_directory() && fs::is_directory(target))
            LinkInto(entry.path(), target);
    }
}

}  // namespace replay
