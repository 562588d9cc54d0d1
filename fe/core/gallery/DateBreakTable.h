// Where the periods of each date step begin among the elements of a chart type (its points, or the
// elements of a figure), and how many of them the visible range holds.
//
// One table per step kind (0 year, 1 semester, 2 quarter, 3 month, 4 week, 5 day, 6 each point), each
// with one 32-bit entry per element plus one. Entry i of kind k is 0 when no period of kind k begins at
// element i, else the number of elements since the previous beginning of that kind (or since element
// 0); the last entry holds the number of elements from the last beginning to the end. Kind 6 has 1 at
// every element, at 0 and at the end.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "com/Types.h"

namespace dravik {

inline constexpr com::LONG kDateStepKinds = 7;
inline constexpr com::LONG kEachPointStep = 6;

class DateBreakTable {
public:
    // The date (OLE date) of an element; none for one that has no date or cannot be converted.
    using DateOf = std::function<std::optional<double>(com::LONG element)>;

    // Builds the tables for `count` elements. Scanning stops at the first element whose date cannot
    // be converted. False, with the tables freed, when element 0 has no date or count is not positive.
    bool Build(com::LONG count, const DateOf& dateOf);
    void Free() { *this = DateBreakTable{}; }

    bool empty() const { return breaks_[0].empty(); }
    // Number of elements the tables were built for (0 when empty).
    com::LONG count() const { return empty() ? 0 : static_cast<com::LONG>(breaks_[0].size()) - 1; }
    // Entry `index` (0 .. count) of a kind; 0 outside the tables.
    com::LONG Entry(com::LONG kind, com::LONG index) const;
    bool BeginsAt(com::LONG kind, com::LONG element) const { return Entry(kind, element) != 0; }
    // Beginnings of `kind` at the elements first + 1 .. last (the first visible element carries the
    // first label whatever it is).
    com::LONG CountBeginnings(com::LONG kind, com::LONG first, com::LONG last) const;
    // The first element after `element`, up to `last`, at which a period of `kind` begins; -1 when none.
    com::LONG NextBeginning(com::LONG kind, com::LONG element, com::LONG last) const;

    // The number of beginnings of each kind in the visible range, as the last layout counted them.
    com::LONG visibleCount(com::LONG kind) const;
    void setVisibleCount(com::LONG kind, com::LONG count);
    // Wide spacing: labels are laid out with 1.5 times their width instead of 1.1 times.
    bool wideSpacing() const { return wideSpacing_; }
    void setWideSpacing(bool wide) { wideSpacing_ = wide; }

private:
    std::array<std::vector<std::int32_t>, kDateStepKinds> breaks_;
    std::array<com::LONG, kDateStepKinds> visible_{};
    bool wideSpacing_ = false;
};

}  // namespace dravik
