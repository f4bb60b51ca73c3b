#pragma once

#include <QtGlobal>

// The program's pseudo-random generator: a 32-bit linear congruential generator whose
// draw is the high half of n x seed, so random(n) is uniform enough over 0..n-1 for
// picking problems. The program uses the one process-wide instance; tests construct
// their own with a fixed seed.
class TRandom
{
public:
    explicit TRandom(quint32 seed = 0) : m_seed(seed) {}

    static TRandom &global();

    // Seed from the UTC time of day in milliseconds.
    void randomize();
    // The process-wide instance seeded from the clock; returns that seed.
    static quint32 clockSeed();
    // A uniform integer in 0 .. n - 1; 0 for n == 0.
    quint32 random(quint32 n);

    quint32 seed() const { return m_seed; }
    void setSeed(quint32 seed) { m_seed = seed; }

    static quint32 seedFromTimeOfDay(int hour, int minute, int second, int millisecond);

private:
    quint32 m_seed;
};
