// SPDX-License-Identifier: MIT
#include "GameRun.h"

#include "screens/Settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

TGameRun::TGameRun() {
    static int counter = 0;
    Dir = fs::temp_directory_path() /
          ("zibo-run-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(Dir);
    fs::create_directories(Dir);
    const fs::path game = ZIBO_GAME_DIR;
    for (const char* sub : {"Data", "Sounds", "wdata", "locale"}) {
        if (fs::exists(game / sub)) {
            fs::copy(game / sub, Dir / sub, fs::copy_options::recursive);
        }
    }
}

TGameRun::~TGameRun() {
    std::error_code ec;
    fs::remove_all(Dir, ec);
}

int TGameRun::Run(const std::vector<std::string>& Commands, uint64_t Seed, const std::string& ExtraOptions) {
    const fs::path control = Dir / "control.txt";
    {
        std::ofstream out(control);
        for (const std::string& c : Commands) {
            out << c << "\n";
        }
    }
    const fs::path trace = Dir / "trace.txt";
    const fs::path errors = Dir / "errors.txt";
    const std::string command = "cd '" + Dir.string() + "' && env -u LANGUAGE -u LC_ALL -u LC_MESSAGES " +
                                Locale + " '" +
                                (fs::path(ZIBO_GAME_DIR) / "zibo").string() + "' --headless --seed " +
                                std::to_string(Seed) + " --data-dir . --user-dir . --renderer none --control control.txt --trace trace.txt " +
                                ExtraOptions + " 2> errors.txt";
    const int status = std::system(command.c_str());
    TraceLines = ReadLines(trace);
    std::ifstream err(errors);
    ErrorText.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> TGameRun::Events(const std::string& Event) const {
    std::vector<std::string> out;
    for (const std::string& line : TraceLines) {
        const size_t space = line.find(' ');
        if (space != std::string::npos && line.compare(space + 1, Event.size() + 1, Event + " ") == 0) {
            out.push_back(line);
        } else if (space != std::string::npos && line.substr(space + 1) == Event) {
            out.push_back(line);
        }
    }
    return out;
}

int32_t TGameRun::Count(const std::string& Fragment) const {
    return CountHolding(TraceLines, Fragment);
}

std::vector<std::string> ReadLines(const fs::path& File) {
    std::vector<std::string> lines;
    std::ifstream in(File);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

int32_t CountHolding(const std::vector<std::string>& Lines, const std::string& Fragment) {
    int32_t n = 0;
    for (const std::string& line : Lines) {
        n += line.find(Fragment) != std::string::npos;
    }
    return n;
}

std::map<std::string, std::string> TGameRun::Fields(const std::string& Line) {
    std::map<std::string, std::string> out;
    size_t i = 0;
    while (i < Line.size()) {
        const size_t eq = Line.find('=', i);
        const size_t space = Line.find(' ', i);
        if (eq == std::string::npos) {
            break;
        }
        if (space != std::string::npos && space < eq) {
            i = space + 1;
            continue;
        }
        const std::string key = Line.substr(i, eq - i);
        std::string value;
        size_t j = eq + 1;
        if (j < Line.size() && Line[j] == '"') {
            for (++j; j < Line.size() && Line[j] != '"'; ++j) {
                if (Line[j] == '\\' && j + 1 < Line.size()) {
                    ++j;
                }
                value.push_back(Line[j]);
            }
            ++j;
        } else {
            while (j < Line.size() && Line[j] != ' ') {
                value.push_back(Line[j++]);
            }
        }
        out[key] = value;
        i = j + 1;
    }
    return out;
}

std::map<std::string, std::string> TGameRun::LastDump() const {
    const std::vector<std::string> dumps = Events("dump");
    return dumps.empty() ? std::map<std::string, std::string>{} : Fields(dumps.back());
}

std::vector<std::vector<std::string>> TGameRun::LastBoard() const {
    std::vector<std::vector<std::string>> rows;
    const std::vector<std::string> lines = Events("board");
    const size_t start = lines.size() >= 8 ? lines.size() - 8 : 0;
    for (size_t i = start; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        std::istringstream cells(line.substr(line.find("cells=") + 6));
        std::vector<std::string> row;
        for (std::string cell; cells >> cell;) {
            row.push_back(cell);
        }
        rows.push_back(row);
    }
    return rows;
}

namespace {
std::string ReadAll(const fs::path& File) {
    std::ifstream in(File, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
} // namespace

TProgramRun RunProgram(const std::string& CommandLine, const fs::path& Folder) {
    const fs::path out = Folder / "program-out.txt";
    const fs::path err = Folder / "program-err.txt";
    const std::string command = "cd " + ShellQuote(Folder.string()) + " && " + CommandLine + " > " +
                                ShellQuote(out.string()) + " 2> " + ShellQuote(err.string());
    const int status = std::system(command.c_str());
    TProgramRun run;
    run.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Out = ReadAll(out);
    run.Err = ReadAll(err);
    std::error_code ec;
    fs::remove(out, ec);
    fs::remove(err, ec);
    return run;
}

std::string ShellQuote(const std::string& Word) {
    std::string quoted = "'";
    for (const char c : Word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

void KeepInGallery(const TGameRun& Run, const std::vector<std::string>& Names, const std::string& Prefix) {
    KeepInGallery(Run.Folder(), Names, Prefix);
}

void KeepInGallery(const fs::path& RunFolder, const std::vector<std::string>& Names, const std::string& Prefix) {
    const fs::path gallery = fs::path(ZIBO_BINARY_DIR) / "gallery";
    std::error_code ec;
    fs::create_directories(gallery, ec);
    for (const std::string& name : Names) {
        fs::copy_file(RunFolder / name, gallery / (Prefix + name), fs::copy_options::overwrite_existing, ec);
    }
}

std::vector<std::string> ToMainMenu() {
    return {"frames 390", "type Tester", "frames 2", "key 13", "frames 5"};
}

std::vector<std::string> HardGameToScoreSent() {
    return {"frames 390", "click 600 295", "frames 5", "click 600 376", "frames 100", "key 27",
            "frames 200", "click 502 504", "frames 2000", "key 13", "frames 5", "type Россия",
            "frames 2", "key 13", "frames 5", "click 325 366"};
}

void WriteLowHardTable(const fs::path& Folder) { WriteLowHardTableFor(Folder, "Tester"); }

void WriteLowHardTableFor(const fs::path& Folder, const std::string& Player) {
    TSettings settings;
    ResetHighScores(settings);
    AddProfile(settings, Player);
    for (THighScoreRow& row : settings.HighScores[2]) {
        row.Name = "Nobody";
        row.Score = "0";
    }
    SaveConfig((Folder / "Config.cfg").string(), settings);
}
