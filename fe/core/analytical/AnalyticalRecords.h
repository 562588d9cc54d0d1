// The records of the analytical chart: one entry per study it calculates, one record per axis it
// draws (three study axes and the price axis), and what the panes of those axes come to in percent of
// the plot height.
#pragma once

#include <array>
#include <cstdint>

#include "com/Types.h"

namespace dravik {

using com::LONG;
using com::SHORT;

inline constexpr std::size_t kStudyTableSize = 58;
inline constexpr std::size_t kStudyAxisCount = 3;  // axes 0-2; index 3 is the price axis
inline constexpr std::size_t kAxisRecordCount = 4;
inline constexpr SHORT kPriceAxisIndex = 3;
inline constexpr SHORT kNoAxis = -1;
inline constexpr SHORT kVolumeStudyNumber = 12;

// One study the chart calculates; study -1 marks a free entry and the end of the table.
struct StudyTableEntry {
    SHORT study = -1;
    SHORT calcKind = -1;
    std::uint8_t visible = 0;
    SHORT firstSeries = 0;  // buffer row (and chart series) of the study's first output
    double min = 0;
    double max = 0;
    SHORT rangeState = 0;  // what the range normaliser answered for [min, max]

    bool isFree() const { return study == -1; }
};

// Empty states of an axis record.
inline constexpr SHORT kAxisHasData = 0;
inline constexpr SHORT kAxisNoData = 2;

struct StudyAxisRecord {
    LONG size = 15;  // percent of the plot height
    LONG gap = 3;    // percent of gap above the pane
    SHORT controlAxis = 0;
    SHORT study = -1;  // owning study, -1 free
    SHORT display = 0;
    SHORT emptyState = kAxisNoData;
    double dataMin = 0;
    double dataMax = 0;
    double displayMin = 0;
    double displayMax = 0;
    // Label layout of the last label pass.
    double labelStep = 0;
    double endGap = 0;
    double controlStep = 0;
    double minorStep = 0;
    SHORT labelCount = 0;
    std::array<LONG, 4> titleRect{};  // left, top, right, bottom pixels

    bool inUse() const { return study != -1; }
};

// The records as a new chart has them: study axes of 15 % with 3 % gaps on control axes 6, 4 and 5,
// the price axis of 75 % on control axis 0 with the range 0..100.
std::array<StudyAxisRecord, kAxisRecordCount> DefaultAxisRecords();

// Stretches an axis's data range over the whole plot so that the data fill only its band: `below` and
// `above` percent of `total` lie under and over the band. A band without height, or a data range that
// is not finite, leaves the display range at the data range.
void ApplyAxisBand(StudyAxisRecord& axis, double below, double above, double total);

// The study panes over the plot: the used study axes from the bottom up (each of its study's space and
// gap, or 15 and 3 for all when they together exceed 90 %), the price pane above them taking what is
// left. `space` and `gap` give the owning study's values per study axis. Writes sizes, gaps and
// display ranges.
void LayoutAxisBands(std::array<StudyAxisRecord, kAxisRecordCount>& axes,
                     const std::array<LONG, kStudyAxisCount>& space,
                     const std::array<LONG, kStudyAxisCount>& gap);

// Widens a range by `fraction` of each end's magnitude: max += fraction x |max|, min -= fraction x |min|.
void WidenRange(double& min, double& max, double fraction);
// The fraction by which the study and price ranges are widened before they are shown.
inline constexpr double kRangeWidening = 0.01;

// Merges the range of drawings (trend lines, retracements) into the price range. Filled in by the
// drawing features; the chart works without one.
class IDrawingRangeSource {
public:
    // Extends [min, max] by the values the drawings reach; leaves them as they are without drawings.
    virtual void MergeDrawingRange(double& min, double& max) = 0;

protected:
    ~IDrawingRangeSource() = default;
};

}  // namespace dravik
