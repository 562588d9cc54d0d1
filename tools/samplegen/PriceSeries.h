// The simulated daily prices of one market: a random walk per company made of a market, a sector and
// a company part, with days without trade, suspensions, late listings and splits; the indices
// follow the average of their companies. The same seed gives the same prices on every run.
#pragma once

#include <cstdint>
#include <vector>

#include "SampleMarkets.h"

namespace samplegen {

struct DailyPrice {
    Day date;
    std::int32_t companyId;
    double shares, amount, open, high, low, close;
};

// A small generator of its own, so that the sample does not depend on a library's sequence.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    double uniform();  // [0, 1)
    double normal();   // mean 0, deviation 1

private:
    std::uint64_t state_;
};

// The prices of the market's companies and indices from `first` to `last`, by date and then in the
// order of Companies(); split dates must be trading days of their market.
std::vector<DailyPrice> SimulateMarket(const Market& market, Day first, Day last,
                                       const std::vector<Split>& splits, Random& random);

}  // namespace samplegen
