// The moving averages, and the kind codes by which other indicators choose one.
//
// An indicator that smooths by kind calls movingAverageOfType with its own alias and reads the field
// of that name from the record set it gets back:
//
//   const com::ComPtr<_RecordSet> averaged = movingAverageOfType(maType, data, field, periods, u"MA");
//   if (!averaged) ...  // a code outside 1..7
//   const com::ComPtr<_Field> ma = fieldNamed(averaged.get(), com::Bstr(u"MA"));
//
// and wraps its failures in its own error (convertFailures) where its contract says so.
#pragma once

#include <span>

#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "core/Indicator.h"
#include "indikon/_Database.h"

namespace indikon {

// The moving-average kind codes (`MAType`) shared by every method that takes one.
enum class MAType : com::SHORT {
    Simple = 1,
    Exponential = 2,
    TimeSeries = 3,
    Variable = 4,
    Triangular = 5,
    Weighted = 6,
    VIDYA = 7,
};

// The R-squared scale most callers of kind 7 pass (the high-low bands pass their own).
inline constexpr double kVidyaScale = 0.65;

// The calculations behind the MovingAverage methods. Each returns a new record set holding one field
// named `name` of record-count values; positions not computed hold 0. The cursor walks the records
// and is left at the first.

// Mean of the last `periods` values, from periods + 1 on.
com::ComPtr<_RecordSet> simpleMovingAverage(_Database* data, _Field* source, int periods,
                                            const com::Bstr& name);
// Factor 2 / (periods + 1) from periods + 1 on; an average of exactly 0 restarts from the source.
com::ComPtr<_RecordSet> exponentialMovingAverage(_Database* data, _Field* source, int periods,
                                                 const com::Bstr& name);
// The regression forecast over `periods` records (the first value at periods).
com::ComPtr<_RecordSet> timeSeriesMovingAverage(_Database* data, _Field* source, int periods,
                                                const com::Bstr& name);
// From 0 at record 1, each value moves toward the source by |CMO(9)| / 100; `periods` is not used.
com::ComPtr<_RecordSet> variableMovingAverage(_Database* data, _Field* source, int periods,
                                              const com::Bstr& name);
// A mean of a mean (see kernels::triangularAverage), from periods + 1 on.
com::ComPtr<_RecordSet> triangularMovingAverage(_Database* data, _Field* source, int periods,
                                                const com::Bstr& name);
// Linear weights, the newest value weighing `periods`, from periods + 1 on.
com::ComPtr<_RecordSet> weightedMovingAverage(_Database* data, _Field* source, int periods,
                                              const com::Bstr& name);
// From record 2: (1 - k) * source(i - 1) + k * source(i), k = R-squared(i) of the regression over
// `periods` records times r2Scale. The blend is with the previous source value, not the average.
com::ComPtr<_RecordSet> vidya(_Database* data, _Field* source, int periods, double r2Scale,
                              const com::Bstr& name);
// Wilder's smoothing of the whole field from 0 at record 1; no database or cursor.
com::ComPtr<_RecordSet> wellesWilderSmoothing(_Field* source, int periods, const com::Bstr& name);

// One moving-average kind: its code, the method that computes it (source and default name) and its
// calculation. VIDYA uses r2Scale; the others ignore it.
struct MovingAverageKind {
    MAType type;
    IndicatorMethod method;
    com::ComPtr<_RecordSet> (*compute)(_Database* data, _Field* source, int periods, double r2Scale,
                                       const com::Bstr& name);
};

// The seven kinds in code order.
std::span<const MovingAverageKind> movingAverageKinds();
// The kind of a code, or null outside 1..7.
const MovingAverageKind* findMovingAverageKind(int code);
bool isMovingAverageType(int code);

// The average of kind `code` as its method computes it, under the alias `alias`: a record set holding
// that one field. Fails as that method fails (1105 with the method's own source), so that a caller can
// wrap it in its own error. Null for a code outside 1..7: nothing is computed.
com::ComPtr<_RecordSet> movingAverageOfType(int code, _Database* data, _Field* source, int periods,
                                            const com::Bstr& alias, double r2Scale = kVidyaScale);

}  // namespace indikon
