// SPDX-License-Identifier: MIT
#include "GameRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

// The companion program of the game folder starts when the game ends, after everything else,
// with its one argument; a file that cannot run here (no execute permission, a program for
// another system, a folder) is left alone.
TEST(Shutdown, CompanionProgramStartsLastOnlyWhenItCanRun) {
    enum class TKind { None, File, Folder };
    const struct {
        const char* Name;
        TKind Kind;
        fs::perms Perms;
        bool Starts;
    } cases[] = {
        {"wgame", TKind::File, fs::perms::owner_all, true},
        {"wgame", TKind::File, fs::perms::owner_read | fs::perms::owner_write, false},
        {"wgame.exe", TKind::File, fs::perms::owner_all, false},
        {"wgame", TKind::Folder, fs::perms::owner_all, false},
        {"wgame", TKind::None, fs::perms::none, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Name) + " " + std::to_string(static_cast<int>(c.Kind)) + " " +
                     std::to_string(static_cast<int>(c.Perms)));
        TGameRun run;
        const fs::path folder = run.Folder() / "fscommand";
        fs::create_directory(folder);
        const fs::path program = folder / c.Name;
        if (c.Kind == TKind::File) {
            std::ofstream(program) << "#!/bin/sh\nexit 0\n";
            fs::permissions(program, c.Perms);
        } else if (c.Kind == TKind::Folder) {
            fs::create_directory(program);
        }
        ASSERT_EQ(run.Run({"frames 2"}), 0) << run.Errors();
        const auto opens = run.Events("open");
        if (!c.Starts) {
            EXPECT_TRUE(opens.empty());
            continue;
        }
        ASSERT_EQ(opens.size(), 1u);
        auto fields = TGameRun::Fields(opens[0]);
        EXPECT_EQ(fields["path"], "fscommand/wgame");
        EXPECT_EQ(fields["args"], "target=\"_blank\"");
        const auto& lines = run.Lines();
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[lines.size() - 2], opens[0]) << "the last thing before the game ends";
    }
}
