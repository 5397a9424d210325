// SPDX-License-Identifier: MIT
#pragma once

#include "GameRun.h"

#include "app/Form1.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The real game, headless, inside the test's process: control lines run one at a time and the
// test reads the game's state between them. It works in a fresh copy of the game folder.
class TGameInProcess {
public:
    // Prepare may put files into the fresh game folder (a Config.cfg) before the game starts;
    // Configure may change the command-line options (the renderer, say) the game starts with.
    explicit TGameInProcess(uint64_t Seed, const std::function<void(const std::filesystem::path&)>& Prepare = {},
                            const std::function<void(TOptions&)>& Configure = {});
    ~TGameInProcess();
    TGameInProcess(const TGameInProcess&) = delete;
    TGameInProcess& operator=(const TGameInProcess&) = delete;

    // False when the graphics device could not come up.
    [[nodiscard]] bool Started() const { return Started_; }
    // Runs one control line; false for a malformed one.
    bool Run(const std::string& Line) { return Form->RunControlLine(Line); }
    [[nodiscard]] uint8_t Screen() const { return Form->State().ScreenState; }
    // Runs frames one at a time until the screen is State; false when it does not come.
    bool WaitFor(uint8_t State, int32_t Frames);
    [[nodiscard]] TForm1& Game() { return *Form; }
    // The temporary data and user folder the game runs in.
    [[nodiscard]] const std::filesystem::path& RunFolder() const { return Folder.Folder(); }
    // Every trace line written so far.
    [[nodiscard]] std::vector<std::string> Trace() const;
    // Runs frames until the board's pieces stand still; false when they never do.
    bool BoardSettled();
    // Makes one swap that forms a line (its clicks); false when the board has no such move.
    bool SwapForLine();
    // In play, once the board is built and still: takes every tile at once and makes one swap
    // that forms a line, which ends the stage. False when the board never settles or has no move.
    bool TakeTilesAndSwap();
    // On the stage-complete screen: presses Enter every frame until the screen leaves (the key
    // counts only once the score and the seconds are counted). False when it stays.
    bool LeaveStageComplete();
    // How many trace lines so far hold Fragment.
    [[nodiscard]] int32_t TraceCount(const std::string& Fragment) const;

private:
    TGameRun Folder;
    std::filesystem::path Before;
    std::unique_ptr<TForm1> Form;
    bool Started_ = false;
};
