// SPDX-License-Identifier: MIT
#pragma once

#include "content/audio/XmModule.h"

// The songs' instruments, each one synthesised sample. Pitched samples are looped waveforms
// tuned so that note C-4 sounds as middle C; drums are one-shots that sound at their own
// pitch on C-4.

// Middle C: the note every pitched sample is tuned to sound on.
constexpr uint8_t XmMiddleC = 49;

// A bright square lead with a soft attack, a held level, a release and a gentle vibrato.
[[nodiscard]] TXmInstrument MakeSquareLead();
// A glassy bell that rings and dies away by itself.
[[nodiscard]] TXmInstrument MakeBellLead();
// A plucked saw for arpeggios.
[[nodiscard]] TXmInstrument MakePluck();
// A slowly swelling pad of two slightly detuned saws.
[[nodiscard]] TXmInstrument MakePad();
// A round triangle-and-sine bass.
[[nodiscard]] TXmInstrument MakeBass();
// A kick drum (a falling sine with a click), a snare (tone and noise), a closed hi-hat.
[[nodiscard]] TXmInstrument MakeKick();
[[nodiscard]] TXmInstrument MakeSnare();
[[nodiscard]] TXmInstrument MakeHiHat();

// Sets the relative note and finetune so that C-4 plays the sample at Ratio times the
// format's base rate of 8363 samples a second.
void TuneSample(TXmSample& Sample, double Ratio);
