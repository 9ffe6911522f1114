// Deterministic noise: every texture and jitter is a function of fixed seeds, so runs repeat bytewise.
#pragma once

#include <cstdint>

#include "geometry.h"

// A value in 0..1 for each lattice point and seed.
double hashUnit(int32_t x, int32_t y, uint32_t seed);
// Smooth value noise summed over octaves, in 0..1.
double fbm(double x, double y, uint32_t seed, int octaves);

// A seeded xorshift generator for layouts and jitter.
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed * 2685821657736338717ull + 1) {}
    double unit()
    {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return double((state_ * 2685821657736338717ull) >> 11) / double(1ull << 53);
    }
    double range(double a, double b) { return lerp(a, b, unit()); }

private:
    uint64_t state_;
};
