#include "indicators/NeuralNetwork.h"

#include <vector>

#include "core/Indicator.h"
#include "indicators/General.h"

namespace indikon {
namespace {

struct Extremes {
    double high;
    double low;
};

// The highest and lowest value of records 1..n, through a General object (a failure there, such as an
// empty field, is one of this calculation's).
Extremes extremesOf(_Field* field, int n) {
    const com::ComPtr<_General> general = com::makeComObject<General>();
    com::ComPtr<_Note> highest;
    com::ComPtr<_Note> lowest;
    check(general->MaxValue(field, 1, toInteger(n), highest.put()));
    check(general->MinValue(field, 1, toInteger(n), lowest.put()));
    Extremes extremes{};
    check(highest->getValue(&extremes.high));
    check(lowest->getValue(&extremes.low));
    return extremes;
}

// Scales records 1..last of `field` into 0..1 by the extremes of its records 1..n, and returns records
// 1..n as they then stand. The extremes include every leading zero.
std::vector<double> scaled(_Field* field, int n, int last) {
    const Extremes range = extremesOf(field, n);
    const Series series(field);
    std::vector<double> values(static_cast<std::size_t>(n) + 1, 0.0);
    for (int p = 1; p <= n; ++p) {
        const double value = series.at(p);
        values[static_cast<std::size_t>(p)] = p <= last ? rangeRatio(range.high, range.low, value) : value;
        if (p <= last)
            series.set(p, values[static_cast<std::size_t>(p)]);
    }
    return values;
}

}  // namespace

NeuralNetwork::NeuralNetwork() : random_(makeClockSeededSource()) {}

void NeuralNetwork::setRandomSource(std::unique_ptr<RandomSource> source) {
    random_ = std::move(source);
}

com::HRESULT NeuralNetwork::NeuralIndicator(_Database* data, _Field* source, com::SHORT periods,
                                            double learningRate, com::LONG epochs, com::SHORT percentTrain,
                                            com::Bstr* alias, _RecordSet** result) {
    return runIndicator(
        {"NeuralNetwork.NeuralIndicator", u"NeuralIndicator"}, alias, result, [&](const com::Bstr& name) {
            return neuralIndicator(data, source, periods, learningRate, epochs, percentTrain, name);
        });
}

// Inputs: the value `periods` records back and the current value; target: the current value minus the
// next, over the training records only. The network learns on records 1..T (T = percentTrain per cent of
// the records, halves to even), leading zeros included, and answers from T to the end.
com::ComPtr<_RecordSet> NeuralNetwork::neuralIndicator(_Database* data, _Field* source, int periods,
                                                       double learningRate, com::LONG epochs,
                                                       int percentTrain, const com::Bstr& name) {
    Cursor cursor(data);
    const int n = cursor.recordCount();
    const com::ComPtr<_Field> result = newField(n, name);
    if (percentTrain < 2 || percentTrain > 98)
        raiseValidation(Error::InvalidPercentTrain, "NeuralIndicator");
    const int trained = roundToInteger(percentTrain / 100.0 * n);

    const Series prices(source);
    const com::ComPtr<_Field> input1 = newField(n, com::Bstr(u"Input1"));
    const com::ComPtr<_Field> input2 = newField(n, com::Bstr(u"Input2"));
    const com::ComPtr<_Field> target = newField(n, com::Bstr(u"Target"));
    {
        const Series lagged(input1.get());
        const Series current(input2.get());
        walkRecords(cursor, periods + 1, n, [&](int p) {
            lagged.set(p, prices.at(p - periods));
            current.set(p, prices.at(p));
        });
        const Series change(target.get());
        walkRecords(cursor, periods + 1, toInteger(trained - periods),
                    [&](int p) { change.set(p, prices.at(p) - prices.at(p + 1)); });
    }
    const std::vector<double> x1 = scaled(input1.get(), n, n);
    const std::vector<double> x2 = scaled(input2.get(), n, n);
    const std::vector<double> y = scaled(target.get(), n, trained);

    network_.setLearningRate(learningRate);
    network_.initializeWeights(*random_);
    const int passes = toInteger(epochs);
    for (int epoch = 1; epoch <= passes; ++epoch) {
        for (std::size_t p = 1; p <= static_cast<std::size_t>(trained); ++p) {
            network_.train(x1[p], x2[p], y[p]);
            yieldToMessageLoop();
        }
    }

    const Series out(result.get());
    const Series scaledInput1(input1.get());
    const Series scaledInput2(input2.get());
    for (int p = trained; p <= n; ++p)
        out.set(p, network_.feedForward(scaledInput1.at(p), scaledInput2.at(p)));
    cursor.moveFirst();
    return newRecordSet({result.get()});
}

}  // namespace indikon
