// SPDX-License-Identifier: MIT
#include "content/characters/Characters.h"
#include "content/characters/HelpPages.h"
#include "content/characters/MenuCharacters.h"
#include "content/characters/StoryPictures.h"
#include "content/FontFace.h"
#include "content/PictureWords.h"
#include "content/ui/UiArt.h"

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
        {314, 326, HelpPages::Width, HelpPages::Height},
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

// A translation too long for the place drawn for it stops the generator with the words and
// their width, instead of running off a help page or a switch.
TEST(PictureWords, ATranslationTooLongForItsAreaStopsTheGenerator) {
    const struct {
        const char* Original;
        const char* Translation;
        int Page; // 0: the on/off switch
    } cases[] = {
        {"Динамит", "Dynamite that blows everything around it", 7},
        {"Молния взрывает всю строку поля, в которой лежит её фишка.",
         "Lightning blows up the whole row its gem lies in, and then it goes on talking about it for many more "
         "lines than the page has room for, longer and longer, until the page number is covered and the text "
         "runs off the bottom of the card, past the edge of the page and on over the buttons of the help "
         "screen, which no player could read.",
         9},
        {"пауза", "pause the game", 4},
        {"+20 с", "+20 seconds", 6},
        {"ВКЛ", "SWITCHED ON", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Translation);
        const TMessageCatalog catalogue(TMessageCatalog::TEntries{{c.Original, c.Translation}});
        const TPictureWords words("xx", catalogue);
        if (c.Page == 0) {
            EXPECT_THROW((void)DrawSwitch(104, 40, words), TTextTooWide);
            EXPECT_NO_THROW((void)DrawSwitch(104, 40, TPictureWords{}));
        } else {
            EXPECT_THROW((void)HelpPages::Page(c.Page, Registered(), words), TTextTooWide);
            EXPECT_NO_THROW((void)HelpPages::Page(c.Page, Registered(), TPictureWords{}));
        }
    }
}

// Every language the game is built with draws every help page and how-to-play card inside
// its areas.
TEST(PictureWords, EveryBuiltLanguageFitsTheHelpPages) {
    const std::vector<TPictureLanguage> languages = LoadPictureLanguages(std::string(ZIBO_GAME_DIR) + "/locale");
    ASSERT_FALSE(languages.empty());
    for (const TPictureLanguage& language : languages) {
        SCOPED_TRACE(language.Code);
        const TPictureWords words(language.Code, language.Catalogue);
        for (int page = 1; page <= HelpPages::Pages; ++page) {
            EXPECT_NO_THROW((void)HelpPages::Page(page, Registered(), words)) << page;
        }
        for (int card = 1; card <= HelpPages::HowToPlayCards; ++card) {
            EXPECT_NO_THROW((void)HelpPages::HowToPlayCard(card, Registered(), words)) << card;
        }
    }
}

} // namespace
