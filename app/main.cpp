// SPDX-License-Identifier: MIT
#include "app/Form1.h"
#include "app/Options.h"
#include "platform/Memory.h"
#include "platform/QuitSignals.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::string error;
    const auto options = ParseOptions(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "zibo: %s\n%s", error.c_str(), UsageText().c_str());
        return 2;
    }
    if (options->Help) {
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    }
    if (options->Version) {
        std::printf("%s\n", VersionText().c_str());
        return 0;
    }
    if (options->Headless) {
        // A headless run draws offscreen and plays into no device.
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    KeepLargeBlocksOutOfTheHeap();
    // From the start: a logout during loading still ends the game in good order.
    InstallQuitSignals();
    TForm1 form(*options);
    if (!form.FormCreate()) {
        return 1;
    }
    const int code = form.Run();
    if (QuitSignal() != 0) {
        // A logout does not wait for every picture and sound to be freed one by one: the
        // settings are on the disk and the trace is flushed, so the process ends here.
        std::fflush(nullptr);
        std::_Exit(code);
    }
    return code;
}
