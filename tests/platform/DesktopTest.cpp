// SPDX-License-Identifier: MIT
#include "platform/Desktop.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Every folder the game creates for the player's files is private; folders that were there
// keep their mode, and a file in the way is an error, not a crash.
TEST(Desktop, MakePrivateFolderCreatesMissingFoldersForTheOwnerOnly) {
    const fs::path dir = fs::temp_directory_path() / ("zibo-private-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::permissions(dir, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    const fs::path deep = dir / "share" / "kapitan-zibo";
    std::string error;
    ASSERT_TRUE(MakePrivateFolder(deep.string(), error)) << error;
    for (const fs::path& made : {dir / "share", deep}) {
        EXPECT_EQ(fs::status(made).permissions() & fs::perms::all, fs::perms::owner_all) << made;
    }
    EXPECT_EQ(fs::status(dir).permissions() & fs::perms::all,
              fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    // Again, with a trailing slash: the folder is there, nothing to do.
    EXPECT_TRUE(MakePrivateFolder(deep.string() + "/", error)) << error;

    std::ofstream(dir / "file") << "x";
    EXPECT_FALSE(MakePrivateFolder((dir / "file" / "below").string(), error));
    EXPECT_EQ(error, (dir / "file").string() + ": not a folder");
    EXPECT_FALSE(MakePrivateFolder("", error));
    fs::remove_all(dir);
}

TEST(Desktop, ExecutableFolderHoldsTheRunningProgram) {
    const fs::path folder = ExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(fs::exists(folder / "test_platform"));
}

} // namespace
