// SPDX-License-Identifier: MIT
#include "screens/Settings.h"

#include "screens/GameTexts.h"

#include "platform/DurableFile.h"
#include "screens/LineCode.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {
constexpr const char* kCrLf = "\r\n";
// The settings file holds a few kilobytes; anything past a mebibyte is not one (and a device
// such as /dev/zero would never end).
constexpr std::streamsize kMaxConfigBytes = 1024 * 1024;

std::string NumberText(int64_t Value) { return std::to_string(Value); }

// A line whose decoded text (less its '%' ending) is a decimal number that fits 32 bits. A
// line written without padding decodes with a code 0 in front; that is tolerated.
bool ParseNumber(const std::string& Text, int32_t& Value) {
    std::string t = StripPercent(Text);
    t.erase(0, t.find_first_not_of('\0'));
    if (t.empty()) {
        return false;
    }
    int32_t v = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (ec != std::errc() || end != t.data() + t.size()) {
        return false;
    }
    Value = v;
    return true;
}

bool IsScoreText(const std::string& Text) {
    if (Text.empty() || Text.size() > 9) {
        return false;
    }
    for (const char c : Text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// Reads the file's lines (CR LF or LF); reading past the end gives empty lines.
class TLineReader {
public:
    explicit TLineReader(std::istream& In) {
        std::string line;
        while (std::getline(In, line)) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            Lines.push_back(std::move(line));
        }
    }
    [[nodiscard]] bool Empty() const { return Lines.empty(); }
    std::string Next() { return Index < Lines.size() ? DecodeLine(Lines[Index++]) : (++Index, std::string()); }
    // Passes over Count lines. Past the last line every line reads empty, so a count larger
    // than the file stops at its end instead of walking through lines that are not there.
    void Skip(int32_t Count) {
        const size_t left = Index < Lines.size() ? Lines.size() - Index : 0;
        Index += std::min(static_cast<size_t>(std::max(Count, 0)), left);
    }

private:
    std::vector<std::string> Lines;
    size_t Index = 0;
};

// The padded, encoded value lines of the file, in order.
void AppendLines(const TSettings& S, std::vector<std::string>& Out) {
    Out.push_back(S.FullScreen ? "true" : "false");
    Out.push_back(S.Antialias ? "true" : "false");
    Out.push_back(PadPercent(NumberText(S.MusicVolume), 10));
    Out.push_back(PadPercent(NumberText(S.SoundVolume), 10));
    Out.push_back(PadPercent(S.Country, 5));
    Out.push_back(PadPercent(S.PlayerName, 5));
    for (const auto& table : S.HighScores) {
        for (const THighScoreRow& row : table) {
            Out.push_back(PadPercent(row.Name, 5));
            Out.push_back(PadPercent(row.Score, 5));
        }
    }
    const int32_t count = std::clamp(S.PlayerCount, 0, MaxPlayers);
    Out.push_back(PadPercent(NumberText(count), 10));
    Out.push_back(PadPercent(NumberText(S.CurrentPlayer), 10));
    for (int32_t i = 0; i < count; ++i) {
        Out.push_back(PadPercent(S.Players[static_cast<size_t>(i)], 10));
    }
    const size_t keys = std::min(S.KeyCodes.size(), static_cast<size_t>(MaxKeyCodes));
    Out.push_back(PadPercent(NumberText(static_cast<int64_t>(keys)), 10));
    for (size_t i = 0; i < keys; ++i) {
        Out.push_back(PadPercent(NumberText(S.KeyCodes[i]), 10));
    }
    // Lines added after the key codes; older builds stop reading before them.
    Out.push_back(PadPercent(S.Language, 5));
    Out.push_back(PadPercent(S.AutoHint ? "true" : "false", 5));
}

void ReadHighScores(TLineReader& In, TSettings& S) {
    for (auto& table : S.HighScores) {
        for (THighScoreRow& row : table) {
            const std::string name = StripPercent(In.Next());
            if (!name.empty()) {
                row.Name = name;
            }
            const std::string score = StripPercent(In.Next());
            if (IsScoreText(score)) {
                row.Score = score;
            }
        }
    }
}

// The profile list and the key codes; false when a number line does not read.
bool ReadProfilesAndKeys(TLineReader& In, TSettings& S) {
    int32_t count = 0;
    int32_t current = 0;
    if (!ParseNumber(In.Next(), count)) {
        return false;
    }
    const bool currentOk = ParseNumber(In.Next(), current);
    S.PlayerCount = std::clamp(count, 0, MaxPlayers);
    S.CurrentPlayer = currentOk ? std::clamp(current, 0, std::max(S.PlayerCount - 1, 0)) : 0;
    for (int32_t i = 0; i < S.PlayerCount; ++i) {
        S.Players[static_cast<size_t>(i)] = StripPercent(In.Next());
    }
    // Profiles past the cap are still in the file: skip their lines.
    In.Skip(count - S.PlayerCount);
    if (!currentOk) {
        return false;
    }
    int32_t keyCount = 0;
    if (!ParseNumber(In.Next(), keyCount) || keyCount < 0) {
        return false;
    }
    std::vector<int32_t> codes;
    for (int32_t i = 0; i < std::min(keyCount, MaxKeyCodes); ++i) {
        int32_t code = 0;
        if (!ParseNumber(In.Next(), code)) {
            return false;
        }
        if (code > 0 && code < 256) {
            codes.push_back(code);
        }
    }
    S.KeyCodes = std::move(codes);
    In.Skip(keyCount - std::min(keyCount, MaxKeyCodes));
    return true;
}
} // namespace

void ResetHighScores(TSettings& Settings) {
    for (auto& table : Settings.HighScores) {
        for (int32_t j = 1; j <= HighScoreRows; ++j) {
            THighScoreRow& row = table[static_cast<size_t>(j - 1)];
            row.Place = std::to_string(j);
            row.Name = "\xC2\xF3\xEB\xEA\xEE"; // "Вулко" in code page 1251
            row.Score = std::to_string(1100 - 100 * j);
        }
    }
}

std::vector<std::string> ConfigLines(const TSettings& Settings) {
    std::vector<std::string> lines;
    AppendLines(Settings, lines);
    return lines;
}

void SaveConfig(const std::string& FileName, const TSettings& Settings) {
    std::string text;
    for (const std::string& line : ConfigLines(Settings)) {
        text += EncodeLine(line);
        text += kCrLf;
    }
    if (const int error = ReplaceFileDurably(FileName, text); error != 0) {
        throw EInOutError("cannot write " + FileName + ": " + std::strerror(error), error);
    }
}

void LoadConfig(const std::string& FileName, TSettings& Settings) {
    std::ifstream file(FileName, std::ios::binary);
    if (!file) {
        return;
    }
    // One byte past the limit tells an oversized file from one of exactly the limit.
    std::string text(static_cast<size_t>(kMaxConfigBytes) + 1, '\0');
    file.read(text.data(), kMaxConfigBytes + 1);
    if (file.gcount() > kMaxConfigBytes) {
        std::fprintf(stderr, "%s is larger than a settings file can be; the defaults are kept\n",
                     FileName.c_str());
        return;
    }
    text.resize(static_cast<size_t>(file.gcount()));
    std::istringstream content(text);
    TLineReader in(content);
    // An empty file (a save cut short by a power cut on a system that lost it) holds nothing;
    // read as lines it would switch full screen on.
    if (in.Empty()) {
        return;
    }
    TSettings& s = Settings;
    s.FullScreen = in.Next() != "false";
    s.Antialias = in.Next() != "false";
    int32_t volume = 0;
    if (!ParseNumber(in.Next(), volume)) {
        return;
    }
    s.MusicVolume = std::clamp(volume, 0, 250);
    if (!ParseNumber(in.Next(), volume)) {
        return;
    }
    s.SoundVolume = std::clamp(volume, 0, 250);
    s.Country = StripPercent(in.Next());
    s.PlayerName = StripPercent(in.Next());
    ReadHighScores(in, s);
    if (!ReadProfilesAndKeys(in, s)) {
        return;
    }
    // A file of an older build ends here: the language stays the desktop's.
    if (const std::string language = StripPercent(in.Next()); IsLanguageCode(language)) {
        s.Language = language;
    }
    // A file without the hint's line keeps the hint on the key alone.
    s.AutoHint = StripPercent(in.Next()) == "true";
}

int32_t InsertHighScore(TSettings& Settings, int32_t Score, int32_t Difficulty, const std::string& PlayerName) {
    if (Difficulty < 0 || Difficulty >= DifficultyCount) {
        return -1;
    }
    auto& table = Settings.HighScores[static_cast<size_t>(Difficulty)];
    for (size_t p = 0; p < table.size(); ++p) {
        int64_t stored = 0;
        std::from_chars(table[p].Score.data(), table[p].Score.data() + table[p].Score.size(), stored);
        if (stored <= Score) {
            for (size_t r = table.size() - 1; r > p; --r) {
                table[r].Name = table[r - 1].Name;
                table[r].Score = table[r - 1].Score;
            }
            table[p].Name = PlayerName;
            table[p].Score = std::to_string(Score);
            return static_cast<int32_t>(p);
        }
    }
    return -1;
}

std::string TrimName(const std::string& Name) {
    const size_t first = Name.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    const size_t last = Name.find_last_not_of(' ');
    return Name.substr(first, last - first + 1);
}

void AddProfile(TSettings& Settings, const std::string& Name) {
    if (Settings.PlayerCount >= MaxPlayers) {
        return;
    }
    Settings.Players[static_cast<size_t>(Settings.PlayerCount)] = Name;
    ++Settings.PlayerCount;
    Settings.CurrentPlayer = Settings.PlayerCount - 1;
    Settings.PlayerName = Name;
}

void DeleteCurrentProfile(TSettings& Settings) {
    TSettings& s = Settings;
    if (s.PlayerCount <= 0 || s.CurrentPlayer < 0 || s.CurrentPlayer >= s.PlayerCount) {
        return;
    }
    if (s.CurrentPlayer == s.PlayerCount - 1) {
        s.Players[static_cast<size_t>(s.CurrentPlayer)].clear();
        if (s.PlayerCount > 1) {
            --s.CurrentPlayer;
        }
    } else {
        for (int32_t i = s.CurrentPlayer; i < s.PlayerCount - 1; ++i) {
            s.Players[static_cast<size_t>(i)] = s.Players[static_cast<size_t>(i + 1)];
        }
        s.Players[static_cast<size_t>(s.PlayerCount - 1)].clear();
    }
    --s.PlayerCount;
    s.PlayerName = s.Players[static_cast<size_t>(s.CurrentPlayer)];
}
