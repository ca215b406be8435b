#include "tests/game/e2e/ScreenPictures.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <unordered_map>

#include "engine/render/Image.h"
#include "engine/render/RenderSystem.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"

namespace e2e {

namespace {

using scenes::PixelAt;
using scenes::Rgb;

std::uint32_t Packed(const Rgb& colour) {
    return static_cast<std::uint32_t>(colour.red) << 16 | static_cast<std::uint32_t>(colour.green) << 8 |
           static_cast<std::uint32_t>(colour.blue);
}

Rgb Unpacked(std::uint32_t colour) {
    return {static_cast<int>(colour >> 16 & 0xFF), static_cast<int>(colour >> 8 & 0xFF), static_cast<int>(colour & 0xFF)};
}

double PixelCount(const Vantor::Image& picture) {
    return static_cast<double>(picture.GetWidth()) * static_cast<double>(picture.GetHeight());
}

std::string Percent(double share) {
    char text[16];
    std::snprintf(text, sizeof(text), "%.1f%%", share * 100.0);
    return text;
}

}  // namespace

ScreenPictures::ScreenPictures(std::string prefix) : prefix_(std::move(prefix)) {}

ScreenPictures::~ScreenPictures() = default;

double ScreenPictures::ContentShare(const Vantor::Image& picture) {
    const int width = static_cast<int>(picture.GetWidth()), height = static_cast<int>(picture.GetHeight());
    std::unordered_map<std::uint32_t, int> counts;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) ++counts[Packed(PixelAt(picture, x, y))];
    if (counts.empty()) return 0.0;
    const auto common = std::max_element(counts.begin(), counts.end(),
                                         [](const auto& a, const auto& b) { return a.second < b.second; });
    const Rgb mostCommon = Unpacked(common->first);
    int away = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) away += scenes::Distance(PixelAt(picture, x, y), mostCommon) > kVisibleDistance;
    return away / PixelCount(picture);
}

double ScreenPictures::ChangedShare(const Vantor::Image& before, const Vantor::Image& after) {
    const int width = static_cast<int>(std::min(before.GetWidth(), after.GetWidth()));
    const int height = static_cast<int>(std::min(before.GetHeight(), after.GetHeight()));
    int changed = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            changed += scenes::Distance(PixelAt(before, x, y), PixelAt(after, x, y)) > kVisibleDistance;
    return changed / PixelCount(after);
}

std::vector<std::string> ScreenPictures::Take(const std::string& name) {
    auto picture = std::make_unique<Vantor::Image>();
    Vantor::RenderSystem::Instance()->CaptureScreen(*picture);
    char number[8];
    std::snprintf(number, sizeof(number), "%02zu", files_.size() + 1);
    const std::string file = prefix_ + "_" + number + "_" + name;
    scenes::KeepCapture(*picture, file);
    files_.push_back("captures/" + file + ".png");

    std::vector<std::string> faults;
    if (picture->GetWidth() == 0 || picture->GetHeight() == 0) {
        faults.push_back(name + ": nothing captured");
        return faults;
    }
    const double content = ContentShare(*picture);
    if (content < kLeastContent)
        faults.push_back(name + ": only " + Percent(content) + " away from the most common colour");
    if (previous_) {
        const double change = ChangedShare(*previous_, *picture);
        if (change < kLeastChange) faults.push_back(name + ": only " + Percent(change) + " changed from the screen before");
    }
    previous_ = std::move(picture);
    return faults;
}

}  // namespace e2e
