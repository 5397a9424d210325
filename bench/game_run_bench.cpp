// SPDX-License-Identifier: MIT
// The whole game, headless, timed from outside: each run is a child process (fixed seed, a
// temporary user folder, a control script) whose CPU time (every thread) the kernel reports
// when it ends.
//
//   build/bench/game_run_bench [--benchmark_filter=...]      the game from build/game, or
//   ZIBO_GAME_DIR=/path/to/game build/bench/game_run_bench
//
// Start: exec to the end of the first frame (every archive loaded) and exec to the main menu.
// Play:  CPU per frame of a stage of play (blind swaps across the board), the cost of the run
//        up to the stage taken off; with the recording renderer ("none") that is the game's
//        logic and the canvas, with OpenGL (llvmpipe) the drawing too, so the difference is
//        the drawing.
#include "HeadlessGame.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int PlayFrames = 2000;

// The control lines that reach the main menu of a fresh profile: the logo, a player's name.
std::vector<std::string> ToMainMenu() {
    return {"frames 390", "type Bench", "frames 2", "key 13", "frames 105"};
}

// From the main menu into stage 1 of the easy game, past the story and how to play.
std::vector<std::string> ToPlay() {
    std::vector<std::string> Lines = ToMainMenu();
    for (const char* Line : {"click 600 296", "frames 5", "click 600 268", "frames 105", "key 13", "frames 3",
                             "key 13", "frames 501", "key 27", "frames 150"}) {
        Lines.emplace_back(Line);
    }
    return Lines;
}

// Frames of play: swaps of neighbouring cells across the whole board, one every 25 frames.
std::vector<std::string> Play(int Frames) {
    std::vector<std::string> Lines;
    int Step = 0;
    for (int Done = 0; Done < Frames; Done += 25, ++Step) {
        const int Col = (Step * 3) % 7;
        const int Row = (Step * 5) % 8;
        const int X = 244 + 44 * Col;
        const int Y = 160 + 44 * Row;
        Lines.push_back("click " + std::to_string(X) + " " + std::to_string(Y));
        Lines.push_back("click " + std::to_string(X + 44) + " " + std::to_string(Y));
        Lines.push_back("frames " + std::to_string(std::min(25, Frames - Done)));
    }
    return Lines;
}

struct TRun {
    bool Ok = false;
    double WallSeconds = 0;
    double CpuSeconds = 0;
};

// One headless game over the control lines; the renderer is "gl" or "none".
TRun RunGame(const std::vector<std::string>& Lines, const std::string& Renderer) {
    TRun Result;
    char Template[] = "/tmp/zibo-bench-XXXXXX";
    if (::mkdtemp(Template) == nullptr) {
        return Result;
    }
    const fs::path Work = Template;
    {
        std::ofstream Control(Work / "control.txt");
        for (const std::string& Line : Lines) {
            Control << Line << '\n';
        }
        Control << "quit\n";
    }
    posix_spawn_file_actions_t Actions;
    posix_spawn_file_actions_init(&Actions);
    posix_spawn_file_actions_addopen(&Actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&Actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const auto Start = std::chrono::steady_clock::now();
    const pid_t Pid = SpawnHeadlessGame(Renderer, Work, (Work / "control.txt").string(), "/dev/null", Actions);
    posix_spawn_file_actions_destroy(&Actions);
    if (Pid > 0) {
        int Status = 0;
        rusage Usage{};
        if (::wait4(Pid, &Status, 0, &Usage) == Pid) {
            Result.WallSeconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
            const auto Seconds = [](const timeval& T) {
                return static_cast<double>(T.tv_sec) + T.tv_usec * 1e-6;
            };
            Result.CpuSeconds = Seconds(Usage.ru_utime) + Seconds(Usage.ru_stime);
            Result.Ok = WIFEXITED(Status) && WEXITSTATUS(Status) == 0;
        }
    }
    std::error_code Ignored;
    fs::remove_all(Work, Ignored);
    return Result;
}

// Runs the script once per iteration; the iteration's time is the game's wall time, and the
// CPU seconds per run go into the "cpu_s" counter.
void TimeRuns(benchmark::State& State, const std::vector<std::string>& Lines, const std::string& Renderer) {
    double Cpu = 0;
    for (auto _ : State) {
        const TRun Run = RunGame(Lines, Renderer);
        if (!Run.Ok) {
            State.SkipWithError("the game did not run to its end (ZIBO_GAME_DIR?)");
            return;
        }
        State.SetIterationTime(Run.WallSeconds);
        Cpu += Run.CpuSeconds;
    }
    State.counters["cpu_s"] = benchmark::Counter(Cpu, benchmark::Counter::kAvgIterations);
}

const char* RendererOf(const benchmark::State& State) {
    return State.range(0) == 0 ? "none" : "gl";
}

// Exec to the end of the first frame: every archive loaded, the logo drawn once.
void StartToFirstFrame(benchmark::State& State) {
    TimeRuns(State, {"frames 1"}, RendererOf(State));
}
BENCHMARK(StartToFirstFrame)->Arg(0)->Arg(1)->ArgName("gl")->UseManualTime()->Unit(benchmark::kMillisecond);

// Exec to the main menu: the logo's 385 frames (virtual time, no waiting) and the name form.
void StartToMainMenu(benchmark::State& State) {
    TimeRuns(State, ToMainMenu(), RendererOf(State));
}
BENCHMARK(StartToMainMenu)->Arg(0)->Arg(1)->ArgName("gl")->UseManualTime()->Unit(benchmark::kMillisecond);

// CPU microseconds per frame of play: the run with PlayFrames frames of play less the run
// that stops where play begins.
void PlayFrame(benchmark::State& State) {
    const std::string Renderer = RendererOf(State);
    std::vector<std::string> Lines = ToPlay();
    const TRun Lead = RunGame(Lines, Renderer);
    if (!Lead.Ok) {
        State.SkipWithError("the game did not run to its end (ZIBO_GAME_DIR?)");
        return;
    }
    const std::vector<std::string> More = Play(PlayFrames);
    Lines.insert(Lines.end(), More.begin(), More.end());
    double Cpu = 0;
    for (auto _ : State) {
        const TRun Run = RunGame(Lines, Renderer);
        if (!Run.Ok) {
            State.SkipWithError("the game did not run to its end");
            return;
        }
        State.SetIterationTime(std::max(0.0, Run.WallSeconds - Lead.WallSeconds) / PlayFrames);
        Cpu += std::max(0.0, Run.CpuSeconds - Lead.CpuSeconds) * 1e6 / PlayFrames;
    }
    State.counters["cpu_us_per_frame"] = benchmark::Counter(Cpu, benchmark::Counter::kAvgIterations);
}
BENCHMARK(PlayFrame)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("gl")
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(3);

} // namespace

BENCHMARK_MAIN();
