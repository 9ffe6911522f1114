// Signal building blocks. Only + - * / sqrt and floor touch the samples: glibc picks its sin and exp code per
// CPU at run time, and a last-bit difference there could change a written sample on another machine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int kRate = 44100;

using Wave = std::vector<double>; // one channel, full scale +-1

size_t samplesOf(double seconds);
double secondsOf(size_t sample);

// sin(2 pi turns)
double sineTurns(double turns);
double exp2d(double x);
// e^(-t / tau): the shape of every decay.
double decay(double t, double tau);
double gainOfDb(double db);
// Equal-tempered pitch, in semitones from A4 = 440 Hz.
double noteHz(double semitones);
// 0 -> 1 over `len` with zero slope at both ends: onsets, swells and fades without a step.
double rise(double t, double len);
// A saturator that keeps small signals linear: thickens impacts without hard clipping.
double softClip(double x);

// A 32-bit LCG: noise that is the same on every run.
class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed) {}
    double next(); // -1..1

private:
    uint32_t state_;
};

// State-variable filter (trapezoidal form): stable while its tuning moves every sample, for sweeps and vowels.
class Filter {
public:
    void tune(double hz, double q);
    void run(double in);
    double low = 0, band = 0, high = 0; // outputs of the last run; band has unit gain at the centre

private:
    double k_ = 1, a1_ = 0, a2_ = 0, a3_ = 0, ic1_ = 0, ic2_ = 0;
};

void scaleToPeak(Wave& w, double db);
// Second-order high-pass: what lies below `hz` is rumble no speaker plays, and it only eats headroom.
void highPass(Wave& w, double hz);
// Linear ramp to zero over the last `seconds`, so a cue never ends on a step.
void fadeOut(Wave& w, double seconds);
// Adds src * gain into dst from `at`, growing dst if needed.
void mixInto(Wave& dst, const Wave& src, size_t at, double gain);
// Adds src * gain into dst from `at`, wrapping past the end to the start: for loops.
void mixLooped(Wave& dst, const Wave& src, size_t at, double gain);
