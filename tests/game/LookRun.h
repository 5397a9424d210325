// SPDX-License-Identifier: MIT
#pragma once

#include "GameRun.h"
#include "Shot.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A suite of look tests that all read one game, photographed once for the whole suite: the
// suite's SetUpTestSuite takes a fresh game folder (Start), may put files into it, then runs
// the game (Photograph); each test reads the trace and the pictures. Suite is the deriving
// fixture, so every suite has a run of its own.
template <typename Suite> class TLookRun : public testing::Test {
protected:
    static TGameRun& Start() {
        delete Run;
        Run = new TGameRun;
        return *Run;
    }
    // Runs the game with the rasteriser on (screenshots need it).
    static void Photograph(const std::vector<std::string>& Commands) {
        Exit = Run->Run(Commands, 1, "--renderer gl");
    }
    static void TearDownTestSuite() {
        delete Run;
        Run = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(Run, nullptr);
        ASSERT_EQ(Exit, 0) << Run->Errors();
    }

    static TShot Shot(const std::string& Name) { return LoadShot(Run->Folder() / Name); }

    static inline TGameRun* Run = nullptr;
    static inline int Exit = -1;
};
