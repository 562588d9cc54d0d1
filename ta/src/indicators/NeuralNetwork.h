// The `NeuralNetwork` class. Its network and learning rate live from one call to the next, but every
// call draws fresh weights, so no call depends on an earlier one.
#pragma once

#include <memory>

#include "com/ComObject.h"
#include "indicators/FeedForwardNetwork.h"
#include "indicators/RandomSource.h"
#include "indikon/_NeuralNetwork.h"

namespace indikon {

class NeuralNetwork final : public com::ComObject<_NeuralNetwork> {
public:
    // Draws its weights from a clock-seeded source.
    NeuralNetwork();

    com::HRESULT NeuralIndicator(_Database* data, _Field* source, com::SHORT periods, double learningRate,
                                 com::LONG epochs, com::SHORT percentTrain, com::Bstr* alias,
                                 _RecordSet** result) override;

    // Replaces the source of the initial weights (for exact tests).
    void setRandomSource(std::unique_ptr<RandomSource> source);
    const FeedForwardNetwork& network() const { return network_; }

private:
    com::ComPtr<_RecordSet> neuralIndicator(_Database* data, _Field* source, int periods, double learningRate,
                                            com::LONG epochs, int percentTrain, const com::Bstr& name);

    std::unique_ptr<RandomSource> random_;
    FeedForwardNetwork network_;
};

}  // namespace indikon
