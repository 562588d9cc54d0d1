#include "gallery/DateBreakTable.h"

#include <algorithm>
#include <cmath>

#include "format/ValueFormat.h"

namespace dravik {
namespace {

using com::LONG;

// The period of each kind (0-5) an element falls in, as one number per kind: two elements are in the
// same period of a kind when their numbers agree. Weeks are counted in whole days from the week of
// the first element, whose weekday (Sunday 0) starts the count.
using PeriodKeys = std::array<std::int64_t, kEachPointStep>;

std::optional<PeriodKeys> periodKeys(double date, double firstDay, int firstWeekday) {
    loc::SystemTime time;
    if (!std::isfinite(date) || !VariantTimeToSystemTimeHelper(date, time))
        return std::nullopt;
    const std::int64_t year = time.year;
    const std::int64_t month = time.month - 1;
    const double days = std::floor(date) - firstDay + firstWeekday;
    return PeriodKeys{
        year,
        year * 2 + month / 6,
        year * 4 + month / 3,
        year * 12 + month,
        static_cast<std::int64_t>(std::floor(days / 7)),
        (year * 12 + month) * 32 + time.day,
    };
}

}  // namespace

bool DateBreakTable::Build(LONG count, const DateOf& dateOf) {
    Free();
    if (count <= 0 || !dateOf)
        return false;
    const std::optional<double> first = dateOf(0);
    loc::SystemTime firstTime;
    if (!first || !std::isfinite(*first) || !VariantTimeToSystemTimeHelper(*first, firstTime))
        return false;
    const double firstDay = std::floor(*first);
    const int firstWeekday = firstTime.dayOfWeek;
    const auto size = static_cast<std::size_t>(count) + 1;
    for (auto& table : breaks_)
        table.assign(size, 0);
    PeriodKeys current = *periodKeys(*first, firstDay, firstWeekday);
    std::array<LONG, kDateStepKinds> lastBeginning{};
    for (LONG i = 1; i < count; ++i) {
        const std::optional<double> date = dateOf(i);
        const std::optional<PeriodKeys> keys =
            date ? periodKeys(*date, firstDay, firstWeekday) : std::nullopt;
        if (!keys)
            break;
        for (LONG k = 0; k < kEachPointStep; ++k) {
            const auto kind = static_cast<std::size_t>(k);
            if ((*keys)[kind] == current[kind])
                continue;
            breaks_[kind][static_cast<std::size_t>(i)] = i - lastBeginning[kind];
            lastBeginning[kind] = i;
            current[kind] = (*keys)[kind];
        }
    }
    for (LONG k = 0; k < kEachPointStep; ++k)
        breaks_[static_cast<std::size_t>(k)][static_cast<std::size_t>(count)] =
            count - lastBeginning[static_cast<std::size_t>(k)];
    breaks_[kEachPointStep].assign(size, 1);
    return true;
}

LONG DateBreakTable::Entry(LONG kind, LONG index) const {
    if (kind < 0 || kind >= kDateStepKinds || index < 0 || index > count() || empty())
        return 0;
    return breaks_[static_cast<std::size_t>(kind)][static_cast<std::size_t>(index)];
}

LONG DateBreakTable::CountBeginnings(LONG kind, LONG first, LONG last) const {
    LONG n = 0;
    for (LONG i = std::max<LONG>(first + 1, 0); i <= last && i < count(); ++i)
        n += BeginsAt(kind, i) ? 1 : 0;
    return n;
}

LONG DateBreakTable::NextBeginning(LONG kind, LONG element, LONG last) const {
    for (LONG i = std::max<LONG>(element + 1, 0); i <= last && i < count(); ++i) {
        if (BeginsAt(kind, i))
            return i;
    }
    return -1;
}

LONG DateBreakTable::visibleCount(LONG kind) const {
    return kind >= 0 && kind < kDateStepKinds ? visible_[static_cast<std::size_t>(kind)] : 0;
}

void DateBreakTable::setVisibleCount(LONG kind, LONG count) {
    if (kind >= 0 && kind < kDateStepKinds)
        visible_[static_cast<std::size_t>(kind)] = count;
}

}  // namespace dravik
