// SPDX-License-Identifier: MIT
#include "content/audio/Songs.h"

#include "content/audio/Composer.h"
#include "content/audio/Instruments.h"

#include <array>

namespace {

// Instruments in the order every song adds them (XM instruments count from 1).
enum TInstrumentNumber : int {
    LeadNumber = 1,
    PluckNumber,
    PadNumber,
    BassNumber,
    KickNumber,
    SnareNumber,
    HiHatNumber
};

constexpr int Channels = 10;

TBand StandardBand() {
    TBand band;
    band.Lead = 0;
    band.Echo = 1;
    band.Arp = 2;
    band.Pad = 3;
    band.Bass = 6;
    band.Kick = 7;
    band.Snare = 8;
    band.HiHat = 9;
    band.LeadInstrument = LeadNumber;
    band.ArpInstrument = PluckNumber;
    band.PadInstrument = PadNumber;
    band.BassInstrument = BassNumber;
    band.KickInstrument = KickNumber;
    band.SnareInstrument = SnareNumber;
    band.HiHatInstrument = HiHatNumber;
    return band;
}

TXmModule EmptySong(const char* Name, int Bpm, TXmInstrument Lead) {
    TXmModule song;
    song.Name = Name;
    song.Channels = Channels;
    song.Speed = 6;
    song.Bpm = Bpm;
    song.Instruments.push_back(std::move(Lead));
    song.Instruments.push_back(MakePluck());
    song.Instruments.push_back(MakePad());
    song.Instruments.push_back(MakeBass());
    song.Instruments.push_back(MakeKick());
    song.Instruments.push_back(MakeSnare());
    song.Instruments.push_back(MakeHiHat());
    return song;
}

constexpr std::array<int, 4> Chords(int A, int B, int C, int D) {
    return {A, B, C, D};
}

constexpr TSong SongList[] = {
    {"1.xm", &MakeMenuSong},
    {"2.xm", &MakeGameSong},
    {"3.xm", &MakeScoreSong},
};

} // namespace

std::span<const TSong> Songs() {
    return SongList;
}

TXmModule MakeMenuSong() {
    TXmModule song = EmptySong("Zibo: menu", 92, MakeBellLead());
    TBand band = StandardBand();
    band.LeadVolume = 58;
    band.EchoVolume = 22;
    band.ArpVolume = 22;
    band.PadVolume = 24;
    band.BassVolume = 58;
    band.KickVolume = 54;
    band.SnareVolume = 30;
    band.HiHatVolume = 20;
    TComposer composer(song, band, 65, TScaleKind::Major, 1);

    constexpr auto verse = Chords(0, 5, 3, 4);
    constexpr auto chorus = Chords(3, 4, 2, 5);
    constexpr auto turn = Chords(1, 4, 0, 4);
    constexpr std::string_view rhythms[] = {"x---x---x-------", "x-----x-x---x---", "x---x-x-x-------",
                                            "x-------x---x---"};
    constexpr std::string_view cadence = "x---x---x-------";
    constexpr TDrumGroove groove{"x.........x.....", "........o.......", "..o...o...o...o."};
    constexpr TDrumGroove hatsOnly{"", "", "..o...o...o...o."};

    const int intro = composer.AddPattern(4);
    composer.Pad(intro, verse);
    composer.Arpeggio(intro, verse, 2);
    composer.Bass(intro, verse, TBassStyle::Whole);
    composer.Drums(intro, hatsOnly, false);

    const auto addVerse = [&](std::span<const int> chords, uint32_t seed) {
        const int pattern = composer.AddPattern(4);
        composer.Pad(pattern, chords);
        composer.Arpeggio(pattern, chords, 2);
        composer.Bass(pattern, chords, TBassStyle::RootFifth);
        composer.Drums(pattern, groove, false);
        composer.Melody(pattern, composer.ComposeMelody(chords, rhythms, cadence, seed));
        return pattern;
    };
    const int verseA = addVerse(verse, 11);
    const int verseB = addVerse(verse, 12);
    const int chorusA = addVerse(chorus, 13);
    const int turnA = addVerse(turn, 14);
    for (const int pattern : {intro, verseA, verseB, chorusA, verseA, turnA}) {
        composer.Play(pattern);
    }
    song.RestartPosition = 1;
    return song;
}

TXmModule MakeGameSong() {
    TXmModule song = EmptySong("Zibo: stage", 132, MakeSquareLead());
    TBand band = StandardBand();
    band.LeadVolume = 56;
    band.EchoVolume = 16;
    band.ArpVolume = 20;
    band.PadVolume = 20;
    band.BassVolume = 60;
    band.KickVolume = 64;
    band.SnareVolume = 50;
    band.HiHatVolume = 26;
    TComposer composer(song, band, 60, TScaleKind::Major, 2);

    constexpr auto verse = Chords(0, 4, 5, 3);
    constexpr auto chorus = Chords(5, 3, 0, 4);
    constexpr auto bridge = Chords(3, 4, 2, 5);
    constexpr auto ending = Chords(1, 4, 0, 4);
    constexpr std::string_view rhythms[] = {"x-x-x---x-x-x---", "x--x--x-x-x-x---", "x-xxx-x-x---x-x-",
                                            "x---x-x-x-x-x---", "x-x-x-x-x---x---"};
    constexpr std::string_view cadence = "x-x-x---x-------";
    constexpr TDrumGroove groove{"x.....x.x.....x.", "....x.......x...", "x.o.x.o.x.o.x.o."};
    constexpr TDrumGroove light{"x.......x.......", "", "o.o.o.o.o.o.o.o."};

    const auto addPart = [&](std::span<const int> chords, const TDrumGroove& drums, bool fill,
                             uint32_t seed) {
        const int pattern = composer.AddPattern(4);
        composer.Pad(pattern, chords);
        composer.Arpeggio(pattern, chords, 2);
        composer.Bass(pattern, chords, TBassStyle::Drive);
        composer.Drums(pattern, drums, fill);
        if (seed != 0) {
            composer.Melody(pattern, composer.ComposeMelody(chords, rhythms, cadence, seed));
        }
        return pattern;
    };
    const int intro = addPart(verse, groove, true, 0);
    const int verseA = addPart(verse, groove, false, 21);
    const int verseB = addPart(verse, groove, true, 22);
    const int chorusA = addPart(chorus, groove, false, 23);
    const int chorusB = addPart(chorus, groove, true, 24);
    const int bridgeA = addPart(bridge, light, true, 25);
    const int endA = addPart(ending, groove, true, 26);
    for (const int pattern : {intro, verseA, verseB, chorusA, chorusB, bridgeA, verseA, endA}) {
        composer.Play(pattern);
    }
    song.RestartPosition = 1;
    return song;
}

TXmModule MakeScoreSong() {
    TXmModule song = EmptySong("Zibo: scores", 80, MakeBellLead());
    TBand band = StandardBand();
    band.LeadVolume = 60;
    band.EchoVolume = 24;
    band.ArpVolume = 20;
    band.PadVolume = 28;
    band.BassVolume = 60;
    band.KickVolume = 46;
    band.SnareVolume = 0;
    band.HiHatVolume = 16;
    TComposer composer(song, band, 57, TScaleKind::Minor, 3);

    constexpr auto verse = Chords(0, 5, 2, 6);
    constexpr auto answer = Chords(3, 0, 5, 4);
    constexpr std::string_view rhythms[] = {"x-------x-------", "x-----x-x-------", "x---x---x---x---",
                                            "x-------x---x---"};
    constexpr std::string_view cadence = "x---x-----------";
    constexpr TDrumGroove groove{"x.......x.......", "", "....o.......o..."};

    const auto addPart = [&](std::span<const int> chords, uint32_t seed) {
        const int pattern = composer.AddPattern(4);
        composer.Pad(pattern, chords);
        composer.Arpeggio(pattern, chords, 4);
        composer.Bass(pattern, chords, TBassStyle::Whole);
        if (seed != 0) {
            composer.Drums(pattern, groove, false);
            composer.Melody(pattern, composer.ComposeMelody(chords, rhythms, cadence, seed));
        }
        return pattern;
    };
    const int intro = addPart(verse, 0);
    const int verseA = addPart(verse, 31);
    const int answerA = addPart(answer, 32);
    const int verseB = addPart(verse, 33);
    const int answerB = addPart(answer, 34);
    for (const int pattern : {intro, verseA, answerA, verseB, answerB}) {
        composer.Play(pattern);
    }
    song.RestartPosition = 1;
    return song;
}
