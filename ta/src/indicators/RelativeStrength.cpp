#include "indicators/RelativeStrength.h"

#include "core/Indicator.h"

namespace indikon {

double rsiFromAverages(double averageGain, double averageLoss) {
    if (averageGain == 0)
        return 0;
    if (averageLoss == 0)
        return 100;
    return 100 - divide(100, 1 + divide(averageGain, averageLoss));
}

com::ComPtr<_RecordSet> relativeStrengthIndex(_Database* data, _Field* source, int periods,
                                              const com::Bstr& name, const char* validationSource) {
    Cursor cursor(data);
    const Series prices(source);
    const int n = cursor.recordCount();
    if (periods < 1 || periods > n)
        raiseValidation(Error::InvalidPeriods, validationSource);

    const com::ComPtr<_Field> result = newField(n, name);
    const com::ComPtr<_Field> gainField = newField(n, com::Bstr(u"AU"));
    const com::ComPtr<_Field> lossField = newField(n, com::Bstr(u"AD"));
    const Series rsi(result.get());
    const Series averageGain(gainField.get());
    const Series averageLoss(lossField.get());

    // Seed: plain averages of the first `periods` changes, kept at periods + 1.
    double gains = 0;
    double losses = 0;
    for (int p = 2; p <= periods + 1; ++p) {
        cursor.setPosition(p);
        const double change = prices.at(p) - prices.at(p - 1);
        if (change > 0)
            gains += change;
        else if (change < 0)
            losses -= change;
    }
    const int seed = periods + 1;
    averageGain.set(seed, divide(gains, periods));
    averageLoss.set(seed, divide(losses, periods));

    walkRecords(cursor, periods + 2, n, [&](int p) {
        const double change = prices.at(p) - prices.at(p - 1);
        const double gain = change > 0 ? change : 0;
        const double loss = change < 0 ? -change : 0;
        const double au = divide((periods - 1) * averageGain.at(p - 1) + gain, periods);
        const double ad = divide((periods - 1) * averageLoss.at(p - 1) + loss, periods);
        averageGain.set(p, au);
        averageLoss.set(p, ad);
        rsi.set(p, rsiFromAverages(au, ad));
    });
    cursor.moveFirst();
    return newRecordSet({result.get()});
}

com::ComPtr<_RecordSet> comparativeRelativeStrength(_Database* data, _Field* source1, _Field* source2,
                                                    const com::Bstr& name) {
    Cursor cursor(data);
    const Series first(source1);
    const Series second(source2);
    const int n = cursor.recordCount();
    const com::ComPtr<_Field> result = newField(n, name);
    const Series ratio(result.get());
    // n records from wherever the cursor stands (the first record, as every method leaves it).
    const int start = cursor.position();
    cursor.setPosition(start);
    for (int k = 0; k < n; ++k) {
        const int p = start + k;
        ratio.set(p, divide(first.at(p), second.at(p)));
        if (k + 1 < n)
            cursor.moveNext();
    }
    cursor.moveFirst();
    return newRecordSet({result.get()});
}

com::ComPtr<_RecordSet> performance(_Database* data, _Field* source, const com::Bstr& name) {
    Cursor cursor(data);
    const Series prices(source);
    const int n = cursor.recordCount();
    const com::ComPtr<_Field> result = newField(n, name);
    const Series change(result.get());
    const double base = prices.at(1);
    walkRecords(cursor, 2, n, [&](int p) { change.set(p, divide(prices.at(p) - base, base) * 100); });
    cursor.moveFirst();
    return newRecordSet({result.get()});
}

}  // namespace indikon
