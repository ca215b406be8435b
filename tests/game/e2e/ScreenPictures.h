#pragma once
// The pictures of a walk through the game's screens: each screen's frame is captured
// from the render system, kept as "captures/<prefix>_<number>_<name>.png" beside the
// test program to be looked at, and checked for content: enough of it lies away from
// its most common colour (not a blank screen), and enough of it changed from the
// picture of the screen before (the walk moved on).

#include <memory>
#include <string>
#include <vector>

namespace Vantor {
class Image;
}

namespace e2e {

class ScreenPictures {
public:
    // A channel sum this far from a colour is a visibly different pixel.
    static constexpr int kVisibleDistance = 30;
    // Shares of the picture's pixels.
    static constexpr double kLeastContent = 0.05;
    static constexpr double kLeastChange = 0.01;

    explicit ScreenPictures(std::string prefix);
    ~ScreenPictures();

    // Captures and keeps the screen as it stands; the faults its checks found, none
    // when it passes.
    std::vector<std::string> Take(const std::string& name);
    // The files written, in order.
    const std::vector<std::string>& GetFiles() const { return files_; }

    // The share of pixels visibly away from the most common colour.
    static double ContentShare(const Vantor::Image& picture);
    // The share of pixels that differ visibly between two pictures of one size.
    static double ChangedShare(const Vantor::Image& before, const Vantor::Image& after);

private:
    std::string prefix_;
    std::vector<std::string> files_;
    std::unique_ptr<Vantor::Image> previous_;
};

}  // namespace e2e
