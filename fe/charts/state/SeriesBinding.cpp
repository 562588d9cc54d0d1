#include "state/SeriesBinding.h"

#include <array>

#include "persist/CPropertyArchive.h"
#include "state/ExchangeKeys.h"

namespace dravik {
namespace {

struct BindingEntry {
    const char16_t* key;
    std::int16_t SeriesBinding::*field;
    std::int16_t defaultValue;
};

constexpr std::array kBindingEntries{
    BindingEntry{u"OpenSeries", &SeriesBinding::openSeries, -1},
    BindingEntry{u"HighSeries", &SeriesBinding::highSeries, -1},
    BindingEntry{u"LowSeries", &SeriesBinding::lowSeries, -1},
    BindingEntry{u"CloseSeries", &SeriesBinding::closeSeries, -1},
    BindingEntry{u"VolumeSeries", &SeriesBinding::volumeSeries, -1},
    BindingEntry{u"UserSeries", &SeriesBinding::userSeries, 0},
    BindingEntry{u"FirstUserIndex", &SeriesBinding::firstUserIndex, 0},
};

}  // namespace

com::HRESULT ExchangeSeriesBinding(SeriesBinding& binding, CPropertyArchive& archive, std::uint32_t,
                                   std::uint32_t) {
    return ExchangeWhole(binding, archive, [&archive](SeriesBinding& target) {
        for (const BindingEntry& entry : kBindingEntries)
            archive.ExchangeShort(&(target.*entry.field), entry.key, entry.defaultValue);
        return ArchiveResult(archive);
    });
}

}  // namespace dravik
