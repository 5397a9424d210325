// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

const std::string FggProgram = std::string(ZIBO_BINARY_DIR) + "/tools/fgg";
const std::string FixtureScript = std::string(ZIBO_SOURCE_DIR) + "/tests/tools/make_fixtures.py";

struct TRun {
    int Exit = -1;
    std::string Out;
    std::string Err;
};

std::string Slurp(const fs::path& Path) {
    std::ifstream in(Path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Quote(const std::string& Text) {
    return "'" + Text + "'";
}

// The archives come from a Python writer of the format, so fgg is checked against files our own
// writer did not make.
class FggTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Dir = fs::path(::testing::TempDir()) / ("zibo_fgg_" + std::to_string(getpid()));
        fs::remove_all(Dir);
        fs::create_directories(Dir);
        const std::string command = "python3 " + Quote(FixtureScript) + " " + Quote(Dir.string());
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    static void TearDownTestSuite() {
        std::error_code ec;
        fs::remove_all(Dir, ec);
    }

    static std::string In(const std::string& Name) { return (Dir / Name).string(); }

    static TRun Run(const std::string& Arguments) {
        const fs::path out = Dir / "stdout";
        const fs::path err = Dir / "stderr";
        const std::string command =
            Quote(FggProgram) + " " + Arguments + " >" + Quote(out.string()) + " 2>" + Quote(err.string());
        const int status = std::system(command.c_str());
        TRun run;
        run.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.Out = Slurp(out);
        run.Err = Slurp(err);
        return run;
    }

    static void ExpectOneLineError(const TRun& Run, const std::string& Reason) {
        EXPECT_EQ(Run.Exit, 1);
        EXPECT_TRUE(Run.Out.empty());
        ASSERT_FALSE(Run.Err.empty());
        EXPECT_EQ(Run.Err.find('\n'), Run.Err.size() - 1) << Run.Err;
        EXPECT_NE(Run.Err.find(Reason), std::string::npos) << Run.Err;
    }

    static inline fs::path Dir;
};

TEST_F(FggTest, ListPrintsTheDirectoryOrFails) {
    struct TCase {
        const char* Archive;
        const char* Listing;
        const char* Reason;
    };
    const TCase cases[] = {
        {"mixed.fgg", "mixed.list", nullptr},    {"foreign.fgg", "foreign.list", nullptr},
        {"empty.fgg", "empty.list", nullptr},    {"truncated.fgg", nullptr, "key table"},
        {"hugecount.fgg", nullptr, "key table"}, {"missing.fgg", nullptr, "cannot open"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Archive);
        const TRun run = Run("list " + Quote(In(c.Archive)));
        if (c.Listing) {
            EXPECT_EQ(run.Exit, 0) << run.Err;
            EXPECT_EQ(run.Out, Slurp(In(c.Listing)));
            EXPECT_TRUE(run.Err.empty());
        } else {
            ExpectOneLineError(run, c.Reason);
        }
    }
}

TEST_F(FggTest, ExtractDeliversExactBytesOrNothing) {
    struct TCase {
        const char* Archive;
        const char* Key;
        // The bytes expected on stdout, or null when the record cannot be delivered.
        const char* Expected;
        const char* Reason;
    };
    const TCase cases[] = {
        {"mixed.fgg", "REDCIRCLE.PIECE", "mixed.0.bin", nullptr},
        {"mixed.fgg", "redcircle.piece", "mixed.0.bin", nullptr},
        {"mixed.fgg", "verdana11", "mixed.2.bin", nullptr},
        {"mixed.fgg", "Explode-Red.pss", "mixed.3.bin", nullptr},
        {"foreign.fgg", "HELLO", "foreign.0.bin", nullptr},
        {"mixed.fgg", "BadDigest", nullptr, "digest"},
        {"mixed.fgg", "WrongLength", nullptr, "length"},
        {"mixed.fgg", "Secret", nullptr, "enciphered"},
        {"mixed.fgg", "Empty", nullptr, "unpacked size"},
        {"mixed.fgg", "Absent", nullptr, "no record"},
        {"empty.fgg", "Anything", nullptr, "no record"},
        {"truncated.fgg", "Verdana11", nullptr, "key table"},
        {"missing.fgg", "Verdana11", nullptr, "cannot open"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Archive) + " " + c.Key);
        const TRun run = Run("extract " + Quote(In(c.Archive)) + " " + Quote(c.Key));
        if (c.Expected) {
            EXPECT_EQ(run.Exit, 0) << run.Err;
            EXPECT_EQ(run.Out, Slurp(In(c.Expected)));
            EXPECT_TRUE(run.Err.empty());
        } else {
            ExpectOneLineError(run, c.Reason);
        }
    }
}

TEST_F(FggTest, PackedArchiveListsAndExtracts) {
    const std::string picture(3000, 'p');
    std::ofstream(In("picture.bin"), std::ios::binary) << picture;
    std::ofstream(In("font.bin"), std::ios::binary) << "glyphs";
    const TRun pack = Run("pack " + Quote(In("packed.fgg")) + " 1:Cursor.Image=" + Quote(In("picture.bin")) +
                          " 3:Verdana16=" + Quote(In("font.bin")));
    ASSERT_EQ(pack.Exit, 0) << pack.Err;

    const TRun list = Run("list " + Quote(In("packed.fgg")));
    EXPECT_EQ(list.Exit, 0);
    EXPECT_EQ(list.Out.substr(0, 9), "0\t1\t3000\t");
    EXPECT_NE(list.Out.find("\t0\tCursor.Image\n1\t3\t6\t"), std::string::npos) << list.Out;
    EXPECT_EQ(Run("extract " + Quote(In("packed.fgg")) + " cursor.image").Out, picture);
    EXPECT_EQ(Run("extract " + Quote(In("packed.fgg")) + " Verdana16").Out, "glyphs");

    ExpectOneLineError(Run("pack " + Quote(In("never.fgg")) + " 1:Key=" + Quote(In("no-such-file"))),
                       "cannot read");
    EXPECT_FALSE(fs::exists(In("never.fgg")));
}

TEST_F(FggTest, BadArgumentsPrintUsage) {
    const char* cases[] = {
        "",
        "list",
        "list a b",
        "extract a",
        "frobnicate x",
        "pack out.fgg",
        "pack out.fgg 1Key=file",
        "pack out.fgg 70000:Key=file",
        "pack out.fgg 1:=file",
        "pack out.fgg 1:Key=",
    };
    for (const char* arguments : cases) {
        SCOPED_TRACE(arguments);
        const TRun run = Run(arguments);
        EXPECT_EQ(run.Exit, 2);
        EXPECT_TRUE(run.Out.empty());
        EXPECT_NE(run.Err.find("usage:"), std::string::npos);
    }
    const TRun help = Run("--help");
    EXPECT_EQ(help.Exit, 0);
    EXPECT_NE(help.Out.find("fgg extract ARCHIVE KEY"), std::string::npos);
}

// The tool reports the game's version, one line on standard output.
TEST_F(FggTest, VersionIsTheGamesVersion) {
    const TRun run = Run("--version");
    EXPECT_EQ(run.Exit, 0);
    EXPECT_EQ(run.Out, std::string("fgg ") + ZIBO_TEST_VERSION + "\n");
    EXPECT_TRUE(run.Err.empty());
}

} // namespace
