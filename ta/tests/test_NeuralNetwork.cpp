#include <cmath>
#include <memory>

#include "PriceSet.h"
#include "core/Failure.h"
#include "indicators/NeuralNetwork.h"

namespace indikon::test {
namespace {

// Draws the given values in turn, over and over, and counts its reseeds.
class ScriptedSource final : public RandomSource {
public:
    explicit ScriptedSource(std::vector<float> draws, int* reseeds = nullptr)
        : draws_(std::move(draws)), reseeds_(reseeds) {}

    void reseed() override {
        if (reseeds_)
            ++*reseeds_;
    }
    float next() override { return draws_[next_++ % draws_.size()]; }

private:
    std::vector<float> draws_;
    int* reseeds_;
    std::size_t next_ = 0;
};

// A rising and falling series of n records.
std::vector<double> wave(int n) {
    std::vector<double> values;
    for (int i = 1; i <= n; ++i)
        values.push_back(50 + 10 * std::sin(i / 4.0) + i * 0.1);
    return values;
}

struct Arguments {
    com::SHORT periods = 5;
    double learningRate = 0.3;
    com::LONG epochs = 3;
    com::SHORT percentTrain = 70;
};

struct NetworkRun {
    com::HRESULT status = com::E_FAIL;
    com::ComPtr<_RecordSet> result;
    com::Bstr alias{u""};
    com::SHORT position = 0;

    std::vector<double> values() const {
        return result ? valuesOf(fieldOf(result.get(), alias.text()).get()) : std::vector<double>{};
    }
};

NetworkRun indicator(NeuralNetwork& network, const std::vector<double>& series, const Arguments& a) {
    const com::ComPtr<_Database> database = makeDatabase(series);
    database->setPosition(2 <= series.size() ? 2 : 1);
    NetworkRun outcome;
    outcome.status = network.NeuralIndicator(database.get(), fieldOf(database.get(), u"Close").get(),
                                             a.periods, a.learningRate, a.epochs, a.percentTrain,
                                             &outcome.alias, outcome.result.put());
    outcome.position = position(database.get());
    return outcome;
}

NetworkRun indicatorWith(std::unique_ptr<RandomSource> source, const std::vector<double>& series,
                         const Arguments& a) {
    const com::ComPtr<NeuralNetwork> network = com::makeComObject<NeuralNetwork>();
    network->setRandomSource(std::move(source));
    return indicator(*network, series, a);
}

// The first position of a result that holds a value (the network's output is never exactly 0).
int firstValue(const std::vector<double>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i] != 0)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

TEST(FeedForwardNetwork, WeightsAreOneMinusTwiceEachDrawInOrder) {
    FeedForwardNetwork network;
    int reseeds = 0;
    ScriptedSource source({0.0f, 0.25f, 0.5f, 0.75f, 0.9990234375f}, &reseeds);
    network.initializeWeights(source);
    EXPECT_EQ(reseeds, 1);
    const FeedForwardNetwork::Weights expected{1, 0.5, 0, -0.5, -0.998046875, 1, 0.5, 0, -0.5, -0.998046875,
                                               1, 0.5, 0};
    EXPECT_EQ(network.weights(), expected);
}

TEST(FeedForwardNetwork, TrainingUpdatesTheOutputWeightsFirstAndNeverTheBiases) {
    // All weights 0: every unit gives 0.5. Target 1 at rate 1 from inputs (1, 1): delta = 0.5 * 0.25,
    // the output weights gain delta * 0.5 = 0.0625, and each input weight gains
    // 0.25 * delta * 0.0625 (the hidden error through the updated output weight).
    FeedForwardNetwork network;
    ScriptedSource half({0.5f});
    network.initializeWeights(half);
    EXPECT_EQ(network.feedForward(0.3, 0.7), 0.5);
    network.setLearningRate(1);
    network.train(1, 1, 1);
    const double inputWeight = 0.25 * 0.125 * 0.0625;
    const FeedForwardNetwork::Weights expected{inputWeight,
                                               inputWeight,
                                               inputWeight,
                                               inputWeight,
                                               inputWeight,
                                               inputWeight,
                                               0.0625,
                                               0.0625,
                                               0.0625,
                                               0,
                                               0,
                                               0,
                                               0};
    EXPECT_EQ(network.weights(), expected);
}

TEST(FeedForwardNetwork, ActivationIsLogisticAndFailsOnOverflow) {
    EXPECT_EQ(FeedForwardNetwork::activation(0), 0.5);
    EXPECT_DOUBLE_EQ(FeedForwardNetwork::activation(2), 1 / (1 + std::exp(-2.0)));
    EXPECT_THROW(FeedForwardNetwork::activation(-1000), Failure);
}

TEST(NeuralIndicator, UntrainedZeroWeightsGiveOneHalfFromTheLastTrainingRecord) {
    // Every draw 0.5 makes every weight 0; without training (no epochs, or a rate of 0) each output is 0.5.
    Arguments noEpochs;
    noEpochs.epochs = 0;
    Arguments noRate;
    noRate.learningRate = 0;
    for (const Arguments& a : {noEpochs, noRate}) {
        const NetworkRun outcome =
            indicatorWith(std::make_unique<ScriptedSource>(std::vector<float>{0.5f}), wave(100), a);
        ASSERT_EQ(outcome.status, com::S_OK);
        std::vector<double> expected(100, 0.0);
        for (int p = 70; p <= 100; ++p)
            expected[static_cast<std::size_t>(p - 1)] = 0.5;
        EXPECT_EQ(outcome.values(), expected);
        EXPECT_EQ(outcome.alias.view(), u"NeuralIndicator");
        EXPECT_EQ(fieldCount(outcome.result.get()), 1);
        EXPECT_EQ(outcome.position, 1);
    }
}

TEST(NeuralIndicator, TrainingRecordsAreRoundedHalvesToEven) {
    const struct {
        int records;
        com::SHORT percentTrain;
        int first;
    } cases[] = {{100, 70, 70}, {5, 50, 2}, {7, 50, 4}, {30, 25, 8}, {50, 98, 49}, {50, 2, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.records) + " records, " + std::to_string(c.percentTrain) + "%");
        Arguments a;
        a.periods = 1;
        a.percentTrain = c.percentTrain;
        const NetworkRun outcome = indicatorWith(makeSeededSource(11), wave(c.records), a);
        ASSERT_EQ(outcome.status, com::S_OK);
        EXPECT_EQ(firstValue(outcome.values()), c.first);
    }
}

TEST(NeuralIndicator, AFixedSeedReproducesTheOutput) {
    const NetworkRun first = indicatorWith(makeSeededSource(7), wave(100), {});
    const NetworkRun again = indicatorWith(makeSeededSource(7), wave(100), {});
    const NetworkRun other = indicatorWith(makeSeededSource(8), wave(100), {});
    ASSERT_EQ(first.status, com::S_OK);
    EXPECT_EQ(first.values(), again.values());
    EXPECT_NE(first.values(), other.values());
    for (double value : first.values()) {
        EXPECT_GE(value, 0);
        EXPECT_LE(value, 1);
    }
    // One object twice: each call draws its weights afresh from the restarted sequence.
    const com::ComPtr<NeuralNetwork> network = com::makeComObject<NeuralNetwork>();
    network->setRandomSource(makeSeededSource(7));
    EXPECT_EQ(indicator(*network, wave(100), {}).values(), first.values());
    EXPECT_EQ(indicator(*network, wave(100), {}).values(), first.values());
}

TEST(NeuralIndicator, ATrainedNetworkOfAFixedSeedAnswersAsRecorded) {
    // Seed 7, 100 records of the wave, periods 5, rate 0.3, 3 epochs, 70 per cent trained: the answers
    // start at record 70 (the last training record) and follow the wave's next swing.
    const std::vector<double> values = indicatorWith(makeSeededSource(7), wave(100), {}).values();
    ASSERT_EQ(values.size(), 100u);
    EXPECT_EQ(firstValue(values), 70);
    const struct {
        int record;
        double value;
    } pinned[] = {{70, 0.55229937460927581}, {71, 0.55150308838564222}, {75, 0.55588060942732076},
                  {85, 0.57664623502146539}, {97, 0.55534190140284312}, {100, 0.5593614330043053}};
    for (const auto& p : pinned)
        EXPECT_NEAR(values[static_cast<std::size_t>(p.record) - 1], p.value, 1e-15) << "record " << p.record;
}

TEST(NeuralIndicator, TheClockSeededDefaultStaysInRange) {
    const com::ComPtr<NeuralNetwork> network = com::makeComObject<NeuralNetwork>();
    const NetworkRun outcome = indicator(*network, wave(60), {});
    ASSERT_EQ(outcome.status, com::S_OK);
    const std::vector<double> values = outcome.values();
    EXPECT_EQ(firstValue(values), 42);
    for (double value : values) {
        EXPECT_GE(value, 0);
        EXPECT_LE(value, 1);
    }
}

TEST(NeuralIndicator, PercentTrainLimits) {
    for (com::SHORT percent : {1, 99, 0, -5}) {
        SCOPED_TRACE(percent);
        Arguments a;
        a.percentTrain = percent;
        const NetworkRun outcome = indicatorWith(makeSeededSource(1), wave(50), a);
        EXPECT_TRUE(failedWith(outcome.status, {1011, "NeuralIndicator", "Invalid PercentTrain"}));
        EXPECT_EQ(outcome.result, nullptr);
        // The default name was written back before the check.
        EXPECT_EQ(outcome.alias.view(), u"NeuralIndicator");
    }
}

TEST(NeuralIndicator, PeriodAndEpochLimits) {
    Arguments whole;
    whole.periods = 50;  // as many as the records: every input is 0
    EXPECT_EQ(indicatorWith(makeSeededSource(1), wave(50), whole).status, com::S_OK);
    Arguments zero;
    zero.periods = 0;
    EXPECT_EQ(indicatorWith(makeSeededSource(1), wave(50), zero).status, com::S_OK);

    Arguments beyond;
    beyond.periods = 51;
    Arguments negative;
    negative.periods = -1;
    Arguments manyEpochs;
    manyEpochs.epochs = 32768;
    Arguments noTraining;  // 2 % of 10 records rounds to none
    noTraining.percentTrain = 2;
    const struct {
        const char* name;
        Arguments arguments;
        int records;
    } cases[] = {{"periods past the records", beyond, 50},
                 {"negative periods", negative, 50},
                 {"epochs beyond an Integer", manyEpochs, 50},
                 {"no training record", noTraining, 10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const NetworkRun outcome = indicatorWith(makeSeededSource(1), wave(c.records), c.arguments);
        EXPECT_TRUE(
            failedWith(outcome.status, {1105, "NeuralNetwork.NeuralIndicator.UnexpectedError", kUnexpected}));
        EXPECT_EQ(outcome.result, nullptr);
    }
}

}  // namespace
}  // namespace indikon::test
