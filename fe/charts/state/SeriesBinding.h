// Which chart series hold the prices, the volume and the user series.
#pragma once

#include <cstdint>

#include "com/HResult.h"

namespace dravik {

class CPropertyArchive;

inline constexpr std::uint32_t kSeriesBindingSavedSize = 14;

struct SeriesBinding {
    std::int16_t openSeries = -1;  // -1: none
    std::int16_t highSeries = -1;
    std::int16_t lowSeries = -1;
    std::int16_t closeSeries = -1;
    std::int16_t volumeSeries = -1;
    std::int16_t userSeries = 0;
    std::int16_t firstUserIndex = 0;

    // One of the four price bindings names `series`.
    bool bindsPrice(int series) const {
        return series == openSeries || series == highSeries || series == lowSeries || series == closeSeries;
    }

    friend bool operator==(const SeriesBinding&, const SeriesBinding&) = default;
};

// Seven shorts in this order, whatever the version.
com::HRESULT ExchangeSeriesBinding(SeriesBinding& binding, CPropertyArchive& archive, std::uint32_t version,
                                   std::uint32_t flags);

}  // namespace dravik
