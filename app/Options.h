// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

// How frames are drawn: rasterised through OpenGL, or only recorded (nothing rasterised; no
// screenshots), for headless runs that need speed rather than pictures.
enum class TRenderer : uint8_t { Gl, None };

// The command line. A normal start uses none of these; they serve players with unusual set-ups,
// tests and automation.
struct TOptions {
    bool Help = false;
    bool Version = false;
    bool Headless = false;
    std::optional<uint64_t> Seed;
    std::string ControlFile; // "-" for standard input
    std::string TraceFile;   // "-" for standard output
    std::string ScoreServer; // HOST[:PORT]
    std::string DataDir;     // holds Data/, Sounds/, wdata/; empty: found beside the executable
    std::string UserDir;     // holds Config.cfg; empty: the player's data folder
    TRenderer Renderer = TRenderer::Gl;
    // Off: every picture keeps a texture of its own (the drawing before atlases, for
    // comparisons and for drivers that mishandle large textures).
    bool Atlas = true;
    // Off: every frame is drawn even when it shows the picture already on screen (for
    // comparisons).
    bool RepaintOnlyChanges = true;
    // A changed frame redraws only the parts of the picture that changed.
    bool RedrawOnlyDamage = true;
    std::string Language;    // "ru" or "en" for this run; empty: the player's choice or the locale
};

// Parses the arguments after the program name (GNU style: --opt value, --opt=value, unique
// prefixes of long names). On a bad command line returns nothing and fills Error with one line.
[[nodiscard]] std::optional<TOptions> ParseOptions(const std::vector<std::string>& Arguments, std::string& Error);

// The usage text: a synopsis, then one line per option.
[[nodiscard]] std::string UsageText();
// "zibo 1.0.0".
[[nodiscard]] std::string VersionText();
