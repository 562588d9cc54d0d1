#include "PriceSeries.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

namespace samplegen {

using namespace std::chrono;

std::uint64_t Random::next() {
    // splitmix64
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

double Random::uniform() {
    return static_cast<double>(next() >> 11) * 0x1.0p-53;
}

double Random::normal() {
    const double u1 = 1.0 - uniform();
    const double u2 = uniform();
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
}

namespace {

double cents(double value) {
    return std::round(value * 100.0) / 100.0;
}

struct Walk {
    const Company* company;
    double level;  // split-adjusted close
    int suspendedLeft = 0;
};

bool suspendedOn(const Company& company, Day day, const Market& market, int& left) {
    if (left > 0) {
        --left;
        return true;
    }
    for (const Suspension& s : Suspensions()) {
        if (s.companyId == company.id && s.first == day && IsTradingDay(market, day)) {
            left = s.tradingDays - 1;
            return true;
        }
    }
    return false;
}

// The factor by which a price of `day` stands above the split-adjusted level: the product of the
// ratios of the company's later splits.
double splitFactor(std::int32_t companyId, Day day, const std::vector<Split>& splits) {
    double factor = 1.0;
    for (const Split& split : splits) {
        if (split.companyId == companyId && day < split.date) {
            factor *= split.ratio;
        }
    }
    return factor;
}

DailyPrice bar(std::int32_t id, Day day, double previous, double close, double shares, double factor,
               Random& random) {
    const double open = previous * std::exp(0.004 * random.normal());
    double high = std::max(open, close) * (1.0 + std::abs(0.006 * random.normal()));
    double low = std::min(open, close) * (1.0 - std::abs(0.006 * random.normal()));
    DailyPrice p{day, id, std::round(shares / factor), 0, cents(open * factor), 0, 0, cents(close * factor)};
    p.high = std::max({cents(high * factor), p.open, p.close});
    p.low = std::min({cents(low * factor), p.open, p.close});
    p.amount = cents(p.shares * (p.open + p.close) / 2.0);
    return p;
}

}  // namespace

std::vector<DailyPrice> SimulateMarket(const Market& market, Day first, Day last,
                                       const std::vector<Split>& splits, Random& random) {
    std::vector<Walk> companies;
    std::vector<Walk> indices;
    for (const Company& c : Companies()) {
        if (c.marketId == market.id) {
            (c.isIndex ? indices : companies).push_back({&c, c.startPrice});
        }
    }
    std::vector<DailyPrice> out;
    for (Day day = first; day <= last; day += days{1}) {
        if (!IsTradingDay(market, day)) {
            continue;
        }
        const double marketMove = 0.00025 + 0.008 * random.normal();
        std::map<std::int32_t, double> sectorMove;
        for (const Sector& s : Sectors()) {
            sectorMove[s.id] = 0.005 * random.normal();
        }
        // Per sector (and for the whole market under the general sector): moves and turnover of the
        // companies that traded.
        std::map<std::int32_t, std::pair<double, int>> moves;
        std::map<std::int32_t, double> turnover;
        for (Walk& w : companies) {
            const Company& c = *w.company;
            const double move = marketMove + sectorMove[c.sectorId] + 0.012 * random.normal();
            const double shares = c.baseShares * std::exp(0.5 * random.normal());
            const bool skipped = random.uniform() < 0.015;
            if (day < c.listed || suspendedOn(c, day, market, w.suspendedLeft) || skipped) {
                continue;
            }
            const double previous = w.level;
            w.level *= std::exp(move);
            out.push_back(bar(c.id, day, previous, w.level, shares, splitFactor(c.id, day, splits), random));
            for (std::int32_t key : {c.sectorId, kGeneralSector}) {
                moves[key].first += move;
                moves[key].second += 1;
                turnover[key] += out.back().shares;
            }
        }
        for (Walk& w : indices) {
            const auto& [sum, n] = moves[w.company->sectorId];
            const double previous = w.level;
            w.level *= std::exp(n > 0 ? sum / n : marketMove);
            DailyPrice p =
                bar(w.company->id, day, previous, w.level, turnover[w.company->sectorId], 1.0, random);
            p.amount = cents(p.shares * p.close / 100.0);
            out.push_back(p);
        }
    }
    return out;
}

}  // namespace samplegen
