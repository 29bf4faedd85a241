#include "Random.h"

DefaultRandom::DefaultRandom() : gen_(std::random_device{}()) {}

float DefaultRandom::Rnd() {
    // 24 random bits fill the single-precision mantissa exactly: 0 <= v < 1.
    return static_cast<float>(gen_() >> 8) * (1.0f / 16777216.0f);
}
