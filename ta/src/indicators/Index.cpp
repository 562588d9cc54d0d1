#include "indicators/Index.h"

#include "core/Indicator.h"
#include "indicators/RelativeStrength.h"

namespace indikon {

// RSI has no catch-all: a failure while computing reaches the caller as the failing member reported it.
com::HRESULT Index::RelativeStrengthIndex(_Database* data, _Field* source, com::SHORT periods,
                                          com::Bstr* alias, _RecordSet** result) {
    constexpr IndicatorMethod method{"Index.RelativeStrengthIndex", u"RelativeStrengthIndex", false};
    return runIndicator(method, alias, result, [&](const com::Bstr& name) {
        return relativeStrengthIndex(data, source, periods, name, "Index.RelativeStrengthIndex");
    });
}

com::HRESULT Index::ComparativeRelativeStrength(_Database* data, _Field* source1, _Field* source2,
                                                com::Bstr* alias, _RecordSet** result) {
    return runIndicator(
        {"Index.ComparativeRelativeStrength", u"ComparativeRelativeStrength"}, alias, result,
        [&](const com::Bstr& name) { return comparativeRelativeStrength(data, source1, source2, name); });
}

com::HRESULT Index::Performance(_Database* data, _Field* source, com::Bstr* alias, _RecordSet** result) {
    return runIndicator({"Index.Performance", u"Performance"}, alias, result,
                        [&](const com::Bstr& name) { return performance(data, source, name); });
}

}  // namespace indikon
