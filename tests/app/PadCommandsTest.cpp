// SPDX-License-Identifier: MIT
#include "app/Automation.h"
#include "app/PadCommands.h"
#include "platform/KeyEventLog.h"
#include "platform/PadInput.h"
#include "platform/WindowInput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The key events a script of control lines gives through a fresh pad.
std::vector<std::string> KeysOf(const std::vector<std::string>& Lines) {
    TKeyEventLog log;
    TWindowInput keys;
    keys.SetListener(&log);
    TPadInput pad(keys);
    for (const std::string& line : Lines) {
        const TParsedLine parsed = ParseCommandLine(line);
        EXPECT_TRUE(parsed.Command) << line;
        if (parsed.Command) {
            RunPadCommand(*parsed.Command, pad);
        }
    }
    return log.Events;
}

TEST(PadCommands, ScriptsReachTheGameAsTheControllersKeys) {
    struct TCase {
        std::vector<std::string> Lines;
        std::vector<std::string> Keys;
    } const cases[] = {
        {{"pad a"}, {"+13", "-13"}},
        {{"pad start", "pad y"}, {"+80", "-80", "+72", "-72"}},
        // A held button is one press however long it is held.
        {{"paddown left", "paddown left", "padup left"}, {"+37", "-37"}},
        {{"padup b"}, {}},
        // The stick presses its arrow once it leans past the dead zone.
        {{"padstick 0 32767"}, {"+40", "-40"}},
        {{"padstick 100 -100"}, {}},
        // Commands of other kinds leave the pad alone.
        {{"key 13", "frames 5", "click 10 10"}, {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Lines.front());
        EXPECT_EQ(KeysOf(c.Lines), c.Keys);
    }
}

} // namespace
