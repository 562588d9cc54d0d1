// Where the neural network's initial weights come from. The library draws from a generator seeded from
// the clock, so two runs differ; tests inject a source of their own to make the weights exact.
#pragma once

#include <cstdint>
#include <memory>

namespace indikon {

class RandomSource {
public:
    virtual ~RandomSource() = default;

    // Called once at the start of every weight initialisation.
    virtual void reseed() = 0;
    // A uniform draw in [0, 1), in single precision.
    virtual float next() = 0;
};

// Reseeds from the clock at every initialisation.
std::unique_ptr<RandomSource> makeClockSeededSource();
// Restarts the same sequence at every initialisation, so every run with the same seed draws alike.
std::unique_ptr<RandomSource> makeSeededSource(std::uint32_t seed);

}  // namespace indikon
