#pragma once

#include <optional>
#include <random>

// The runs' pseudo-random numbers: seeded from the clock in seconds whenever a run asks for it,
// or, once a fixed seed is set, with that seed every time, so that a run can be replayed.
class RandomSource {
public:
    // Seeds with the current time in seconds, or with the fixed seed when one is set.
    void seedFromClock();
    void setFixedSeed(unsigned seed);

    // A non-negative pseudo-random integer.
    unsigned next();
    // next() mod k; 0 when k is not positive.
    int below(int k);

private:
    std::minstd_rand Engine;
    std::optional<unsigned> FixedSeed;
};
