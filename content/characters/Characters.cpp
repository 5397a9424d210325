// SPDX-License-Identifier: MIT
#include "content/characters/Characters.h"

#include "content/characters/FacePreview.h"
#include "content/characters/HelpPages.h"
#include "content/characters/HeroFace.h"
#include "content/characters/MenuCharacters.h"
#include "content/characters/MonsterFaces.h"
#include "content/characters/StoryPictures.h"

#include <iterator>
#include <string>

namespace {

// Where a preview watches: the middle of the board.
constexpr TScreenPoint BoardMiddle{398, 314};

void AddHero(TManifest& Manifest) {
    TPicture head = HeroFace::Head();
    TPicture eye = HeroFace::Eye();
    TPicture pupil = HeroFace::Pupil();
    std::vector<TPicture> mouths = HeroFace::Mouths();
    for (int p : {0, 6}) {
        Manifest.AddPreview(
            "zibo face, mouth " + std::to_string(p),
            FacePreview::Zibo(head, eye, pupil, mouths[p], p, BoardMiddle).Crop(0, 120, 240, 320));
    }
    Manifest.AddImage(TArchiveId::Data, "zibo.head", {std::move(head)});
    Manifest.AddImage(TArchiveId::Data, "zibo.eye", {std::move(eye)});
    Manifest.AddImage(TArchiveId::Data, "zibo.pupil", {std::move(pupil)});
    Manifest.AddImage(TArchiveId::Data, "zibo.mouth", std::move(mouths));
}

void AddMonsters(TManifest& Manifest) {
    std::vector<TPicture> mouths = MonsterFaces::Mouths();
    for (int type = 1; type <= MonsterRest::Types; ++type) {
        TPicture head = MonsterFaces::Head(type);
        TPicture eye = MonsterFaces::Eye(type);
        for (int p : {0, 6}) {
            Manifest.AddPreview(
                "monster " + std::to_string(type) + " face, mouth " + std::to_string(p),
                FacePreview::Monster(type, head, eye, mouths[p], p, BoardMiddle).Crop(500, 120, 300, 380));
        }
        const std::string name = "Monstr" + std::to_string(type);
        Manifest.AddImage(TArchiveId::Data, name + ".head", {std::move(head)});
        Manifest.AddImage(TArchiveId::Data, name + ".eye", {std::move(eye)});
    }
    Manifest.AddImage(TArchiveId::Data, "monstr.mouth", std::move(mouths));
}

void AddMenuAndStory(TManifest& Manifest) {
    std::vector<TPicture> pair;
    for (int p = 0; p < MenuCharacters::Patterns; ++p) {
        pair.push_back(MenuCharacters::ZiboAndLirra(p));
    }
    Manifest.AddImage(TArchiveId::Data, "ZiboAndLirra", std::move(pair));
    for (int i = 0; i < static_cast<int>(std::size(StoryPictures::Pictures)); ++i) {
        Manifest.AddImage(TArchiveId::Data, StoryPictures::Pictures[i].Name, {StoryPictures::Paint(i)});
    }
}

// The help pages draw the pieces, bonuses and tiles registered before them.
void AddHelpPages(TManifest& Manifest) {
    for (int page = 1; page <= HelpPages::Pages; ++page) {
        Manifest.AddImageWithWords(TArchiveId::Data, std::to_string(page) + ".help",
                                   [&](const TPictureWords& Words) {
                                       return std::vector<TPicture>{HelpPages::Page(page, Manifest, Words)};
                                   });
    }
    for (int card = 1; card <= HelpPages::HowToPlayCards; ++card) {
        Manifest.AddImageWithWords(
            TArchiveId::Data, std::to_string(card) + ".howto", [&](const TPictureWords& Words) {
                return std::vector<TPicture>{HelpPages::HowToPlayCard(card, Manifest, Words)};
            });
    }
}

} // namespace

void AddCharacterImages(TManifest& Manifest) {
    AddHero(Manifest);
    AddMonsters(Manifest);
    AddMenuAndStory(Manifest);
    AddHelpPages(Manifest);
}
