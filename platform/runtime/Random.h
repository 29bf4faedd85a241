#pragma once
// The game's uniform random source: values in [0, 1) in single precision.
// Everything that draws goes through one RandomSource, so a test can script
// every value and count every draw.
#include <cstdint>
#include <random>

class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual float Rnd() = 0;
};

// The generator used by the game itself.
class DefaultRandom : public RandomSource {
public:
    DefaultRandom();
    explicit DefaultRandom(uint32_t seed) : gen_(seed) {}
    float Rnd() override;

private:
    std::mt19937 gen_;
};
