// The background loop: 8 bars at 120 beats a minute (16 s), A minor, two bars each of Am, F, C and G, so that
// G leads back into Am at the seam. A string pad, a harp arpeggio in eighths, a plucked bass, a frame drum and
// now and then a bell. Every note is added modulo the loop's length: tails that run past the end sound at
// the start, so the file is one turn of a circle and repeats without a seam.

#include "sounds.h"

#include <cmath>

#include "voices.h"

namespace {

constexpr double kBeat = 0.5;
constexpr int kBars = 8;

struct Chord {
    double bass;     // semitones from A4
    double pad[3];   // the held voices
    double arp[5];   // the harp's chord tones, low to high
    double bellNote; // rung on its second bar
};

const Chord kChords[] = {
    {-24, {-12, -9, -5}, {-12, -5, 0, 3, 7}, 15},   // Am
    {-28, {-16, -12, -9}, {-16, -9, -4, 0, 3}, 12}, // F
    {-21, {-14, -9, -5}, {-9, -2, 3, 7, 10}, 19},   // C
    {-26, {-14, -10, -5}, {-14, -7, -2, 2, 5}, 17}, // G
};

// Which chord tone the harp plays on each eighth, for the first and the second bar of a chord.
const int kArp[2][8] = {{0, 1, 2, 3, 4, 3, 2, 1}, {0, 2, 1, 3, 2, 4, 3, 1}};

size_t at(int bar, double beats) { return samplesOf((bar * 4 + beats) * kBeat); }

// One bowed voice: soft harmonics that brighten as it swells, and a long release past `hold` into the next chord.
Wave padVoice(double hz, double hold)
{
    const double release = 1.5;
    Wave w(samplesOf(hold + release));
    for (size_t i = 0; i < w.size(); ++i) {
        double t = secondsOf(i), sum = 0;
        for (int k = 1; k <= 6; ++k)
            sum += rise(t, 0.6 * k) * sineTurns(k * hz * t) / (k * std::sqrt(double(k))); // a bow's crescendo
        w[i] = rise(t, 1.2) * (1 - rise(t - hold, release)) * sum;
    }
    return w;
}

// Constant-power pan: -1 left .. 1 right.
void place(std::vector<Wave>& out, const Wave& note, size_t start, double gain, double pan)
{
    mixLooped(out[0], note, start, gain * std::sqrt((1 - pan) / 2));
    mixLooped(out[1], note, start, gain * std::sqrt((1 + pan) / 2));
}

} // namespace

std::vector<Wave> musicLoop()
{
    std::vector<Wave> out(2, Wave(at(kBars, 0), 0.0));
    uint32_t seed = 100;
    for (int bar = 0; bar < kBars; ++bar) {
        const Chord& c = kChords[bar / 2];
        if (bar % 2 == 0)
            for (double note : c.pad) { // the two sides a few cents apart: a wide, slowly beating pad
                mixLooped(out[0], padVoice(noteHz(note - 0.04), 4 * kBeat * 2), at(bar, 0), 0.3);
                mixLooped(out[1], padVoice(noteHz(note + 0.04), 4 * kBeat * 2), at(bar, 0), 0.3);
            }
        for (int e = 0; e < 8; ++e) {
            double accent = e == 0 ? 1 : e % 2 ? 0.7 : 0.85;
            place(out, pluck(noteHz(c.arp[kArp[bar % 2][e]]), 1.6, 0.7, 0.35), at(bar, e / 2.0), 0.5 * accent,
                  e % 2 ? 0.35 : -0.35);
            if (e % 2)
                place(out, hiss(0.05, 8000, 8000, 1, 0.001, 0.012, seed++), at(bar, e / 2.0), 0.25, 0.3);
        }
        // Bass "one, and-of-two, three": a slow gallop under the arpeggio.
        for (double beat : {0.0, 1.5, 2.0})
            place(out, pluck(noteHz(c.bass), 0.9, 0.35, 0.25), at(bar, beat), beat == 1.5 ? 0.35 : 0.55, 0);
        place(out, thump(90, 55, 0.18, 0.5, seed++), at(bar, 0), 0.5, 0);
        place(out, thump(90, 55, 0.18, 0.5, seed++), at(bar, 2), 0.3, 0);
        if (bar % 2)
            place(out, bell(noteHz(c.bellNote), 2.5, 1.2), at(bar, 0), 0.1, 0.2);
    }
    double sum = 0;
    for (const Wave& w : out)
        for (double v : w)
            sum += v * v;
    double rms = std::sqrt(sum / double(out[0].size() * 2));
    for (Wave& w : out)
        for (double& v : w)
            v *= gainOfDb(-24) / rms;
    return out;
}
