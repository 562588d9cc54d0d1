// The network behind the neural-network indicator: two inputs, one hidden layer of three units and one
// output, every unit logistic, trained by back-propagation. Weights w0..w12:
//   w0, w1, w2   input 1 to hidden 1, 2, 3      w3, w4, w5   input 2 to hidden 1, 2, 3
//   w6, w7, w8   hidden 1, 2, 3 to the output   w9, w10, w11 hidden biases, w12 output bias
// Training never changes the biases; they keep their random initial values.
#pragma once

#include <array>

#include "indicators/RandomSource.h"

namespace indikon {

class FeedForwardNetwork {
public:
    static constexpr int kWeights = 13;
    using Weights = std::array<double, kWeights>;

    void setLearningRate(double rate) { learningRate_ = rate; }
    // w0, w1, ..., w12 in that order become 1 - 2r for a fresh draw r each, after reseeding the source;
    // every weight lies in (-1, 1].
    void initializeWeights(RandomSource& random);

    // The output for two inputs; the inputs, hidden outputs and output are kept for training.
    double feedForward(double input1, double input2);
    // One back-propagation step towards `target`. Each hidden unit's error uses its output weight as
    // already updated by this step.
    void train(double input1, double input2, double target);

    // 1 / (1 + e^-x); an x so negative that e^-x overflows fails.
    static double activation(double x);

    const Weights& weights() const { return w_; }

private:
    double learningRate_ = 0;
    double input1_ = 0;
    double input2_ = 0;
    std::array<double, 3> hidden_{};
    double output_ = 0;
    Weights w_{};
};

}  // namespace indikon
