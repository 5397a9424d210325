// SPDX-License-Identifier: MIT
#include "GameInProcess.h"
#include "PlayBot.h"

#include "board/GameEngine.h"
#include "board/ScreenState.h"

#include <cstdlib>

namespace fs = std::filesystem;

TGameInProcess::TGameInProcess(uint64_t Seed, const std::function<void(const fs::path&)>& Prepare,
                               const std::function<void(TOptions&)>& Configure) {
    if (Prepare) {
        Prepare(Folder.Folder());
    }
    // A headless run draws offscreen and plays into no device.
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    Before = fs::current_path();
    fs::current_path(Folder.Folder());
    TOptions options;
    options.Headless = true;
    // Unless a test looks at pictures, frames are only recorded.
    options.Renderer = TRenderer::None;
    options.Seed = Seed;
    options.Language = "en";
    options.TraceFile = "trace.txt";
    options.DataDir = Folder.Folder().string();
    options.UserDir = Folder.Folder().string();
    if (Configure) {
        Configure(options);
    }
    Form = std::make_unique<TForm1>(options);
    Started_ = Form->FormCreate();
}

TGameInProcess::~TGameInProcess() {
    Form.reset();
    std::error_code ec;
    fs::current_path(Before, ec);
}

bool TGameInProcess::WaitFor(uint8_t State, int32_t Frames) {
    for (int32_t i = 0; i < Frames && Screen() != State; ++i) {
        Run("frames 1");
    }
    return Screen() == State;
}

std::vector<std::string> TGameInProcess::Trace() const {
    return ReadLines(Folder.Folder() / "trace.txt");
}

int32_t TGameInProcess::TraceCount(const std::string& Fragment) const {
    return CountHolding(Trace(), Fragment);
}

bool TGameInProcess::BoardSettled() {
    const TGameEngine& engine = Form->Engine();
    for (int32_t frame = 0; frame < 2000 && engine.IsBoardBusy(); ++frame) {
        Run("frames 1");
    }
    return !engine.IsBoardBusy();
}

bool TGameInProcess::SwapForLine() {
    TGameEngine& engine = Form->Engine();
    TDumpBoard board(8, std::vector<std::string>(8));
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            board[r][c] = CellDumpText(engine.Cell(c, r));
        }
    }
    const auto swap = FindSwap(board);
    if (!swap) {
        return false;
    }
    for (const std::string& line : SwapClicks(*swap)) {
        Run(line);
    }
    return true;
}

bool TGameInProcess::TakeTilesAndSwap() {
    TGameEngine& engine = Form->Engine();
    const auto tiles = [&engine] {
        int32_t n = 0;
        for (int c = 0; c < 8; ++c) {
            for (int r = 0; r < 8; ++r) {
                n += engine.Cell(c, r).HasLayer;
            }
        }
        return n;
    };
    // The tiles come with the board's first pieces; until then a settled board has none to take.
    for (int32_t frame = 0; frame < 2000 && tiles() == 0; ++frame) {
        Run("frames 1");
    }
    if (!BoardSettled() || Screen() != ssPlaying) {
        return false;
    }
    for (int c = 0; c < 8; ++c) {
        for (int r = 0; r < 8; ++r) {
            engine.ClearLayerAt(c, r);
        }
    }
    return SwapForLine();
}

bool TGameInProcess::LeaveStageComplete() {
    for (int32_t frame = 0; frame < 5000 && Screen() == ssStageComplete; ++frame) {
        Run("key 13");
        Run("frames 1");
    }
    return Screen() != ssStageComplete;
}
