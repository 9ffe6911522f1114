// Every sound the game plays, each rendered whole.
#pragma once

#include <vector>

#include "dsp.h"

Wave strokeCue();
// The note of the n-th dot (1..16) reached in one stroke: a run up the C major pentatonic, C4 to C7.
Wave dotCue(int n);
Wave releaseCue();
Wave tiredCue();
Wave blowCue();
Wave painCue(bool hero);
Wave deathCue(bool hero);
Wave victoryCue();
Wave defeatCue();
Wave approachCue();

// The background loop: left and right channels of one length, whose end runs on into its start.
std::vector<Wave> musicLoop();
