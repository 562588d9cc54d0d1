// The choice of the date steps of the X-axis labels: which period kind (year .. each point) labels the
// axis, which kind draws the minor grid, and how many periods each label spans.
#pragma once

#include <functional>

#include "com/Types.h"
#include "gallery/DateBreakTable.h"

namespace dravik {

// Step kinds 0 year .. 6 each point (lomexDateAxisStep without the automatic -1).
struct DateSteps {
    com::SHORT majorKind = 0;
    com::SHORT minorKind = 0;
    com::SHORT majorEvery = 1;
    com::SHORT minorEvery = 1;

    friend bool operator==(const DateSteps&, const DateSteps&) = default;
};

struct DateStepRequest {
    com::LONG first = 0;  // visible elements, 0-based, first <= last
    com::LONG last = 0;
    com::LONG width = 0;     // plot width in pixels, > 0
    bool twoLevels = false;  // the X axis draws its labels on two rows
    bool semesters = false;  // semester labels are allowed (else they become years)
    bool quarters = true;    // quarter labels are allowed (else semesters, or years)
};

// The larger width in pixels of the labels of a step kind at the first and at the last visible element.
using DateLabelWidth = std::function<com::LONG(com::LONG kind)>;

// Chooses the steps automatically: the kinds are tried from year to each point, and the first whose
// labels do not fit the width ends the search (major: the last that fitted, minor: the first that did
// not). Stores the number of beginnings of every kind tried as the table's visible counts.
DateSteps ChooseDateSteps(DateBreakTable& table, const DateStepRequest& request, const DateLabelWidth& width);

// Counts the beginnings of every kind in the visible range into the table's visible counts.
void CountVisibleBreaks(DateBreakTable& table, com::LONG first, com::LONG last);

// Replaces the kinds the switches leave out: semester by year, quarter by semester (or year), each
// point by day when the visible range holds as many points as days.
void ApplyStepSwitches(DateSteps& steps, const DateBreakTable& table, bool semesters, bool quarters);

}  // namespace dravik
