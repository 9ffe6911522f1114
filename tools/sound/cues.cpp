// The sound effects. Levels: the loud cues peak at -3 dBFS, the stroke's own touches lower, so that a run
// of dot notes stays in front; the music sits around -24 dBFS RMS beneath them all.

#include "sounds.h"

#include "voices.h"

namespace {

constexpr Vowel kAh{730, 1090, 2440}, kUh{640, 1190, 2390}, kOh{570, 840, 2410};

// Semitones from A4 of the notes used below.
constexpr double kA2 = -24, kE3 = -17, kA3 = -12, kC4 = -9, kE4 = -5, kF4 = -4, kA4 = 0, kC5 = 3, kE5 = 7, kG5 = 10,
                 kC6 = 15;

Wave silence(double seconds) { return Wave(samplesOf(seconds), 0.0); }

} // namespace

// Pen on paper: a short brush of bright noise, grainy like a fibre under the nib, over a faint soft tap.
Wave strokeCue()
{
    Wave w = hiss(0.06, 3200, 2200, 0.8, 0.002, 0.018, 11);
    Noise grain(12);
    double g = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        if (i % 90 == 0)
            g = 0.6 + 0.4 * grain.next();
        double t = secondsOf(i);
        w[i] = w[i] * g + 0.25 * rise(t, 0.001) * decay(t, 0.012) * sineTurns(330 * t);
    }
    fadeOut(w, 0.01);
    scaleToPeak(w, -9);
    return w;
}

Wave dotCue(int n)
{
    const double degree[] = {0, 2, 4, 7, 9}; // major pentatonic: no two notes clash, any run sounds right
    double semis = kC4 + 12 * ((n - 1) / 5) + degree[(n - 1) % 5];
    Wave w = pluck(noteHz(semis), 0.16, 0.075, 0.8);
    scaleToPeak(w, -3.5 - 2.5 * (n - 1) / 15); // high notes sound louder at the same level
    return w;
}

// The pen lifts: an airy swish falling in pitch over a soft falling blip.
Wave releaseCue()
{
    Wave w = hiss(0.12, 3500, 1200, 1.2, 0.006, 0.04, 21);
    scaleToPeak(w, 0);
    double ph = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        double t = secondsOf(i);
        ph += (440 + 220 * decay(t, 0.03)) / kRate;
        w[i] = 0.6 * w[i] + 0.5 * rise(t, 0.002) * decay(t, 0.03) * sineTurns(ph);
    }
    fadeOut(w, 0.02);
    scaleToPeak(w, -9);
    return w;
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
    scaleToPeak(w, -9); // a steady tone sounds louder than a decaying one at the same peak
    return w;
}

// The blow lands: a falling thump for weight, a dark crack for contact, saturated together.
Wave blowCue()
{
    Wave w = thump(150, 48, 0.07, 0.8, 31);
    mixInto(w, hiss(0.2, 1500, 800, 0.7, 0.0005, 0.012, 32), 0, 0.6);
    mixInto(w, hiss(0.2, 350, 250, 1.2, 0.001, 0.05, 33), 0, 1.6);
    w.resize(samplesOf(0.2));
    scaleToPeak(w, 0);
    for (double& v : w)
        v = softClip(1.8 * v);
    fadeOut(w, 0.03);
    scaleToPeak(w, -3);
    return w;
}

// A short "ah!" that falls to "uh": the hero's voice in the tenor range, the brute's an octave down,
// throatier and rough.
Wave painCue(bool hero)
{
    Cry c = hero ? Cry{0.25, 200, 250, 165, kAh, kUh, 1.0, 0.12, 0.0, 0, 0.12}
                 : Cry{0.25, 100, 128, 80, kAh, kUh, 0.82, 0.2, 0.6, 0, 0.12};
    Wave w = cry(c, hero ? 41 : 42);
    scaleToPeak(w, hero ? -4 : -3);
    return w;
}

// A long falling groan, and the body hitting the floor as the death animation lands.
Wave deathCue(bool hero)
{
    Cry c = hero ? Cry{0.65, 210, 245, 105, kAh, kOh, 1.0, 0.2, 0.1, 0.4, 0.3}
                 : Cry{0.65, 115, 135, 55, kAh, kOh, 0.82, 0.25, 0.7, 0.5, 0.35};
    Wave w = cry(c, hero ? 51 : 52);
    scaleToPeak(w, 0);
    Wave fall = hero ? thump(90, 45, 0.08, 0.6, 53) : thump(70, 36, 0.13, 0.8, 54);
    scaleToPeak(fall, 0);
    mixInto(w, fall, samplesOf(hero ? 0.39 : 0.41), hero ? 0.55 : 0.85);
    w.resize(samplesOf(0.8), 0.0);
    fadeOut(w, 0.05);
    scaleToPeak(w, -3);
    return w;
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
    fadeOut(w, 0.05);
    scaleToPeak(w, -3);
    return w;
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
    mixInto(w, thump(70, 40, 0.25, 0.5, 71), at, 0.8);
    w.resize(samplesOf(1.5));
    fadeOut(w, 0.1);
    scaleToPeak(w, -3);
    return w;
}

// Two war-drum beats, then a low horn call on an open fifth.
Wave approachCue()
{
    Wave w = silence(0.8);
    mixInto(w, thump(95, 50, 0.12, 0.7, 81), 0, 0.6);
    mixInto(w, thump(95, 50, 0.12, 0.7, 82), samplesOf(0.16), 1.0);
    mixInto(w, brass(noteHz(kA2), 0.6, 0.2, 0.55, -0.6), samplesOf(0.2), 0.5);
    mixInto(w, brass(noteHz(kE3), 0.6, 0.2, 0.55, -0.6), samplesOf(0.2), 0.35);
    w.resize(samplesOf(0.8));
    fadeOut(w, 0.03);
    scaleToPeak(w, -3);
    return w;
}
