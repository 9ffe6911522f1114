// The materials of the hall and its two characters: shadow, body and lit colour of each.
#pragma once

#include "geometry.h"

// The hero's side: teal cloth, steel and gold.
const Tone kTeal{{22, 88, 100}, {36, 138, 146}, {104, 200, 190}};
const Tone kNavy{{26, 30, 70}, {40, 52, 108}, {70, 86, 150}};
const Tone kSteel{{88, 100, 126}, {150, 164, 186}, {232, 240, 246}};
const Tone kSkin{{172, 112, 88}, {226, 168, 130}, {248, 210, 176}};
const Tone kHair{{50, 32, 26}, {92, 58, 38}, {138, 96, 62}};
const Tone kLeather{{66, 40, 26}, {108, 70, 42}, {150, 106, 66}};
const Tone kGold{{146, 104, 28}, {212, 168, 58}, {250, 226, 140}};
const Tone kCloth{{42, 46, 62}, {66, 74, 96}, {98, 108, 134}};

// The brute's side: hide, moss, bone and stone.
const Tone kHide{{80, 50, 104}, {126, 86, 154}, {176, 138, 196}};
const Tone kBelly{{120, 84, 130}, {168, 128, 172}, {206, 172, 206}};
const Tone kMoss{{42, 70, 36}, {76, 112, 56}, {122, 160, 86}};
const Tone kBone{{168, 154, 118}, {222, 212, 180}, {250, 246, 228}};
const Tone kStone{{82, 88, 98}, {128, 134, 144}, {180, 186, 192}};
const Tone kIron{{50, 54, 62}, {84, 90, 100}, {140, 148, 160}};
