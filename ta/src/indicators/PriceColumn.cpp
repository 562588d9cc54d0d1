#include "indicators/PriceColumn.h"

#include "core/Indicator.h"

namespace indikon {

PriceColumn::PriceColumn(_RecordSet* records, std::u16string_view name) {
    if (!records)
        raise(RuntimeError::ObjectNotSet);
    check(records->getField(com::Bstr(name), field_.put()));
    if (field_)
        series_.emplace(field_.get());
}

}  // namespace indikon
