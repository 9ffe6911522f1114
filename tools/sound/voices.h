// The instruments the cues and the music are played on. Each returns one mono note or hit.
#pragma once

#include <cstdint>

#include "dsp.h"

// A plucked, bell-like note (FM pluck with a sparkle two octaves up), full level from the first millisecond.
// `tau` is its decay time, `bright` 0..1 the strength of its attack.
Wave pluck(double hz, double seconds, double tau, double bright);

// A struck metal bar: inharmonic partials, the high ones dying first.
Wave bell(double hz, double seconds, double tau);

// A brass-like FM note that brightens as it swells and releases over its last `release` seconds;
// `scoop` starts it that many semitones off and glides onto the pitch, like a horn.
Wave brass(double hz, double seconds, double release, double bright, double scoop);

// A drum skin, or a body hitting the floor: a falling tone under a burst of dark noise.
Wave thump(double fromHz, double toHz, double tau, double noise, uint32_t seed);

// Noise through a band-pass whose centre glides from `fromHz` to `toHz`; `attack` and `tau` shape it.
Wave hiss(double seconds, double fromHz, double toHz, double q, double attack, double tau, uint32_t seed);

// Formant frequencies of a vowel.
struct Vowel {
    double f1, f2, f3;
};

// A voiced cry: a buzz through three vowel formants, pitch rising to a peak and falling, vowel gliding.
struct Cry {
    double seconds;
    double pitchFrom, pitchPeak, pitchTo; // Hz; the peak comes at a fifth of the length
    Vowel from, to;
    double throat;  // formant scale: below 1 for a bigger body
    double breath;  // share of noise in the source
    double growl;   // roughness: a subharmonic flutter, 0..1
    double vibrato; // depth in semitones, growing over the cry
    double tau;     // decay time of the level
};
Wave cry(const Cry& c, uint32_t seed);
