// The test game as a program of its own, for tests that start it: one copy per user,
// running until its window is closed, and saying on standard output whenever its window
// is shown or minimised, or gains or loses the focus.

#include <cstdio>
#include <string>

#include "engine/kernel/Window.h"
#include "tests/framework/TestGameLoader.h"

namespace {

class ReportingGame : public frameworktest::TestGame {
public:
    using TestGame::TestGame;

    void Frame() override {
        const Vantor::Window* window = Vantor::Window::Instance();
        const std::string state =
            std::string(window->IsMinimized() ? "minimised" : "shown") + (window->HasFocus() ? "" : " without focus");
        if (state != reported_) {
            std::printf("window %s\n", state.c_str());
            std::fflush(stdout);
            reported_ = state;
        }
        TestGame::Frame();
    }

private:
    std::string reported_;
};

}  // namespace

int main() {
    frameworktest::Journal journal;
    frameworktest::TestGameLoader loader(journal);
    loader.makeGame = [&journal, &loader] {
        frameworktest::TestGameOptions options;
        options.restoreMessage = loader.GetRestoreMessage();
        return new ReportingGame(journal, loader.GetInstallPath(), options);
    };
    return loader.Run() ? 0 : 1;
}
