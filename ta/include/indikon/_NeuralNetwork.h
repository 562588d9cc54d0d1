// `_NeuralNetwork`: a small feed-forward network trained on a price series (see `_Oscillator` for the
// conventions every indicator shares).
#pragma once

#include "com/Bstr.h"
#include "com/Types.h"
#include "com/Unknown.h"
#include "indikon/Identities.h"
#include "indikon/_Database.h"

namespace indikon {

struct _NeuralNetwork : com::IUnknown {
    static constexpr com::IID iid = IID_NeuralNetwork;

    // Trains a network of two inputs (the value `periods` records back and the current one, scaled to
    // 0..1) on the next record's change over the first percentTrain per cent (2..98) of the records for
    // `epochs` passes from fresh random weights, and writes its output (0..1) from the last training
    // record to the end.
    virtual com::HRESULT NeuralIndicator(_Database* data, _Field* source, com::SHORT periods,
                                         double learningRate, com::LONG epochs, com::SHORT percentTrain,
                                         com::Bstr* alias, _RecordSet** result) = 0;

protected:
    ~_NeuralNetwork() = default;
};

}  // namespace indikon
