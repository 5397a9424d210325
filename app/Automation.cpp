// SPDX-License-Identifier: MIT
#include "app/Automation.h"

#include "platform/PadInput.h"

#include <charconv>
#include <vector>

namespace {
std::vector<std::string_view> SplitWords(std::string_view Line) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < Line.size()) {
        while (i < Line.size() && (Line[i] == ' ' || Line[i] == '\t')) {
            ++i;
        }
        const size_t start = i;
        while (i < Line.size() && Line[i] != ' ' && Line[i] != '\t') {
            ++i;
        }
        if (i > start) {
            words.push_back(Line.substr(start, i - start));
        }
    }
    return words;
}

bool ToInt(std::string_view Word, int32_t& Value, int32_t Min, int32_t Max) {
    int32_t v = 0;
    const auto [end, ec] = std::from_chars(Word.data(), Word.data() + Word.size(), v);
    if (ec != std::errc() || end != Word.data() + Word.size() || v < Min || v > Max) {
        return false;
    }
    Value = v;
    return true;
}

bool ToButton(std::string_view Word, uint8_t& Button) {
    if (Word == "left") {
        Button = 0;
    } else if (Word == "right") {
        Button = 1;
    } else if (Word == "middle") {
        Button = 2;
    } else {
        return false;
    }
    return true;
}

struct TKeyword {
    std::string_view Name;
    TCommandKind Kind;
};
constexpr TKeyword kKeywords[] = {
    {"frames", TCommandKind::Frames},   {"move", TCommandKind::Move},
    {"press", TCommandKind::Press},     {"release", TCommandKind::Release},
    {"click", TCommandKind::Click},     {"key", TCommandKind::Key},
    {"keydown", TCommandKind::KeyDown}, {"keyup", TCommandKind::KeyUp},
    {"type", TCommandKind::Type},       {"close", TCommandKind::Close},
    {"minimize", TCommandKind::Minimize}, {"restore", TCommandKind::Restore}, {"focus", TCommandKind::Focus}, {"display", TCommandKind::Display},
    {"screenshot", TCommandKind::Screenshot},
    {"dump", TCommandKind::Dump},       {"stats", TCommandKind::Stats},
    {"texts", TCommandKind::Texts},
    {"quit", TCommandKind::Quit},
    {"pad", TCommandKind::Pad},         {"paddown", TCommandKind::PadDown},
    {"padup", TCommandKind::PadUp},     {"padstick", TCommandKind::PadStick},
};

TParsedLine Fail(std::string Message) { return {std::nullopt, std::move(Message)}; }
} // namespace

TParsedLine ParseCommandLine(std::string_view Line) {
    while (!Line.empty() && (Line.back() == '\r' || Line.back() == '\n')) {
        Line.remove_suffix(1);
    }
    const std::vector<std::string_view> words = SplitWords(Line);
    if (words.empty() || words[0].front() == '#') {
        return {};
    }
    TCommand c;
    bool known = false;
    for (const TKeyword& k : kKeywords) {
        if (words[0] == k.Name) {
            c.Kind = k.Kind;
            known = true;
        }
    }
    if (!known) {
        return Fail("unknown command: " + std::string(words[0]));
    }
    const size_t args = words.size() - 1;
    switch (c.Kind) {
    case TCommandKind::Frames:
        if (args != 1 || !ToInt(words[1], c.Count, 0, 100000000)) {
            return Fail("frames needs one count");
        }
        break;
    case TCommandKind::Move:
    case TCommandKind::Press:
    case TCommandKind::Release:
    case TCommandKind::Click: {
        const size_t maxArgs = c.Kind == TCommandKind::Move ? 2 : 3;
        if (args < 2 || args > maxArgs || !ToInt(words[1], c.X, -100000, 100000) ||
            !ToInt(words[2], c.Y, -100000, 100000) || (args == 3 && !ToButton(words[3], c.Button))) {
            return Fail(std::string(words[0]) + " needs X Y" + (maxArgs == 3 ? " [left|right|middle]" : ""));
        }
        break;
    }
    case TCommandKind::Key:
    case TCommandKind::KeyDown:
    case TCommandKind::KeyUp: {
        int32_t vk = 0;
        if (args != 1 || !ToInt(words[1], vk, 1, 255)) {
            return Fail(std::string(words[0]) + " needs a virtual-key code 1..255");
        }
        c.Key = static_cast<uint8_t>(vk);
        break;
    }
    case TCommandKind::Pad:
    case TCommandKind::PadDown:
    case TCommandKind::PadUp: {
        const std::optional<TPadButton> button = args == 1 ? TPadInput::ButtonOfName(words[1]) : std::nullopt;
        if (!button) {
            return Fail(std::string(words[0]) + " needs up, down, left, right, a, b, y or start");
        }
        c.PadButton = static_cast<uint8_t>(*button);
        break;
    }
    case TCommandKind::PadStick:
        if (args != 2 || !ToInt(words[1], c.X, -32768, 32767) || !ToInt(words[2], c.Y, -32768, 32767)) {
            return Fail("padstick needs X Y, each -32768..32767");
        }
        break;
    case TCommandKind::Type: {
        // The text is everything after the first space following the keyword, kept as written.
        const size_t at = Line.find(words[0]) + words[0].size();
        c.Text = std::string(at < Line.size() ? Line.substr(at + 1) : std::string_view{});
        break;
    }
    case TCommandKind::Display:
        if (args != 2 || !ToInt(words[1], c.Count, 0, 1000) || !ToInt(words[2], c.Milliseconds, 0, 100000000)) {
            return Fail("display needs a refresh rate 0..1000 and milliseconds");
        }
        break;
    case TCommandKind::Focus:
        if (args != 1 || (words[1] != "in" && words[1] != "out")) {
            return Fail("focus needs in or out");
        }
        c.Focused = words[1] == "in";
        break;
    case TCommandKind::Screenshot:
        if (args != 1) {
            return Fail("screenshot needs one file name");
        }
        c.Text = std::string(words[1]);
        break;
    default:
        if (args != 0) {
            return Fail(std::string(words[0]) + " takes no arguments");
        }
        break;
    }
    return {c, {}};
}
