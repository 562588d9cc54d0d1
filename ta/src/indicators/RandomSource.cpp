#include "indicators/RandomSource.h"

#include <chrono>
#include <random>

namespace indikon {
namespace {

// The top 24 bits of a 32-bit draw over 2^24: every float in [0, 1) on that grid, never 1.
float unitFloat(std::mt19937& engine) {
    return static_cast<float>(engine() >> 8) * (1.0f / 16777216.0f);
}

class ClockSeededSource final : public RandomSource {
public:
    void reseed() override {
        const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
        std::seed_seq seeds{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
        engine_.seed(seeds);
    }
    float next() override { return unitFloat(engine_); }

private:
    std::mt19937 engine_;
};

class SeededSource final : public RandomSource {
public:
    explicit SeededSource(std::uint32_t seed) : seed_(seed), engine_(seed) {}

    void reseed() override { engine_.seed(seed_); }
    float next() override { return unitFloat(engine_); }

private:
    std::uint32_t seed_;
    std::mt19937 engine_;
};

}  // namespace

std::unique_ptr<RandomSource> makeClockSeededSource() {
    return std::make_unique<ClockSeededSource>();
}

std::unique_ptr<RandomSource> makeSeededSource(std::uint32_t seed) {
    return std::make_unique<SeededSource>(seed);
}

}  // namespace indikon
