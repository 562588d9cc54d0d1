#include "indicators/PriceColumn.h"

#include "core/Indicator.h"

namespace indikon {

PriceColumn::PriceColumn(_RecordSet* records, std::u16string_view name) {
    if (!records)
        raise(RuntimeError::ObjectNotSet);
    check(records->getField(com::Bstr(name), field_.put()));
}

double PriceColumn::at(int row) const {
    return Series(field_.get()).at(row);
}

}  // namespace indikon
