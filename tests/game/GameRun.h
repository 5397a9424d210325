// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

// Runs the real game headless in a fresh temporary folder that is its working folder, its data
// folder (a copy of the game folder's data) and its user folder (its own "Config.cfg"), with a
// control script, and reads back the trace.
class TGameRun {
public:
    TGameRun();
    ~TGameRun();
    TGameRun(const TGameRun&) = delete;
    TGameRun& operator=(const TGameRun&) = delete;

    // The working folder; tests may put files there (Config.cfg, play.url, ...) before Run.
    [[nodiscard]] const std::filesystem::path& Folder() const { return Dir; }

    // The locale variables the game starts with (the others of LANGUAGE, LC_ALL and LC_MESSAGES
    // are unset): "LANG=C.UTF-8" unless a test asks for another, so the game speaks English.
    void SetLocale(std::string Assignments) { Locale = std::move(Assignments); }

    // Runs the game with the commands (one per line) and extra options; returns its exit code.
    // Frames are only recorded (--renderer none) unless the extra options ask for gl.
    int Run(const std::vector<std::string>& Commands, uint64_t Seed = 1, const std::string& ExtraOptions = "");

    // Every trace line, in order.
    [[nodiscard]] const std::vector<std::string>& Lines() const { return TraceLines; }
    // The trace lines of one event ("enter", "sound", ...).
    [[nodiscard]] std::vector<std::string> Events(const std::string& Event) const;
    // How many trace lines hold Fragment.
    [[nodiscard]] int32_t Count(const std::string& Fragment) const;
    [[nodiscard]] bool Has(const std::string& Fragment) const { return Count(Fragment) > 0; }
    // The key=value fields of a trace line.
    [[nodiscard]] static std::map<std::string, std::string> Fields(const std::string& Line);
    // The fields of the last "dump" line, and its board as [row][column] "K.B.L" cells.
    [[nodiscard]] std::map<std::string, std::string> LastDump() const;
    [[nodiscard]] std::vector<std::vector<std::string>> LastBoard() const;
    // Standard error of the run.
    [[nodiscard]] const std::string& Errors() const { return ErrorText; }

private:
    std::filesystem::path Dir;
    std::string Locale = "LANG=C.UTF-8";
    std::vector<std::string> TraceLines;
    std::string ErrorText;
};

// Every line of a text file (a trace), in order; none when it cannot be read.
[[nodiscard]] std::vector<std::string> ReadLines(const std::filesystem::path& File);
// How many of Lines hold Fragment.
[[nodiscard]] int32_t CountHolding(const std::vector<std::string>& Lines, const std::string& Fragment);

// What a program printed and how it ended.
struct TProgramRun {
    int Exit = -1; // -1 when it did not exit normally
    std::string Out;
    std::string Err;
};
// Runs a shell command line (programs quoted by the caller) in Folder, capturing its output
// through files in Folder.
[[nodiscard]] TProgramRun RunProgram(const std::string& CommandLine, const std::filesystem::path& Folder);
// Single-quotes a word for the shell.
[[nodiscard]] std::string ShellQuote(const std::string& Word);

// Copies the screenshots Names of a run (or of a run folder) into the build folder's "gallery"
// folder as Prefix + name, so a reviewer finds every screen the tests photographed in one place;
// the gallery walk (tests/game/GalleryTest.cpp) and scripts/gallery lay them all out on one
// contact sheet there ("contact-sheet.png").
void KeepInGallery(const TGameRun& Run, const std::vector<std::string>& Names, const std::string& Prefix);
void KeepInGallery(const std::filesystem::path& RunFolder, const std::vector<std::string>& Names,
                   const std::string& Prefix);

// The commands that take a fresh start past the logo and the first-run name entry to the
// main menu (the name typed is "Tester").
[[nodiscard]] std::vector<std::string> ToMainMenu();

// Writes a Config.cfg into Folder with one profile, "Tester", and a hard table low enough that a
// score of 0 enters it at the top.
void WriteLowHardTable(const std::filesystem::path& Folder);
// The same with another player's name (code page 1251).
void WriteLowHardTableFor(const std::filesystem::path& Folder, const std::string& Player);

// After WriteLowHardTable: a hard game whose clock runs out without a move, the country
// "Россия" typed, up to the click on "send the score".
[[nodiscard]] std::vector<std::string> HardGameToScoreSent();
