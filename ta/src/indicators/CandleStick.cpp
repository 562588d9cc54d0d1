#include "indicators/CandleStick.h"

#include "core/Failure.h"
#include "core/Indicator.h"
#include "indicators/CandlePattern.h"

namespace indikon {

// Only the period check reaches the caller as raised; any other failure is the method's unexpected error.
com::HRESULT CandleStick::IdentifyPattern(_RecordSet* ohlcv, com::SHORT period, _Note** result) {
    if (!result)
        return com::E_POINTER;
    *result = nullptr;
    return reportFailures([&] {
        com::ComPtr<_Note> note = convertFailures(Error::Unexpected, "CandleStick.UnexpectedError",
                                                  [&] { return identifyCandlePattern(ohlcv, period); });
        requireFinite(note.get(), "CandleStick");
        *result = note.detach();
    });
}

}  // namespace indikon
