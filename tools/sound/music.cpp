// The background loop: 32 bars at 120 beats a minute (64 s) in A minor, four sections of eight bars, so that nothing
// repeats exactly within a minute. Chords two bars each; the last section ends on E, which leads back into the Am
// of the first. A string pad, a harp in eighths, a plucked bass, a frame drum with a shaker above it, now and then
// a soft bell. The tonal parts are kept under 1.2 kHz and the shaker above 6 kHz: the band between belongs to the
// dot notes and the cues. Every note is added modulo the loop's length: tails that run past the end sound at the
// start, so the file is one turn of a circle and repeats without a seam.

#include "sounds.h"

#include <cmath>
#include <map>

#include "voices.h"

namespace {

constexpr double kBeat = 0.5;
constexpr int kBars = 32;

struct Chord {
    double bass;     // semitones from A4
    double pad[3];   // the held voices
    double arp[5];   // the harp's chord tones, low to high
    double bellNote; // rung on its second bar
};

const Chord kAm{-24, {-12, -9, -5}, {-12, -5, 0, 3, 7}, 3}, kF{-28, {-16, -12, -9}, {-16, -9, -4, 0, 3}, 0},
    kC{-21, {-14, -9, -5}, {-9, -2, 3, 7, 10}, 7}, kG{-26, {-14, -10, -5}, {-14, -7, -2, 2, 5}, 5},
    kDm{-19, {-7, -4, 0}, {-7, 0, 5, 8, 12}, 5}, kE{-29, {-13, -10, -5}, {-17, -10, -5, -1, 2}, 2};

// Each section: its four chords, the harp's figure, and how busy the drums are.
struct Section {
    const Chord* chords[4];
    int figure; // row of kArp; -1: the harp plays only on the beat
    int drums;  // 0 a heartbeat, 1 steady, 2 driving
};
const Section kSections[] = {
    {{&kAm, &kF, &kC, &kG}, 0, 1},
    {{&kDm, &kAm, &kF, &kE}, -1, 0},
    {{&kAm, &kF, &kC, &kG}, 1, 2},
    {{&kF, &kG, &kAm, &kE}, 2, 2},
};

// Which chord tone the harp plays on each eighth, for the first and the second bar of a chord.
const int kArp[3][2][8] = {{{0, 1, 2, 3, 4, 3, 2, 1}, {0, 2, 1, 3, 2, 4, 3, 1}},
                           {{0, 2, 4, 2, 3, 1, 2, 4}, {4, 3, 2, 1, 0, 2, 1, 3}},
                           {{0, 4, 3, 4, 2, 4, 1, 4}, {0, 3, 2, 3, 1, 3, 2, 4}}};

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

// The loop plays a few notes over and over: each is rendered once, at its first use.
template <class Make> const Wave& once(std::map<double, Wave>& made, double hz, Make make)
{
    auto it = made.find(hz);
    return it != made.end() ? it->second : made.emplace(hz, make(hz)).first->second;
}

const Wave& pad(double hz)
{
    static std::map<double, Wave> made;
    return once(made, hz, [](double f) { return padVoice(f, 4 * kBeat * 2); });
}

const Wave& harp(double hz, bool bass)
{
    static std::map<double, Wave> made[2];
    return once(made[bass], hz,
                [bass](double f) { return bass ? pluck(f, 0.9, 0.35, 0.25) : pluck(f, 1.6, 0.7, 0.35); });
}

// Constant-power pan: -1 left .. 1 right.
void place(std::vector<Wave>& out, const Wave& note, size_t start, double gain, double pan)
{
    mixLooped(out[0], note, start, gain * std::sqrt((1 - pan) / 2));
    mixLooped(out[1], note, start, gain * std::sqrt((1 + pan) / 2));
}

// A filter around the loop: run once to settle on the end, so that the second run starts as the loop comes round.
void filterLooped(Wave& w, double hz, bool high)
{
    Filter f;
    f.tune(hz, 0.7071);
    for (double v : w)
        f.run(v);
    for (double& v : w) {
        f.run(v);
        v = high ? f.high : f.low;
    }
}

void addBar(std::vector<Wave>& tonal, std::vector<Wave>& drums, const Section& s, int bar, uint32_t& seed)
{
    const Chord& c = *s.chords[bar % 8 / 2];
    const bool second = bar % 2;
    if (!second)
        for (double note : c.pad) { // the two sides a few cents apart: a wide, slowly beating pad
            mixLooped(tonal[0], pad(noteHz(note - 0.04)), at(bar, 0), 0.3);
            mixLooped(tonal[1], pad(noteHz(note + 0.04)), at(bar, 0), 0.3);
        }
    for (int e = 0; e < 8; ++e) {
        double accent = e == 0 ? 1 : e % 2 ? 0.7 : 0.85;
        if (s.figure >= 0 || e % 2 == 0) {
            int tone = s.figure >= 0 ? kArp[s.figure][second][e] : (e / 2 + bar) % 5;
            place(tonal, harp(noteHz(c.arp[tone]), false), at(bar, e / 2.0), 0.5 * accent, e % 2 ? 0.35 : -0.35);
        }
        // The shaker: off-beats, every eighth when the drums drive, and a sixteenth before the bar's last beat.
        if (e % 2 || s.drums == 2)
            place(drums, hiss(0.06, 9000, 8000, 1, 0.001, 0.015, seed++), at(bar, e / 2.0), e % 2 ? 1 : 0.6, 0.3);
    }
    if (s.drums == 2)
        place(drums, hiss(0.05, 9000, 8000, 1, 0.001, 0.012, seed++), at(bar, 3.25), 0.5, 0.3);
    // Bass "one, and-of-two, three": a slow gallop under the harp.
    for (double beat : {0.0, 1.5, 2.0})
        place(tonal, harp(noteHz(c.bass), true), at(bar, beat), beat == 1.5 ? 0.35 : 0.55, 0);
    place(drums, thump(90, 55, 0.18, 0.5, seed++), at(bar, 0), 0.5, 0);
    if (s.drums >= 1)
        place(drums, thump(90, 55, 0.18, 0.5, seed++), at(bar, 2), 0.35, 0);
    if (s.drums == 2) // the drum's rim on two and four, low enough to leave the notes their band
        for (double beat : {1.0, 3.0})
            place(drums, hiss(0.12, 420, 380, 1.5, 0.001, 0.03, seed++), at(bar, beat), 0.9, -0.2);
    if (second)
        place(tonal, bell(noteHz(c.bellNote), 2.5, 1.2), at(bar, 0), 0.12, 0.2);
}

} // namespace

std::vector<Wave> musicLoop()
{
    std::vector<Wave> tonal(2, Wave(at(kBars, 0), 0.0)), out = tonal;
    uint32_t seed = 100;
    for (int bar = 0; bar < kBars; ++bar)
        addBar(tonal, out, kSections[bar / 8], bar, seed);
    double sum = 0;
    for (int side = 0; side < 2; ++side) {
        filterLooped(tonal[side], 1200, false);
        for (size_t i = 0; i < out[side].size(); ++i)
            out[side][i] += tonal[side][i];
        filterLooped(out[side], 40, true);
        for (double v : out[side])
            sum += v * v;
    }
    double rms = std::sqrt(sum / double(out[0].size() * 2));
    for (Wave& w : out)
        for (double& v : w)
            v *= gainOfDb(-21.6) / rms;
    return out;
}
