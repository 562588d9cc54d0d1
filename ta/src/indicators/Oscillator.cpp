#include "indicators/Oscillator.h"

#include "core/Indicator.h"
#include "indicators/ParabolicSar.h"

namespace indikon {

com::HRESULT Oscillator::ParabolicSAR(_Database* data, _Field* highPrice, _Field* lowPrice, double minAF,
                                      double maxAF, com::Bstr* alias, _RecordSet** result) {
    return runIndicator({"Oscillator.ParabolicSAR", u"ParabolicSAR"}, alias, result,
                        [&](const com::Bstr& name) {
                            return parabolicSar(data, highPrice, lowPrice, {minAF, maxAF}, name);
                        });
}

}  // namespace indikon
