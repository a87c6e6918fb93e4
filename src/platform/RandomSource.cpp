#include "platform/RandomSource.h"

#include <ctime>

void RandomSource::seedFromClock() {
    Engine.seed(FixedSeed ? *FixedSeed : static_cast<unsigned>(std::time(nullptr)));
}

void RandomSource::setFixedSeed(unsigned seed) {
    FixedSeed = seed;
    Engine.seed(seed);
}

unsigned RandomSource::next() {
    return static_cast<unsigned>(Engine());
}

int RandomSource::below(int k) {
    return k > 0 ? int(next() % unsigned(k)) : 0;
}
