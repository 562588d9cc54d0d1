// The `MovingAverage` class: stateless; each method computes into a new record set.
#pragma once

#include "com/ComObject.h"
#include "indikon/_MovingAverage.h"

namespace indikon {

enum class MAType : com::SHORT;

class MovingAverage final : public com::ComObject<_MovingAverage> {
public:
    com::HRESULT SimpleMovingAverage(_Database* data, _Field* source, com::SHORT periods, com::Bstr* alias,
                                     _RecordSet** result) override;
    com::HRESULT ExponentialMovingAverage(_Database* data, _Field* source, com::SHORT periods,
                                          com::Bstr* alias, _RecordSet** result) override;
    com::HRESULT TimeSeriesMovingAverage(_Database* data, _Field* source, com::SHORT periods,
                                         com::Bstr* alias, _RecordSet** result) override;
    com::HRESULT VariableMovingAverage(_Database* data, _Field* source, com::SHORT periods, com::Bstr* alias,
                                       _RecordSet** result) override;
    com::HRESULT TriangularMovingAverage(_Database* data, _Field* source, com::SHORT periods,
                                         com::Bstr* alias, _RecordSet** result) override;
    com::HRESULT WeightedMovingAverage(_Database* data, _Field* source, com::SHORT periods, com::Bstr* alias,
                                       _RecordSet** result) override;
    com::HRESULT VIDYA(_Database* data, _Field* source, com::SHORT periods, double r2Scale, com::Bstr* alias,
                       _RecordSet** result) override;
    com::HRESULT WellesWilderSmoothing(_Field* source, com::SHORT periods, com::Bstr* alias,
                                       _RecordSet** result) override;

private:
    // Runs the method of kind `type` from the table of kinds.
    static com::HRESULT runKind(MAType type, _Database* data, _Field* source, com::SHORT periods,
                                double r2Scale, com::Bstr* alias, _RecordSet** result);
};

}  // namespace indikon
