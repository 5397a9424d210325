// SPDX-License-Identifier: MIT
#include "app/Options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Describe(const TOptions& O) {
    return std::string(O.Help ? "help " : "") + (O.Version ? "version " : "") + (O.Headless ? "headless " : "") +
           (O.Seed ? "seed=" + std::to_string(*O.Seed) + " " : "") + "data=" + O.DataDir + " user=" + O.UserDir +
           " control=" + O.ControlFile + " trace=" + O.TraceFile + " server=" + O.ScoreServer;
}

TEST(Options, AcceptsBothValueFormsShortLettersAndPrefixes) {
    const struct {
        std::vector<std::string> Arguments;
        const char* Parsed;
    } cases[] = {
        {{}, "data= user= control= trace= server="},
        {{"--help"}, "help data= user= control= trace= server="},
        {{"-h"}, "help data= user= control= trace= server="},
        {{"-V"}, "version data= user= control= trace= server="},
        {{"--version"}, "version data= user= control= trace= server="},
        {{"--data-dir", "/opt/z", "--user-dir=/tmp/u"}, "data=/opt/z user=/tmp/u control= trace= server="},
        {{"--headless", "--seed=42", "--control", "-", "--trace=t.txt"},
         "headless seed=42 data= user= control=- trace=t.txt server="},
        {{"--score-server=localhost:8080", "--seed", "18446744073709551615"},
         "seed=18446744073709551615 data= user= control= trace= server=localhost:8080"},
        // A unique prefix of a long name is that option.
        {{"--head", "--user=/u"}, "headless data= user=/u control= trace= server="},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Parsed);
        std::string error;
        const auto options = ParseOptions(c.Arguments, error);
        ASSERT_TRUE(options.has_value()) << error;
        EXPECT_EQ(Describe(*options), c.Parsed);
    }
}

TEST(Options, RejectsBadCommandLinesWithOneLine) {
    const struct {
        std::vector<std::string> Arguments;
        const char* Error;
    } cases[] = {
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"--bogus=1"}, "unknown option '--bogus=1'"},
        {{"-x"}, "unknown option '-x'"},
        {{"--headless=yes"}, "option '--headless' takes no value"},
        {{"--seed"}, "option '--seed' needs a value"},
        {{"--seed=12x"}, "--seed needs a whole number, not '12x'"},
        {{"--seed="}, "--seed needs a whole number, not ''"},
        {{"--seed", "-1"}, "--seed needs a whole number, not '-1'"},
        {{"--data-dir="}, "--data-dir needs a non-empty value"},
        {{"--headless", "stray"}, "unexpected argument 'stray'"},
        // Two long names begin with "--s".
        {{"--s=1"}, "unknown option '--s=1'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Error);
        std::string error;
        EXPECT_FALSE(ParseOptions(c.Arguments, error).has_value());
        EXPECT_EQ(error, c.Error);
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
}

// Frames are rasterised unless the command line asks for recording only.
TEST(Options, RendererIsGlUnlessNoneIsAsked) {
    const struct {
        std::vector<std::string> Arguments;
        bool Parsed;
        TRenderer Renderer;
        const char* Error;
    } cases[] = {
        {{}, true, TRenderer::Gl, ""},
        {{"--renderer", "gl"}, true, TRenderer::Gl, ""},
        {{"--renderer=none"}, true, TRenderer::None, ""},
        {{"--renderer", "none", "--renderer", "gl"}, true, TRenderer::Gl, ""},
        {{"--renderer=GL"}, false, TRenderer::Gl, "--renderer takes gl or none, not 'GL'"},
        {{"--renderer="}, false, TRenderer::Gl, "--renderer takes gl or none, not ''"},
        {{"--renderer"}, false, TRenderer::Gl, "option '--renderer' needs a value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Error);
        std::string error;
        const auto options = ParseOptions(c.Arguments, error);
        ASSERT_EQ(options.has_value(), c.Parsed) << error;
        if (options) {
            EXPECT_EQ(options->Renderer, c.Renderer);
        } else {
            EXPECT_EQ(error, c.Error);
        }
    }
}

// --lang takes a language code; anything else is refused with an example.
TEST(Options, LanguageIsRuOrEn) {
    const struct {
        std::vector<std::string> Arguments;
        bool Parsed;
        const char* Language;
        const char* Error;
    } cases[] = {
        {{}, true, "", ""},
        {{"--lang", "en"}, true, "en", ""},
        {{"--lang=ru"}, true, "ru", ""},
        {{"--lang", "en", "--lang", "ru"}, true, "ru", ""},
        {{"--lang=de"}, true, "de", ""},
        {{"--lang=EN"}, false, "", "--lang takes a language code such as ru or en, not 'EN'"},
        {{"--lang=en_US"}, false, "", "--lang takes a language code such as ru or en, not 'en_US'"},
        {{"--lang"}, false, "", "option '--lang' needs a value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Error);
        std::string error;
        const auto options = ParseOptions(c.Arguments, error);
        ASSERT_EQ(options.has_value(), c.Parsed) << error;
        if (options) {
            EXPECT_EQ(options->Language, c.Language);
        } else {
            EXPECT_EQ(error, c.Error);
        }
    }
}

TEST(Options, UsageListsEveryOptionOnItsOwnLine) {
    const std::string usage = UsageText();
    for (const char* line : {"  -h, --help ", "  -V, --version ", "      --data-dir DIR ", "      --user-dir DIR ",
                             "      --headless ", "      --seed N ", "      --control FILE ", "      --trace FILE ",
                             "      --score-server HOST[:PORT] ", "      --renderer gl|none ", "      --lang ru|en "}) {
        EXPECT_NE(usage.find(std::string("\n") + line), std::string::npos) << line;
    }
}

} // namespace
