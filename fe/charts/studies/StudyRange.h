// Shared ground of the study routines: rows of point values, the empty point, and the value range a
// routine reports for what it wrote.
//
// Every routine works on rows of `points` doubles. A point holding kEmptyValue (1e308) has no value; so
// has a point that is not finite (NaN or an infinity handed in from outside), which keeps a single bad
// value from poisoning a running sum. Every row a routine writes is the length of its first output row;
// an input row shorter than that counts as missing.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <span>
#include <vector>

#include "format/ScaleRounding.h"
#include "format/ValueFormat.h"

namespace dravik {

using InRow = std::span<const double>;
using OutRow = std::span<double>;

inline bool IsValidPoint(double value) {
    return value != kEmptyValue && std::isfinite(value);
}

// Minimum and maximum of the values a routine wrote; starts at the range-search seeds.
struct StudyRange {
    double min = kRangeSeedMin;
    double max = kRangeSeedMax;

    void Take(double value) {
        if (!IsValidPoint(value))
            return;
        min = std::min(min, value);
        max = std::max(max, value);
    }
    void TakeRow(InRow row) {
        for (double value : row)
            Take(value);
    }
    bool IsUnset() const { return min == kRangeSeedMin && max == kRangeSeedMax; }
};

namespace studies {

inline void FillEmpty(OutRow row) {
    std::fill(row.begin(), row.end(), kEmptyValue);
}

// Writes a result: a value that is not finite (a quotient that overflowed) becomes the empty point, any
// other value widens the range.
inline void Put(OutRow row, std::size_t i, double value, StudyRange& range) {
    if (!IsValidPoint(value)) {
        row[i] = kEmptyValue;
        return;
    }
    row[i] = value;
    range.Take(value);
}

inline bool HasRow(InRow row, std::size_t points) {
    return row.size() >= points;
}

// Checks what a routine needs: every output row at least as long as the first (whose length is the
// point count), every input row that long, every period above 0. Otherwise every output row is emptied
// and the answer is false; the caller then leaves its range at the seeds.
inline bool Prepare(std::initializer_list<InRow> inputs, std::initializer_list<OutRow> outputs,
                    std::initializer_list<int> periods) {
    const std::size_t points = outputs.size() == 0 ? 0 : outputs.begin()->size();
    bool usable = true;
    for (OutRow row : outputs)
        usable = usable && row.size() >= points;
    for (InRow row : inputs)
        usable = usable && HasRow(row, points);
    for (int period : periods)
        usable = usable && period > 0;
    if (!usable)
        for (OutRow row : outputs)
            FillEmpty(row);
    return usable;
}

// out = minuend - subtrahend at the points where both are valid, empty elsewhere (rows as long as out).
inline void Subtract(InRow minuend, InRow subtrahend, OutRow out, StudyRange& range) {
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = kEmptyValue;
        if (IsValidPoint(minuend[i]) && IsValidPoint(subtrahend[i]))
            Put(out, i, minuend[i] - subtrahend[i], range);
    }
}

// Positions of the valid points met so far, oldest first, for routines that look back a number of
// valid points.
class ValidPositions {
public:
    explicit ValidPositions(std::size_t capacity) { positions_.reserve(capacity); }

    void Add(std::size_t position) { positions_.push_back(position); }
    std::size_t Count() const { return positions_.size(); }
    // The position `back` valid points before the newest one (0: the newest); back < Count().
    std::size_t Back(std::size_t back) const { return positions_[positions_.size() - 1 - back]; }
    // The newest `count` positions, or all of them when fewer were met; oldest first.
    std::span<const std::size_t> Last(std::size_t count) const {
        const std::size_t n = std::min(count, positions_.size());
        return std::span<const std::size_t>(positions_).last(n);
    }

private:
    std::vector<std::size_t> positions_;
};

// Calls visit(i, seen) at each valid point i of `values`, `seen` already holding it. Every point of
// `out` is emptied before its visit, so a point the visit writes nothing to stays empty.
template <typename Visit>
void ForEachValidPoint(InRow values, OutRow out, Visit visit) {
    ValidPositions seen(out.size());
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = kEmptyValue;
        if (!IsValidPoint(values[i]))
            continue;
        seen.Add(i);
        visit(i, seen);
    }
}

}  // namespace studies
}  // namespace dravik
