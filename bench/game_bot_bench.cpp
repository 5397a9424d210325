// SPDX-License-Identifier: MIT
// A player bot through the first three stages of the easy game, headless, timed from outside.
//
//   build/bench/game_bot_bench [--benchmark_filter=BotPlay/gl:0]   the game from build/game, or
//   ZIBO_GAME_DIR=/path/to/game build/bench/game_bot_bench
//
// The game runs as a child process (fixed seed, a temporary user folder) with its control
// commands on a pipe (--control -) and its trace on another (--trace -). The bot waits for
// screens by the state its `dump` reports, never by fixed frame counts, and plays as a player
// who asks for the hint: it presses H, and once the hint names a swap it clicks its two cells.
// A stage runs from the first dump on the playing screen to the first on the stage-complete
// screen; the game's CPU time (every thread, the process's CPU clock) is read at those two dumps, while the
// game waits for its next command.
//
// gl:0 runs the recording renderer only: the game's logic and the canvas per frame.
// gl:1 runs it and then OpenGL (Mesa llvmpipe offscreen): drawing = OpenGL less recording.
#include "HeadlessGame.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int Stages = 3;
// A bot that has not finished stage 3 by then has lost its way.
constexpr int FrameLimit = 40000;

// Screens by the number the dump reports.
constexpr int FirstName = 1, MainMenu = 4, Playing = 12, GameOver = 13, Difficulty = 14, StageComplete = 15,
              Story = 27, HowToPlay = 28;

// The key=value fields of a trace line.
std::map<std::string, std::string> Fields(const std::string& Line) {
    std::map<std::string, std::string> Out;
    std::istringstream Words(Line);
    for (std::string Word; Words >> Word;) {
        if (const size_t Eq = Word.find('='); Eq != std::string::npos) {
            Out[Word.substr(0, Eq)] = Word.substr(Eq + 1);
        }
    }
    return Out;
}

int IntField(const std::map<std::string, std::string>& F, const std::string& Key) {
    const auto It = F.find(Key);
    return It == F.end() ? -1 : std::atoi(It->second.c_str());
}

// The centre of the board's cell "C,R" on the 800x600 screen.
std::string CellCentre(const std::string& CellText) {
    int Col = 0, Row = 0;
    if (std::sscanf(CellText.c_str(), "%d,%d", &Col, &Row) != 2) {
        return "0 0";
    }
    return std::to_string(222 + 44 * Col + 22) + " " + std::to_string(138 + 44 * Row + 22);
}

// The game as a child process, commands in and trace out through pipes.
class TBotGame {
public:
    TBotGame(const std::string& Renderer, const fs::path& UserDir) {
        // A game that dies must not take the bot down with it when the bot writes next.
        ::signal(SIGPIPE, SIG_IGN);
        int In[2] = {-1, -1}, Out[2] = {-1, -1};
        if (::pipe2(In, O_CLOEXEC) != 0 || ::pipe2(Out, O_CLOEXEC) != 0) {
            return;
        }
        posix_spawn_file_actions_t Actions;
        posix_spawn_file_actions_init(&Actions);
        posix_spawn_file_actions_adddup2(&Actions, In[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&Actions, Out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&Actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        Pid = SpawnHeadlessGame(Renderer, UserDir, "-", "-", Actions);
        posix_spawn_file_actions_destroy(&Actions);
        ::close(In[0]);
        ::close(Out[1]);
        Commands = ::fdopen(In[1], "w");
        Trace = ::fdopen(Out[0], "r");
    }

    ~TBotGame() {
        if (Commands != nullptr) {
            std::fclose(Commands); // the end of the control input ends a headless run
        }
        if (Trace != nullptr) {
            for (std::string Line; ReadLine(Line);) {
            }
            std::fclose(Trace);
        }
        if (Pid > 0) {
            int Status = 0;
            ::waitpid(Pid, &Status, 0);
        }
    }
    TBotGame(const TBotGame&) = delete;
    TBotGame& operator=(const TBotGame&) = delete;

    [[nodiscard]] bool Started() const { return Pid > 0 && Commands != nullptr && Trace != nullptr; }

    // Sends the commands and a dump, then reads the trace up to the dump's board. Returns the
    // dump's fields (empty when the game has gone); Hint gets the last hint line on the way.
    std::map<std::string, std::string> Step(const std::vector<std::string>& Lines, std::string& Hint) {
        for (const std::string& Line : Lines) {
            std::fputs((Line + "\n").c_str(), Commands);
        }
        std::fputs("dump\n", Commands);
        std::fflush(Commands);
        Hint.clear();
        std::string Line;
        while (ReadLine(Line)) {
            if (Line.find(" hint ") != std::string::npos) {
                Hint = Line;
            } else if (Line.find(" dump ") != std::string::npos) {
                for (int Row = 0; Row < 8; ++Row) {
                    std::string Board;
                    if (!ReadLine(Board)) {
                        return {};
                    }
                }
                return Fields(Line);
            }
        }
        return {};
    }

    // CPU seconds the game has used so far, every thread (user and system).
    [[nodiscard]] double CpuSeconds() const {
        clockid_t Clock{};
        timespec Used{};
        if (::clock_getcpuclockid(Pid, &Clock) != 0 || ::clock_gettime(Clock, &Used) != 0) {
            return 0;
        }
        return static_cast<double>(Used.tv_sec) + static_cast<double>(Used.tv_nsec) * 1e-9;
    }

private:
    bool ReadLine(std::string& Line) {
        char* Buffer = nullptr;
        size_t Size = 0;
        const ssize_t Got = ::getline(&Buffer, &Size, Trace);
        if (Got > 0) {
            Line.assign(Buffer, static_cast<size_t>(Got));
        }
        std::free(Buffer);
        return Got > 0;
    }

    pid_t Pid = -1;
    FILE* Commands = nullptr;
    FILE* Trace = nullptr;
};

struct TStageRun {
    int Frames = 0;
    double CpuSeconds = 0;
};

struct TBotRun {
    std::string Error; // empty when stage 3 was finished
    std::array<TStageRun, Stages> Stage{};
};

// The commands for one screen the dump shows; Hint is the hint line the last step traced.
std::vector<std::string> NextCommands(int State, const std::string& Hint) {
    switch (State) {
    case FirstName:
        return {"type Bot", "frames 2", "key 13", "frames 5"};
    case MainMenu:
        return {"click 600 296", "frames 5"}; // a new game
    case Difficulty:
        return {"click 600 268", "frames 5"}; // easy
    case Story:
    case HowToPlay:
        return {"key 27", "frames 5"};
    case StageComplete:
        return {"key 13", "frames 10"}; // taken once the score has been counted
    case Playing:
        if (!Hint.empty()) {
            // A piece knows it is under the pointer only a frame after the pointer came.
            const auto F = Fields(Hint);
            const std::string From = CellCentre(F.at("from")), To = CellCentre(F.at("to"));
            return {"move " + From, "frames 1",    "click " + From, "move " + To,
                    "frames 1",     "click " + To, "key 72",        "frames 4"};
        }
        return {"key 72", "frames 4"}; // shown once the pieces have settled
    default:
        return {"frames 10"};
    }
}

// One game from a fresh profile through the end of stage 3.
TBotRun PlayStages(const std::string& Renderer) {
    TBotRun Run;
    char Template[] = "/tmp/zibo-bot-XXXXXX";
    if (::mkdtemp(Template) == nullptr) {
        Run.Error = "no temporary folder";
        return Run;
    }
    {
        TBotGame Game(Renderer, Template);
        if (!Game.Started()) {
            Run.Error = "the game did not start (ZIBO_GAME_DIR?)";
        }
        std::string Hint;
        std::map<std::string, std::string> Dump = Game.Started() ? Game.Step({}, Hint) : decltype(Dump){};
        int StageStartFrame = -1;
        double StageStartCpu = 0;
        while (Run.Error.empty()) {
            if (Dump.empty()) {
                Run.Error = "the game stopped answering";
                break;
            }
            const int Frame = IntField(Dump, "frame"), State = IntField(Dump, "state");
            const int Stage = IntField(Dump, "stage");
            if (Frame > FrameLimit) {
                Run.Error = "stage 3 not finished within the frame limit";
                break;
            }
            if (State == GameOver) {
                Run.Error = "the bot ran out of time in stage " + std::to_string(Stage);
                break;
            }
            if (State == Playing && StageStartFrame < 0) {
                StageStartFrame = Frame;
                StageStartCpu = Game.CpuSeconds();
            }
            if (State == StageComplete && StageStartFrame >= 0 && Stage >= 1 && Stage <= Stages) {
                Run.Stage[Stage - 1] = {Frame - StageStartFrame, Game.CpuSeconds() - StageStartCpu};
                StageStartFrame = -1;
                if (Stage == Stages) {
                    break;
                }
            }
            Dump = Game.Step(NextCommands(State, Hint), Hint);
        }
    }
    std::error_code Ignored;
    fs::remove_all(Template, Ignored);
    return Run;
}

int PlayFrames(const TBotRun& Run) {
    int Frames = 0;
    for (const TStageRun& S : Run.Stage) {
        Frames += S.Frames;
    }
    return Frames;
}

double PlayCpu(const TBotRun& Run) {
    double Cpu = 0;
    for (const TStageRun& S : Run.Stage) {
        Cpu += S.CpuSeconds;
    }
    return Cpu;
}

// Frames and CPU per frame of the three stages; with gl:1 the drawing's share too.
void BotPlay(benchmark::State& State) {
    const bool WithDrawing = State.range(0) != 0;
    std::array<double, Stages> Frames{};
    double Logic = 0, Drawing = 0;
    for (auto _ : State) {
        const auto Start = std::chrono::steady_clock::now();
        const TBotRun Recorded = PlayStages("none");
        if (!Recorded.Error.empty()) {
            State.SkipWithError(("recording renderer: " + Recorded.Error).c_str());
            return;
        }
        const double LogicUs = PlayCpu(Recorded) * 1e6 / PlayFrames(Recorded);
        Logic += LogicUs;
        for (int S = 0; S < Stages; ++S) {
            Frames[S] += Recorded.Stage[S].Frames;
        }
        if (WithDrawing) {
            const TBotRun Drawn = PlayStages("gl");
            if (!Drawn.Error.empty()) {
                State.SkipWithError(("OpenGL: " + Drawn.Error).c_str());
                return;
            }
            if (PlayFrames(Drawn) != PlayFrames(Recorded)) {
                State.SkipWithError("the two renderers' games took different frames");
                return;
            }
            Drawing += PlayCpu(Drawn) * 1e6 / PlayFrames(Drawn) - LogicUs;
        }
        State.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count());
    }
    for (int S = 0; S < Stages; ++S) {
        State.counters["stage" + std::to_string(S + 1) + "_frames"] =
            benchmark::Counter(Frames[S], benchmark::Counter::kAvgIterations);
    }
    State.counters["logic_us_per_frame"] = benchmark::Counter(Logic, benchmark::Counter::kAvgIterations);
    if (WithDrawing) {
        State.counters["drawing_us_per_frame"] =
            benchmark::Counter(Drawing, benchmark::Counter::kAvgIterations);
    }
}
BENCHMARK(BotPlay)->Arg(0)->Arg(1)->ArgName("gl")->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
