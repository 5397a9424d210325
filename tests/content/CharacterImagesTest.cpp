// SPDX-License-Identifier: MIT
#include "content/characters/Characters.h"
#include "content/characters/HelpPages.h"
#include "content/characters/MenuCharacters.h"
#include "content/characters/StoryPictures.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const TManifest& Registered() {
    static const TManifest manifest = [] {
        TManifest m;
        AddCharacterImages(m);
        return m;
    }();
    return manifest;
}

// Every picture the game's code asks for by name, with the patterns it uses.
TEST(CharacterImages, EveryNameTheGameUsesExists) {
    const struct {
        std::string Name;
        size_t Patterns;
    } cases[] = {
        {"zibo.head", 1},     {"zibo.eye", 1},      {"zibo.pupil", 1},    {"zibo.mouth", 7},
        {"Monstr1.head", 1},  {"Monstr2.head", 1},  {"Monstr3.head", 1},  {"Monstr4.head", 1},
        {"Monstr1.eye", 1},   {"Monstr2.eye", 1},   {"Monstr3.eye", 1},   {"Monstr4.eye", 1},
        {"monstr.mouth", 7},  {"ZiboAndLirra", 2},  {"Planet.Speech", 1}, {"Cave.Speech", 1},
        {"Room.Speech", 1},   {"Engine.Speech", 1},
    };
    for (const auto& c : cases) {
        const TManifestImage* image = Registered().FindImage(c.Name);
        ASSERT_NE(image, nullptr) << c.Name;
        EXPECT_EQ(image->Patterns.size(), c.Patterns) << c.Name;
    }
    for (int page = 1; page <= HelpPages::Pages; ++page) {
        const TManifestImage* image = Registered().FindImage(std::to_string(page) + ".help");
        ASSERT_NE(image, nullptr) << page;
        EXPECT_EQ(image->PatternSize, (TSizeI{HelpPages::Width, HelpPages::Height})) << page;
    }
    EXPECT_EQ(Registered().FindImage("14.help"), nullptr);
}

// The help page fits both places it is shown, and the menu pair stands on the screen's
// bottom edge below y 210.
TEST(CharacterImages, PagesAndMenuPairFitTheScreen) {
    const struct {
        int X, Y, Width, Height;
    } places[] = {
        {252, 326, HelpPages::Width, HelpPages::Height},
        {248, 208, HelpPages::Width, HelpPages::Height},
        {0, 210, MenuCharacters::Width, MenuCharacters::Height},
    };
    for (const auto& p : places) {
        EXPECT_LE(p.X + p.Width, 800);
        EXPECT_LE(p.Y + p.Height, 600);
    }
}

// Each story picture's drawn card lies on the panel, left of the lines moved aside for it
// and above the lines that stay where they are.
TEST(CharacterImages, StoryPicturesSitBesideTheText) {
    for (int i = 0; i < 4; ++i) {
        const TSpritePlacement& at = StoryPictures::Pictures[i].Placement;
        const TManifestImage* image = Registered().FindImage(StoryPictures::Pictures[i].Name);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->PatternSize, (TSizeI{at.Width, at.Height}));
        EXPECT_GE(at.ScreenX(0), StoryPictures::PanelLeft + 8) << i;
        EXPECT_LE(at.ScreenX(at.Width), StoryPictures::PanelLeft + StoryPictures::MovedLabelLeft[i] - 8) << i;
        EXPECT_GE(at.ScreenY(0), StoryPictures::PanelTop + 8) << i;
        EXPECT_LE(at.ScreenY(at.Height), StoryPictures::LowestY[i]) << i;
    }
}

} // namespace
