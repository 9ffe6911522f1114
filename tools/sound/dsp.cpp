#include "dsp.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kLn2 = 0.6931471805599453;
constexpr double kLog2e = 1.4426950408889634;
constexpr double kLog2Of10 = 3.321928094887362;

} // namespace

size_t samplesOf(double seconds) { return size_t(std::floor(seconds * kRate + 0.5)); }

double secondsOf(size_t sample) { return double(sample) / kRate; }

double sineTurns(double turns)
{
    double t = turns - std::floor(turns); // 0..1
    if (t > 0.75)
        t -= 1;
    else if (t > 0.25)
        t = 0.5 - t; // now -0.25..0.25, where the series converges fast
    double x = t * kTwoPi, x2 = x * x;
    return x *
           (1 + x2 * (-1.0 / 6 + x2 * (1.0 / 120 + x2 * (-1.0 / 5040 + x2 * (1.0 / 362880 + x2 * (-1.0 / 39916800))))));
}

double exp2d(double x)
{
    if (x < -1000)
        return 0;
    double whole = std::floor(x);
    double y = (x - whole) * kLn2; // 2^x = 2^whole * e^y, 0 <= y < ln 2
    double sum = 1;
    for (int n = 14; n >= 1; --n)
        sum = 1 + sum * y / n;
    return std::ldexp(sum, int(whole));
}

double decay(double t, double tau) { return exp2d(-t / tau * kLog2e); }

double gainOfDb(double db) { return exp2d(db / 20 * kLog2Of10); }

double noteHz(double semitones) { return 440 * exp2d(semitones / 12); }

double rise(double t, double len)
{
    if (t >= len)
        return 1;
    double u = t / len;
    return t <= 0 ? 0 : u * u * (3 - 2 * u);
}

double softClip(double x)
{
    x = std::clamp(x, -3.0, 3.0);
    return x * (27 + x * x) / (27 + 9 * x * x);
}

double Noise::next()
{
    state_ = state_ * 1664525u + 1013904223u;
    return double(state_ >> 8) / 8388608.0 - 1;
}

void Filter::tune(double hz, double q)
{
    double half = std::min(hz / kRate, 0.49) / 2; // turns of pi * hz / rate
    double g = sineTurns(half) / sineTurns(half + 0.25);
    k_ = 1 / q;
    a1_ = 1 / (1 + g * (g + k_));
    a2_ = g * a1_;
    a3_ = g * a2_;
}

void Filter::run(double in)
{
    double v3 = in - ic2_;
    double v1 = a1_ * ic1_ + a2_ * v3;
    double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
    ic1_ = 2 * v1 - ic1_;
    ic2_ = 2 * v2 - ic2_;
    low = v2;
    band = k_ * v1;
    high = in - k_ * v1 - v2;
}

void scaleToPeak(Wave& w, double db)
{
    double peak = 0;
    for (double v : w)
        peak = std::max(peak, std::abs(v));
    if (peak == 0)
        return;
    double k = gainOfDb(db) / peak;
    for (double& v : w)
        v *= k;
}

void highPass(Wave& w, double hz)
{
    Filter f;
    f.tune(hz, 0.7071);
    for (double& v : w) {
        f.run(v);
        v = f.high;
    }
}

void fadeOut(Wave& w, double seconds)
{
    size_t n = std::min(w.size(), samplesOf(seconds));
    for (size_t i = 0; i < n; ++i)
        w[w.size() - 1 - i] *= double(i) / double(n);
}

void mixInto(Wave& dst, const Wave& src, size_t at, double gain)
{
    if (dst.size() < at + src.size())
        dst.resize(at + src.size(), 0);
    for (size_t i = 0; i < src.size(); ++i)
        dst[at + i] += src[i] * gain;
}

void mixLooped(Wave& dst, const Wave& src, size_t at, double gain)
{
    for (size_t i = 0; i < src.size(); ++i)
        dst[(at + i) % dst.size()] += src[i] * gain;
}
