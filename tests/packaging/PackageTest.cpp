// SPDX-License-Identifier: MIT
#include "Packaging.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

std::string Trimmed(std::string Text) {
    while (!Text.empty() && (Text.back() == '\n' || Text.back() == ' ')) {
        Text.pop_back();
    }
    return Text;
}

// cpack makes the .deb into a temporary folder; it is only looked at (dpkg-deb, lintian),
// never installed.
TEST(Package, DebianPackageHoldsTheGameAndPassesLintian) {
    const TScratch scratch("package");
    const fs::path dir = scratch.Path();
    const TProgramRun pack = RunProgram(ShellQuote(ZIBO_CPACK) + " -G DEB --config " + ShellQuote(ZIBO_CPACK_CONFIG) +
                                            " -B " + ShellQuote(dir.string()),
                                        dir);
    ASSERT_EQ(pack.Exit, 0) << pack.Out << pack.Err;
    const std::string arch = Trimmed(RunProgram("dpkg --print-architecture", dir).Out);
    const fs::path deb = dir / ("kapitan-zibo_" + std::string(ZIBO_TEST_VERSION) + "_" + arch + ".deb");
    ASSERT_TRUE(fs::is_regular_file(deb)) << pack.Out;

    const TProgramRun list = RunProgram("dpkg-deb -c " + ShellQuote(deb.string()), dir);
    ASSERT_EQ(list.Exit, 0) << list.Err;
    const std::string app = ZIBO_TEST_APP_ID;
    for (const std::string& file : std::vector<std::string>{"./usr/games/zibo", "./usr/bin/zibo-fgg", "./usr/share/games/kapitan-zibo/Data/data.fgg",
          "./usr/share/games/kapitan-zibo/website.url", "./usr/share/applications/" + app + ".desktop",
          "./usr/share/metainfo/" + app + ".metainfo.xml", "./usr/share/icons/hicolor/48x48/apps/" + app + ".png",
          "./usr/share/man/man6/zibo.6.gz", "./usr/share/doc/kapitan-zibo/copyright"}) {
        EXPECT_NE(list.Out.find(" " + file + "\n"), std::string::npos) << file;
    }

    const struct {
        const char* Field;
        const char* Holds;
    } fields[] = {
        {"Package", "kapitan-zibo"}, {"Version", ZIBO_TEST_VERSION}, {"Section", "games"},
        {"Recommends", "xdg-utils"}, {"Depends", "libsdl2-2.0-0"},   {"Depends", "libc6"},
        // Opened only when first used, so named by hand.
        {"Depends", "libcurl4"}, {"Depends", "libsdl2-mixer-2.0-0"}, {"Depends", "libopenmpt0"},
    };
    for (const auto& f : fields) {
        const TProgramRun field = RunProgram("dpkg-deb -f " + ShellQuote(deb.string()) + " " + f.Field, dir);
        EXPECT_NE(field.Out.find(f.Holds), std::string::npos) << f.Field << ": " << field.Out;
    }

    const TProgramRun lint = RunProgram("lintian --fail-on error " + ShellQuote(deb.string()), dir);
    EXPECT_EQ(lint.Exit, 0) << lint.Out << lint.Err;
    EXPECT_EQ(("\n" + lint.Out).find("\nE: "), std::string::npos) << lint.Out;
}

} // namespace
