// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// Everything the game remembers between runs: switches, volumes, the country, the player
// profiles, the three high-score tables and the reserved key codes. Owned by the main
// window; the screens read and change it directly.

constexpr int32_t MaxPlayers = 10;
constexpr int32_t MaxKeyCodes = 21;
constexpr int32_t HighScoreRows = 10;
constexpr int32_t DifficultyCount = 3;

struct THighScoreRow {
    std::string Place;
    std::string Name;
    std::string Score;
    friend bool operator==(const THighScoreRow&, const THighScoreRow&) = default;
};

struct TSettings {
    bool FullScreen = false;
    bool Antialias = true;
    int32_t MusicVolume = 250;
    int32_t SoundVolume = 250;
    std::string Country;
    std::string PlayerName;
    // [difficulty 0..2][row 0..9]; row 0 is the best.
    std::array<std::array<THighScoreRow, HighScoreRows>, DifficultyCount> HighScores;
    int32_t PlayerCount = 0;
    int32_t CurrentPlayer = 0;
    std::array<std::string, MaxPlayers> Players;
    std::vector<int32_t> KeyCodes{39, 37, 32, 38};
    // The language the player chose in Options ("ru", "en", ...); empty: the desktop's.
    std::string Language;
    // The hint shows by itself after a while without a move.
    bool AutoHint = false;
    friend bool operator==(const TSettings&, const TSettings&) = default;
};

// A failed create or write of the settings file; Error is the system's errno value.
class EInOutError : public std::runtime_error {
public:
    EInOutError(const std::string& Message, int Error) : std::runtime_error(Message), Error(Error) {}
    int Error;
};

// Every row of the three tables: place "1".."10", name "Вулко", 1000 down to 100 points.
void ResetHighScores(TSettings& Settings);

// Writes the file through a temporary file that reaches the disk before it is renamed over
// the file, so a failed or interrupted save never loses the previous file. Throws EInOutError
// when the file cannot be written.
void SaveConfig(const std::string& FileName, const TSettings& Settings);

// Reads the file over the values already in Settings (the defaults). A missing or empty file
// changes nothing. A number line that does not read as a number stops the reading and keeps the
// values of the remaining fields; counts are capped at the list sizes and CurrentPlayer is
// kept inside the profile list.
void LoadConfig(const std::string& FileName, TSettings& Settings);

// The text of one settings line before encoding, and the line itself, for tests and tools.
[[nodiscard]] std::vector<std::string> ConfigLines(const TSettings& Settings);

// Puts a finished game's score into the table of its difficulty (0..2): the first row whose
// score is less than or equal to it gives the place; rows below move down. Gives the row it
// took (0 the top), or -1 when the score is below every row.
int32_t InsertHighScore(TSettings& Settings, int32_t Score, int32_t Difficulty, const std::string& PlayerName);

// Spaces (code 32) removed from the start and then from the end.
[[nodiscard]] std::string TrimName(const std::string& Name);

// Adds a profile (the caller has checked there is room and the name is not empty) and makes
// it the current one.
void AddProfile(TSettings& Settings, const std::string& Name);
// Removes the current profile; the following one becomes current (or the one before when the
// last was removed).
void DeleteCurrentProfile(TSettings& Settings);
