// The sound effects, at the level the game plays them: the mixer adds them up as they are and only holds the sum
// under -1 dBFS. Each stands 6 to 12 LU (momentary loudness) above the music, -19 LUFS; each keeps a part between
// 1 and 4 kHz, so that a small speaker, which plays nothing much below 250 Hz, still carries it; and none has
// anything below 40 Hz.

#include "sounds.h"

#include "voices.h"

namespace {

constexpr Vowel kAh{730, 1090, 2440}, kUh{640, 1190, 2390}, kOh{570, 840, 2410};

// Semitones from A4 of the notes used below.
constexpr double kA2 = -24, kE3 = -17, kA3 = -12, kC4 = -9, kE4 = -5, kF4 = -4, kA4 = 0, kC5 = 3, kE5 = 7, kG5 = 10,
                 kC6 = 15;

Wave silence(double seconds) { return Wave(samplesOf(seconds), 0.0); }

// The last steps of every cue: saturation by `drive` (from 1; 0 for none) where the peaks stand too far above the
// body of the sound, no rumble, a fade to zero at the end, and its level.
Wave finish(Wave w, double fade, double peakDb, double drive = 0)
{
    if (drive > 0) {
        scaleToPeak(w, 0);
        for (double& v : w)
            v = softClip(drive * v);
    }
    highPass(w, 40);
    fadeOut(w, fade);
    scaleToPeak(w, peakDb);
    return w;
}

} // namespace

// Pen on paper: the nib lands with a bright tick, then the grain of the paper rasps under it, over a soft tap.
Wave strokeCue()
{
    Wave w = hiss(0.3, 3200, 2400, 0.8, 0.003, 0.15, 11);
    Noise grain(12);
    double g = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        if (i % 90 == 0)
            g = 0.6 + 0.4 * grain.next();
        double t = secondsOf(i);
        w[i] = w[i] * g + 0.25 * rise(t, 0.001) * decay(t, 0.012) * sineTurns(330 * t);
    }
    mixInto(w, hiss(0.02, 2600, 2600, 2, 0.0003, 0.003, 13), 0, 0.6);
    return finish(w, 0.05, -3, 1.5);
}

// Each note rings down to -40 dB before its file ends, so that a run of them sounds like a plucked harp.
Wave dotCue(int n)
{
    const double degree[] = {0, 2, 4, 7, 9}; // major pentatonic: no two notes clash, any run sounds right
    double semis = kC4 + 12 * ((n - 1) / 5) + degree[(n - 1) % 5];
    return finish(pluck(noteHz(semis), 0.5, 0.09, 0.8), 0.02, -3 - 2.5 * (n - 1) / 15, 1.3); // high notes: louder
}

// The pen lifts: an airy swish falling in pitch over a soft falling blip.
Wave releaseCue()
{
    Wave w = hiss(0.35, 3500, 1000, 1.2, 0.01, 0.18, 21);
    scaleToPeak(w, 0);
    double ph = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        double t = secondsOf(i);
        ph += (440 + 220 * decay(t, 0.03)) / kRate;
        w[i] = 0.6 * w[i] + 0.5 * rise(t, 0.002) * decay(t, 0.05) * sineTurns(ph);
    }
    return finish(w, 0.05, -3, 1.5);
}

// Endurance is low: two hollow tones falling a tritone, A5 then D#5.
Wave tiredCue()
{
    Wave w = silence(0.25);
    const double pitch[] = {noteHz(12), noteHz(6)};
    for (int k = 0; k < 2; ++k) {
        Wave tone(samplesOf(0.115));
        for (size_t i = 0; i < tone.size(); ++i) {
            double t = secondsOf(i), ph = pitch[k] * t;
            double odd = sineTurns(ph) + 0.3 * sineTurns(3 * ph) + 0.12 * sineTurns(5 * ph);
            tone[i] = rise(t, 0.003) * (0.75 + 0.25 * decay(t, 0.04)) * odd;
        }
        fadeOut(tone, 0.015);
        mixInto(w, tone, samplesOf(0.125 * k), 1);
    }
    return finish(w, 0.01, -9); // a steady tone sounds louder than a decaying one at the same peak
}

// The blow lands: a falling thump for weight, a dark crack and a bright slap for contact, saturated together.
Wave blowCue()
{
    Wave w = thump(150, 48, 0.09, 0.8, 31);
    mixInto(w, hiss(0.3, 1500, 800, 0.7, 0.0005, 0.012, 32), 0, 0.6);
    mixInto(w, hiss(0.3, 350, 250, 1.2, 0.001, 0.06, 33), 0, 1.6);
    mixInto(w, hiss(0.3, 2600, 1400, 1.0, 0.0003, 0.05, 34), 0, 3);
    w.resize(samplesOf(0.3));
    return finish(w, 0.05, -1.5, 3.2);
}

// A short "ah!" that falls to "uh": the hero's voice in the tenor range, the brute's an octave down,
// throatier and rough.
Wave painCue(bool hero)
{
    Cry c = hero ? Cry{0.25, 200, 250, 165, kAh, kUh, 1.0, 0.12, 0.0, 0, 0.12}
                 : Cry{0.25, 100, 128, 80, kAh, kUh, 0.82, 0.2, 0.6, 0, 0.12};
    return finish(cry(c, hero ? 41 : 42), 0.01, -2, hero ? 1.6 : 2.2);
}

// A long falling groan, and the body hitting the floor as the death animation lands.
Wave deathCue(bool hero)
{
    Cry c = hero ? Cry{0.65, 210, 245, 105, kAh, kOh, 1.0, 0.2, 0.1, 0.4, 0.3}
                 : Cry{0.65, 115, 135, 55, kAh, kOh, 0.82, 0.25, 0.7, 0.5, 0.35};
    Wave w = cry(c, hero ? 51 : 52);
    scaleToPeak(w, 0);
    Wave fall = hero ? thump(90, 45, 0.08, 0.6, 53) : thump(70, 45, 0.13, 0.8, 54);
    scaleToPeak(fall, 0);
    mixInto(w, fall, samplesOf(hero ? 0.39 : 0.41), hero ? 0.55 : 0.85);
    w.resize(samplesOf(0.8), 0.0);
    return finish(w, 0.05, hero ? -3 : -2, 1.2);
}

// A brass fanfare up the C major triad onto a full chord, with bells an octave higher, a drum and a cymbal.
Wave victoryCue()
{
    Wave w = silence(1.2);
    const double run[] = {kC5, kE5, kG5};
    for (int k = 0; k < 3; ++k) {
        mixInto(w, brass(noteHz(run[k]), 0.13, 0.04, 0.9, -0.5), samplesOf(0.11 * k), 0.6);
        mixInto(w, bell(noteHz(run[k] + 12), 0.5, 0.4), samplesOf(0.11 * k), 0.2);
    }
    size_t at = samplesOf(0.33);
    for (double note : {kC5, kE5, kG5, kC6})
        mixInto(w, brass(noteHz(note), 0.87, 0.45, 0.9, -0.3), at, 0.45);
    mixInto(w, bell(noteHz(kC6 + 12), 0.87, 0.5), at, 0.25);
    mixInto(w, hiss(0.87, 7000, 6000, 0.7, 0.002, 0.3, 61), at, 0.2);
    mixInto(w, thump(120, 80, 0.15, 0.4, 62), at, 0.6);
    w.resize(samplesOf(1.2));
    return finish(w, 0.05, -2, 1.3);
}

// Down the F major triad, then the F falls a semitone onto a low, dark A minor: the battle is lost.
Wave defeatCue()
{
    Wave w = silence(1.5);
    const double run[] = {kC5, kA4, kF4};
    for (int k = 0; k < 3; ++k)
        mixInto(w, brass(noteHz(run[k]), 0.3, 0.08, 0.45, 0), samplesOf(0.25 * k), 0.6);
    size_t at = samplesOf(0.75);
    for (double note : {kA2, kA3, kC4, kE4})
        mixInto(w, brass(noteHz(note), 0.75, 0.6, 0.35, 0), at, 0.4);
    mixInto(w, thump(70, 50, 0.25, 0.5, 71), at, 0.8);
    w.resize(samplesOf(1.5));
    return finish(w, 0.1, -2, 1.3);
}

// Two war-drum beats, struck with a stick that clicks on the rim, then a low horn call on an open fifth.
Wave approachCue()
{
    Wave w = silence(0.8);
    for (int k = 0; k < 2; ++k) {
        mixInto(w, thump(95, 50, 0.12, 0.7, 81 + k), samplesOf(0.16 * k), k ? 1.0 : 0.6);
        mixInto(w, hiss(0.03, 2500, 2000, 1.5, 0.0003, 0.006, 83 + k), samplesOf(0.16 * k), k ? 0.5 : 0.3);
    }
    mixInto(w, brass(noteHz(kA2), 0.6, 0.2, 0.9, -0.6), samplesOf(0.2), 0.5);
    mixInto(w, brass(noteHz(kE3), 0.6, 0.2, 0.9, -0.6), samplesOf(0.2), 0.35);
    mixInto(w, brass(noteHz(kA3), 0.6, 0.2, 0.9, -0.6), samplesOf(0.2), 0.25);
    w.resize(samplesOf(0.8));
    return finish(w, 0.03, -3);
}
