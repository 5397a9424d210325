// SPDX-License-Identifier: MIT
#include "platform/DurableFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {
class DurableFile : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = fs::temp_directory_path() / ("zibo-durable-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Dir);
        fs::create_directories(Dir);
        Path = (Dir / "Config.cfg").string();
    }
    void TearDown() override { fs::remove_all(Dir); }

    static std::string Read(const fs::path& File) {
        std::ifstream in(File, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static void Write(const fs::path& File, const std::string& Text) { std::ofstream(File, std::ios::binary) << Text; }

    fs::path Dir;
    std::string Path;
};
} // namespace

TEST_F(DurableFile, ReplacesTheFileAndLeavesNoTemporaryFile) {
    Write(Path, "old");
    ASSERT_EQ(ReplaceFileDurably(Path, "new contents"), 0);
    EXPECT_EQ(Read(Path), "new contents");
    EXPECT_FALSE(fs::exists(Path + ".tmp"));
}

// A kill between writing the temporary file and renaming it leaves the temporary file behind;
// the next save replaces it and never writes through it.
TEST_F(DurableFile, AStaleTemporaryFileIsReplacedSafely) {
    const fs::path victim = Dir / "elsewhere.txt";
    Write(victim, "not ours");
    struct TCase {
        const char* Name;
        void (*Make)(const fs::path& Temp, const fs::path& Victim);
    };
    const TCase cases[] = {
        {"half-written file", [](const fs::path& Temp, const fs::path&) { Write(Temp, "half a sa"); }},
        {"link to another file", [](const fs::path& Temp, const fs::path& Victim) { fs::create_symlink(Victim, Temp); }},
        {"empty folder", [](const fs::path& Temp, const fs::path&) { fs::create_directory(Temp); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Write(Path, "old");
        c.Make(Path + ".tmp", victim);
        const int error = ReplaceFileDurably(Path, "new");
        if (fs::is_directory(Path + ".tmp")) {
            // A folder is not removed behind the player's back: the save fails, the file stays.
            EXPECT_EQ(error, EISDIR);
            EXPECT_EQ(Read(Path), "old");
            fs::remove(Path + ".tmp");
        } else {
            EXPECT_EQ(error, 0);
            EXPECT_EQ(Read(Path), "new");
            EXPECT_FALSE(fs::exists(fs::symlink_status(Path + ".tmp")));
        }
        EXPECT_EQ(Read(victim), "not ours");
    }
}

// Failures that hold even for root, who ignores permission bits: the folder is a regular file,
// the file's place is taken by a folder with something in it.
TEST_F(DurableFile, AFailedSaveNamesItsReasonAndKeepsWhatWasThere) {
    Write(Dir / "notafolder", "x");
    EXPECT_EQ(ReplaceFileDurably((Dir / "notafolder" / "Config.cfg").string(), "new"), ENOTDIR);
    EXPECT_EQ(ReplaceFileDurably((Dir / "missing" / "Config.cfg").string(), "new"), ENOENT);

    fs::create_directories(fs::path(Path) / "inside");
    EXPECT_EQ(ReplaceFileDurably(Path, "new"), EISDIR);
    EXPECT_TRUE(fs::is_directory(fs::path(Path) / "inside"));
    EXPECT_FALSE(fs::exists(Path + ".tmp"));
}
