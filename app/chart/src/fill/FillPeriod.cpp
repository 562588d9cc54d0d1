#include "appchart/fill/FillPeriod.h"

#include <chrono>

namespace tarnwick::chart {

namespace {

using namespace std::chrono;

constexpr db::Date kZeroDate{year{1899}, month{12}, day{30}};
constexpr db::Date kAllFrom{year{1979}, month{11}, day{1}};

db::Date monthsBefore(db::Date date, int count) {
    const year_month_day moved = date - months{count};
    if (moved.ok()) {
        return moved;
    }
    return year_month_day{year_month_day_last{moved.year(), month_day_last{moved.month()}}};
}

}  // namespace

db::Date PeriodStart(std::int32_t period, db::Date last) {
    // Months back for each period; year to date and all are fixed days.
    constexpr int kMonthsBack[] = {1, 3, 6, 0, 12, 24, 36, 60, 120};
    if (period == 3) {
        return db::Date{last.year(), January, day{1}};
    }
    if (period == kPeriodAll) {
        return kAllFrom;
    }
    if (period < 0 || period > 8) {
        return kZeroDate;
    }
    return monthsBefore(last, kMonthsBack[period]);
}

double OleDay(db::Date date) {
    return static_cast<double>((sys_days{date} - sys_days{kZeroDate}).count());
}

db::Date DateOfOleDay(std::int64_t day) {
    return db::Date{sys_days{kZeroDate} + days{day}};
}

}  // namespace tarnwick::chart
