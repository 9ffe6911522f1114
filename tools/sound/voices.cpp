#include "voices.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTwoPi = 6.283185307179586;

double lerp(double a, double b, double t) { return a + (b - a) * t; }

} // namespace

Wave pluck(double hz, double seconds, double tau, double bright)
{
    Wave w(samplesOf(seconds));
    for (size_t i = 0; i < w.size(); ++i) {
        double t = secondsOf(i), ph = hz * t;
        double index = bright * 2.2 * decay(t, 0.03); // a bright strike that mellows into a sine
        double body = sineTurns(ph + index / kTwoPi * sineTurns(ph)) + 0.22 * decay(t, tau * 0.5) * sineTurns(2 * ph);
        double sparkle = 4 * hz < 12000 ? 0.16 * bright * decay(t, 0.012) * sineTurns(4 * ph) : 0;
        w[i] = rise(t, 0.0004) * (decay(t, tau) * body + sparkle);
    }
    fadeOut(w, std::min(0.02, seconds / 4));
    return w;
}

Wave bell(double hz, double seconds, double tau)
{
    const double ratio[] = {1, 2.76, 5.40, 8.93}, level[] = {1, 0.45, 0.25, 0.12};
    Wave w(samplesOf(seconds));
    for (size_t i = 0; i < w.size(); ++i) {
        double t = secondsOf(i), sum = 0;
        for (int p = 0; p < 4; ++p)
            if (ratio[p] * hz < 16000)
                sum += level[p] * decay(t, tau / ratio[p]) * sineTurns(ratio[p] * hz * t);
        w[i] = rise(t, 0.001) * sum;
    }
    fadeOut(w, std::min(0.05, seconds / 4));
    return w;
}

Wave brass(double hz, double seconds, double release, double bright, double scoop)
{
    Wave w(samplesOf(seconds));
    double ph1 = 0, ph2 = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        double t = secondsOf(i);
        double level =
            rise(t, 0.035) * (0.8 + 0.2 * decay(t, 0.12)) * decay(t, 3) * (1 - rise(t - (seconds - release), release));
        double vibrato = 0.004 * rise(t - 0.25, 0.2) * sineTurns(5.2 * t);
        double f = hz * exp2d(scoop / 12 * decay(t, 0.05)) * (1 + vibrato);
        double index = bright * (0.4 + 2.4 * level); // louder is brighter, as in a real horn
        ph1 += f / kRate;
        ph2 += f * 1.0017 / kRate; // a second player three cents sharp
        ph1 -= std::floor(ph1);
        ph2 -= std::floor(ph2);
        w[i] = level * 0.5 *
               (sineTurns(ph1 + index / kTwoPi * sineTurns(ph1)) + sineTurns(ph2 + index / kTwoPi * sineTurns(ph2)));
    }
    return w;
}

Wave thump(double fromHz, double toHz, double tau, double noise, uint32_t seed)
{
    Wave w(samplesOf(tau * 6 + 0.02));
    Noise rng(seed);
    Filter dark;
    dark.tune(900, 0.7);
    double ph = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        double t = secondsOf(i);
        ph += (toHz + (fromHz - toHz) * decay(t, 0.035)) / kRate;
        ph -= std::floor(ph);
        dark.run(rng.next());
        w[i] = rise(t, 0.001) * (decay(t, tau) * sineTurns(ph) + noise * decay(t, 0.02) * dark.low);
    }
    fadeOut(w, 0.015);
    return w;
}

Wave hiss(double seconds, double fromHz, double toHz, double q, double attack, double tau, uint32_t seed)
{
    Wave w(samplesOf(seconds));
    Noise rng(seed);
    Filter band;
    for (size_t i = 0; i < w.size(); ++i) {
        double t = secondsOf(i);
        band.tune(lerp(fromHz, toHz, t / seconds), q);
        band.run(rng.next());
        w[i] = rise(t, attack) * decay(t, tau) * band.band;
    }
    fadeOut(w, std::min(0.01, seconds / 4));
    return w;
}

Wave cry(const Cry& c, uint32_t seed)
{
    Wave w(samplesOf(c.seconds));
    Noise rng(seed);
    Filter f1, f2, f3, chest, wobble, rough;
    wobble.tune(6, 0.7); // slow random pitch drift: a steady buzz sounds like a machine
    rough.tune(45, 0.7);
    double ph = 0, sub = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        double t = secondsOf(i), u = t / c.seconds;
        double hz =
            u < 0.2 ? lerp(c.pitchFrom, c.pitchPeak, rise(u, 0.2)) : lerp(c.pitchPeak, c.pitchTo, rise(u - 0.2, 0.8));
        wobble.run(rng.next());
        rough.run(rng.next());
        hz *= 1 + 1.5 * wobble.low + c.vibrato * 0.0578 * u * sineTurns(5.5 * t);
        ph += hz / kRate;
        sub += hz / 2 / kRate;
        ph -= std::floor(ph);
        sub -= std::floor(sub);
        double source = 0; // a buzz rolled off gently toward 6 kHz
        for (int k = 1; k * hz < 6000; ++k)
            source += std::min(1.0, (6000 - k * hz) / 1500) / k * sineTurns(k * ph);
        source *= 1 - c.growl * (0.35 * (1 + sineTurns(sub)) + 8 * rough.low);
        source += c.breath * 2 * rng.next();
        f1.tune(c.throat * lerp(c.from.f1, c.to.f1, u), 8);
        f2.tune(c.throat * lerp(c.from.f2, c.to.f2, u), 11);
        f3.tune(c.throat * lerp(c.from.f3, c.to.f3, u), 16);
        chest.tune(hz * 1.5, 0.7);
        f1.run(source);
        f2.run(source);
        f3.run(source);
        chest.run(source);
        w[i] = rise(t, 0.015) * decay(t, c.tau) * (f1.band + 0.7 * f2.band + 0.3 * f3.band + 0.15 * chest.low);
    }
    fadeOut(w, 0.04);
    return w;
}
