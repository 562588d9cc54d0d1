#include "indicators/Bands.h"

#include "core/Indicator.h"
#include "indicators/FractalBands.h"
#include "indicators/FractalOscillators.h"

namespace indikon {

// The period is handed back before anything is computed, so a failing call leaves it replaced too.
com::HRESULT Bands::FractalChaosBands(_Database* data, _RecordSet* ohlcv, com::SHORT* periods,
                                      _RecordSet** result) {
    if (!periods)
        return com::E_POINTER;
    *periods = fractalPeriods(*periods);
    return runIndicator({"Bands.FractalChaosBands", u"Fractal High"}, nullptr, result,
                        [&](const com::Bstr&) { return fractalChaosBands(data, ohlcv, *periods); });
}

}  // namespace indikon
