// SPDX-License-Identifier: MIT
#include "app/Options.h"

#include "screens/GameTexts.h"

#include "generated/Version.h"

#include <getopt.h>

#include <algorithm>
#include <charconv>

namespace {

const char* const kProgram = "zibo";

// One command-line option: its long name, an optional short letter, the name of its value
// (nullptr for a switch), its help line, and how it changes the options. A new option is one
// row of the table below.
struct TOptionRow {
    const char* Name;
    char Short;
    const char* Value;
    const char* Help;
    bool (*Apply)(TOptions& Options, const char* Value, std::string& Error);
};

bool ApplySeed(TOptions& O, const char* Value, std::string& Error) {
    const std::string_view text(Value);
    uint64_t seed = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seed);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) {
        Error = "--seed needs a whole number, not '" + std::string(text) + "'";
        return false;
    }
    O.Seed = seed;
    return true;
}

// A value that names a file or folder must not be empty.
bool SetPath(std::string& Field, const char* Option, const char* Value, std::string& Error) {
    if (*Value == '\0') {
        Error = std::string("--") + Option + " needs a non-empty value";
        return false;
    }
    Field = Value;
    return true;
}

bool ApplyRenderer(TOptions& O, const char* Value, std::string& Error) {
    const std::string_view text(Value);
    if (text == "gl") {
        O.Renderer = TRenderer::Gl;
    } else if (text == "none") {
        O.Renderer = TRenderer::None;
    } else {
        Error = "--renderer takes gl or none, not '" + std::string(text) + "'";
        return false;
    }
    return true;
}

bool ApplyAtlas(TOptions& O, const char* Value, std::string& Error) {
    const std::string_view text(Value);
    if (text != "on" && text != "off") {
        Error = "--atlas takes on or off, not '" + std::string(text) + "'";
        return false;
    }
    O.Atlas = text == "on";
    return true;
}

bool ApplyRepaint(TOptions& O, const char* Value, std::string& Error) {
    const std::string_view text(Value);
    if (text != "damaged" && text != "changed" && text != "always") {
        Error = "--repaint takes damaged, changed or always, not '" + std::string(text) + "'";
        return false;
    }
    O.RepaintOnlyChanges = text != "always";
    O.RedrawOnlyDamage = text == "damaged";
    return true;
}

bool ApplyLanguage(TOptions& O, const char* Value, std::string& Error) {
    const std::string_view text(Value);
    if (!IsLanguageCode(text)) {
        Error = "--lang takes a language code such as ru or en, not '" + std::string(text) + "'";
        return false;
    }
    O.Language = text;
    return true;
}

constexpr TOptionRow kRows[] = {
    {"help", 'h', nullptr, "show this help and exit",
     [](TOptions& O, const char*, std::string&) { return O.Help = true; }},
    {"version", 'V', nullptr, "show the version and exit",
     [](TOptions& O, const char*, std::string&) { return O.Version = true; }},
    {"data-dir", 0, "DIR", "read the game's data (Data/, Sounds/, wdata/) from DIR",
     [](TOptions& O, const char* V, std::string& E) { return SetPath(O.DataDir, "data-dir", V, E); }},
    {"user-dir", 0, "DIR", "keep the player's files (Config.cfg) in DIR",
     [](TOptions& O, const char* V, std::string& E) { return SetPath(O.UserDir, "user-dir", V, E); }},
    {"headless", 0, nullptr, "run without a window or sound device, on a virtual clock",
     [](TOptions& O, const char*, std::string&) { return O.Headless = true; }},
    {"seed", 0, "N", "start the random generator from N", ApplySeed},
    {"control", 0, "FILE", "run the automation commands of FILE (- for standard input)",
     [](TOptions& O, const char* V, std::string& E) { return SetPath(O.ControlFile, "control", V, E); }},
    {"trace", 0, "FILE", "write one trace line per game event to FILE (- for standard output)",
     [](TOptions& O, const char* V, std::string& E) { return SetPath(O.TraceFile, "trace", V, E); }},
    {"score-server", 0, "HOST[:PORT]", "send scores to this online score service (or an http:// or https:// base address)",
     [](TOptions& O, const char* V, std::string& E) { return SetPath(O.ScoreServer, "score-server", V, E); }},
    {"renderer", 0, "gl|none", "draw through OpenGL (gl, the default) or only record the frames (none: faster, no screenshots)",
     ApplyRenderer},
    {"atlas", 0, "on|off", "share a few large textures among the small pictures (on, the default) or give each its own",
     ApplyAtlas},
    {"repaint", 0, "damaged|changed|always",
     "draw a frame only when the picture changed, and then only what changed (damaged, the default), "
     "all of it (changed), or draw every frame whole (always)",
     ApplyRepaint},
    {"lang", 0, "ru|en", "speak Russian (ru) or English (en) for this run, whatever the settings say",
     ApplyLanguage},
};

// getopt_long's description of the table; the value getopt returns for row i is 256 + i, or
// the row's short letter.
struct TGetoptTable {
    std::vector<option> Long;
    std::string Short = ":"; // a leading ':' reports a missing value apart from an unknown option
};

TGetoptTable MakeGetoptTable() {
    TGetoptTable t;
    for (size_t i = 0; i < std::size(kRows); ++i) {
        const TOptionRow& row = kRows[i];
        const int code = row.Short != 0 ? row.Short : 256 + static_cast<int>(i);
        t.Long.push_back({row.Name, row.Value ? required_argument : no_argument, nullptr, code});
        if (row.Short != 0) {
            t.Short += row.Short;
            if (row.Value) {
                t.Short += ':';
            }
        }
    }
    t.Long.push_back({nullptr, 0, nullptr, 0});
    return t;
}

const TOptionRow* RowOf(int Code) {
    for (size_t i = 0; i < std::size(kRows); ++i) {
        if (Code == 256 + static_cast<int>(i) || (kRows[i].Short != 0 && Code == kRows[i].Short)) {
            return &kRows[i];
        }
    }
    return nullptr;
}

// Why getopt refused Word: an unknown name, an ambiguous prefix, or a value given to a switch.
std::string RejectionText(const std::string& Word) {
    if (!Word.starts_with("--")) {
        return std::string("unknown option '-") + static_cast<char>(optopt) + "'";
    }
    const size_t equals = Word.find('=');
    if (equals != std::string::npos && optopt != 0 && RowOf(optopt)) {
        return "option '" + Word.substr(0, equals) + "' takes no value";
    }
    return "unknown option '" + Word + "'";
}

} // namespace

std::optional<TOptions> ParseOptions(const std::vector<std::string>& Arguments, std::string& Error) {
    // getopt wants a writable argv of its own, with the program name first.
    std::vector<std::string> words{kProgram};
    words.insert(words.end(), Arguments.begin(), Arguments.end());
    std::vector<char*> argv;
    for (std::string& w : words) {
        argv.push_back(w.data());
    }
    argv.push_back(nullptr);
    const int argc = static_cast<int>(words.size());
    const TGetoptTable table = MakeGetoptTable();

    TOptions options;
    opterr = 0; // the messages below are ours
    optind = 0; // 0 starts a fresh scan, also when the parser ran before
    for (;;) {
        const int code = getopt_long(argc, argv.data(), table.Short.c_str(), table.Long.data(), nullptr);
        if (code == -1) {
            break;
        }
        const std::string word = optind > 0 && optind <= argc ? words[static_cast<size_t>(optind - 1)] : "";
        if (code == ':') {
            Error = "option '" + word + "' needs a value";
            return std::nullopt;
        }
        const TOptionRow* row = code == '?' ? nullptr : RowOf(code);
        if (!row) {
            Error = RejectionText(word);
            return std::nullopt;
        }
        if (!row->Apply(options, optarg ? optarg : "", Error)) {
            return std::nullopt;
        }
    }
    if (optind < argc) {
        Error = "unexpected argument '" + words[static_cast<size_t>(optind)] + "'";
        return std::nullopt;
    }
    return options;
}

std::string UsageText() {
    std::string text = std::string("usage: ") + kProgram + " [OPTION]...\n" +
                       "Капитан Зибо, a match-3 puzzle game.\n\nOptions:\n";
    for (const TOptionRow& row : kRows) {
        std::string left = row.Short != 0 ? std::string("  -") + row.Short + ", --" : std::string("      --");
        left += row.Name;
        if (row.Value) {
            left += std::string(" ") + row.Value;
        }
        left.resize(std::max<size_t>(left.size() + 2, 34), ' ');
        text += left + row.Help + "\n";
    }
    text += "\nWithout --user-dir the player's files are kept in $XDG_DATA_HOME/kapitan-zibo\n"
            "(by default ~/.local/share/kapitan-zibo).\n";
    return text;
}

std::string VersionText() { return std::string(kProgram) + " " + ZIBO_VERSION; }
