// One column of a record set taken by name once and then read by 1-based row: the prices of an OHLCV
// record set ("Open", "High", "Low", "Close", "Volume") or a named intermediate result.
#pragma once

#include <optional>
#include <string_view>

#include "com/ComPtr.h"
#include "core/Indicator.h"
#include "indikon/_RecordSet.h"

namespace indikon {

class PriceColumn {
public:
    // The field of that name (found without regard to case); a missing field or a null record set is
    // raised as the record set reported it.
    PriceColumn(_RecordSet* records, std::u16string_view name);

    double at(int row) const { return series_ ? series_->at(row) : Series(field_.get()).at(row); }

private:
    com::ComPtr<_Field> field_;
    // Empty when the record set handed out no field: reading then fails as Series reports it.
    std::optional<Series> series_;
};

}  // namespace indikon
