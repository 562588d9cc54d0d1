#include "indicators/FeedForwardNetwork.h"

#include "core/Checked.h"

namespace indikon {

void FeedForwardNetwork::initializeWeights(RandomSource& random) {
    random.reseed();
    for (double& weight : w_)
        weight = 1 - 2 * static_cast<double>(random.next());
}

double FeedForwardNetwork::activation(double x) {
    return 1 / (1 + exponential(-x));
}

double FeedForwardNetwork::feedForward(double input1, double input2) {
    input1_ = input1;
    input2_ = input2;
    hidden_[0] = activation(input2 * w_[3] + w_[0] * input1 + w_[9]);
    hidden_[1] = activation(w_[4] * input2 + w_[1] * input1 + w_[10]);
    hidden_[2] = activation(w_[5] * input2 + w_[2] * input1 + w_[11]);
    output_ = activation(w_[7] * hidden_[1] + w_[6] * hidden_[0] + hidden_[2] * w_[8] + w_[12]);
    return output_;
}

void FeedForwardNetwork::train(double input1, double input2, double target) {
    const double output = feedForward(input1, input2);
    const double delta = (target - output) * output * (1 - output);
    for (int k = 0; k < 3; ++k)
        w_[6 + k] += delta * learningRate_ * hidden_[k];
    for (int k = 0; k < 3; ++k) {
        const double hiddenDelta = (1 - hidden_[k]) * hidden_[k] * delta * w_[6 + k];
        w_[k] += hiddenDelta * learningRate_ * input1_;
        w_[3 + k] += hiddenDelta * learningRate_ * input2_;
    }
}

}  // namespace indikon
